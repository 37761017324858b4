#include "database.h"
#include "fixture.h"
#include "installation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestInstallation : public QObject {
    Q_OBJECT

    // What the build supplies, in miniature.
    static void supplied(const QString& folder)
    {
        QDir(folder).mkpath("写真");
        QDir(folder).mkpath("背景");
        QFile a(folder + "/写真/glay.bmp");
        a.open(QIODevice::WriteOnly);
        a.write("new placeholder");
        QFile b(folder + "/背景/default.bmp");
        b.open(QIODevice::WriteOnly);
        b.write("new background");
    }

private slots:
    void firstInstallMakesTheFolder()
    {
        QTemporaryDir source, target;
        supplied(source.path());
        const QString folder = target.path() + "/ワンデロ";
        QCOMPARE(supplyMissingFiles(source.path(), folder), QString());
        for (const char* path : {"wandelo.mdb", "写真/glay.bmp", "背景/default.bmp", "ヘルプ", "HTML/parts",
                                 "KOVR/help", "KOVR/データ統合用画像"})
            QVERIFY2(QFile::exists(folder + '/' + QString::fromUtf8(path)), path);
        QVERIFY(Database::open(folder + "/wandelo.mdb") != nullptr);
    }

    // A child's map must survive a reinstall.
    void reinstallKeepsTheDatabaseAndEveryPicture()
    {
        QTemporaryDir source;
        supplied(source.path());
        Fixture f;
        f.addUser("はな", 2, "背景\\default.bmp");
        f.addFind({"かぶと虫", 2, 100, 200, "写真\\glay.bmp"});
        QFile own(f.folder() + "/写真/glay.bmp");
        own.open(QIODevice::WriteOnly);
        own.write("the child's own placeholder");
        own.close();
        const QByteArray database = fileBytes(f.database());

        QCOMPARE(supplyMissingFiles(source.path(), f.folder()), QString());
        QCOMPARE(fileBytes(f.database()), database);
        QCOMPARE(fileBytes(f.folder() + "/写真/glay.bmp"), QByteArray("the child's own placeholder"));
        QCOMPARE(fileBytes(f.folder() + "/背景/default.bmp"), QByteArray("new background"));  // was missing
    }

    void folderThatCannotBeMadeIsReported()
    {
        QTemporaryDir source;
        supplied(source.path());
        QFile blocker(source.path() + "/file");
        blocker.open(QIODevice::WriteOnly);
        QVERIFY(!supplyMissingFiles(source.path(), source.path() + "/file/ワンデロ").isEmpty());
    }

    void programFoldersLeadToTheInstallation()
    {
        QCOMPARE(Installation::ofMapProgram("/opt/ワンデロ").folder(), QStringLiteral("/opt/ワンデロ"));
        QCOMPARE(Installation::ofTools("/opt/ワンデロ/KOVR").folder(), QStringLiteral("/opt/ワンデロ"));
        QCOMPARE(Installation("/opt/ワンデロ").resolveForTools("help\\KOVR.hlp"),
                 QStringLiteral("/opt/ワンデロ/KOVR/help/KOVR.hlp"));
    }
};

QTEST_GUILESS_MAIN(TestInstallation)
#include "test_installation.moc"
