#pragma once
// The edit tool's two table editors: frmForm2 on userdata and frmForm5 on
// data. They show the application's local cursors (KovrApp::localUserdata,
// KovrApp::localData), which the update tool and the merge wizard walk as
// well. An editor's fields follow its cursor only while the editor is
// shown: a tool walking the cursor meanwhile moves no field, and an editor
// shown again shows the row the cursor stands on. Leaving an editor saves
// its pending change and hides it; the editors live until the program ends.

#include "tableeditor.h"
#include "toolswindow.h"

class KovrApp;
class QLabel;
class QPushButton;

class ToolsEditor : public TableEditor {
    Q_OBJECT
public:
    ToolsEditor(KovrApp& app, Cursor* cursor, const QString& table, const QString& caption,
                const QString& helpKeyword);

    CommonMenus menus;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;

    void Command1_Click();

protected:
    void leave() override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void followCursor(bool follow);

    KovrApp& app_;
    bool following_ = true;  // the data control binds the fields from the start
};

class frmForm2 : public ToolsEditor {
    Q_OBJECT
public:
    frmForm2(KovrApp& app, Cursor* userdata);
};

class frmForm5 : public ToolsEditor {
    Q_OBJECT
public:
    frmForm5(KovrApp& app, Cursor* data);
};
