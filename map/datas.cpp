#include "datas.h"

#include "dialogs.h"
#include "fonts.h"
#include "session.h"
#include "tables.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

template <class W>
W* place(W* widget, int left, int top, int width, int height)
{
    widget->setGeometry(left, top, width, height);
    return widget;
}

}  // namespace

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
    Label2 = place(new QLabel(QStringLiteral("見つけた日"), this), 360, 72, 81, 17);
    Text2 = place(new QLineEdit(this), 360, 88, 33, 25);
    Text2->setFont(fonts::japaneseGothic(14.25));
    Combo1 = place(new QComboBox(this), 378, 88, 33, 20);
    Label3 = place(new QLabel(QStringLiteral("月"), this), 416, 88, 27, 21);
    Label3->setFont(fonts::japaneseGothic(14.25, true));
    Text3 = place(new QLineEdit(this), 456, 88, 33, 25);
    Text3->setFont(fonts::japaneseGothic(14.25));
    Combo2 = place(new QComboBox(this), 474, 88, 33, 20);
    Label4 = place(new QLabel(QStringLiteral("日"), this), 512, 88, 27, 21);
    Label4->setFont(fonts::japaneseGothic(14.25, true));
    Label5 = place(new QLabel(QStringLiteral("コメント"), this), 360, 128, 81, 17);
    Text4 = place(new QPlainTextEdit(this), 360, 144, 209, 89);
    Text4->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
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

    openCursor();
    Form_Load();
}

Datas::~Datas()
{
    delete Data1;  // before the database its cursor reads
}

void Datas::openCursor()
{
    try {
        database_ = Database::open(session_.installation().database());
        auto cursor = std::make_unique<Cursor>(*database_, tables::data, Cursor::Kind::Table);
        Data1 = new DataControl(std::move(cursor), session_.dialogs(), this);
    } catch (const DbError& e) {
        // This data control has no error handler: the engine's own text.
        session_.dialogs().message(this, e.text());
        database_.reset();
        return;
    }
    Data1->bind(Text1, tables::find::object);
    Data1->bind(Text2, tables::find::months);
    Data1->bind(Text3, tables::find::days);
    Data1->bind(Text4, tables::find::comment);
}

Cursor& Datas::recordset()
{
    return data().recordset();
}

DataControl& Datas::data()
{
    if (!Data1)
        throw DbError(dberr::cannotOpen, QStringLiteral("データベースが開いていません。"));
    return *Data1;
}

void Datas::Form_Load()
{
    for (int month = 1; month <= 12; ++month)
        Combo1->addItem(QString::number(month));
    for (int day = 1; day <= 31; ++day)
        Combo2->addItem(QString::number(day));
}
