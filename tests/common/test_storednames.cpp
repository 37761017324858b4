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

    // A file dialog's choice: inside the installation folder its Windows
    // form, elsewhere as returned; a name the column cannot hold, nothing.
    void choice_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("stored");  // empty: refused
        const QString deep = "/home/" + QString(80, u'k') + "/ワンデロ";
        QTest::newRow("drawing in the photo folder")
            << deep + "/写真/たろう51770.bmp" << 100 << "C:\\Program Files\\ワンデロ\\写真\\たろう51770.bmp";
        QTest::newRow("background in a sub-folder")
            << deep + "/背景/公園/park.bmp" << 100 << "C:\\Program Files\\ワンデロ\\背景\\公園\\park.bmp";
        QTest::newRow("through .. back inside") << deep + "/HTML/../背景/park.bmp" << 100
                                               << "C:\\Program Files\\ワンデロ\\背景\\park.bmp";
        QTest::newRow("outside stays as returned") << "/home/hana/ねこ.jpg" << 100 << "/home/hana/ねこ.jpg";
        QTest::newRow("a folder beside it with a longer name")
            << deep + "2/写真/ねこ.jpg" << 200 << deep + "2/写真/ねこ.jpg";
        QTest::newRow("outside and too long") << deep + "2/写真/ねこ.jpg" << 100 << "";
        QTest::newRow("inside, Windows form too long")
            << deep + "/写真/" + QString(90, u'x') + ".bmp" << 100 << "";
        QTest::newRow("exactly as long as the column") << "/" + QString(99, u'a') << 100 << "/" + QString(99, u'a');
    }
    void choice()
    {
        QFETCH(QString, chosen);
        QFETCH(int, width);
        QFETCH(QString, stored);
        const QString folder = "/home/" + QString(80, u'k') + "/ワンデロ";
        const std::optional<QString> name = storedNameOfChoice(chosen, folder, width);
        QCOMPARE(name.value_or(QString()), stored);
        // Every name stored so resolves to the file that was chosen.
        if (name)
            QCOMPARE(resolveStoredName(*name, folder), QDir::cleanPath(chosen));
    }

    // The installation folder reached through a symbolic link is the same
    // folder.
    void choiceThroughALink()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("real/写真");
        QVERIFY(QFile::link(dir.path() + "/real", dir.path() + "/link"));
        QCOMPARE(storedNameOfChoice(dir.path() + "/link/写真/a.bmp", dir.path() + "/real", 100).value_or(""),
                 QStringLiteral("C:\\Program Files\\ワンデロ\\写真\\a.bmp"));
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
