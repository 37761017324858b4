#include "inputname.h"

#include "dialogs.h"
#include "fieldlimit.h"
#include "fonts.h"
#include "place.h"
#include "main_window.h"
#include "mousepointer.h"
#include "pointbuttons.h"
#include "session.h"
#include "userrules.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int nameWidth = 20;  // the width of userdata.Name

}  // namespace

InputName::InputName(Session& session) : QWidget(nullptr), session_(session)
{
    setWindowTitle(QStringLiteral("名前の入力"));
    setFixedSize(306, 117);
    setFont(fonts::standard());
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(grey);

    Label1 = place(new QLabel(QStringLiteral("あなたの名前を教えてね。"), this), 16, 16, 257, 33);
    Label1->setFont(fonts::japaneseGothic(15.75, true));
    Text1 = place(new QLineEdit(this), 16, 48, 185, 30);
    Text1->setFont(fonts::japaneseGothic(15.75));
    limitField(Text1, nameWidth);
    Command1 = place(new QPushButton(QStringLiteral("O K"), this), 216, 48, 73, 25);
    Command1->setEnabled(false);
    Command1->setDefault(true);
    Command2 = place(new QPushButton(QStringLiteral("キャンセル"), this), 216, 80, 73, 25);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);

    connect(Text1, &QLineEdit::textChanged, this, &InputName::Text1_Change);
    connect(Text1, &QLineEdit::returnPressed, this, [this] {
        if (Command1->isEnabled())
            Command1_Click();
    });
    connect(Command1, &QPushButton::clicked, this, &InputName::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &InputName::Command2_Click);
}

void InputName::Text1_Change()
{
    Command1->setEnabled(!Text1->text().isEmpty());
}

void InputName::Command2_Click()
{
    session_.destroyInputName();
}

void InputName::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Command2_Click();
}

void InputName::refuse(const QString& message)
{
    session_.dialogs().message(this, message, Dialogs::Buttons::Ok, Dialogs::Icon::Critical,
                               QStringLiteral("注意！"));
    Text1->clear();
    mousePointer::normal();
    Text1->setFocus();
}

void InputName::Command1_Click()
{
    const QString name = Text1->text();
    MapData& data = session_.mapData();
    if (!data.userdataOpen())
        return;
    userrules::Registration registration;
    try {
        registration = userrules::registerUser(data.userdata(), name);
    } catch (const DbError& e) {
        data.reportUserdataError(e);
        return;
    }
    if (registration.outcome != userrules::Registration::Outcome::Registered) {
        refuse(userrules::refusalMessage(registration.outcome));  // after the write lock is given back
        return;
    }
    session_.signIn(registration.id, name);

    mousePointer::busy();
    int rows = 0;
    try {
        session_.openData();
        rows = session_.data().recordCount();
    } catch (const DbError&) {
        // Already reported when the record window could not open the cursor.
    }
    Main& map = session_.map();  // created hidden, with its instruction picture
    for (int i = 1; i < rows; ++i)
        if (!map.Command1().exists(i))
            map.Command1().create(i);
    session_.destroyInputName();
    map.setWindowTitle(name + QStringLiteral("のマップ"));
    map.show();
    session_.destroyLogin();
    mousePointer::normal();
}
