#include "paint.h"

#include "colourbox.h"
#include "datas.h"
#include "dberror.h"
#include "dialogs.h"
#include "fonts.h"
#include "mapdata.h"
#include "place.h"
#include "pallete.h"
#include "session.h"
#include "showmodal.h"
#include "tables.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr int canvasWidth = 320;
constexpr int canvasHeight = 240;

struct ToolButton {
    const char* tip;
    const char* picture;  // the key of its picture
    const QString& tool;
};

const ToolButton toolButtons[] = {
    {"えんぴつ", "imgFree", toolFree},  {"直線", "imgLine", toolLine},
    {"四角", "imgRect", toolRect},      {"円", "imgCircle", toolCircle},
    {"消しゴム", "imgErase", toolErase}, {"文字", "imgText", toolText},
};

// A tool button is its 32-pixel picture and a pixel of frame around it.
constexpr int toolButtonSide = 34;

const QString eraseQuestion = QStringLiteral("この絵を消去しますか？");
const QString cautionTitle = QStringLiteral("注意！");

// The window is green; its tool bar, bottom panel and frames keep the
// ordinary window colour. An empty palette would let them take the
// window's green, so they are given the colour itself.
QPalette ordinaryColour()
{
    QPalette ordinary;
    ordinary.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    return ordinary;
}

}  // namespace

// --- the canvas on screen -------------------------------------------------------

CanvasView::CanvasView(const Canvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QPoint CanvasView::toCanvas(QPointF widgetPosition) const
{
    return widgetPosition.toPoint() - QPoint(border, border);
}

void CanvasView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QColor(64, 64, 64));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawImage(border, border, canvas_.image());
}

void CanvasView::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->buttons() | event->button(), toCanvas(event->position()));
}

void CanvasView::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(event->buttons(), toCanvas(event->position()));
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(event->button(), toCanvas(event->position()));
}

// --- the window -------------------------------------------------------------------

Paint::Paint(Session& session)
    : QWidget(nullptr),
      session_(session),
      canvas_(QSize(canvasWidth - 2 * CanvasView::border, canvasHeight - 2 * CanvasView::border))
{
    setWindowTitle(QStringLiteral("ペイント"));
    setFixedSize(383, 327);
    setFont(fonts::standard());
    QPalette green = palette();
    green.setColor(QPalette::Window, QColor(0, 128, 0));
    setPalette(green);
    setAutoFillBackground(true);
    canvas_.font = fonts::japaneseGothic(14);

    buildToolbar();
    buildUndoButtons();
    Picture1 = place(new CanvasView(canvas_, this), 52, 12, canvasWidth, canvasHeight);
    Command5 = place(new QPushButton(QStringLiteral("クリア"), this), 0, 236, 41, 17);

    // The panel along the bottom keeps the ordinary window colour; the two
    // frames and their controls lie on it.
    Picture2 = place(new QFrame(this), 0, 262, 383, 65);
    Picture2->setPalette(ordinaryColour());
    Picture2->setAutoFillBackground(true);
    Picture2->setFrameShape(QFrame::Panel);
    Picture2->setFrameShadow(QFrame::Raised);
    Frame1 = place(new QGroupBox(QStringLiteral("線の色"), this), 8, 262, 121, 54);
    Frame1->setPalette(ordinaryColour());
    ColorInfo = place(new ColourBox(Qt::black, this), 16, 278, 33, 33);
    Command3 = place(new QPushButton(QStringLiteral("パレット..."), this), 56, 286, 65, 21);
    Frame2 = place(new QGroupBox(QStringLiteral("線の太さ"), this), 136, 262, 145, 54);
    Frame2->setPalette(ordinaryColour());
    Slider1 = place(new QSlider(Qt::Horizontal, this), 144, 280, 89, 33);
    Slider1->setRange(1, 10);
    Slider1->setSingleStep(1);
    Slider1->setPageStep(5);
    Slider1->setTickPosition(QSlider::TicksBelow);
    Slider1->setValue(1);
    Text1 = place(new QLineEdit(QStringLiteral("1"), this), 232, 280, 25, 18);
    // It would take the undo and redo keys for its own typing.
    Text1->installEventFilter(this);
    Label1 = place(new QLabel(QStringLiteral("ポイント"), this), 234, 299, 41, 12);
    Label1->setFont(fonts::japaneseGothic(8.25));
    Command2 = place(new QPushButton(QStringLiteral("キャンセル"), this), 288, 272, 81, 21);
    Command1 = place(new QPushButton(QStringLiteral("OK"), this), 288, 300, 81, 21);

    connect(Picture1, &CanvasView::pressed, this, &Paint::Picture1_MouseDown);
    connect(Picture1, &CanvasView::moved, this, &Paint::Picture1_MouseMove);
    connect(Picture1, &CanvasView::released, this, &Paint::Picture1_MouseUp);
    connect(Slider1, &QSlider::valueChanged, this, &Paint::Slider1_Change);
    connect(ColorInfo, &ColourBox::clicked, this, &Paint::ColorInfo_Click);
    connect(Command3, &QPushButton::clicked, this, &Paint::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &Paint::Command5_Click);
    connect(Command1, &QPushButton::clicked, this, &Paint::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Paint::Command2_Click);

    Form_Load();
}

Paint::~Paint() = default;

void Paint::buildToolbar()
{
    Toolbar1 = place(new QToolBar(this), 0, 0, 44, 236);
    Toolbar1->setOrientation(Qt::Vertical);
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(32, 32));
    // Six 32-pixel pictures one below the other, above "クリア".
    Toolbar1->setContentsMargins(0, 0, 0, 0);
    Toolbar1->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; border: none; }"
                                           "QToolButton { padding: 1px; margin: 0px; }"));
    // Its style sheet decides its background, not its palette.
    Toolbar1->setStyleSheet(Toolbar1->styleSheet() +
                            QStringLiteral("QToolBar { background: %1; }")
                                .arg(ordinaryColour().color(QPalette::Window).name()));
    Toolbar1->setAutoFillBackground(true);
    auto* group = new QActionGroup(this);
    int index = 0;
    for (const ToolButton& b : toolButtons) {
        ++index;
        QAction* action = Toolbar1->addAction(
            QIcon(QStringLiteral(":/art/%1.png").arg(QLatin1String(b.picture))), QString());
        action->setToolTip(QString::fromUtf8(b.tip));
        action->setCheckable(true);  // the child sees which tool is in hand
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, index] { Toolbar1_ButtonClick(index); });
        Buttons.append(action);
        // Each button just holds its picture, so that the six leave room
        // above "クリア" for undo and redo.
        Toolbar1->widgetForAction(action)->setFixedSize(toolButtonSide, toolButtonSide);
    }
}

// "もどす" and "やりなおす" side by side in the tool bar's room above
// "クリア", as pictures (their names would not fit) with the name as tooltip.
void Paint::buildUndoButtons()
{
    const int top = toolButtonSide * int(std::size(toolButtons));
    const int width = 44 / 2;
    const int height = 236 - top;
    const auto make = [&](const char* name, const char* picture, int left) {
        auto* button = place(new QToolButton(this), left, top, width, height);
        button->setIcon(QIcon(QStringLiteral(":/art/%1.png").arg(QLatin1String(picture))));
        button->setIconSize(QSize(20, 20));
        button->setToolTip(QString::fromUtf8(name));
        button->setAccessibleName(QString::fromUtf8(name));
        button->setAutoRaise(false);
        button->setPalette(QPalette());
        button->setAutoFillBackground(true);
        return button;
    };
    Command6 = make("もどす", "imgUndo", 0);
    Command7 = make("やりなおす", "imgRedo", width);
    connect(Command6, &QToolButton::clicked, this, &Paint::Command6_Click);
    connect(Command7, &QToolButton::clicked, this, &Paint::Command7_Click);

    // The keys work wherever the focus is in the window.
    undoKey_ = new QAction(this);
    undoKey_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoKey_ = new QAction(this);
    redoKey_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction* key : {undoKey_, redoKey_}) {
        key->setShortcutContext(Qt::WindowShortcut);
        addAction(key);
    }
    connect(undoKey_, &QAction::triggered, this, &Paint::Command6_Click);
    connect(redoKey_, &QAction::triggered, this, &Paint::Command7_Click);
    showUndoState();
}

bool Paint::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text1 && event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* key : {undoKey_, redoKey_})
            if (key->shortcuts().contains(pressed)) {
                event->ignore();
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}

void Paint::Form_Load()
{
    tool_ = toolFree;
    current_ = makeTool(tool_);
    Buttons.first()->setChecked(true);
    Picture1->setCursor(Qt::CrossCursor);
    canvas_.pen = CanvasPen{Qt::black, 1, Qt::black};
}

void Paint::Toolbar1_ButtonClick(int index)
{
    const ToolButton& b = toolButtons[index - 1];
    tool_ = b.tool;
    // A new tool starts idle: no stroke or shape is carried over.
    current_ = makeTool(tool_, [this]() -> std::optional<QString> {
        return session_.dialogs().input(this, QStringLiteral("文字を入れてください"));
    });
    Buttons.at(index - 1)->setChecked(true);
    // What the old tool drew so far stays as a step of its own.
    finishStep();
    if (tool_ == toolErase)
        Picture1->setCursor(QCursor(QPixmap(QStringLiteral(":/art/erase_cursor.png")), 8, 8));
    else
        Picture1->setCursor(Qt::CrossCursor);
}

void Paint::Picture1_MouseDown(Qt::MouseButtons, QPoint at)
{
    // A press while a stroke or shape goes on belongs to that action.
    if (!history_.acting())
        history_.begin(canvas_);
    current_->press(canvas_, at);
    // The text is written on the press alone.
    if (tool_ == toolText)
        finishStep();
    Picture1->update();
}

void Paint::Picture1_MouseMove(Qt::MouseButtons, QPoint at)
{
    current_->move(canvas_, at);
    Picture1->update();
}

void Paint::Picture1_MouseUp(Qt::MouseButtons, QPoint at)
{
    current_->release(canvas_, at);
    // Whatever the tool did to the pen (the eraser's white, wide pen), the
    // next stroke draws in the drawing colour and line width again.
    canvas_.pen = drawingPen();
    finishStep();
    Picture1->update();
}

CanvasPen Paint::drawingPen() const
{
    const QColor colour = ColorInfo->colour();
    return CanvasPen{colour, Slider1->value(), colour};
}

void Paint::finishStep()
{
    history_.finish(canvas_);
    showUndoState();
}

void Paint::showUndoState()
{
    Command6->setEnabled(history_.canUndo());
    Command7->setEnabled(history_.canRedo());
}

void Paint::Command6_Click()
{
    history_.undo(canvas_);
    showUndoState();
    Picture1->update();
}

void Paint::Command7_Click()
{
    history_.redo(canvas_);
    showUndoState();
    Picture1->update();
}

void Paint::Slider1_Change(int value)
{
    Text1->setText(QString::number(value));
    canvas_.pen.width = value;
}

void Paint::takeColour(QColor colour)
{
    canvas_.pen.colour = colour;
    canvas_.pen.fill = colour;
    ColorInfo->setColour(colour);
}

void Paint::openPalette()
{
    Pallete& palette = session_.palette();
    connect(&palette, &Pallete::colourChosen, this, &Paint::takeColour, Qt::UniqueConnection);
    showModal(palette);
}

void Paint::ColorInfo_Click()
{
    openPalette();
}

void Paint::Command3_Click()
{
    openPalette();
}

void Paint::Command5_Click()
{
    const auto answer = session_.dialogs().message(this, eraseQuestion, Dialogs::Buttons::YesNo,
                                                   Dialogs::Icon::None, cautionTitle);
    if (answer != Dialogs::Answer::Yes)
        return;
    history_.finish(canvas_);  // a stroke still going on is a step of its own
    history_.begin(canvas_);
    canvas_.clear();
    finishStep();
    Picture1->update();
}

void Paint::Command1_Click()
{
    Dialogs& dialogs = session_.dialogs();
    const std::optional<QString> chosen = dialogs.saveFile(
        this, session_.installation().photoFolder(),
        proposedDrawingName(session_.currentUserName(), clock()),
        {{QStringLiteral("ビットマップ(*.BMP)"), {QStringLiteral("*.bmp")}}}, QStringLiteral("bmp"));
    if (!chosen || chosen->isEmpty())
        return;
    const QString file = *chosen;
    if (QFileInfo::exists(file)) {
        dialogs.message(this,
                        QStringLiteral("同じ名前のファイルがあります。再度保存処理を行ってください。"),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
        return;
    }
    if (!saveAsBitmap(canvas_.image(), file)) {
        // The drawing stays on the canvas, so the child can try elsewhere.
        dialogs.message(this,
                        QStringLiteral("絵を保存できませんでした。別の場所か別の名前で保存してください。"),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
        return;
    }
    try {
        session_.mapData().storeChosenPhoto(file);
    } catch (const DbError& e) {
        // No record points at the file, so it goes again: the same name can
        // be chosen on the next try.
        QFile::remove(file);
        dialogs.message(this, e.text());
        return;
    }
    session_.datas().showPicture(file);
    backToRecords();
}

void Paint::Command2_Click()
{
    backToRecords();
}

void Paint::backToRecords()
{
    Datas& records = session_.datas();
    session_.destroyPaint();
    records.showModeless();
}

// The close box throws the drawing away as "キャンセル" does, but asks first
// when there is a drawing to lose.
void Paint::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (!canvas_.isBlank()) {
        const auto answer = session_.dialogs().message(this, eraseQuestion, Dialogs::Buttons::YesNo,
                                                       Dialogs::Icon::None, cautionTitle);
        if (answer != Dialogs::Answer::Yes)
            return;
    }
    Command2_Click();
}
