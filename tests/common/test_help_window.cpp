// The help window on the help files the build compiles.
#include "helpwindow.h"

#include <QDir>
#include <QFile>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString supplied = QStringLiteral(SUPPLIED_DIR);

// The help folder as the install step leaves it, in a folder of the test's own.
QString installedHelp(const QTemporaryDir& dir, const QString& folder, const QString& file)
{
    QDir().mkpath(dir.filePath(folder));
    for (const QString& name : QDir(supplied + u'/' + folder).entryList(QDir::Files))
        QFile::copy(supplied + u'/' + folder + u'/' + name, dir.filePath(folder + u'/' + name));
    return dir.filePath(folder + u'/' + file);
}

}  // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT
private slots:
    void topicsAndKeywordsOfTheMapProgram()
    {
        QTemporaryDir dir;
        const QString file = installedHelp(dir, "ヘルプ", "ヘルプ.hlp");
        QString error;
        QPointer<HelpWindow> window = HelpWindow::open(file, QString(), &error);
        QVERIFY2(window, qPrintable(error));
        QVERIFY(window->isVisible());
        QTRY_COMPARE(window->currentPage().fileName(), QStringLiteral("index.html"));
        QCOMPARE(window->windowTitle(), QStringLiteral("ワンデロのヘルプ"));
        QCOMPARE(window->tabs->currentIndex(), 0);
        QTRY_COMPARE(window->engine()->contentModel()->rowCount(window->engine()->contentModel()->index(0, 0)), 9);
        QVERIFY(window->page->toPlainText().contains(QStringLiteral("見つけたものを地図に残していく")));

        // Asked again, with a keyword: the same window, at that topic.
        QCOMPARE(HelpWindow::open(file, QStringLiteral("背景")), window.data());
        QCOMPARE(window->currentPage().fileName(), QStringLiteral("background.html"));
        QCOMPARE(window->tabs->currentIndex(), 1);
        QCOMPARE(window->indexFilter->text(), QStringLiteral("背景"));
        QVERIFY(window->page->toPlainText().contains(QStringLiteral("背景画像読み込み...")));

        // An unknown keyword shows the topics.
        HelpWindow::open(file, QStringLiteral("ないことば"));
        QCOMPARE(window->currentPage().fileName(), QStringLiteral("index.html"));

        // The filter box narrows the index.
        window->indexFilter->setText(QString());
        QTRY_VERIFY(window->engine()->indexModel()->rowCount() > 20);
        window->indexFilter->setText(QStringLiteral("ポイント"));
        QTRY_VERIFY(window->engine()->indexWidget()->model()->rowCount() >= 3);
        for (int i = 0; i < window->engine()->indexWidget()->model()->rowCount(); ++i)
            QVERIFY(window->engine()->indexWidget()->model()->index(i, 0).data().toString().contains("ポイント"));

        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
    }

    void fullTextSearch()
    {
        QTemporaryDir dir;
        const QString file = installedHelp(dir, "ヘルプ", "ヘルプ.hlp");
        HelpWindow* window = HelpWindow::open(file);
        QVERIFY(window);
        QHelpSearchEngine* search = window->engine()->searchEngine();
        QSignalSpy indexed(search, &QHelpSearchEngine::indexingFinished);
        QVERIFY(indexed.wait(20000));
        // Typed as a child types it, without the index's wildcard.
        QSignalSpy found(search, &QHelpSearchEngine::searchingFinished);
        search->queryWidget()->setSearchInput(QStringLiteral("右クリック"));
        emit search->queryWidget()->search();
        QVERIFY(found.wait(10000) || !found.isEmpty());
        QCOMPARE(found.constFirst().constFirst().toInt(), 2);
        const QList<QHelpSearchResult> results = search->searchResults(0, 10);
        QStringList pages;
        for (const QHelpSearchResult& result : results)
            pages << result.url().fileName();
        pages.sort();
        QCOMPARE(pages, (QStringList{"background.html", "point.html"}));
        delete window;
    }

    void everyKeywordOfTheTools_data()
    {
        QTest::addColumn<QString>("keyword");
        for (const char* keyword : {"データベース統合ツール", "２つのwandelo.mdb間で統合", "単一のwandelo.mdb内で統合",
                                    "データベース編集ツール", "ユーザを編集", "データを編集", "データベース更新ツール"})
            QTest::newRow(keyword) << QString::fromUtf8(keyword);
    }
    void everyKeywordOfTheTools()
    {
        QFETCH(QString, keyword);
        QTemporaryDir dir;
        const QString file = installedHelp(dir, "KOVR/help", "KOVR.hlp");
        HelpWindow* window = HelpWindow::open(file, keyword);
        QVERIFY(window);
        QCOMPARE(window->tabs->currentIndex(), 1);
        QVERIFY(window->currentPage().fileName().endsWith(".html"));
        QVERIFY(!window->page->toPlainText().isEmpty());
        delete window;
    }

    void aMissingOrForeignFileIsSaid()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!HelpWindow::open(dir.filePath("ヘルプ/ヘルプ.hlp"), QString(), &error));
        QVERIFY(error.contains(QStringLiteral("見つかりません")));
        QFile foreign(dir.filePath("x.hlp"));
        foreign.open(QIODevice::WriteOnly);
        foreign.write("not a help file");
        foreign.close();
        QVERIFY(!HelpWindow::open(foreign.fileName(), QString(), &error));
        QVERIFY(error.contains(QStringLiteral("開けません")));
    }
};

QTEST_MAIN(TestHelpWindow)
#include "test_help_window.moc"
