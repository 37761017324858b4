#include "datas.h"
#include "main_window.h"
#include "mapprogram.h"
#include "pointbuttons.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

// A place with three records (indexs 2, 4, 5), a lone point (indexs 1),
// another user's row and a free row in between.
void threeRecordsAtOnePlace(Fixture& f)
{
    f.addUser("はな", 2, "背景\\park.bmp");
    f.writePicture("背景/park.bmp");
    f.writePicture("写真/glay.bmp", Qt::gray, 320, 240);
    f.addFind({"ひとつだけ", 2, 10, 10, "写真\\glay.bmp"});
    f.addFind({"いちばん目", 2, 100, 100, "写真\\glay.bmp", 4, 0, "7", "1"});
    f.addFind({"", 0});
    f.addFind({"にばん目", 1, {}, {}, "写真\\glay.bmp", 5, 2, "7", "2"});
    f.addFind({"さんばん目", 1, {}, {}, "D:\\ない.jpg", 0, 4, "7", "3"});
}

struct Opened {
    Fixture f;
    MapProgram p{f};
    Datas* records = nullptr;
    // `damage`: SQL run on the rows before the program starts.
    explicit Opened(int point, const QString& damage = QString())
    {
        threeRecordsAtOnePlace(f);
        if (!damage.isEmpty())
            f.sql(damage);
        p.start();
        p.choose("はな");
        p.clickPoint(point, Qt::LeftButton);
        records = &p.session.datas();
    }
    QString state()
    {
        return records->Text1->text() + (records->Command5->isEnabled() ? " <<" : " --")
            + (records->Image3->isVisibleTo(records) ? " lit" : " dark");
    }
};

}  // namespace

class TestRecordWindow : public QObject {
    Q_OBJECT
private slots:
    void walkingAChainOfThreeBothWays()
    {
        Opened o(1);
        QCOMPARE(o.state(), QStringLiteral("いちばん目 -- lit"));
        o.records->Command4->click();
        QCOMPARE(o.state(), QStringLiteral("にばん目 << lit"));
        o.records->Command4->click();
        QCOMPARE(o.state(), QStringLiteral("さんばん目 << dark"));
        QVERIFY(o.records->Image1->pixmap().isNull());  // its picture is missing: an empty frame
        o.records->Command5->click();
        QCOMPARE(o.state(), QStringLiteral("にばん目 << lit"));
        QVERIFY(!o.records->Image1->pixmap().isNull());
        o.records->Command5->click();
        QCOMPARE(o.state(), QStringLiteral("いちばん目 -- lit"));
        QVERIFY(o.p.dialogs.asked.isEmpty());
    }

    void monthAndDayFieldsLieOverTheirListsAndTabLeavesTheComment()
    {
        Opened o(1);
        Datas& r = *o.records;
        // Where a field and its list overlap the field is on top; beside
        // the field the list's arrow shows.
        for (auto [field, list] : {std::pair{r.Text2, r.Combo1}, std::pair{r.Text3, r.Combo2}}) {
            const QRect overlap = field->geometry() & list->geometry();
            QVERIFY(!overlap.isEmpty());
            QWidget* top = r.childAt(overlap.center());
            QVERIFY(top == field || field->isAncestorOf(top));
            const QPoint arrow(list->geometry().right() - 2, list->geometry().center().y());
            QVERIFY(!field->geometry().contains(arrow));
            QWidget* atArrow = r.childAt(arrow);
            QVERIFY(atArrow == list || list->isAncestorOf(atArrow));
        }
        // Tab moves on from the comment and stores no tab.
        QVERIFY(QTest::qWaitForWindowActive(&r));
        r.Text4->setFocus();
        QTest::keyClick(r.Text4, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), r.Command1);
        QVERIFY(!r.Text4->toPlainText().contains(u'\t'));
    }

    void editsSurviveWalkingTheChain()
    {
        Opened o(1);
        typeInto(o.records->Text4, "木の下で見つけた");
        o.records->Command4->click();
        QCOMPARE(o.f.single("SELECT comment FROM data WHERE indexs = '2'").toString(),
                 QStringLiteral("木の下で見つけた"));
    }

    void aLonePoint()
    {
        Opened o(0);
        QCOMPARE(o.state(), QStringLiteral("ひとつだけ -- dark"));
        o.p.dialogs.answer(Dialogs::Answer::No);
        o.records->Command4->click();
        QCOMPARE(o.p.dialogs.asked.last().text, QStringLiteral("同じ場所に別のデータを追加しますか"));
        QCOMPARE(o.p.dialogs.asked.last().buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(o.f.single("SELECT count(*) FROM data").toInt(), 5);
        QCOMPARE(o.state(), QStringLiteral("ひとつだけ -- dark"));
    }

    void appendingAtTheTail()
    {
        Opened o(0);
        o.p.session.rememberedMonth = "8";
        o.p.session.rememberedDay = "15";
        o.p.dialogs.answer(Dialogs::Answer::Yes);
        o.records->Command4->click();
        QCOMPARE(o.f.query("SELECT object, months, days, comment, indexs, photo, childs, mother, userID "
                           "FROM data WHERE rowid = 6"),
                 (QVariantList{"", {}, {}, " ", "6", "写真\\glay.bmp", 0, 1, 1}));
        QCOMPARE(o.f.single("SELECT childs FROM data WHERE indexs = '1'").toInt(), 6);
        QCOMPARE(o.state(), QStringLiteral(" << dark"));
        QCOMPARE(o.records->Text2->text(), QStringLiteral("8"));
        QCOMPARE(o.records->Text3->text(), QStringLiteral("15"));
        QCOMPARE(o.records->Text4->toPlainText(), QStringLiteral(" "));
        QVERIFY(!o.records->Image1->pixmap().isNull());  // the placeholder
        QVERIFY(o.p.session.map().Command1().exists(5) == false);  // a chain record has no button

        o.records->Command3->click();  // the remembered month and day are saved into it
        QCOMPARE(o.f.query("SELECT months, days FROM data WHERE rowid = 6"), (QVariantList{"8", "15"}));
        QCOMPARE(o.p.session.map().Command1().widget(0)->toolTip(), QStringLiteral("ひとつだけ"));

        o.p.clickPoint(0, Qt::LeftButton);
        QCOMPARE(o.state(), QStringLiteral("ひとつだけ -- lit"));
        o.records->Command4->click();
        o.records->Command5->click();
        QCOMPARE(o.state(), QStringLiteral("ひとつだけ -- lit"));
    }

    // A data cursor that could not be opened (a file held busy, say): the
    // chain buttons say so instead of ending the program.
    void withoutItsCursorTheChainButtonsSaySo()
    {
        Opened o(1);
        o.p.session.mapData().closeData();
        o.records->Command4->click();
        o.records->Command5->setEnabled(true);
        o.records->Command5->click();
        QCOMPARE(o.p.dialogs.messages(), (QStringList{2, QStringLiteral("データベースが開いていません。")}));
        QVERIFY(o.records->isVisible());
    }

    void okSavesRemembersAndSetsTheTooltip()
    {
        Opened o(1);
        typeInto(o.records->Text1, "カブトムシ");
        o.records->Combo1->activated(11);  // the item "12"
        o.records->Combo2->activated(30);  // the item "31"
        QCOMPARE(o.records->Text2->text(), QStringLiteral("12"));
        o.records->Command3->click();
        QVERIFY(!o.records->isVisible());
        QCOMPARE(o.f.query("SELECT object, months, days FROM data WHERE indexs = '2'"),
                 (QVariantList{"カブトムシ", "12", "31"}));
        QCOMPARE(o.p.session.rememberedMonth, QStringLiteral("12"));
        QCOMPARE(o.p.session.rememberedDay, QStringLiteral("31"));
        QCOMPARE(o.p.session.map().Command1().widget(1)->toolTip(), QStringLiteral("カブトムシ"));
        QVERIFY(!o.records->Command5->isEnabled());
        QVERIFY(!o.records->Image3->isVisibleTo(o.records));
    }

    // A link to a row that is gone (removed with the edit tool) ends the
    // chain: ">>" offers to append, and the child's record still saves.
    void aLinkPastTheEndEndsTheChain()
    {
        Opened o(0, "UPDATE data SET childs = 40 WHERE indexs = '1'");
        QCOMPARE(o.state(), QStringLiteral("ひとつだけ -- dark"));
        o.p.dialogs.answer(Dialogs::Answer::No);
        o.records->Command4->click();
        QCOMPARE(o.p.dialogs.messages(), QStringList{"同じ場所に別のデータを追加しますか"});
        QCOMPARE(o.state(), QStringLiteral("ひとつだけ -- dark"));
        typeInto(o.records->Text1, "ちょうちょ");
        o.records->Command3->click();
        QVERIFY(!o.records->isVisible());
        QCOMPARE(o.p.dialogs.messages().size(), 1);
        QCOMPARE(o.f.single("SELECT object FROM data WHERE indexs = '1'").toString(), QStringLiteral("ちょうちょ"));

        // Appending there mends the link.
        o.p.clickPoint(0, Qt::LeftButton);
        o.p.dialogs.answer(Dialogs::Answer::Yes);
        o.records->Command4->click();
        QCOMPARE(o.f.single("SELECT childs FROM data WHERE indexs = '1'").toInt(), 6);
        QCOMPARE(o.p.dialogs.messages().size(), 2);
    }

    void aMotherPastTheEndIsAsFarBackAsItGoes()
    {
        Opened o(1, "UPDATE data SET mother = 99 WHERE indexs = '4'");
        o.records->Command4->click();
        QCOMPARE(o.state(), QStringLiteral("にばん目 << lit"));
        o.records->Command5->click();
        QCOMPARE(o.state(), QStringLiteral("にばん目 -- lit"));
        o.records->Command3->click();
        QVERIFY(o.p.dialogs.asked.isEmpty());
        QVERIFY(!o.records->isVisible());
    }

    void okOnAChainRecordOrAnEmptyObjectKeepsTheTooltip()
    {
        Opened o(1);
        o.records->Command4->click();
        typeInto(o.records->Text1, "かわった");
        o.records->Command3->click();
        QCOMPARE(o.p.session.map().Command1().widget(1)->toolTip(), QStringLiteral("いちばん目"));

        o.p.clickPoint(1, Qt::LeftButton);
        o.records->Text1->clear();
        o.records->Command3->click();
        QCOMPARE(o.p.session.map().Command1().widget(1)->toolTip(), QStringLiteral("いちばん目"));
        QCOMPARE(o.f.single("SELECT object FROM data WHERE indexs = '2'").toString(), QString());
    }

    void closingFromTheTitleBarKeepsWhatWasTyped()
    {
        Opened o(0);
        typeInto(o.records->Text1, "せみのぬけがら");
        o.records->close();
        QVERIFY(!o.records->isVisible());
        QCOMPARE(o.f.single("SELECT object FROM data WHERE indexs = '1'").toString(),
                 QStringLiteral("せみのぬけがら"));
    }

    // A save that fails keeps the window open with what the child typed.
    void aFailingSaveKeepsTheTyping()
    {
        Opened o(0);
        o.f.sql("CREATE TRIGGER refuse BEFORE UPDATE ON data BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        typeInto(o.records->Text1, "せみ");
        o.records->Command3->click();
        QVERIFY(o.records->isVisible());
        QCOMPARE(o.records->Text1->text(), QStringLiteral("せみ"));
        QCOMPARE(o.p.dialogs.messages().size(), 1);
        QCOMPARE(o.f.single("SELECT object FROM data WHERE indexs = '1'").toString(), QStringLiteral("ひとつだけ"));
    }
};

QTEST_MAIN(TestRecordWindow)
#include "test_record_window.moc"
