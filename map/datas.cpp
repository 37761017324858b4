#include "datas.h"

#include "dialog.h"
#include "dialogs.h"
#include "fieldlimit.h"
#include "fonts.h"
#include "mapdata.h"
#include "paint.h"
#include "pictures.h"
#include "place.h"
#include "printable.h"
#include "rowrules.h"
#include "session.h"
#include "showmodal.h"
#include "tables.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

Datas::Datas(Session& session) : QWidget(nullptr), session_(session)
{
    setWindowTitle(QStringLiteral("データベース"));
    setFixedSize(587, 298);
    setFont(fonts::standard());

    Image1 = place(new QLabel(this), 16, 16, 320, 240);
    Image1->setFrameShape(QFrame::Box);
    Image1->setScaledContents(true);
    Label1 = place(new QLabel(QStringLiteral("見つけたもの"), this), 360, 16, 81, 17);
    Text1 = place(new QLineEdit(this), 360, 32, 201, 25);
    limitField(Text1, 50);  // the widths of object, months and days
    Label2 = place(new QLabel(QStringLiteral("見つけた日"), this), 360, 72, 81, 17);
    Text2 = place(new QLineEdit(this), 360, 88, 33, 25);
    limitField(Text2, 50);
    Text2->setFont(fonts::japaneseGothic(14.25));
    Combo1 = place(new QComboBox(this), 378, 88, 33, 20);
    Label3 = place(new QLabel(QStringLiteral("月"), this), 416, 88, 27, 21);
    Label3->setFont(fonts::japaneseGothic(14.25, true));
    Text3 = place(new QLineEdit(this), 456, 88, 33, 25);
    limitField(Text3, 50);
    Text3->setFont(fonts::japaneseGothic(14.25));
    Combo2 = place(new QComboBox(this), 474, 88, 33, 20);
    Label4 = place(new QLabel(QStringLiteral("日"), this), 512, 88, 27, 21);
    Label4->setFont(fonts::japaneseGothic(14.25, true));
    Label5 = place(new QLabel(QStringLiteral("コメント"), this), 360, 128, 81, 17);
    Text4 = place(new QPlainTextEdit(this), 360, 144, 209, 89);
    Text4->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the next control, as everywhere else in the window;
    // a child never means to store a tab character in a comment.
    Text4->setTabChangesFocus(true);
    // The month and day fields lie over their lists, which only show their
    // arrows beside the fields: the whole number stays readable.
    Text2->raise();
    Text3->raise();
    Command3 = place(new QPushButton(QStringLiteral("OK"), this), 424, 248, 81, 41);
    Command5 = place(new QPushButton(QStringLiteral("<<"), this), 372, 260, 33, 29);
    Command5->setEnabled(false);
    Command4 = place(new QPushButton(QStringLiteral(">>"), this), 524, 260, 29, 29);
    Image2 = place(new QLabel(this), 556, 256, 25, 25);
    Image2->setPixmap(QPixmap(QStringLiteral(":/art/bulb_unlit.png")));
    Image2->setScaledContents(true);
    Image3 = place(new QLabel(this), 556, 256, 25, 25);
    Image3->setPixmap(QPixmap(QStringLiteral(":/art/bulb_lit.png")));
    Image3->setScaledContents(true);
    Image3->hide();
    Command1 = place(new QPushButton(QStringLiteral("画像読み込み"), this), 16, 264, 97, 25);
    Command2 = place(new QPushButton(QStringLiteral("お絵かき"), this), 128, 264, 97, 25);
    Command6 = place(new QPushButton(QStringLiteral("データの印刷..."), this), 240, 264, 97, 25);

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Text4);
    setTabOrder(Text4, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Combo1);
    setTabOrder(Combo1, Combo2);
    setTabOrder(Combo2, Command4);
    setTabOrder(Command4, Command5);
    setTabOrder(Command5, Command6);

    connect(Combo1, &QComboBox::activated, this, &Datas::Combo1_Click);
    connect(Combo2, &QComboBox::activated, this, &Datas::Combo2_Click);
    connect(Command3, &QPushButton::clicked, this, &Datas::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Datas::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Datas::Command5_Click);
    connect(Command1, &QPushButton::clicked, this, &Datas::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Datas::Command2_Click);
    connect(Command6, &QPushButton::clicked, this, &Datas::Command6_Click);

    bindFields();
    Form_Load();
}

// Creating the record window opens the session's data cursor.
void Datas::bindFields()
{
    DataControl* Data1 = session_.mapData().openData(this);
    if (!Data1)
        return;
    Data1->bind(Text1, tables::find::object);
    Data1->bind(Text2, tables::find::months);
    Data1->bind(Text3, tables::find::days);
    Data1->bind(Text4, tables::find::comment);
}

void Datas::Form_Load()
{
    for (int month = 1; month <= 12; ++month)
        Combo1->addItem(QString::number(month));
    for (int day = 1; day <= 31; ++day)
        Combo2->addItem(QString::number(day));
    // The lists only pick a number into the field beside them; they never
    // show the record's value.
    Combo1->setCurrentIndex(-1);
    Combo2->setCurrentIndex(-1);
}

bool Datas::showPicture(const QString& stored)
{
    const std::optional<QImage> picture = loadPicture(session_.installation().resolve(stored));
    if (!picture) {
        clearPicture();
        return false;
    }
    Image1->setPixmap(QPixmap::fromImage(*picture));
    return true;
}

void Datas::clearPicture()
{
    Image1->clear();
}

void Datas::showModeless()
{
    hide();  // the modality of a shown window cannot change
    setWindowModality(Qt::NonModal);
    show();
    raise();
    activateWindow();
}

// The picture of the record the cursor has just moved to. A picture that
// cannot be loaded leaves the frame empty; the record is shown all the same.
void Datas::showRecordPicture()
{
    try {
        showPicture(session_.data().text(tables::find::photo));
    } catch (const DbError&) {
        clearPicture();
    }
}

void Datas::Combo1_Click(int index)
{
    DataControl::setEdited(Text2, QString::number(index + 1));
    Combo1->setCurrentIndex(-1);
}

void Datas::Combo2_Click(int index)
{
    DataControl::setEdited(Text3, QString::number(index + 1));
    Combo2->setCurrentIndex(-1);
}

void Datas::Command3_Click()
{
    try {
        session_.mapData().saveRecord();  // the map takes the point's tooltip from it
    } catch (const DbError& e) {
        // What the child typed stays in the window until it can be saved.
        session_.dialogs().message(this, e.text());
        return;
    }
    session_.rememberedMonth = Text2->text();
    session_.rememberedDay = Text3->text();
    Command5->setEnabled(false);
    Image3->hide();
    hide();
}

void Datas::Command4_Click()
{
    try {
        Cursor& record = session_.data();
        if (const std::optional<int> next = rows::nextInChain(record)) {
            rows::reachIndexs(record, *next);
            showRecordPicture();
            if (!rows::nextInChain(record))
                Image3->hide();
            Command5->setEnabled(true);
            return;
        }
    } catch (const DbError& e) {
        session_.dialogs().message(this, e.text());
        return;
    }
    const auto answer = session_.dialogs().message(this, QStringLiteral("同じ場所に別のデータを追加しますか"),
                                                   Dialogs::Buttons::YesNo, Dialogs::Icon::None);
    if (answer != Dialogs::Answer::Yes)
        return;
    try {
        rows::appendToChain(session_.data());
    } catch (const rows::TableFull&) {
        session_.dialogs().message(this, rows::tableFullMessage, Dialogs::Buttons::Ok,
                                   Dialogs::Icon::Exclamation, QStringLiteral("注意！"));
        return;
    } catch (const DbError& e) {
        session_.dialogs().message(this, e.text());
        return;
    }
    showRecordPicture();
    repaint();
    // Saved into the new record with the child's next save, like typing.
    DataControl::setEdited(Text2, session_.rememberedMonth);
    DataControl::setEdited(Text3, session_.rememberedDay);
    Command5->setEnabled(true);
}

void Datas::Command5_Click()
{
    try {
        Cursor& record = session_.data();
        const std::optional<int> previous = rows::previousInChain(record);
        if (!previous) {
            Command5->setEnabled(false);  // a link to no row: this is as far back as it goes
            return;
        }
        rows::reachIndexs(record, *previous);
        showRecordPicture();
        if (!rows::previousInChain(record))
            Command5->setEnabled(false);
        if (rows::nextInChain(record))
            Image3->show();
    } catch (const DbError& e) {
        session_.dialogs().message(this, e.text());
    }
}

void Datas::Command1_Click()
{
    hide();
    showModal(session_.chooser());
}

void Datas::Command2_Click()
{
    hide();
    showModal(session_.paint());
}

void Datas::Command6_Click()
{
    printRecord(session_, this);
}

// Closing from the title bar keeps what the child typed, as OK does.
void Datas::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (session_.mapData().dataOpen())
        Command3_Click();
    else
        hide();
}
