#pragma once
// The edit tool's two table editors. They are also the holders of the
// tools' local cursors: frmForm2 of userdata, frmForm5 of data. Leaving
// them hides them; they live until the program ends.

#include "tableeditor.h"
#include "toolswindow.h"

class KovrApp;
class QLabel;
class QPushButton;

class ToolsEditor : public TableEditor {
    Q_OBJECT
public:
    ToolsEditor(KovrApp& app, Database* database, const QString& table, const QString& caption,
                const QString& helpKeyword);

    CommonMenus menus;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;

    void Command1_Click();

protected:
    void leave() override;
    void closeEvent(QCloseEvent* event) override;

private:
    KovrApp& app_;
};

// While a tool walks an editor's cursor, the hidden editor's fields need
// not follow each row the walk visits; they show where the cursor stands
// once the walk is over.
class QuietEditor {
public:
    explicit QuietEditor(TableEditor& editor);
    ~QuietEditor();
    QuietEditor(const QuietEditor&) = delete;
    QuietEditor& operator=(const QuietEditor&) = delete;

private:
    TableEditor& editor_;
};

class frmForm2 : public ToolsEditor {
    Q_OBJECT
public:
    frmForm2(KovrApp& app, Database* database);
};

class frmForm5 : public ToolsEditor {
    Q_OBJECT
public:
    frmForm5(KovrApp& app, Database* database);
};
