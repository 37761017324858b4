#include "login.h"

#include "dialogs.h"
#include "fonts.h"
#include "place.h"
#include "inputname.h"
#include "int16.h"
#include "main_window.h"
#include "mousepointer.h"
#include "pictures.h"
#include "pointbuttons.h"
#include "rowrules.h"
#include "session.h"
#include "tables.h"
#include "userrules.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QWindow>
#include <optional>

namespace {

// Runs one step of a procedure that goes on after a failing step; the
// failure is only remembered.
template <class F>
void step(bool& failed, F&& f)
{
    try {
        f();
    } catch (const std::exception&) {
        failed = true;
    }
}

class PictureNotLoaded : public std::runtime_error {
public:
    PictureNotLoaded() : std::runtime_error("picture not loaded") {}
};

qint16 int16Of(const QVariant& value)
{
    const std::optional<qint16> number = toInt16(value);
    if (!number)
        throw std::invalid_argument("not a 16-bit number");
    return *number;
}

}  // namespace

Login::Login(Session& session) : QWidget(nullptr), session_(session)
{
    setWindowTitle(QStringLiteral("ログイン"));
    setFixedSize(350, 298);
    setFont(fonts::standard());
    background_ = QImage(QStringLiteral(":/art/login_back.png"));

    Picture2 = place(new QLabel(this), 20, 20, 64, 64);
    Picture2->setPixmap(QPixmap(QStringLiteral(":/art/login_pic2.png")));
    Picture1 = place(new QLabel(this), 16, 130, 160, 150);
    Picture1->setPixmap(QPixmap(QStringLiteral(":/art/login_pic1.png")));

    Combo1 = new QComboBox(this);
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    // Typed text never opens a map: no completer to finish a name (it
    // ignores letter case, so "hanako" would find "Hanako"), Enter in the
    // field is kept from the list, and leaving the field is no choice either
    // (the list would take a typed name that matches an entry as chosen).
    Combo1->setCompleter(nullptr);
    Combo1->installEventFilter(this);
    disconnect(Combo1->lineEdit(), &QLineEdit::editingFinished, Combo1, nullptr);
    Combo1->move(192, 32);
    Combo1->setFixedWidth(113);
    Label2 = place(new QLabel(QStringLiteral("つづきを作りたい人はここから自分の名前をえらんでね"), this),
                   192, 64, 153, 49);
    Label2->setFont(fonts::japaneseGothic(12));
    Label2->setWordWrap(true);
    Command1 = place(new QPushButton(QStringLiteral("新しく作る..."), this), 192, 136, 113, 33);
    Label1 = place(new QLabel(QStringLiteral("最初から作りたい人はここをクリック！"), this),
                   192, 184, 161, 41);
    Label1->setFont(fonts::japaneseGothic(12));
    Label1->setWordWrap(true);
    Command2 = place(new QPushButton(QStringLiteral("終了"), this), 280, 264, 57, 25);
    Label3 = place(new QLabel(QStringLiteral("Version 2 .1a"), this), 88, 96, 97, 25);
    Label3->setFont(fonts::arialBlack(9));

    setTabOrder(Combo1, Command1);
    setTabOrder(Command1, Command2);

    // Only choosing an entry (with the mouse or the list's own keys) opens
    // a map, the entry chosen and not the text in the field.
    connect(Combo1, &QComboBox::activated, this, [this](int index) {
        Combo1->setEditText(Combo1->itemText(index));
        Combo1_Click();
    });
    connect(Command1, &QPushButton::clicked, this, &Login::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Login::Command2_Click);

    Form_Load();
}

bool Login::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Combo1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

// The close box ends the program as "終了" does: without the login window
// nothing of the program would be left on the screen.
void Login::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!session_.ended())
        Command2_Click();
}

void Login::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), background_);
}

void Login::Form_Load()
{
    if (!session_.openUserdata()) {
        // Without the list of names the program cannot go on.
        session_.endProgram();
        return;
    }
    Cursor& users = session_.userdata();
    try {
        users.moveFirst();
        while (!users.eof()) {
            const QString name = users.text(tables::user::Name);
            if (!name.isEmpty())  // a row without a name cannot be chosen
                Combo1->addItem(name);
            users.moveNext();
        }
    } catch (const DbError& e) {
        session_.mapData().reportUserdataError(e);
    }
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(QStringLiteral("名前をえらぼう"));
    mousePointer::normal();
}

void Login::Combo1_Click()
{
    const QString chosen = Combo1->currentText();
    if (chosen.isEmpty())
        return;
    bool failed = false;
    QString background;
    std::optional<qint16> id;
    mousePointer::busy();
    step(failed, [&] {
        if (!userrules::findByName(session_.userdata(), chosen))
            throw std::runtime_error("no such user");
    });
    step(failed, [&] { id = int16Of(session_.userdata().value(tables::user::userID)); });
    // A user renamed or removed in the tools since the list was filled (or
    // a row that cannot be read) has no ID: opening the map under the last
    // one would show and write another child's points, or points of no one.
    if (!id) {
        mousePointer::normal();
        session_.dialogs().message(this, QStringLiteral("ユーザ「%1」が見つからないのでこのマップは開けません。").arg(chosen),
                                   Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
        return;
    }
    step(failed, [&] { background = session_.userdata().text(tables::user::BackGnd); });
    session_.signIn(*id, chosen);

    if (!showBackground(failed, background)) {
        mousePointer::normal();
        return;
    }

    Main& map = session_.map();
    PointButtons& buttons = map.Command1();
    int rows = 0;
    step(failed, [&] {
        session_.openData();
        rows = session_.data().recordCount();
    });
    for (int i = 0; i < rows; ++i) {
        if (!buttons.exists(i))  // button 0 always exists
            buttons.create(i);
    }
    step(failed, [&] {
        for (const rows::UserPoint& point :
             rows::pointsOfUser(session_.data(), session_.currentUserID())) {
            buttons.setToolTip(point.button, point.toolTip);
            if (point.top)
                buttons.setTop(point.button, *point.top);
            if (point.left)
                buttons.setLeft(point.button, *point.left);
            buttons.setVisible(point.button, true);
        }
    });

    map.setWindowTitle(session_.currentUserName() + QStringLiteral("のマップ"));
    map.show();
    session_.setMapReady(true);
    hide();
    mousePointer::normal();
}

// Puts the chosen user's background on the map (created hidden). When the
// user or the picture could not be read, offers to search for a picture
// and stores the one picked. False when the map cannot open.
bool Login::showBackground(bool failed, QString background)
{
    const auto loadBackground = [&] {
        const std::optional<QImage> picture = loadPicture(session_.installation().resolve(background));
        Main& map = session_.map();  // created hidden with its instruction picture
        if (!picture)
            throw PictureNotLoaded();
        map.setPicture(*picture);
    };
    step(failed, loadBackground);

    if (failed) {
        MapData& data = session_.mapData();
        Dialogs& dialogs = session_.dialogs();
        const auto answer = dialogs.message(this, background + QStringLiteral("が見つかりません。探しますか？"),
                                            Dialogs::Buttons::YesNo, Dialogs::Icon::None);
        std::optional<QString> picked;
        if (answer == Dialogs::Answer::Yes) {
            picked = dialogs.openFile(this, session_.installation().folder(), pictureFileFilters());
        }
        // Cancelling the search is the same as not searching.
        if (!picked) {
            dialogs.message(this, QStringLiteral("背景画像が見つからないのでこのマップは開けません。"),
                            Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
            return false;
        }
        bool ignored = false;
        step(ignored, [&] {
            Cursor& users = data.userdata();
            try {
                users.edit();
                users.setValue(tables::user::BackGnd, session_.installation().storedNameOfChoice(
                                                          *picked, tables::userdata, tables::user::BackGnd));
                users.update();
            } catch (const DbError& e) {
                users.cancelUpdate();
                data.reportUserdataError(e);  // a path too long for BackGnd, say
                throw;
            }
        });
        step(ignored, [&] { background = data.userdata().text(tables::user::BackGnd); });
        step(ignored, loadBackground);  // a second failure opens the map all the same
    }

    return true;
}

void Login::Command1_Click()
{
    InputName& entry = session_.inputName();
    entry.setWindowModality(Qt::ApplicationModal);
    // The login window owns it: it opens over it and the desktop keeps it
    // above it. Not as a child widget: registration destroys the login
    // window while the entry's own handler still runs.
    entry.winId();
    entry.windowHandle()->setTransientParent(windowHandle());
    QRect over = entry.frameGeometry();
    over.moveCenter(frameGeometry().center());
    entry.move(over.topLeft());
    entry.show();
    entry.Text1->setFocus();
}

void Login::Command2_Click()
{
    session_.endProgram();
}
