#include "form5.h"

#include "dialogs.h"
#include "fonts.h"
#include "form10.h"
#include "form9.h"
#include "mergewizard.h"
#include "kovrapp.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

Form5::Form5(KovrApp& app)
    : ToolsWindow(app, QStringLiteral("WandeloDataBaseTools"), 520, 340, [] { return QString(); })
{
    QWidget* w = client();
    Picture1 = place(new QLabel(w), 16, 12, 96, 96);
    Picture1->setPixmap(QPixmap(QStringLiteral(":/art/kovr_logo.png")));
    Picture1->setScaledContents(true);
    Label1 = place(new QLabel(QStringLiteral("WandeloDataBaseTools"), w), 124, 20, 390, 44);
    Label1->setFont(fonts::comicSans(22, true));
    Label1->setStyleSheet(QStringLiteral("color: #2e6da4;"));
    Label2 = place(new QLabel(QStringLiteral("Version1.0.0"), w), 128, 70, 200, 20);

    Frame1 = place(new QGroupBox(w), 16, 120, 488, 150);
    Option1 = place(new QRadioButton(QStringLiteral("データベース編集ツール"), Frame1), 16, 14, 200, 28);
    Label3 = place(new QLabel(QStringLiteral("・wandelo.mdbのデータを編集します"), Frame1), 222, 14, 260, 28);
    Option3 = place(new QRadioButton(QStringLiteral("データベース統合ツール"), Frame1), 16, 60, 200, 28);
    Label4 = place(new QLabel(QStringLiteral("・DBに蓄積されたデータを統合します"), Frame1), 222, 60, 260, 28);
    Option5 = place(new QRadioButton(QStringLiteral("データベース更新ツール"), Frame1), 16, 106, 200, 28);
    Label5 = place(new QLabel(QStringLiteral("・Ver2.X用にデータベースを更新します"), Frame1), 222, 106, 260, 28);
    Command1 = place(new QPushButton(QStringLiteral(">>　次へ"), w), 384, 290, 120, 32);
    Option1->setChecked(true);

    connect(Option1, &QRadioButton::clicked, this, &Form5::Option1_Click);
    connect(Option3, &QRadioButton::clicked, this, &Form5::Option3_Click);
    connect(Option5, &QRadioButton::clicked, this, &Form5::Option5_Click);
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    Form_Load();
}

void Form5::Form_Load()
{
    toolChoice_ = 1;
}

void Form5::Option1_Click()
{
    toolChoice_ = 1;
}

void Form5::Option3_Click()
{
    toolChoice_ = 2;
}

void Form5::Option5_Click()
{
    toolChoice_ = 3;
}

void Form5::Command1_Click()
{
    switch (toolChoice_) {
    case 1:
        app_.show(&app_.form9());
        break;
    case 2:
        app_.show(&app_.form8());
        break;
    case 3:
        app_.show(&app_.form10());
        break;
    }
}
