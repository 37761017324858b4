#include "form10.h"

#include "backup.h"
#include "dialogs.h"
#include "fonts.h"
#include "form5.h"
#include "kovrapp.h"
#include "mousepointer.h"
#include "update.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

Form10::Form10(KovrApp& app)
    : ToolsWindow(app, QStringLiteral("DatabaseUpdateTool"), 500, 260,
                  [] { return QStringLiteral("データベース更新ツール"); })
{
    QWidget* w = client();
    Picture1 = place(new QLabel(w), 16, 12, 80, 80);
    Picture1->setPixmap(QPixmap(QStringLiteral(":/art/update_logo.png")));
    Picture1->setScaledContents(true);
    Label1 = place(new QLabel(QStringLiteral("Database Update Tool"), w), 112, 28, 380, 44);
    Label1->setFont(fonts::comicSans(22, true));
    Label1->setStyleSheet(QStringLiteral("color: #c0651a;"));
    Label2 = place(new QLabel(QStringLiteral("このコンピュータのwandelo.mdbをワンデロVer2.Xで使用できる形式に更新します"), w),
                   24, 110, 452, 48);
    Label2->setWordWrap(true);
    Command1 = place(new QPushButton(QStringLiteral("更　新"), w), 190, 170, 120, 34);
    Command3 = place(new QPushButton(QStringLiteral("<<　戻る"), w), 16, 214, 120, 32);
    Command2 = place(new QPushButton(QStringLiteral("完了"), w), 364, 214, 120, 32);
    connect(Command1, &QPushButton::clicked, this, &Form10::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form10::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form10::Command3_Click);
}

void Form10::Command1_Click()
{
    Cursor* data = app_.localData();
    if (!data)
        return;  // wandelo.mdb cannot be used; the reason was shown
    Dialogs& dialogs = app_.dialogs();
    const Installation& installation = app_.installation();
    mousePointer::busy();
    UpdateOutcome outcome;
    try {
        outcome = updateToVer2(*data, [&installation, data] {
            return backupDatabase(installation, data->database().path());
        });
    } catch (const DbError& e) {
        mousePointer::normal();
        app_.reportError(e);
        return;
    }
    mousePointer::normal();
    switch (outcome.result) {
    case UpdateResult::AlreadyUpdated:
        dialogs.message(this, alreadyUpdatedMessage);
        break;
    case UpdateResult::Refused:
        dialogs.message(this, outcome.reason);
        break;
    case UpdateResult::Updated:
        dialogs.message(this, updateCompletedMessage);
        break;
    }
}

void Form10::Command2_Click()
{
    app_.show(&app_.form5());
}

void Form10::Command3_Click()
{
    app_.show(&app_.form5());
}
