#pragma once
// The paint window `Paint`: a small canvas with six tools, a colour from
// the palette and a line width from 1 to 10. "OK" saves the drawing as a
// bitmap in the photo folder and makes it the picture of the record shown
// in the record window; "キャンセル" throws it away.

#include "painttools.h"

#include <QList>
#include <QTime>
#include <QWidget>
#include <functional>
#include <memory>

class ColourBox;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QToolBar;
class QToolButton;
class Session;

// The canvas on screen: the persistent picture inside a thin border. It
// reports presses, moves and releases of any mouse button in the
// picture's own pixels.
class CanvasView : public QWidget {
    Q_OBJECT
public:
    CanvasView(const Canvas& canvas, QWidget* parent);
    static constexpr int border = 1;
    QPoint toCanvas(QPointF widgetPosition) const;

signals:
    void pressed(Qt::MouseButtons buttons, QPoint at);
    void moved(Qt::MouseButtons buttons, QPoint at);
    void released(Qt::MouseButtons buttons, QPoint at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const Canvas& canvas_;
};

class Paint : public QWidget {
    Q_OBJECT
public:
    explicit Paint(Session& session);
    ~Paint() override;

    const Canvas& canvas() const { return canvas_; }
    // The colour and line width the child chose, as the colour box and the
    // slider show them: the canvas's pen goes back to it after each step
    // (the eraser draws white and wide).
    CanvasPen drawingPen() const;
    const QString& tool() const { return tool_; }
    // A colour chosen in the palette: the canvas pen and fill and the
    // colour box take it.
    void takeColour(QColor colour);

    // The time of day the proposed file name is made from (tests set it).
    std::function<QTime()> clock = [] { return QTime::currentTime(); };

    void Toolbar1_ButtonClick(int index);  // 1 to 6, in tool-bar order
    void Picture1_MouseDown(Qt::MouseButtons buttons, QPoint at);
    void Picture1_MouseMove(Qt::MouseButtons buttons, QPoint at);
    void Picture1_MouseUp(Qt::MouseButtons buttons, QPoint at);
    void Slider1_Change(int value);
    void ColorInfo_Click();
    void Command3_Click();  // パレット...
    void Command5_Click();  // クリア
    void Command1_Click();  // OK
    void Command2_Click();  // キャンセル
    void Command6_Click();  // もどす: undoes the last step (Ctrl+Z)
    void Command7_Click();  // やりなおす: redoes it (Ctrl+Y, Ctrl+Shift+Z)

    QToolBar* Toolbar1 = nullptr;
    QList<QAction*> Buttons;  // the tool buttons, in tool-bar order
    CanvasView* Picture1 = nullptr;
    QPushButton* Command5 = nullptr;
    QFrame* Picture2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    ColourBox* ColorInfo = nullptr;
    QPushButton* Command3 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QSlider* Slider1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
    QToolButton* Command6 = nullptr;  // もどす
    QToolButton* Command7 = nullptr;  // やりなおす

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void buildToolbar();
    void buildUndoButtons();
    void finishStep();
    void showUndoState();
    void openPalette();
    void backToRecords();

    Session& session_;
    Canvas canvas_;
    QString tool_;
    std::unique_ptr<Tool> current_;
    DrawingHistory history_;
    QAction* undoKey_ = nullptr;
    QAction* redoKey_ = nullptr;
};
