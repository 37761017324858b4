// A database this account cannot write is found before anyone types: the
// file's and the folder's rights are checked as an ordinary account sees
// them (see asotheruser.h for root).

#include "asotheruser.h"
#include "writecheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class TestWriteCheck : public QObject {
    Q_OBJECT
private slots:
    void rights_data()
    {
        QTest::addColumn<int>("fileMode");    // 0: no file
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<QString>("named");   // what the message names; empty: no message
        QTest::newRow("both writable") << 0666 << 0777 << "";
        QTest::newRow("read-only file") << 0444 << 0777 << "データベース「";
        QTest::newRow("folder without write for the journal") << 0666 << 0555 << "フォルダ「";
        QTest::newRow("both read-only") << 0444 << 0555 << "データベース「";
        QTest::newRow("no file: opening reports it") << 0 << 0777 << "";
    }
    void rights()
    {
        QFETCH(int, fileMode);
        QFETCH(int, folderMode);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString folder = dir.path() + "/ワンデロ";
        QVERIFY(QDir().mkpath(folder));
        const QString db = folder + "/wandelo.mdb";
        if (fileMode) {
            QFile f(db);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.close();
            QCOMPARE(::chmod(QFile::encodeName(db).constData(), mode_t(fileMode)), 0);
        }
        QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), mode_t(folderMode)), 0);
        const QString problem = asOrdinaryUser([&] { return databaseWriteProblem(db); });
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        QVERIFY2(!problem.startsWith(u'('), qPrintable(problem));
        if (named.isEmpty()) {
            QCOMPARE(problem, QString());
        } else {
            QVERIFY2(problem.startsWith(named), qPrintable(problem));
            // It says what to do and where.
            QVERIFY(problem.contains("先生へ"));
            QVERIFY(problem.contains(folder));
            QVERIFY(problem.contains("--group"));
        }
    }
};

QTEST_GUILESS_MAIN(TestWriteCheck)
#include "test_writecheck.moc"
