#include "admin.h"
#include "fixture.h"
#include "login.h"
#include "main_window.h"
#include "pointbuttons.h"
#include "mapprogram.h"
#include "asotheruser.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

namespace {

// Ten rows of data, three of them hana's (userID 2).
void tenRowsThreeOfHana(Fixture& f)
{
    f.addUser("はな", 2, "背景\\park.bmp");
    f.addUser("たろう", 3, "背景\\park.bmp");
    f.writePicture("背景/park.bmp", Qt::darkGreen);
    f.addFind({"かぶと虫", 2, 100, 200});
    f.addFind({"", 3, 10, 10});
    f.addFind({"", 2, 300.5, 120});  // no object: " ? "
    f.addFind({"chain", 1});
    f.addFind({"", 0});
    f.addFind({"", 3, 40, 40});
    f.addFind({"", 3, 50, 50});
    f.addFind({"せみ", 2, 700, 500});
    f.addFind({"", 1});
    f.addFind({"", 3, 60, 60});
}

}  // namespace

class TestLogin : public QObject {
    Q_OBJECT
private slots:
    void listsTheUsersInTableOrder()
    {
        Fixture f;
        f.addUser("ゆうき", 5);
        f.addUser("", 6);  // a row without a name cannot be chosen
        f.addUser("Aiko", 2);
        MapProgram p(f);
        p.start();
        QCOMPARE(p.listed(), (QStringList{"ゆうき", "Aiko"}));
        Login& login = p.session.login();
        QCOMPARE(login.windowTitle(), QStringLiteral("ログイン"));
        QCOMPARE(login.Combo1->currentText(), QStringLiteral("名前をえらぼう"));
        QVERIFY(login.isVisible());
        QVERIFY(!p.session.mapReady());
        QCOMPARE(p.session.rememberedMonth, QString::number(QDate::currentDate().month()));
        QCOMPARE(p.session.rememberedDay, QString::number(QDate::currentDate().day()));
        QCOMPARE(p.session.chooserFolder, QStringLiteral("C:\\Program Files\\ワンデロ\\写真"));
    }

    void opensTheChosenMap()
    {
        Fixture f;
        tenRowsThreeOfHana(f);
        QDir::setCurrent(QDir::tempPath());  // the relative background is found all the same
        MapProgram p(f);
        p.start();
        p.choose("はな");

        QVERIFY(p.dialogs.asked.isEmpty());
        QVERIFY(p.session.hasMap());
        Main& map = p.session.map();
        QCOMPARE(map.windowTitle(), QStringLiteral("はなのマップ"));
        QVERIFY(map.isVisible());
        QVERIFY(!map.showsInstructionPicture());
        QCOMPARE(map.map()->picture().pixelColor(5, 5), QColor(Qt::darkGreen));
        QVERIFY(!p.session.login().isVisible());
        QVERIFY(p.session.mapReady());
        QCOMPARE(int(p.session.currentUserID()), 2);
        QCOMPARE(p.session.currentUserName(), QStringLiteral("はな"));

        PointButtons& buttons = map.Command1();
        for (int i = 0; i < 10; ++i)
            QVERIFY(buttons.exists(i));
        QVERIFY(!buttons.exists(10));
        struct Shown { int index; QPoint at; QString tip; };
        const QList<Shown> shown = {{0, {100, 200}, "かぶと虫"}, {2, {301, 120}, " ? "}, {7, {700, 500}, "せみ"}};
        int visible = 0;
        for (int i = 0; i < 10; ++i)
            visible += buttons.at(i).visible;
        QCOMPARE(visible, 3);
        for (const Shown& s : shown) {
            QPushButton* button = buttons.widget(s.index);
            QVERIFY(button->isVisible());
            QCOMPARE(button->pos(), s.at);
            QCOMPARE(button->size(), QSize(33, 33));
            QCOMPARE(button->toolTip(), s.tip);
        }
        // Only the shown buttons were given widgets.
        QCOMPARE(buttons.widgetCount(), 3);
    }

    // The list was filled when the login window opened; the teacher then
    // renamed or removed the child in the tools. The map must not open
    // under the ID of whoever signed in before (or under no one's).
    void aUserGoneSinceTheListWasFilledOpensNoMap_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("renamed") << "UPDATE userdata SET Name = 'じろう' WHERE Name = 'たろう'";
        QTest::newRow("removed") << "DELETE FROM userdata WHERE Name = 'たろう'";
    }
    void aUserGoneSinceTheListWasFilledOpensNoMap()
    {
        QFETCH(QString, change);
        Fixture f;
        tenRowsThreeOfHana(f);
        MapProgram p(f);
        p.start();
        p.choose("はな");
        p.session.map().logout->trigger();
        f.sql(change);
        {
            // As a registration tried meanwhile does: the users cursor
            // takes in the other program's writes.
            Cursor::WriteScope lookedAgain(p.session.userdata());
        }
        p.choose("たろう");

        QCOMPARE(p.dialogs.asked.size(), 1);
        QCOMPARE(p.dialogs.asked.at(0).text, QStringLiteral("ユーザ「たろう」が見つからないのでこのマップは開けません。"));
        QCOMPARE(p.dialogs.asked.at(0).icon, Dialogs::Icon::Critical);
        QVERIFY(!p.session.hasMap() || !p.session.map().isVisible());
        QVERIFY(p.session.login().isVisible());
        QVERIFY(!p.session.mapReady());
    }

    void emptyDataOpensTheBackgroundAlone()
    {
        Fixture f;
        f.addUser("はな", 2, "背景\\park.bmp");
        f.writePicture("背景/park.bmp");
        MapProgram p(f);
        p.start();
        p.choose("はな");
        QVERIFY(p.session.map().isVisible());
        QVERIFY(p.session.map().Command1().exists(0));
        QVERIFY(!p.session.map().Command1().exists(1));
        QVERIFY(!p.session.map().Command1().at(0).visible);
    }

    void aHeadRecordWithoutAPositionStaysAtButtonZerosPlace()
    {
        Fixture f;
        f.addUser("はな", 2, "背景\\park.bmp");
        f.writePicture("背景/park.bmp");
        f.addFind({"石", 2});
        MapProgram p(f);
        p.start();
        p.choose("はな");
        QPushButton* button = p.session.map().Command1().widget(0);
        QVERIFY(button->isVisible());
        QCOMPARE(button->pos(), QPoint(8, 560));
    }

    void missingBackground_data()
    {
        QTest::addColumn<QString>("answer");  // "no", "cancel", "picked", "unreadable"
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("instructionPicture");
        QTest::newRow("No refuses the map") << "no" << false << false;
        QTest::newRow("Cancel in the search refuses it too") << "cancel" << false << false;
        QTest::newRow("a picked picture opens the map") << "picked" << true << false;
        QTest::newRow("a picked file that is no picture") << "unreadable" << true << true;
    }
    void missingBackground()
    {
        QFETCH(QString, answer);
        QFETCH(bool, opens);
        QFETCH(bool, instructionPicture);
        Fixture f;
        f.addUser("はな", 2, "D:\\えほん\\もり.bmp");
        f.addFind({"かぶと虫", 2, 100, 200});
        const QString picked = answer == "picked" ? f.writePicture("どこか/もり.jpg", Qt::yellow)
                                                  : f.folder() + "/どこか/text.bmp";
        QDir().mkpath(f.folder() + "/どこか");
        if (answer == "unreadable") {
            QFile text(picked);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write("not a picture");
        }
        MapProgram p(f);
        p.start();
        p.dialogs.answer(answer == "no" ? Dialogs::Answer::No : Dialogs::Answer::Yes);
        if (answer != "no")
            p.dialogs.choose(answer == "cancel" ? QString() : picked);
        p.choose("はな");

        const auto& question = p.dialogs.asked.at(0);
        QCOMPARE(question.text, QStringLiteral("D:\\えほん\\もり.bmpが見つかりません。探しますか？"));
        QCOMPARE(question.buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(question.icon, Dialogs::Icon::None);
        QCOMPARE(question.title, QStringLiteral("ワンデロ"));
        const QVariant stored = f.single("SELECT BackGnd FROM userdata");
        if (!opens) {
            const auto& refusal = p.dialogs.asked.last();
            QCOMPARE(refusal.text, QStringLiteral("背景画像が見つからないのでこのマップは開けません。"));
            QCOMPARE(refusal.icon, Dialogs::Icon::Critical);
            QVERIFY(!p.session.map().isVisible());
            QVERIFY(p.session.login().isVisible());
            QVERIFY(!p.session.mapReady());
            QCOMPARE(stored.toString(), QStringLiteral("D:\\えほん\\もり.bmp"));
            return;
        }
        QCOMPARE(p.dialogs.asked.at(1).kind, QStringLiteral("open"));
        QCOMPARE(p.dialogs.asked.at(1).folder, f.folder());
        // Inside the installation folder: stored in its Windows form.
        QCOMPARE(stored.toString(), "C:\\Program Files\\ワンデロ\\どこか\\" + QFileInfo(picked).fileName());
        QVERIFY(p.session.map().isVisible());
        QCOMPARE(p.session.map().showsInstructionPicture(), instructionPicture);
        if (instructionPicture)
            QCOMPARE(p.session.map().map()->picture(), QImage(":/art/instruction.png"));
        QVERIFY(p.session.map().Command1().at(0).visible);
    }

    void badDatabaseEndsTheProgramAndKeepsTheFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("sql");
        QTest::newRow("not a database") << QByteArray(4096, 'x') << "";
        QTest::newRow("zero bytes") << QByteArray("") << "";
        QTest::newRow("table missing") << QByteArray() << "DROP TABLE userdata";
    }
    void badDatabaseEndsTheProgramAndKeepsTheFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, sql);
        Fixture f;
        if (!sql.isEmpty()) {
            f.sql(sql);
        } else {
            QFile file(f.database());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(content);
        }
        const QByteArray before = fileBytes(f.database());
        MapProgram p(f);
        p.start();
        QVERIFY(p.ended);
        QCOMPARE(p.dialogs.messages().size(), 1);
        QVERIFY(p.dialogs.messages().first().startsWith(QStringLiteral("ﾃﾞｰﾀ ｺﾝﾄﾛｰﾙで次のｴﾗｰが発生しました :")));
        QVERIFY(!p.session.login().isVisible());
        QCOMPARE(fileBytes(f.database()), before);
    }

    // Another program holding the file: the busy text (not "not a
    // database"), and the next start works once the lock is gone.
    void aLockedFileIsReportedBusyThenOpens()
    {
        Database::setBusyTimeout(50);
        Fixture f;
        tenRowsThreeOfHana(f);
        {
            FileLock lock(f.database());
            MapProgram p(f);
            p.start();
            QVERIFY(p.ended);
            QCOMPARE(p.dialogs.messages(), QStringList{dataControlErrorHeading + busyText});
        }
        MapProgram p(f);
        p.start();
        QVERIFY(!p.ended);
        QCOMPARE(p.listed(), (QStringList{"はな", "たろう"}));
        Database::setBusyTimeout(5000);
    }

    void quitAndTheCloseBoxEndTheProgram()
    {
        for (const bool closeBox : {false, true}) {
            Fixture f;
            f.addUser("はな", 2);
            MapProgram p(f);
            p.start();
            if (closeBox)
                p.session.login().close();
            else
                p.session.login().Command2->click();
            QVERIFY(p.ended);
        }
    }

    // "Hanako" and "hanako" are two children; only a name chosen from the
    // list opens a map, and it is that child's map.
    void typedTextOpensNoMap_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::newRow("a name in other letter case + Enter") << "hanako" << int(Qt::Key_Enter);
        QTest::newRow("a whole name + Return") << "Hanako" << int(Qt::Key_Return);
        QTest::newRow("a whole name + Tab") << "Hanako" << int(Qt::Key_Tab);
        QTest::newRow("the start of a name + Tab") << "Hana" << int(Qt::Key_Tab);
    }
    void typedTextOpensNoMap()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        Fixture f;
        f.addUser("Hanako", 3, "背景\\park.bmp");
        f.addUser("hanako", 8, "背景\\park.bmp");
        f.writePicture("背景/park.bmp");
        MapProgram p(f);
        p.start();
        Login& login = p.session.login();
        QVERIFY(QTest::qWaitForWindowActive(&login));
        login.Combo1->setFocus();
        login.Combo1->lineEdit()->selectAll();
        QTest::keyClicks(login.Combo1, typed);
        QCOMPARE(login.Combo1->currentText(), typed);  // nothing completed
        QTest::keyClick(login.Combo1, Qt::Key(key));
        QVERIFY(!p.session.hasMap());
        QVERIFY(login.isVisible());
        QVERIFY(p.dialogs.asked.isEmpty());
        if (key == Qt::Key_Tab)
            QCOMPARE(QApplication::focusWidget(), login.Command1);
    }

    void choosingFromTheListOpensTheChosenMap_data()
    {
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("mouse") << true;
        QTest::newRow("the list's keys") << false;
    }
    void choosingFromTheListOpensTheChosenMap()
    {
        QFETCH(bool, byMouse);
        Fixture f;
        f.addUser("Hanako", 3, "背景\\park.bmp");
        f.addUser("hanako", 8, "背景\\park.bmp");
        f.writePicture("背景/park.bmp");
        MapProgram p(f);
        p.start();
        Login& login = p.session.login();
        QVERIFY(QTest::qWaitForWindowActive(&login));
        QTest::keyClicks(login.Combo1, "Hana");  // typed first, then chosen
        login.Combo1->showPopup();
        QAbstractItemView* list = login.Combo1->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        const QModelIndex second = list->model()->index(1, 0);
        if (byMouse) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(second).center());
        } else {
            list->setCurrentIndex(second);
            QTest::keyClick(list, Qt::Key_Return);
        }
        QVERIFY(p.session.hasMap());
        QCOMPARE(int(p.session.currentUserID()), 8);
        QCOMPARE(p.session.map().windowTitle(), QStringLiteral("hanakoのマップ"));
        QVERIFY(!login.isVisible());
    }

    void closingTheMapEndsTheProgram()
    {
        Fixture f;
        tenRowsThreeOfHana(f);
        MapProgram p(f);
        p.start();
        p.choose("はな");
        p.session.map().close();
        QVERIFY(p.ended);
        QVERIFY(!p.session.hasLogin());
        QVERIFY(!p.session.hasUserHolder());
        QVERIFY(!p.session.hasDatas());
    }

    // In a shared folder the database may be another account's: this is
    // said at start, with what to do, and no login window opens. Run as an
    // ordinary account (root may write any file).
    void aDatabaseThatCannotBeWrittenIsReportedBeforeTheLogin()
    {
        Fixture f;
        tenRowsThreeOfHana(f);
        QVERIFY(QFile::setPermissions(f.database(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QVERIFY(QFile::setPermissions(f.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther));
        const QString seen = asOrdinaryUser([&] {
            MapProgram p(f);
            p.start();
            QString said;
            for (const auto& q : p.dialogs.asked)
                said += q.kind + u':' + q.text + u'\n';
            return QStringLiteral("ended=%1 login=%2\n").arg(p.ended).arg(p.session.hasLogin()) + said;
        });
        QVERIFY2(seen.startsWith("ended=1 login=0\nmessage:データベース「" + f.database() + "」に書き込めない"),
                 qPrintable(seen));
        QVERIFY2(seen.contains("先生へ"), qPrintable(seen));
        QCOMPARE(seen.count("message:"), 1);
    }
};

QTEST_MAIN(TestLogin)
#include "test_login.moc"
