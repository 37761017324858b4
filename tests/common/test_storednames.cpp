#include "storednames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestStoredNames : public QObject {
    Q_OBJECT
private slots:
    void resolve_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("file");
        const QString folder = QStringLiteral("/opt/ワンデロ");
        QTest::newRow("installation path") << "C:\\Program Files\\ワンデロ\\写真\\glay.bmp"
                                           << folder + "/写真/glay.bmp";
        QTest::newRow("installation path, other letter case")
            << "c:\\program files\\ワンデロ\\背景\\park.bmp" << folder + "/背景/park.bmp";
        QTest::newRow("relative") << "写真\\glay.bmp" << folder + "/写真/glay.bmp";
        QTest::newRow("relative with a slash") << "背景/default.bmp" << folder + "/背景/default.bmp";
        QTest::newRow("native absolute") << "/home/hana/ねこ.jpg" << "/home/hana/ねこ.jpg";
        QTest::newRow("other drive names no file") << "D:\\写真\\ねこ.jpg" << "";
        QTest::newRow("root of a drive names no file") << "\\写真\\ねこ.jpg" << "";
        QTest::newRow("empty names no file") << "" << "";
    }
    void resolve()
    {
        QFETCH(QString, stored);
        QFETCH(QString, file);
        QCOMPARE(resolveStoredName(stored, QStringLiteral("/opt/ワンデロ")), file);
    }

    void relativeToAnotherBase()
    {
        QCOMPARE(resolveStoredName(QStringLiteral("help\\KOVR.hlp"), QStringLiteral("/opt/w"),
                                   QStringLiteral("/opt/w/KOVR")),
                 QStringLiteral("/opt/w/KOVR/help/KOVR.hlp"));
    }

    // A carried map's records name "Neko.JPG"; the picture export wrote
    // "neko.jpg". An exact match wins over one in another letter case.
    void fileNamesIgnoreLetterCaseInsideTheInstallation()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("写真/あき");
        for (const char* name : {"写真/あき/neko.jpg", "写真/あき/Inu.jpg", "写真/あき/inu.jpg"}) {
            QFile f(dir.path() + '/' + QString::fromUtf8(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QCOMPARE(resolveStoredName("C:\\Program Files\\ワンデロ\\写真\\あき\\Neko.JPG", dir.path()),
                 dir.path() + "/写真/あき/neko.jpg");
        QCOMPARE(resolveStoredName("写真\\あき\\Inu.jpg", dir.path()), dir.path() + "/写真/あき/Inu.jpg");
        QCOMPARE(resolveStoredName("写真\\あき\\none.jpg", dir.path()), dir.path() + "/写真/あき/none.jpg");
    }

    void fileName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("absolute") << "C:\\Program Files\\ワンデロ\\写真\\glay.bmp" << "glay.bmp";
        QTest::newRow("relative") << "写真\\glay.bmp" << "glay.bmp";
        QTest::newRow("no backslash") << "glay.bmp" << "glay.bmp";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("ends with a backslash") << "写真\\" << "";
        QTest::newRow("native path") << "/home/hana/ねこ.JPG" << "ねこ.JPG";
    }
    void fileName()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(MakeFilename(path), name);
    }
};

QTEST_GUILESS_MAIN(TestStoredNames)
#include "test_storednames.moc"
