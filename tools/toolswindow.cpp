#include "toolswindow.h"

#include "fonts.h"
#include "kovrapp.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>

CommonMenus addCommonMenus(QMainWindow& window, KovrApp& app, std::function<QString()> keyword)
{
    CommonMenus m;
    m.file = window.menuBar()->addMenu(QStringLiteral("ファイル"));
    m.file->setObjectName(QStringLiteral("file"));
    m.end = m.file->addAction(QStringLiteral("KOVRの終了"));
    m.end->setObjectName(QStringLiteral("end"));
    m.help = window.menuBar()->addMenu(QStringLiteral("ヘルプ"));
    m.help->setObjectName(QStringLiteral("help"));
    m.topic = m.help->addAction(QStringLiteral("トピックの検索"));
    m.topic->setObjectName(QStringLiteral("topic"));
    QObject::connect(m.end, &QAction::triggered, &window, [&app] { app.endProgram(); });
    QObject::connect(m.topic, &QAction::triggered, &window,
                     [&app, &window, keyword] { app.showHelp(&window, keyword ? keyword() : QString()); });
    return m;
}

ToolsWindow::ToolsWindow(KovrApp& app, const QString& caption, int width, int height,
                         std::function<QString()> keyword)
    : QMainWindow(nullptr), app_(app)
{
    setWindowTitle(caption);
    setFont(fonts::standard());
    client_ = new QWidget(this);
    client_->setFixedSize(width, height);
    setCentralWidget(client_);
    menus = addCommonMenus(*this, app, std::move(keyword));
}

void ToolsWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    app_.endProgram();
}
