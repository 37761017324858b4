#include "editors.h"

#include "form5.h"
#include "form9.h"
#include "kovrapp.h"
#include "tables.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

ToolsEditor::ToolsEditor(KovrApp& app, Cursor* cursor, const QString& table,
                         const QString& caption, const QString& helpKeyword)
    : TableEditor(cursor, table, app.dialogs()), app_(app)
{
    setWindowTitle(caption);
    menus = addCommonMenus(*this, app, [helpKeyword] { return helpKeyword; });
    cmdAdd->setText(QStringLiteral("追加"));
    cmdDelete->setText(QStringLiteral("削除"));
    cmdUpdate->setText(QStringLiteral("更新"));
    cmdClose->setText(QStringLiteral("完了"));
    Label1 = place(new QLabel(QStringLiteral("※データを変更したら「更新」ボタンをクリックしてください"), body()),
                   12, buttonsTop() - 26, 446, 20);
    Command1 = place(new QPushButton(QStringLiteral("<<　戻る"), body()), 364, buttonsTop(), 94, 27);
    connect(Command1, &QPushButton::clicked, this, &ToolsEditor::Command1_Click);
    followCursor(false);  // made hidden
}

// Back to the edit tool's start. A change typed but not saved is saved
// here as on any move of the data control; when the database refuses it
// the row stays pending and the editor stays.
void ToolsEditor::Command1_Click()
{
    if (!savePending())
        return;
    app_.show(&app_.form9());
}

void ToolsEditor::leave()
{
    app_.show(&app_.form5());
}

void ToolsEditor::closeEvent(QCloseEvent* event)
{
    event->accept();
    app_.endProgram();
}

// Shown and hidden by the program, not when the window system minimises
// and restores it: those keep the fields as they are.
void ToolsEditor::showEvent(QShowEvent* event)
{
    TableEditor::showEvent(event);
    if (!event->spontaneous())
        followCursor(true);
}

void ToolsEditor::hideEvent(QHideEvent* event)
{
    TableEditor::hideEvent(event);
    if (!event->spontaneous())
        followCursor(false);
}

// The editor leaves only with its change saved (the back and done buttons
// save first, ending the program saves too), so a hidden editor has nothing
// pending that a tool's move would have to take into a row.
void ToolsEditor::followCursor(bool follow)
{
    if (!isOpen() || follow == following_)
        return;
    following_ = follow;
    recordset().setObserver(follow ? &data() : nullptr);
    if (follow)
        data().moved();  // the row the cursor stands on now
}

frmForm2::frmForm2(KovrApp& app, Cursor* userdata)
    : ToolsEditor(app, userdata, tables::userdata, QStringLiteral("DataEditTool (userdata)"),
                  QStringLiteral("ユーザを編集"))
{
}

frmForm5::frmForm5(KovrApp& app, Cursor* data)
    : ToolsEditor(app, data, tables::data, QStringLiteral("DataEditTool (data)"),
                  QStringLiteral("データを編集"))
{
}
