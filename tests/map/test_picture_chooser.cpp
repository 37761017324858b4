// The picture chooser, opened from the record window with "画像読み込み".
#include "datas.h"
#include "dialog.h"
#include "mapprogram.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {

struct Choosing {
    Fixture f;
    MapProgram p{f};
    Datas* records = nullptr;
    QString elsewhere;  // another folder with a picture
    Choosing()
    {
        f.addUser("はな", 2, "背景\\park.bmp");
        f.writePicture("背景/park.bmp");
        f.writePicture("写真/glay.bmp", Qt::gray, 320, 240);
        f.writePicture("写真/ねこ.JPG", Qt::yellow, 64, 48);
        f.writePicture("写真/いぬ.Bmp", Qt::blue, 64, 48);
        f.writePicture("写真/はな.png", Qt::red, 64, 48);  // not offered
        QFile broken(f.folder() + "/写真/こわれた.bmp");
        broken.open(QIODevice::WriteOnly);
        broken.write("not a picture");
        broken.close();
        f.writePicture("えんそく/やま.jpg", Qt::green, 64, 48);
        elsewhere = f.folder() + "/えんそく";
        f.addFind({"かぶと虫", 2, 100, 100, "写真\\glay.bmp", 0, 0, "7", "21"});
        p.start();
        p.choose("はな");
        p.clickPoint(0, Qt::LeftButton);
        records = &p.session.datas();
    }
    dialog& open()
    {
        records->Command1->click();
        return shown();
    }
    dialog& shown()
    {
        dialog& chooser = p.session.chooser();
        if (!QTest::qWaitForWindowExposed(&chooser))
            qWarning("the chooser was not exposed");
        return chooser;
    }
    QString photoFolder() const { return f.installation().photoFolder(); }
    QString photo() const { return f.single("SELECT photo FROM data").toString(); }
};

}  // namespace

class TestPictureChooser : public QObject {
    Q_OBJECT
private slots:
    void opensOnThePhotoFolderWithItsPicturesInAnyCase()
    {
        Choosing t;
        dialog& chooser = t.open();
        QVERIFY(!t.records->isVisible());
        QCOMPARE(chooser.windowTitle(), QStringLiteral("開く"));
        QCOMPARE(chooser.size(), QSize(465, 192));
        QCOMPARE(chooser.folder(), t.photoFolder());
        QTRY_COMPARE(chooser.listedFiles(),
                     QStringList({"glay.bmp", "いぬ.Bmp", "こわれた.bmp", "ねこ.JPG"}));
        QVERIFY(!chooser.Command1->isEnabled());
        QVERIFY(chooser.Image1->pixmap().isNull());
        QVERIFY(!chooser.Drive1->currentText().isEmpty());
    }

    void aClickedPictureIsPreviewedAndLoadedByItsFullPath()
    {
        Choosing t;
        typeInto(t.records->Text1, "くわがた");  // typed before choosing
        dialog& chooser = t.open();
        QTRY_VERIFY(chooser.listedFiles().contains("ねこ.JPG"));
        chooser.clickFile("こわれた.bmp");
        QVERIFY(chooser.Image1->pixmap().isNull());
        QVERIFY(!chooser.Command1->isEnabled());
        chooser.clickFile("ねこ.JPG");
        QVERIFY(!chooser.Image1->pixmap().isNull());
        QVERIFY(chooser.Command1->isEnabled());
        const QString file = t.photoFolder() + "/ねこ.JPG";
        QCOMPARE(t.p.session.chosenPicturePath, file);
        chooser.Command1->click();
        QCOMPARE(t.photo(), QStringLiteral("C:\\Program Files\\ワンデロ\\写真\\ねこ.JPG"));
        QCOMPARE(t.f.single("SELECT object FROM data").toString(), QStringLiteral("くわがた"));
        QVERIFY(QFile::exists(file));  // not copied, not moved
        QVERIFY(!t.p.session.hasChooser());
        QVERIFY(t.records->isVisible());
        QCOMPARE(t.records->windowModality(), Qt::ApplicationModal);
        QCOMPARE(t.records->Image1->pixmap().toImage().pixel(5, 5), QColor(Qt::yellow).rgb());
        QVERIFY(t.p.dialogs.asked.isEmpty());
    }

    void theFolderOfAClickSurvivesACancel()
    {
        Choosing t;
        dialog& chooser = t.open();
        chooser.openFolder(t.elsewhere);
        QTRY_COMPARE(chooser.listedFiles(), QStringList({"やま.jpg"}));
        chooser.clickFile("やま.jpg");
        chooser.Command2->click();
        QVERIFY(t.records->isVisible());
        QCOMPARE(t.photo(), QStringLiteral("写真\\glay.bmp"));

        dialog& again = t.open();
        QCOMPARE(again.folder(), t.elsewhere);
        QVERIFY(!again.Command1->isEnabled());
        QVERIFY(again.Image1->pixmap().isNull());

        // デフォルトフォルダ starts over on the photo folder, and so does the
        // next opening; the record window stays hidden meanwhile.
        again.Command3->click();
        QCOMPARE(t.p.session.chooserFolder, QStringLiteral("C:\\Program Files\\ワンデロ\\写真"));
        dialog& restarted = t.shown();
        QVERIFY(&restarted != &again);
        QCOMPARE(restarted.folder(), t.photoFolder());
        QVERIFY(!restarted.Command1->isEnabled());
        QVERIFY(!t.records->isVisible());
        restarted.close();  // the close box cancels
        QVERIFY(!t.p.session.hasChooser());
        QVERIFY(t.records->isVisible());
        QCOMPARE(t.open().folder(), t.photoFolder());
    }

    void theFileListHoldsOnlyPictureFiles()
    {
        // A folder named like a picture, a named pipe named like one (whose
        // first bytes a reader would wait for for ever), and a folder the
        // list was on before moving up: none of them is listed, nothing hangs.
        Choosing t;
        const QString trip = t.f.folder() + "/たび";
        t.f.writePicture("たび/うみ.bmp", Qt::cyan, 64, 48);
        t.f.writePicture("たび/えんそく/やま.jpg", Qt::green, 64, 48);
        QVERIFY(QDir().mkpath(trip + "/アルバム.jpg"));
        QCOMPARE(QProcess::execute("mkfifo", {trip + "/ふえ.jpg"}), 0);
        dialog& chooser = t.open();
        chooser.openFolder(trip + "/えんそく");
        QCOMPARE(chooser.listedFiles(), QStringList({"やま.jpg"}));
        chooser.openFolder(trip);
        QCOMPARE(chooser.folder(), trip);
        QCOMPARE(chooser.listedFiles(), QStringList({"うみ.bmp"}));
        chooser.clickFile("ふえ.jpg");  // not listed: nothing happens
        QVERIFY(!chooser.Command1->isEnabled());
        chooser.clickFile("うみ.bmp");
        QVERIFY(chooser.Command1->isEnabled());
        QCOMPARE(pictureFilesIn(trip), QStringList({"うみ.bmp"}));

        // /proc holds a file whose first bytes never come (kmsg, when the
        // program runs as root): the folder list reads it and lets it go.
        const QList<ChooserDrive> drives = chooserDrives();
        const auto top = std::find_if(drives.begin(), drives.end(), [](const ChooserDrive& d) { return d.root == "/"; });
        QVERIFY(top != drives.end());
        chooser.Drive1->setCurrentIndex(int(top - drives.begin()));
        emit chooser.Drive1->activated(chooser.Drive1->currentIndex());
        chooser.openFolder("/proc");
        auto* folders = qobject_cast<QFileSystemModel*>(chooser.Dir1->model());
        chooser.Dir1->expand(folders->index("/proc"));
        QTRY_VERIFY(folders->rowCount(folders->index("/proc")) > 0);
        QTest::qWait(200);
        chooser.Command2->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!t.p.session.hasChooser());
    }

    void aVanishedChooserFolderOpensThePhotoFolder()
    {
        Choosing t;
        t.p.session.chooserFolder = t.f.folder() + "/もうない";
        QCOMPARE(t.open().folder(), t.photoFolder());
        t.p.session.destroyChooser();
        t.p.session.chooserFolder = "D:\\写真";  // another computer's drive
        QCOMPARE(t.open().folder(), t.photoFolder());
    }

    void theDrivesAreTheHomeFolderAndTheMountedVolumes()
    {
        const QList<ChooserDrive> drives = chooserDrives();
        QCOMPARE(drives.first().root, QDir::homePath());
        QVERIFY(std::any_of(drives.begin(), drives.end(), [](const ChooserDrive& d) { return d.root == "/"; }));
        QCOMPARE(driveOf(drives, QDir::homePath() + "/写真"), 0);
        const QList<ChooserDrive> made = {{"a", "/"}, {"b", "/media/usb"}, {"c", "/media/usb2"}};
        QCOMPARE(driveOf(made, "/media/usb/写真"), 1);
        QCOMPARE(driveOf(made, "/media/usb2"), 2);
        QCOMPARE(driveOf(made, "/media/usbx"), 0);
    }
};

QTEST_MAIN(TestPictureChooser)
#include "test_picture_chooser.moc"
