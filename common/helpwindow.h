#pragma once
// The help window of both programs: a compiled help collection (the files
// ヘルプ.hlp and KOVR.hlp, with their .qch beside them) shown with its
// contents, its keyword index with a filter box and a full-text search
// beside the page. Each help file has one window; asking again brings it
// to the front. The window is a window of its own and never blocks the
// program that opened it.

#include <QPointer>
#include <QString>
#include <QTextBrowser>
#include <QWidget>

class QHelpEngine;
class QLineEdit;
class QTabWidget;

// The page view: reads pages and their pictures out of the help collection.
class HelpPage : public QTextBrowser {
    Q_OBJECT
public:
    HelpPage(QHelpEngine& engine, QWidget* parent);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QHelpEngine& engine_;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The window of `helpFile`, created the first time it is asked for,
    // shown at the topics (no keyword) or at the topic of a keyword.
    // Nothing when the file cannot be opened as help (`error` says why).
    static HelpWindow* open(const QString& helpFile, const QString& keyword = QString(),
                            QString* error = nullptr);

    ~HelpWindow() override;

    const QString& helpFile() const { return helpFile_; }
    // Shows the first page of the contents.
    void showTopics();
    // Shows the keyword's topic and the keyword in the index; false when the
    // index has no such keyword (the topics are shown instead).
    bool showKeyword(const QString& keyword);
    QUrl currentPage() const;

    QTabWidget* tabs = nullptr;
    QLineEdit* indexFilter = nullptr;
    HelpPage* page = nullptr;
    QHelpEngine* engine() const { return engine_; }

private:
    HelpWindow(const QString& helpFile, QHelpEngine* engine);
    void showPage(const QUrl& url);

    QString helpFile_;
    QHelpEngine* engine_ = nullptr;
};
