#include "admin.h"
#include "inputname.h"
#include "login.h"
#include "main_window.h"
#include "mapprogram.h"
#include "pointbuttons.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <QToolTip>

namespace {

struct Registering {
    Fixture f;
    MapProgram p{f};
    explicit Registering(const QList<int>& ids = {}, int dataRows = 0)
    {
        for (int id : ids)
            f.addUser(QStringLiteral("u%1").arg(id), id, "背景\\park.bmp");
        for (int i = 0; i < dataRows; ++i)
            f.addFind({"", 3, 10, 10});
        p.start();
        p.session.login().Command1->click();
    }
    InputName& entry() { return p.session.inputName(); }
    // Japanese arrives from the desktop's input method as a committed text.
    void type(const QString& name)
    {
        entry().Text1->clear();
        // The child types into the field that has the focus.
        entry().activateWindow();
        if (!QTest::qWaitForWindowActive(&entry()))
            qWarning("the name entry did not become active");
        entry().Text1->setFocus();
        QInputMethodEvent typed;
        typed.setCommitString(name);
        QCoreApplication::sendEvent(entry().Text1, &typed);
    }
    void ok() { entry().Command1->click(); }
};

}  // namespace

class TestRegistration : public QObject {
    Q_OBJECT
private slots:
    void theWindow()
    {
        Registering r;
        InputName& entry = r.entry();
        QVERIFY(entry.isVisible());
        QCOMPARE(entry.windowTitle(), QStringLiteral("名前の入力"));
        // Owned by the login window, and opened over it.
        Login& login = r.p.session.login();
        QCOMPARE(entry.windowHandle()->transientParent(), login.windowHandle());
        QVERIFY((entry.frameGeometry().center() - login.frameGeometry().center()).manhattanLength() < 4);
        QVERIFY(!entry.Command1->isEnabled());
        r.type("は");
        QVERIFY(entry.Command1->isEnabled());
        entry.Text1->clear();
        QVERIFY(!entry.Command1->isEnabled());
        // A name longer than Name's width is cut, and the field says so.
        QToolTip::hideText();
        r.type(QString(26, u'あ'));
        QCOMPARE(entry.Text1->text(), QString(20, u'あ'));
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("ここには20文字までです"));
        entry.Command2->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!r.p.session.hasInputName());
        QVERIFY(r.p.session.login().isVisible());
        QCOMPARE(r.f.single("SELECT count(*) FROM userdata").toInt(), 0);
    }

    void newUserIDs_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<int>("expected");
        QTest::newRow("2, 3, 7") << QList<int>{2, 3, 7} << 8;
        QTest::newRow("2, 7, 3") << QList<int>{2, 7, 3} << 4;
        QTest::newRow("the first user") << QList<int>{} << 2;
    }
    void newUserIDs()
    {
        QFETCH(QList<int>, ids);
        QFETCH(int, expected);
        Registering r(ids, 3);
        r.type("はなこ");
        r.ok();
        QCOMPARE(r.f.query("SELECT Name, userID, BackGnd FROM userdata WHERE Name = 'はなこ'"),
                 (QVariantList{"はなこ", expected, "背景\\default.bmp"}));
        QCOMPARE(int(r.p.session.currentUserID()), expected);
        QCOMPARE(r.p.session.currentUserName(), QStringLiteral("はなこ"));

        Main& map = r.p.map();
        QCOMPARE(map.windowTitle(), QStringLiteral("はなこのマップ"));
        QVERIFY(map.showsInstructionPicture());
        QVERIFY(!r.p.session.mapReady());
        QVERIFY(!r.p.session.hasLogin());
        QCOMPARE(map.Command1().upperBound(), 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY(!map.Command1().at(i).visible);
        // The exports find the new user where the userdata cursor rests.
        QCOMPARE(r.p.session.userdata().text("Name"), QStringLiteral("はなこ"));

        // The instruction picture asks for a right click: practice.
        r.p.clickMap(Qt::RightButton, {400, 300});
        QCOMPARE(r.p.dialogs.messages().last(), QStringLiteral("そうそう！それが右クリック！"));
    }

    void namesThatAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("already used") << "u2" << "その名前はすでに使われています";
        QTest::newRow("only blanks") << "　 " << "その名前は使えません。";
        QTest::newRow("a slash") << "はな/こ" << "その名前は使えません。";
        QTest::newRow("dot dot") << ".." << "その名前は使えません。";
    }
    void namesThatAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        Registering r({2});
        r.type(name);
        r.ok();
        QVERIFY(r.p.dialogs.messages().last().startsWith(message));
        QCOMPARE(r.p.dialogs.asked.last().title, QStringLiteral("注意！"));
        QCOMPARE(r.p.dialogs.asked.last().icon, Dialogs::Icon::Critical);
        QVERIFY(r.entry().isVisible());
        QVERIFY(r.entry().Text1->text().isEmpty());
        QVERIFY(!r.entry().Command1->isEnabled());
        QCOMPARE(r.f.single("SELECT count(*) FROM userdata").toInt(), 1);
    }

    // Another computer registered a child since this program started: its
    // name is taken and its userID is not handed out again.
    void aUserRegisteredElsewhereMeanwhileCounts()
    {
        Registering r({2});
        r.f.addUser("はな", 3);
        r.type("はな");
        r.ok();
        QCOMPARE(r.p.dialogs.messages().last(), QStringLiteral("その名前はすでに使われています"));
        r.type("ゆい");
        r.ok();
        QCOMPARE(r.f.query("SELECT Name, userID FROM userdata"), (QVariantList{"u2", 2, "はな", 3, "ゆい", 4}));
    }

    void aNameDifferingInLetterCaseIsNew()
    {
        Registering r;
        r.f.addUser("Hana", 2);
        r.type("hana");
        r.ok();
        QCOMPARE(r.f.single("SELECT count(*) FROM userdata").toInt(), 2);
    }

    void afterLogoutTheNewUserIsListed()
    {
        Registering r({2, 3});
        r.type("ゆうき");
        r.ok();
        r.p.map().logout->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(r.p.session.login().isVisible());
        QCOMPARE(r.p.listed(), (QStringList{"u2", "u3", "ゆうき"}));
        QVERIFY(r.p.session.mapReady() == false);
    }
};

QTEST_MAIN(TestRegistration)
#include "test_registration.moc"
