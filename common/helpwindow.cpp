#include "helpwindow.h"

#include "fonts.h"
#include "translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QHash<QString, QPointer<HelpWindow>>& windows()
{
    static QHash<QString, QPointer<HelpWindow>> open;
    return open;
}

// Japanese is written without blanks, so the search index holds whole
// runs of text ("ポイントを") as words: every word typed is looked for as
// the beginning of a word, and "ポイント" finds the page.
QString prefixQuery(const QString& input)
{
    QStringList words = input.split(u' ', Qt::SkipEmptyParts);
    for (QString& word : words) {
        if (!word.endsWith(u'*') && !word.endsWith(u'"'))
            word += u'*';
    }
    return words.join(u' ');
}

}  // namespace

HelpPage::HelpPage(QHelpEngine& engine, QWidget* parent) : QTextBrowser(parent), engine_(engine)
{
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

QVariant HelpPage::loadResource(int type, const QUrl& name)
{
    if (name.scheme() == QStringLiteral("qthelp"))
        return engine_.fileData(name);
    return QTextBrowser::loadResource(type, name);
}

HelpWindow* HelpWindow::open(const QString& helpFile, const QString& keyword, QString* error)
{
    const QString key = QFileInfo(helpFile).absoluteFilePath();
    HelpWindow* window = windows().value(key);
    if (!window) {
        if (!QFileInfo(helpFile).isFile()) {
            if (error)
                *error = QStringLiteral("ヘルプファイル「%1」が見つかりません。").arg(helpFile);
            return nullptr;
        }
        installJapaneseTranslations();  // the search box and its buttons
        auto* engine = new QHelpEngine(key);
        if (!engine->setupData() || engine->registeredDocumentations().isEmpty()) {
            if (error)
                *error = QStringLiteral("ヘルプファイル「%1」を開けません。").arg(helpFile);
            delete engine;
            return nullptr;
        }
        window = new HelpWindow(key, engine);
        windows().insert(key, window);
    }
    if (keyword.isEmpty() || !window->showKeyword(keyword))
        window->showTopics();
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

HelpWindow::HelpWindow(const QString& helpFile, QHelpEngine* engine)
    : QWidget(nullptr), helpFile_(helpFile), engine_(engine)
{
    engine_->setParent(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("ヘルプ"));
    setFont(fonts::japaneseGothic(10.5));
    resize(860, 600);

    page = new HelpPage(*engine_, this);
    page->setFont(fonts::japaneseGothic(12));

    tabs = new QTabWidget(this);
    tabs->addTab(engine_->contentWidget(), QStringLiteral("目次"));

    auto* index = new QWidget(tabs);
    auto* indexLayout = new QVBoxLayout(index);
    indexLayout->addWidget(new QLabel(QStringLiteral("さがしたいことばを入れてね:"), index));
    indexFilter = new QLineEdit(index);
    indexLayout->addWidget(indexFilter);
    indexLayout->addWidget(engine_->indexWidget());
    tabs->addTab(index, QStringLiteral("キーワード"));

    auto* search = new QWidget(tabs);
    auto* searchLayout = new QVBoxLayout(search);
    searchLayout->addWidget(engine_->searchEngine()->queryWidget());
    searchLayout->addWidget(engine_->searchEngine()->resultWidget());
    tabs->addTab(search, QStringLiteral("検索"));

    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs);
    splitter->addWidget(page);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 600});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(engine_->contentWidget(), &QHelpContentWidget::linkActivated, this, &HelpWindow::showPage);
    connect(engine_->indexWidget(), &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& document) { showPage(document.url); });
    connect(engine_->indexWidget(), &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& documents) {
                if (!documents.isEmpty())
                    showPage(documents.constFirst().url);
            });
    connect(indexFilter, &QLineEdit::textChanged, engine_->indexWidget(),
            [this](const QString& text) { engine_->indexWidget()->filterIndices(text); });
    connect(indexFilter, &QLineEdit::returnPressed, engine_->indexWidget(),
            &QHelpIndexWidget::activateCurrentItem);

    QHelpSearchEngine* searchEngine = engine_->searchEngine();
    connect(searchEngine->queryWidget(), &QHelpSearchQueryWidget::search, this,
            [searchEngine] { searchEngine->search(prefixQuery(searchEngine->queryWidget()->searchInput())); });
    connect(searchEngine->resultWidget(), &QHelpSearchResultWidget::requestShowLink, this,
            &HelpWindow::showPage);
    // The full-text index is built once per collection, in the background.
    searchEngine->scheduleIndexDocumentation();

    // The contents are read in the background: the first page and the
    // window's title come once they are there.
    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, this, [this] {
        if (QHelpContentItem* top = engine_->contentModel()->contentItemAt(engine_->contentModel()->index(0, 0))) {
            setWindowTitle(top->title());
            if (page->source().isEmpty())
                showPage(top->url());
        }
        engine_->contentWidget()->expandToDepth(0);
    });
    connect(engine_->indexModel(), &QHelpIndexModel::indexCreated, this, [this] {
        if (!indexFilter->text().isEmpty())
            engine_->indexWidget()->filterIndices(indexFilter->text());
    });
}

HelpWindow::~HelpWindow()
{
    windows().remove(helpFile_);
}

void HelpWindow::showPage(const QUrl& url)
{
    if (url.isValid())
        page->setSource(url);
}

QUrl HelpWindow::currentPage() const
{
    return page->source();
}

void HelpWindow::showTopics()
{
    tabs->setCurrentIndex(0);
    if (QHelpContentItem* top = engine_->contentModel()->contentItemAt(engine_->contentModel()->index(0, 0)))
        showPage(top->url());
}

bool HelpWindow::showKeyword(const QString& keyword)
{
    const QList<QHelpLink> documents = engine_->documentsForKeyword(keyword);
    if (documents.isEmpty())
        return false;
    tabs->setCurrentIndex(1);
    indexFilter->setText(keyword);
    showPage(documents.constFirst().url);
    return true;
}
