#include "editors.h"

#include "form5.h"
#include "form9.h"
#include "kovrapp.h"
#include "tables.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

ToolsEditor::ToolsEditor(KovrApp& app, Database* database, const QString& table,
                         const QString& caption, const QString& helpKeyword)
    : TableEditor(database, table, app.dialogs()), app_(app)
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

frmForm2::frmForm2(KovrApp& app, Database* database)
    : ToolsEditor(app, database, tables::userdata, QStringLiteral("DataEditTool (userdata)"),
                  QStringLiteral("ユーザを編集"))
{
}

frmForm5::frmForm5(KovrApp& app, Database* database)
    : ToolsEditor(app, database, tables::data, QStringLiteral("DataEditTool (data)"),
                  QStringLiteral("データを編集"))
{
}

QuietEditor::QuietEditor(TableEditor& editor) : editor_(editor)
{
    editor_.recordset().setObserver(nullptr);
}

QuietEditor::~QuietEditor()
{
    editor_.recordset().setObserver(&editor_.data());
    editor_.data().moved();
}
