#include "datas.h"
#include "login.h"
#include "main_window.h"
#include "mapprogram.h"
#include "pointbuttons.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

// hana (userID 2) has three points: かぶと虫 with a second record at its
// place, a point whose photo is missing, and はっぱ. taro (3) has one.
void hanasMap(Fixture& f)
{
    f.addUser("はな", 2, "背景\\park.bmp");
    f.addUser("たろう", 3, "背景\\park.bmp");
    f.writePicture("背景/park.bmp", Qt::darkGreen);
    f.writePicture("写真/glay.bmp", Qt::gray, 320, 240);
    f.addFind({"かぶと虫", 2, 100, 200, "写真\\glay.bmp", 2, 0});
    f.addFind({"つぎの記録", 1, {}, {}, "写真\\glay.bmp", 0, 1});
    f.addFind({"", 2, 300, 100, "D:\\なくなった.jpg"});
    f.addFind({"ザリガニ", 3, 50, 50, "写真\\glay.bmp"});
    f.addFind({"はっぱ", 2, 600, 400, "写真\\glay.bmp"});
}

QVariantList position(const Fixture& f, int indexs)
{
    return f.query(QStringLiteral("SELECT xz, yz FROM data WHERE indexs = '%1'").arg(indexs));
}

}  // namespace

class TestMapWindow : public QObject {
    Q_OBJECT

    struct Opened {
        Fixture f;
        MapProgram p{f};
        Opened()
        {
            hanasMap(f);
            p.start();
            p.choose("はな");
        }
    };

private slots:
    void rightClickOnTheMapMakesAPoint()
    {
        Opened o;
        Main& map = o.p.map();
        o.p.clickMap(Qt::RightButton, {400, 300});
        QCOMPARE(map.lastMapClick(), QPointF(400, 300));
        QVERIFY(map.pntcrl->isVisible());
        QVERIFY(!map.pntcrl2->isVisible());
        MapProgram::chooseFromMenu(map.pntcrl, map.pntcrl_new);

        QCOMPARE(o.f.query("SELECT object, comment, indexs, xz, yz, photo, userID FROM data WHERE rowid = 6"),
                 (QVariantList{"", " ", "6", 384.0, 284.0, "C:\\Program Files\\ワンデロ\\写真\\glay.bmp", 2}));
        QPushButton* button = map.Command1().widget(5);
        QVERIFY(button->isVisible());
        QCOMPARE(button->pos(), QPoint(384, 284));
        QCOMPARE(button->toolTip(), QStringLiteral(" ? "));
        QVERIFY(!o.p.session.datas().isVisible());  // the child opens it with a click
    }

    void rightClickBeforeTheMapIsReadyIsPractice()
    {
        Opened o;
        o.p.session.setMapReady(false);
        o.p.clickMap(Qt::RightButton, {400, 300});
        QVERIFY(!o.p.map().pntcrl->isVisible());
        QCOMPARE(o.p.dialogs.asked.size(), 1);
        QCOMPARE(o.p.dialogs.asked[0].text, QStringLiteral("そうそう！それが右クリック！"));
        QCOMPARE(o.p.dialogs.asked[0].title, QStringLiteral("あたり"));
        QCOMPARE(o.p.dialogs.asked[0].icon, Dialogs::Icon::None);
    }

    void rightClickOnAPointSelectsIt()
    {
        Opened o;
        Main& map = o.p.map();
        o.p.clickPoint(4, Qt::RightButton);
        QCOMPARE(map.selectedPoint(), 4);
        QVERIFY(map.pntcrl2->isVisible());
        QVERIFY(!map.pntcrl->isVisible());     // not taken for a click on the map
        QCOMPARE(map.lastMapClick(), QPointF(0, 0));
        QVERIFY(!o.p.session.datas().isVisible());
    }

    void deletingAPoint()
    {
        Opened o;
        Main& map = o.p.map();
        o.p.clickPoint(4, Qt::RightButton);
        o.p.dialogs.answer(Dialogs::Answer::Cancel);
        MapProgram::chooseFromMenu(map.pntcrl2, map.pntcrl_del);
        QCOMPARE(o.p.dialogs.asked.last().text, QStringLiteral("このポイントを削除しますか？"));
        QCOMPARE(o.p.dialogs.asked.last().title, QStringLiteral("注意！"));
        QCOMPARE(o.p.dialogs.asked.last().buttons, Dialogs::Buttons::OkCancel);
        QCOMPARE(o.f.single("SELECT userID FROM data WHERE indexs = '5'").toInt(), 2);

        o.p.clickPoint(4, Qt::RightButton);
        o.p.dialogs.answer(Dialogs::Answer::Ok);
        MapProgram::chooseFromMenu(map.pntcrl2, map.pntcrl_del);
        QCOMPARE(o.f.query("SELECT object, comment, userID, xz FROM data WHERE indexs = '5'"),
                 (QVariantList{"", " ", 0, 600.0}));
        QVERIFY(!map.Command1().widget(4)->isVisible());
        QCOMPARE(map.Command1().widget(4)->toolTip(), QStringLiteral(" ? "));

        // The next new point takes the freed row and its button.
        o.p.clickMap(Qt::RightButton, {200, 200});
        MapProgram::chooseFromMenu(map.pntcrl, map.pntcrl_new);
        QCOMPARE(o.f.query("SELECT indexs, userID, xz FROM data WHERE rowid = 5"), (QVariantList{"5", 2, 184.0}));
        QVERIFY(map.Command1().widget(4)->isVisible());
    }

    // Right click, "ボタンを移動", press on the button, release 40 map units
    // to the right on the empty map.
    void movingAPointFortyToTheRight()
    {
        Opened o;
        Main& map = o.p.map();
        o.p.clickPoint(2, Qt::RightButton);
        MapProgram::chooseFromMenu(map.pntcrl2, map.move_btn);
        QVERIFY(map.movingMode());
        QVERIFY(map.Command1().at(2).moving);  // the unlit bulb

        o.p.pressPoint(2, Qt::LeftButton, {10, 10});
        o.p.releaseOnMap(Qt::LeftButton, {350, 110});
        QCOMPARE(position(o.f, 3), (QVariantList{340.0, 100.0}));
        QCOMPARE(map.Command1().widget(2)->pos(), QPoint(340, 100));
        QVERIFY(!map.Command1().at(2).moving);
        QVERIFY(!map.movingMode());
        QVERIFY(!o.p.session.datas().isVisible());  // the drop opened nothing

        o.p.dialogs.answer(Dialogs::Answer::No);  // its photo is missing
        o.p.clickPoint(2, Qt::LeftButton);
        QVERIFY(o.p.session.datas().isVisible());
    }

    void pressAndReleaseInMovingModeWithoutMoving()
    {
        Opened o;
        Main& map = o.p.map();
        o.f.sql("UPDATE data SET xz = 7 WHERE indexs = '1'");  // shows the row is written again
        o.p.clickPoint(0, Qt::RightButton);
        MapProgram::chooseFromMenu(map.pntcrl2, map.move_btn);
        o.p.pressPoint(0, Qt::LeftButton, {12, 20});
        o.p.releaseOnMap(Qt::LeftButton, {112, 220});  // the same place, on the button itself
        QCOMPARE(position(o.f, 1), (QVariantList{100.0, 200.0}));
        QVERIFY(!map.movingMode());
    }

    void aRightPressDragsInMovingMode()
    {
        Opened o;
        Main& map = o.p.map();
        o.p.clickPoint(0, Qt::RightButton);
        MapProgram::chooseFromMenu(map.pntcrl2, map.move_btn);
        o.p.pressPoint(4, Qt::RightButton, {5, 5});  // another point's button
        o.p.releaseOnMap(Qt::RightButton, {505, 305});
        QCOMPARE(position(o.f, 1), (QVariantList{500.0, 300.0}));  // the selected point moved
        QVERIFY(!map.pntcrl2->isVisible());
        QVERIFY(!map.pntcrl->isVisible());
    }

    // Without the data cursor (it could not be opened) a moved point goes
    // back where it was, with the engine's message, and the program goes on.
    void aMoveWithoutTheDataCursorPutsThePointBack()
    {
        Opened o;
        Main& map = o.p.map();
        o.p.clickPoint(0, Qt::RightButton);
        MapProgram::chooseFromMenu(map.pntcrl2, map.move_btn);
        o.p.session.mapData().closeData();
        o.p.pressPoint(0, Qt::LeftButton, {5, 5});
        o.p.releaseOnMap(Qt::LeftButton, {305, 305});
        QCOMPARE(map.Command1().widget(0)->pos(), QPoint(100, 200));
        QCOMPARE(o.p.dialogs.messages(), QStringList{QStringLiteral("データベースが開いていません。")});
        QCOMPARE(position(o.f, 1), (QVariantList{100.0, 200.0}));
    }

    void aDragReleasedOutsideTheMapKeepsMovingMode()
    {
        Opened o;
        Main& map = o.p.map();
        o.p.clickPoint(0, Qt::RightButton);
        MapProgram::chooseFromMenu(map.pntcrl2, map.move_btn);
        o.p.pressPoint(0, Qt::LeftButton, {5, 5});
        o.p.releaseOnMap(Qt::LeftButton, {100, -10});  // on the menu bar
        QCOMPARE(position(o.f, 1), (QVariantList{100.0, 200.0}));
        QVERIFY(map.movingMode());
    }

    void leftClickOpensTheRecords()
    {
        Opened o;
        o.p.clickPoint(0, Qt::LeftButton);
        Datas& records = o.p.session.datas();
        QVERIFY(records.isVisible());
        QVERIFY(records.isModal());
        QCOMPARE(records.Text1->text(), QStringLiteral("かぶと虫"));
        QVERIFY(records.Image3->isVisibleTo(&records));  // a second record follows
        QVERIFY(!records.Image1->pixmap().isNull());
        QVERIFY(o.p.dialogs.asked.isEmpty());
    }

    void aMissingPhoto_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("stored");
        const QString placeholder = "C:\\Program Files\\ワンデロ\\写真\\glay.bmp";
        QTest::newRow("No stores the placeholder") << "no" << placeholder;
        QTest::newRow("Cancel in the search does too") << "cancel" << placeholder;
        QTest::newRow("a chosen picture is stored") << "choose" << "";
    }
    void aMissingPhoto()
    {
        QFETCH(QString, answer);
        QFETCH(QString, stored);
        Opened o;
        const QString chosen = o.f.writePicture("どこか/はな.jpg", Qt::yellow, 64, 48);
        if (stored.isEmpty())
            stored = QStringLiteral("C:\\Program Files\\ワンデロ\\どこか\\はな.jpg");
        o.p.dialogs.answer(answer == "no" ? Dialogs::Answer::No : Dialogs::Answer::Yes);
        if (answer != "no")
            o.p.dialogs.choose(answer == "cancel" ? QString() : chosen);
        o.p.clickPoint(2, Qt::LeftButton);
        QCOMPARE(o.p.dialogs.asked[0].text, QStringLiteral("D:\\なくなった.jpgが見つかりません。探しますか？"));
        QCOMPARE(o.p.dialogs.asked[0].buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(o.f.single("SELECT photo FROM data WHERE indexs = '3'").toString(), stored);
        Datas& records = o.p.session.datas();
        QVERIFY(records.isVisible());
        QVERIFY(!records.Image1->pixmap().isNull());
        QVERIFY(!records.Image3->isVisibleTo(&records));
    }

    void logoutAndInAsAnotherUser()
    {
        Opened o;
        Main* first = &o.p.map();
        QVERIFY(first->Command1().widget(0)->isVisible());
        first->logout->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(o.p.session.login().isVisible());
        QCOMPARE(o.p.listed(), (QStringList{"はな", "たろう"}));
        o.p.choose("たろう");
        Main& map = o.p.map();
        QCOMPARE(map.windowTitle(), QStringLiteral("たろうのマップ"));
        int visible = 0;
        for (int i = 0; i < map.Command1().upperBound(); ++i)
            visible += map.Command1().at(i).visible;
        QCOMPARE(visible, 1);
        QVERIFY(map.Command1().at(3).visible);
        QVERIFY(!o.p.ended);
    }

    // The cursors live as long as their holders: logout closes both, the
    // new login window opens the users again, the next map the records.
    void theCursorsLiveWithTheirHolders()
    {
        Opened o;
        const MapData& data = o.p.session.mapData();
        QVERIFY(data.userdataOpen() && data.dataOpen());
        o.p.map().logout->trigger();
        QVERIFY(!o.p.session.hasDatas() && !data.dataOpen());
        QVERIFY(o.p.session.hasUserHolder() && data.userdataOpen());
        o.p.choose("たろう");
        QVERIFY(o.p.session.hasDatas() && data.dataOpen());
        QCOMPARE(o.p.session.data().recordCount(), 5);
        o.p.map().close();
        QVERIFY(o.p.ended);
        QVERIFY(!data.userdataOpen() && !data.dataOpen());
        QVERIFY_THROWS_EXCEPTION(DbError, o.p.session.data());
    }

    void quitFromTheMenu()
    {
        Opened o;
        o.p.map().file_end->trigger();
        QVERIFY(o.p.ended);
        QVERIFY(o.p.session.hasLogin());  // nothing of the close box ran
    }
};

QTEST_MAIN(TestMapWindow)
#include "test_map_window.moc"
