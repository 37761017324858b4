#include "form9.h"

#include "editors.h"
#include "fonts.h"
#include "form5.h"
#include "kovrapp.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

Form9::Form9(KovrApp& app)
    : ToolsWindow(app, QStringLiteral("DataEditTool"), 500, 300,
                  [] { return QStringLiteral("データベース編集ツール"); })
{
    QWidget* w = client();
    Picture1 = place(new QLabel(w), 16, 12, 80, 80);
    Picture1->setPixmap(QPixmap(QStringLiteral(":/art/edit_logo.png")));
    Picture1->setScaledContents(true);
    Label1 = place(new QLabel(QStringLiteral("Database Edit Tool"), w), 112, 28, 380, 44);
    Label1->setFont(fonts::comicSans(22, true));
    Label1->setStyleSheet(QStringLiteral("color: #3a8f3a;"));
    Frame1 = place(new QGroupBox(w), 16, 104, 468, 124);
    Option1 = place(new QRadioButton(QStringLiteral("ユーザを編集"), Frame1), 16, 18, 140, 28);
    Label2 = place(new QLabel(QStringLiteral("wandelo.mdbのuserdataテーブルを編集します"), Frame1), 160, 18, 300, 28);
    Option2 = place(new QRadioButton(QStringLiteral("データを編集"), Frame1), 16, 72, 140, 28);
    Label3 = place(new QLabel(QStringLiteral("wandelo.mdbのdataテーブルを編集します"), Frame1), 160, 72, 300, 28);
    Command2 = place(new QPushButton(QStringLiteral("<<　戻る"), w), 16, 250, 120, 32);
    Command1 = place(new QPushButton(QStringLiteral(">>　次へ"), w), 364, 250, 120, 32);
    Option1->setChecked(true);
    connect(Command1, &QPushButton::clicked, this, &Form9::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form9::Command2_Click);
}

void Form9::Command1_Click()
{
    // An editor without its table has nothing to show: the reason was
    // given, and the edit tool stays at its start.
    if (Option1->isChecked()) {
        if (app_.localUserdata())
            app_.show(&app_.editorOfUsers());
    } else {
        if (app_.localData())
            app_.show(&app_.editorOfData());
    }
}

void Form9::Command2_Click()
{
    app_.show(&app_.form5());
}
