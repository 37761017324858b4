#include "main_window.h"

#include "fonts.h"
#include "pointbuttons.h"
#include "session.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>

MapArea::MapArea(QWidget* parent) : QWidget(parent)
{
    setFixedSize(Main::mapWidth, Main::mapHeight);
    setAutoFillBackground(false);
}

void MapArea::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void MapArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawImage(QPoint(0, 0), picture_);
}

Main::Main(Session& session) : QMainWindow(nullptr), session_(session)
{
    setWindowTitle(QStringLiteral("ワンデロ"));
    setFont(fonts::standard());
    map_ = new MapArea(this);
    setCentralWidget(map_);
    Command1_ = new PointButtons(map_);
    buildMenus();
    map_->setPicture(QImage(QStringLiteral(":/art/instruction.png")));
    // The frame fits the map; the map's coordinate space never changes.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Form_Load();
}

Main::~Main() = default;

void Main::buildMenus()
{
    // No item has a keyboard shortcut: a child's stray key must do nothing.
    file = menuBar()->addMenu(QStringLiteral("ファイル"));
    file_load = file->addAction(QStringLiteral("背景画像読み込み..."));
    file->addSeparator();
    logout = file->addAction(QStringLiteral("ログアウト"));
    file_end = file->addAction(QStringLiteral("ワンデロの終了"));

    // The two point-control menus never show on the bar; they pop up.
    pntcrl = new QMenu(QStringLiteral("ポイントコントロール"), this);
    pntcrl_new = pntcrl->addAction(QStringLiteral("新しいポイントを作る"));
    pntcrl2 = new QMenu(QStringLiteral("ポイントコントロール２"), this);
    move_btn = pntcrl2->addAction(QStringLiteral("ボタンを移動"));
    pntcrl_del = pntcrl2->addAction(QStringLiteral("ポイントを削除..."));

    edit = menuBar()->addMenu(QStringLiteral("編集"));
    html = edit->addAction(QStringLiteral("HTML書き出し..."));
    data_output = edit->addAction(QStringLiteral("画像データ書き出し..."));

    hlp = menuBar()->addMenu(QStringLiteral("ヘルプ"));
    go_help = hlp->addAction(QStringLiteral("トピックの検索"));
    hlp->addSeparator();
    hlp_ver = hlp->addAction(QStringLiteral("バージョン情報..."));

    connect(logout, &QAction::triggered, this, &Main::logout_Click);
    connect(file_end, &QAction::triggered, this, &Main::file_end_Click);
}

void Main::setPicture(const QImage& picture)
{
    map_->setPicture(picture);
    showsInstruction_ = false;
}

void Main::Form_Load()
{
    movingMode_ = false;
}

void Main::closeEvent(QCloseEvent* event)
{
    if (session_.ended()) {
        event->accept();
        return;
    }
    Form_Unload();
    event->accept();
}

void Main::Form_Unload()
{
    session_.mapClosing();
}

void Main::logout_Click()
{
    session_.logout();
}

void Main::file_end_Click()
{
    session_.endProgram();
}
