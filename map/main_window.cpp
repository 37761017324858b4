#include "main_window.h"

#include "datas.h"
#include "dialogs.h"
#include "edit_html.h"
#include "int16.h"
#include "mapdata.h"
#include "pictureexport.h"
#include "pictures.h"
#include "version.h"
#include "fonts.h"
#include "mousepointer.h"
#include "pointbuttons.h"
#include "rowrules.h"
#include "session.h"
#include "showmodal.h"
#include "tables.h"
#include "userrules.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {

// The torch shown while a point is dragged; its tip, the hot spot, is the
// top left corner.
QCursor torchCursor()
{
    return QCursor(QPixmap(QStringLiteral(":/art/torch.png")), 0, 0);
}

template <class F>
void step(F&& f)
{
    try {
        f();
    } catch (const std::exception&) {
        // This handler goes on after a failing step.
    }
}

}  // namespace

MapArea::MapArea(QWidget* parent) : QWidget(parent)
{
    setFixedSize(Main::mapWidth, Main::mapHeight);
}

void MapArea::setPicture(const QImage& picture)
{
    picture_ = picture;
    pictureFile_.clear();
    update();
}

void MapArea::setPictureFile(const QString& file)
{
    picture_ = QImage();
    pictureFile_ = file;
    update();
}

const QImage& MapArea::picture() const
{
    if (!pictureFile_.isEmpty()) {
        picture_ = QImage(pictureFile_);
        pictureFile_.clear();
    }
    return picture_;
}

void MapArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawImage(QPoint(0, 0), picture());
}

void MapArea::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(event->button(), event->position(), event->globalPosition());
}

Main::Main(Session& session) : QMainWindow(nullptr), session_(session)
{
    setWindowTitle(QStringLiteral("ワンデロ"));
    setFont(fonts::standard());
    // What a point holds shows under the pointer even when another window
    // has the focus.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    map_ = new MapArea(this);
    setCentralWidget(map_);
    Command1_ = new PointButtons(map_);
    buildMenus();
    map_->setPictureFile(QStringLiteral(":/art/instruction.png"));
    // The frame fits the map; the map's coordinate space never changes.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(map_, &MapArea::released, this, &Main::Form_MouseUp);
    connect(Command1_, &PointButtons::pressed, this, &Main::Command1_MouseDown);
    connect(Command1_, &PointButtons::released, this, &Main::Command1_MouseUp);
    connect(&session_.mapData(), &MapData::recordSaved, this, &Main::recordSaved);
    Form_Load();
}

Main::~Main()
{
    if (dragging_)
        QGuiApplication::restoreOverrideCursor();
}

void Main::buildMenus()
{
    // No item has a keyboard shortcut: a child's stray key must do nothing.
    file = menuBar()->addMenu(QStringLiteral("ファイル"));
    file_load = file->addAction(QStringLiteral("背景画像読み込み..."));
    file->addSeparator();
    logout = file->addAction(QStringLiteral("ログアウト"));
    file_end = file->addAction(QStringLiteral("ワンデロの終了"));

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
    connect(pntcrl_new, &QAction::triggered, this, &Main::pntcrl_new_Click);
    connect(move_btn, &QAction::triggered, this, &Main::move_btn_Click);
    connect(pntcrl_del, &QAction::triggered, this, &Main::pntcrl_del_Click);
    connect(file_load, &QAction::triggered, this, &Main::file_load_Click);
    connect(go_help, &QAction::triggered, this, &Main::go_help_Click);
    connect(hlp_ver, &QAction::triggered, this, &Main::hlp_ver_Click);
    connect(html, &QAction::triggered, this, &Main::html_Click);
    connect(data_output, &QAction::triggered, this, &Main::data_output_Click);
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
    if (!session_.ended())
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

// --- the mouse on the map and on point buttons ----------------------------

void Main::Form_MouseUp(Qt::MouseButton button, QPointF position, QPointF global)
{
    lastMapClick_ = position;
    if (button != Qt::RightButton)
        return;
    if (session_.mapReady())
        pntcrl->popup(global.toPoint());
    else
        session_.dialogs().message(this, QStringLiteral("そうそう！それが右クリック！"),
                                   Dialogs::Buttons::Ok, Dialogs::Icon::None,
                                   QStringLiteral("あたり"));
}

void Main::Command1_MouseDown(int, Qt::MouseButton, QPointF inside)
{
    if (!movingMode_)
        return;
    // The selected point's button is dragged, whichever button was pressed;
    // it stays where it is while the pointer shows the torch.
    dragging_ = true;
    grabOffset_ = inside;
    QGuiApplication::setOverrideCursor(torchCursor());
}

void Main::Command1_MouseUp(int index, Qt::MouseButton button, QPointF inside, QPointF global)
{
    if (dragging_) {
        drop(index, inside);  // a press that started a drag is no click
        return;
    }
    if (button == Qt::LeftButton) {
        openRecords(index);
    } else if (button == Qt::RightButton) {
        selectedPoint_ = index;
        pntcrl2->popup(global.toPoint());
    }
}

// The release of a drag arrives at the pressed button; where it happened
// decides the drop: on a point button, on the map, or outside (no drop,
// moving mode stays on).
void Main::drop(int pressed, QPointF inside)
{
    dragging_ = false;
    QGuiApplication::restoreOverrideCursor();
    const QPointF onMap = Command1_->widget(pressed)->mapTo(map_, inside);
    if (!map_->rect().contains(onMap.toPoint()))
        return;
    QWidget* target = map_->childAt(onMap.toPoint());
    const QVariant index = target ? target->property("pointIndex") : QVariant();
    if (index.isValid())
        Command1_DragDrop(index.toInt(), onMap - QPointF(target->pos()));
    else
        Form_DragDrop(onMap);
}

void Main::Form_DragDrop(QPointF position)
{
    finishMove(float(position.x() - grabOffset_.x()), float(position.y() - grabOffset_.y()));
}

void Main::Command1_DragDrop(int index, QPointF inside)
{
    const PointButton& target = Command1_->at(index);
    finishMove(float(target.left + inside.x() - grabOffset_.x()),
               float(target.top + inside.y() - grabOffset_.y()));
}

void Main::finishMove(float left, float top)
{
    const PointButton& moved = Command1_->at(selectedPoint_);
    const float oldLeft = moved.left;
    const float oldTop = moved.top;
    Command1_->setPosition(selectedPoint_, left, top);
    Cursor* data = nullptr;
    try {
        data = &session_.data();
        rows::storePosition(*data, selectedPoint_, left, top);
    } catch (const DbError& e) {
        // The button stands where its row says it is.
        Command1_->setPosition(selectedPoint_, oldLeft, oldTop);
        if (data)
            data->cancelUpdate();
        session_.dialogs().message(this, e.text());
    }
    Command1_->setMoving(selectedPoint_, false);
    movingMode_ = false;
}

void Main::move_btn_Click()
{
    movingMode_ = true;
    Command1_->setMoving(selectedPoint_, true);
}

// --- opening a point's records ----------------------------------------------

void Main::openRecords(int index)
{
    mousePointer::busy();
    Datas& records = session_.datas();
    QString photo;
    bool loaded = false;
    step([&] { rows::reachButtonRow(session_.data(), index); });
    step([&] { photo = session_.data().text(tables::find::photo); });
    loaded = records.showPicture(photo);
    if (!loaded) {
        Dialogs& dialogs = session_.dialogs();
        const auto answer = dialogs.message(this, photo + QStringLiteral("が見つかりません。探しますか？"),
                                            Dialogs::Buttons::YesNo, Dialogs::Icon::None);
        std::optional<QString> chosen;
        if (answer == Dialogs::Answer::Yes)
            chosen = dialogs.openFile(this, session_.installation().folder(), pictureFileFilters());
        // Cancelling the search stores the placeholder, as No does: photo
        // only ever names a file the child chose or the placeholder.
        try {
            if (chosen)
                session_.mapData().storeChosenPhoto(*chosen);
            else
                session_.mapData().storePhoto(tables::placeholderAbsolute);
        } catch (const DbError& e) {
            dialogs.message(this, e.text());
        }
        step([&] { photo = session_.data().text(tables::find::photo); });
        records.showPicture(photo);
    }
    step([&] {
        if (rows::nextInChain(session_.data()))
            records.Image3->show();
    });
    mousePointer::normal();
    showModal(records);
}

// A head record saved in the record window: what was found becomes its
// point's tooltip (an empty object leaves the tooltip as it is).
void Main::recordSaved()
{
    try {
        Cursor& record = session_.data();
        if (rows::int16Field(record, tables::find::mother) != tables::noLink)
            return;
        const int n = rows::int16Field(record, tables::find::indexs);
        const QString object = record.text(tables::find::object);
        const int button = tables::buttonOfPosition(tables::positionOfIndexs(n));
        if (!object.isEmpty() && Command1_->exists(button))
            Command1_->setToolTip(button, object);
    } catch (const DbError&) {
        // A record without its numbers changes no tooltip.
    }
}

// --- making and deleting points ---------------------------------------------

void Main::pntcrl_new_Click()
{
    mousePointer::busy();
    const rows::NewPoint point{session_.currentUserID(), session_.rememberedMonth,
                               session_.rememberedDay, float(lastMapClick_.x()),
                               float(lastMapClick_.y())};
    Cursor* data = nullptr;
    try {
        data = &session_.data();
        const rows::CreatedPoint created = rows::createPoint(*data, point);
        if (!Command1_->exists(created.button))
            Command1_->create(created.button);
        Command1_->setPosition(created.button, created.left, created.top);
        Command1_->setToolTip(created.button, userrules::pointToolTip({}));
        Command1_->setVisible(created.button, true);
    } catch (const rows::TableFull&) {
        mousePointer::normal();
        session_.dialogs().message(this, rows::tableFullMessage, Dialogs::Buttons::Ok,
                                   Dialogs::Icon::Exclamation, QStringLiteral("注意！"));
    } catch (const DbError& e) {
        // No button for a row that was not written.
        reportFailedSave(data, e);
    }
    mousePointer::normal();
}

// A save that failed leaves the cursor's row as it was in the file.
void Main::reportFailedSave(Cursor* data, const DbError& error)
{
    if (data)
        data->cancelUpdate();
    mousePointer::normal();
    session_.dialogs().message(this, error.text());
}

void Main::pntcrl_del_Click()
{
    const auto answer = session_.dialogs().message(this, QStringLiteral("このポイントを削除しますか？"),
                                                   Dialogs::Buttons::OkCancel, Dialogs::Icon::None,
                                                   QStringLiteral("注意！"));
    if (answer != Dialogs::Answer::Ok)
        return;
    mousePointer::busy();
    Cursor* data = nullptr;
    try {
        data = &session_.data();
        rows::reachButtonRow(*data, selectedPoint_);
        session_.datas().clearPicture();
        rows::freeRow(*data);
        Command1_->setVisible(selectedPoint_, false);
        Command1_->setToolTip(selectedPoint_, userrules::pointToolTip({}));
    } catch (const DbError& e) {
        // The point stays on the map: its row was not freed.
        reportFailedSave(data, e);
    }
    mousePointer::normal();
}

// --- background, help, version, exports --------------------------------------

edit_html* Main::htmlWindow() const
{
    return htmlWindow_;
}

Version* Main::versionWindow() const
{
    return versionWindow_;
}

void Main::file_load_Click()
{
    // Every failure ends here without a word; the map keeps what it shows.
    const std::optional<QString> chosen =
        session_.dialogs().openFile(this, session_.installation().backgroundFolder(), pictureFileFilters());
    if (!chosen)
        return;
    MapData& data = session_.mapData();
    if (!data.userdataOpen())
        return;
    try {
        Cursor& users = data.userdata();
        if (!userrules::findByID(users, session_.currentUserID()))
            return;
        mousePointer::busy();
        try {
            data.storeBackground(session_.installation().storedNameOfChoice(
                *chosen, tables::userdata, tables::user::BackGnd));
        } catch (const DbError& e) {
            // A path longer than BackGnd can hold: say so, and keep the
            // stored background.
            mousePointer::normal();
            data.reportUserdataError(e);
            return;
        }
        const QString background = users.text(tables::user::BackGnd);
        const std::optional<QImage> picture = loadPicture(session_.installation().resolve(background));
        if (picture) {
            setPicture(*picture);
            session_.setMapReady(true);
        }
    } catch (const DbError&) {
    }
    mousePointer::normal();
}

void Main::go_help_Click()
{
    session_.dialogs().showHelp(this, session_.installation().resolve(QStringLiteral("ヘルプ\\ヘルプ.hlp")));
}

void Main::hlp_ver_Click()
{
    // Made anew at every opening; its click destroys it.
    versionWindow_ = new Version(this);
    versionWindow_->setWindowModality(Qt::WindowModal);
    versionWindow_->show();
}

void Main::html_Click()
{
    if (!htmlWindow_)
        htmlWindow_ = new edit_html(session_, this);
    htmlWindow_->setWindowModality(Qt::WindowModal);
    htmlWindow_->show();
}

void Main::data_output_Click()
{
    Dialogs& dialogs = session_.dialogs();
    if (dialogs.message(this, pictureexport::question, Dialogs::Buttons::OkCancel) != Dialogs::Answer::Ok)
        return;
    QString name;
    try {
        name = session_.userdata().text(tables::user::Name);
    } catch (const DbError& e) {
        session_.mapData().reportUserdataError(e);
        return;
    }
    mousePointer::busy();
    pictureexport::Result result;
    try {
        result = pictureexport::run(session_.installation(), name, session_.currentUserID(),
                                    session_.data());
    } catch (const DbError& e) {
        result.message = e.text();
    }
    mousePointer::normal();
    const bool complete = result.written && result.missing.isEmpty();
    dialogs.message(this, result.message, Dialogs::Buttons::Ok,
                    complete ? Dialogs::Icon::None : Dialogs::Icon::Exclamation);
}
