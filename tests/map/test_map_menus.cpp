// The map window's menu items that lead out of the map: the background,
// help and version window, and both exports.
#include "admin.h"
#include "datas.h"
#include "edit_html.h"
#include "inputname.h"
#include "login.h"
#include "main_window.h"
#include "mapprogram.h"
#include "pictureexport.h"
#include "version.h"

#include <QAction>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

struct Opened {
    Fixture f;
    MapProgram p{f};
    Opened()
    {
        f.addUser("はな", 2, "背景\\park.bmp");
        f.writePicture("背景/park.bmp", Qt::darkGreen);
        f.writePicture("写真/glay.bmp", Qt::gray, 320, 240);
        f.writePicture("HTML/parts/button.jpg", Qt::yellow, 33, 33);
        QDir(f.folder()).mkpath("KOVR/データ統合用画像");
        p.start();
    }
    void open()
    {
        p.choose("はな");
        p.map();
    }
    QString exportFolder() const { return f.folder() + "/KOVR/データ統合用画像/はな"; }
};

QColor shownAt(Main& map, QPoint at)
{
    return map.map()->picture().pixelColor(at);
}

}  // namespace

class TestMapMenus : public QObject {
    Q_OBJECT
private slots:
    void replacingTheBackground()
    {
        Opened o;
        o.open();
        Main& map = o.p.map();
        const QString chosen = o.f.writePicture("背景/default.bmp", Qt::blue);
        o.p.dialogs.choose("");  // Cancel: nothing changes
        map.file_load->trigger();
        QCOMPARE(o.p.dialogs.asked.last().kind, QStringLiteral("open"));
        QCOMPARE(o.p.dialogs.asked.last().folder, o.f.folder() + "/背景");
        QCOMPARE(o.p.dialogs.asked.last().filters.at(0).label, QStringLiteral("写真・ピクチャ(*.JPG;*.BMP)"));
        QCOMPARE(o.f.single("SELECT BackGnd FROM userdata"), QVariant("背景\\park.bmp"));

        o.p.dialogs.choose(chosen);
        map.file_load->trigger();
        QCOMPARE(o.f.single("SELECT BackGnd FROM userdata"), QVariant("C:\\Program Files\\ワンデロ\\背景\\default.bmp"));
        QCOMPARE(shownAt(map, {10, 10}), QColor(Qt::blue));

        // Not a picture: stored all the same, the map keeps its picture.
        const QString text = o.f.folder() + "/背景/memo.txt";
        QFile(text).open(QIODevice::WriteOnly);
        o.p.dialogs.choose(text);
        map.file_load->trigger();
        QCOMPARE(o.f.single("SELECT BackGnd FROM userdata"), QVariant("C:\\Program Files\\ワンデロ\\背景\\memo.txt"));
        QCOMPARE(shownAt(map, {10, 10}), QColor(Qt::blue));

        // Too long for BackGnd: said so, nothing stored.
        o.p.dialogs.choose("/" + QString(120, u'a') + ".bmp");
        map.file_load->trigger();
        QCOMPARE(o.f.single("SELECT BackGnd FROM userdata"), QVariant("C:\\Program Files\\ワンデロ\\背景\\memo.txt"));
        QVERIFY(o.p.dialogs.asked.last().text.startsWith(QStringLiteral("ﾃﾞｰﾀ ｺﾝﾄﾛｰﾙで次のｴﾗｰが発生しました :")));
    }

    void aNewUsersMapBecomesReady()
    {
        Opened o;
        o.p.session.login().Command1->click();
        InputName& entry = o.p.session.inputName();
        QInputMethodEvent typed;
        typed.setCommitString(QStringLiteral("ゆうき"));
        QCoreApplication::sendEvent(entry.Text1, &typed);
        entry.Command1->click();
        Main& map = o.p.map();
        QVERIFY(map.showsInstructionPicture());
        QVERIFY(!o.p.session.mapReady());

        const QString chosen = o.f.writePicture("背景/default.bmp", Qt::blue);
        o.p.dialogs.choose(chosen);
        map.file_load->trigger();
        QCOMPARE(o.f.single("SELECT BackGnd FROM userdata WHERE Name = 'ゆうき'"),
                 QVariant("C:\\Program Files\\ワンデロ\\背景\\default.bmp"));
        QVERIFY(!map.showsInstructionPicture());
        QVERIFY(o.p.session.mapReady());
        o.p.clickMap(Qt::RightButton, {400, 300});
        QVERIFY(map.pntcrl->isVisible());
    }

    void helpAndVersion()
    {
        Opened o;
        o.open();
        Main& map = o.p.map();
        map.go_help->trigger();
        QCOMPARE(o.p.dialogs.asked.last().kind, QStringLiteral("help"));
        QCOMPARE(o.p.dialogs.asked.last().folder, o.f.folder() + "/ヘルプ/ヘルプ.hlp");
        QCOMPARE(o.p.dialogs.asked.last().text, QString());

        map.hlp_ver->trigger();
        QPointer<Version> version = map.versionWindow();
        QVERIFY(version && version->isVisible());
        QVERIFY(version->isModal());
        QCOMPARE(version->size(), QSize(336, 271));
        QCOMPARE(version->Label1->text(), QStringLiteral("Version  2  .1a"));
        QCOMPARE(version->Label1->geometry(), QRect(216, 72, 121, 25));
        QCOMPARE(version->Label2->geometry(), QRect(25, 229, 109, 22));
        QTest::mouseClick(version->Label1, Qt::LeftButton);  // the labels keep their clicks
        QVERIFY(version);
        QTest::mouseClick(version, Qt::LeftButton, {}, QPoint(100, 150));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!version);
    }

    void theHtmlWindow()
    {
        Opened o;
        o.f.addFind({"かぶと虫", 2, 100, 200, "写真\\glay.bmp"});
        o.open();
        Main& map = o.p.map();
        map.html->trigger();
        edit_html* window = map.htmlWindow();
        QVERIFY(window && window->isVisible() && window->isModal());
        QCOMPARE(window->windowTitle(), QStringLiteral("HTMLに変換"));
        QCOMPARE(window->Text1->toPlainText(), QStringLiteral("index.html"));
        QCOMPARE(window->Text2->toPlainText(), QStringLiteral("page*.html"));
        window->Command1->click();
        QCOMPARE(o.p.dialogs.messages().last(), QStringLiteral("変換が完了しました"));
        QCOMPARE(o.p.dialogs.asked.last().title, QStringLiteral("ワンデロ"));
        QVERIFY(window->Text1->toPlainText().endsWith("page1.html\"><IMG src=\"button.jpg\" width=\"33\" "
                                                      "height=\"33\" border=\"0\"></A></DIV></BODY></HTML>"));
        QVERIFY(window->Text2->toPlainText().startsWith(
            "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\"><TITLE>かぶと虫</TITLE>"));
        QVERIFY(QFileInfo::exists(o.f.folder() + "/HTML/はな/page1.html"));
        window->Command3->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!map.htmlWindow());
    }

    void cancellingThePictureExportWritesNothing()
    {
        Opened o;
        o.f.addFind({"かぶと虫", 2, 100, 200, "写真\\glay.bmp"});
        o.open();
        o.p.dialogs.answer(Dialogs::Answer::Cancel);
        o.p.map().data_output->trigger();
        QCOMPARE(o.p.dialogs.asked.last().text,
                 QStringLiteral("このマップに使用されている画像をKOVR\\データ統合用画像フォルダに書き出します"));
        QCOMPARE(o.p.dialogs.asked.last().buttons, Dialogs::Buttons::OkCancel);
        QCOMPARE(o.p.dialogs.asked.size(), 1);
        QVERIFY(!QFileInfo::exists(o.exportFolder()));
    }

    void exportingPictures()
    {
        Opened o;
        o.f.writePicture("写真/A/Kabuto.JPG", Qt::red, 32, 32);
        o.f.writePicture("写真/B/kabuto.jpg", Qt::blue, 32, 32);
        o.f.writePicture("写真/Chain.bmp", Qt::cyan, 32, 32);
        o.f.writePicture("写真/loop.bmp", Qt::cyan, 32, 32);
        o.f.writePicture("写真/zari.bmp", Qt::cyan, 32, 32);
        o.f.addFind({"かぶと虫", 2, 100, 200, "写真\\A\\Kabuto.JPG", 2});
        o.f.addFind({"つぎ", 1, {}, {}, "写真\\Chain.bmp", 0, 1});           // the place's second record
        // A damaged link to another user's row: that row's picture stays.
        o.f.addFind({"かぶと虫2", 2, 10, 20, "C:\\Program Files\\ワンデロ\\写真\\B\\kabuto.jpg", 4});
        o.f.addFind({"ザリガニ", 3, 10, 20, "写真\\zari.bmp"});                // another user's
        o.f.addFind({"", 2, 10, 20, "写真\\glay.bmp", 7});
        o.f.addFind({"", 2, 10, 20, "写真\\なくなった.bmp", 99});              // a link out of the table
        o.f.addFind({"ループ", 1, {}, {}, "写真\\loop.bmp", 7, 5});           // a chain naming itself
        o.open();
        o.p.dialogs.answer(Dialogs::Answer::Ok);
        o.p.map().data_output->trigger();
        QCOMPARE(QDir(o.exportFolder()).entryList(QDir::Files, QDir::Name),
                 (QStringList{"chain.bmp", "glay.bmp", "kabuto.jpg", "loop.bmp"}));
        // The later one in table order wins.
        QCOMPARE(fileBytes(o.exportFolder() + "/kabuto.jpg"), fileBytes(o.f.folder() + "/写真/B/kabuto.jpg"));
        QCOMPARE(o.p.dialogs.messages().last(),
                 QStringLiteral("書き出しが完了しました\n\n次の画像は見つからなかったので、書き出していません:\n"
                                "写真\\なくなった.bmp"));
        QVERIFY(o.p.session.data().eof());
    }

    void aUserWithoutPointsAndARefusedName()
    {
        Fixture f;
        QDir(f.folder()).mkpath("KOVR/データ統合用画像");
        f.addFind({"ザリガニ", 3, 10, 20, "写真\\zari.bmp"});
        auto db = Database::open(f.database());
        Cursor data(*db, tables::data, Cursor::Kind::Table);
        pictureexport::Result result = pictureexport::run(f.installation(), "はな", 2, data);
        QCOMPARE(result.message, QStringLiteral("書き出しが完了しました"));
        QVERIFY(QDir(f.folder() + "/KOVR/データ統合用画像/はな").isEmpty());

        result = pictureexport::run(f.installation(), "..", 3, data);
        QVERIFY(!result.written);
        QCOMPARE(QDir(f.folder() + "/KOVR/データ統合用画像").entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"はな"});
    }
};

QTEST_MAIN(TestMapMenus)
#include "test_map_menus.moc"
