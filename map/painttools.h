#pragma once
// The drawing of the paint window without the window: the canvas with its
// persistent picture and pen, and the six tools behind one Tool interface
// (press, move, release). Tests draw through these directly.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QTime>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

// The canvas's pen: what lines are drawn in and what rectangles and
// circles are filled with (always solidly).
struct CanvasPen {
    QColor colour = Qt::black;
    int width = 1;
    QColor fill = Qt::black;
};

// The persistent picture of the canvas. Every shape is drawn without
// antialiasing, so that the invert-mode previews undo themselves exactly:
// drawing the same preview twice gives back every pixel as it was.
class Canvas {
public:
    explicit Canvas(QSize size);

    const QImage& image() const { return image_; }
    QSize size() const { return image_.size(); }
    CanvasPen pen;
    QFont font;

    void clear();  // all white
    bool isBlank() const;

    // The pixels of a part of the picture, and putting such pixels back.
    QImage part(QRect area) const { return image_.copy(area); }
    void put(QPoint at, const QImage& pixels);

    // Normal drawing in the pen.
    void line(QPoint from, QPoint to);
    void box(QPoint corner, QPoint opposite);  // outlined and filled
    void circle(QPoint centre, double radius);  // outlined and filled
    // Text with its top left corner at `at`, in the pen colour.
    void text(QPoint at, const QString& text);

    // Invert-mode previews: every pixel the shape covers takes the inverse
    // of its colour, once.
    void invertLine(QPoint from, QPoint to);
    void invertBox(QPoint corner, QPoint opposite);
    void invertCircle(QPoint centre, double radius);

private:
    QImage image_;
};

// One tool of the tool bar. A tool keeps only where its stroke or shape
// began and its last preview, never a copy of the canvas.
class Tool {
public:
    virtual ~Tool() = default;
    virtual void press(Canvas& canvas, QPoint at) = 0;
    virtual void move(Canvas& canvas, QPoint to) = 0;
    virtual void release(Canvas& canvas, QPoint at) = 0;
};

// What can be undone and redone on a canvas. Every finished action (a
// stroke, a shape, a text, a clearing) is one step. A step keeps only the
// rectangle around the pixels the action changed, with the pixels it
// covered before; undoing swaps them for the pixels there now, which redo
// swaps back. So a dot costs a few bytes and only a clearing of a full
// canvas a whole canvas. Past `byteLimit` the oldest steps are forgotten.
class DrawingHistory {
public:
    // About 100 clearings of a full canvas; thousands of ordinary strokes.
    static constexpr qsizetype defaultByteLimit = 32 * 1024 * 1024;
    explicit DrawingHistory(qsizetype byteLimit = defaultByteLimit) : byteLimit_(byteLimit) {}

    // Around an action: `begin` keeps the picture as it was (one copy, only
    // while the action lasts); `finish` turns what changed into a step and
    // drops the redo steps. An action that changed nothing is no step.
    void begin(const Canvas& canvas);
    bool acting() const { return before_.has_value(); }
    void finish(const Canvas& canvas);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    void undo(Canvas& canvas);
    void redo(Canvas& canvas);

    qsizetype bytes() const { return bytes_; }  // the pixels all steps keep
    qsizetype steps() const { return qsizetype(undo_.size() + redo_.size()); }

private:
    struct Step {
        QPoint at;
        QImage pixels;
    };
    static void swap(Canvas& canvas, std::deque<Step>& from, std::deque<Step>& to);

    qsizetype byteLimit_;
    qsizetype bytes_ = 0;
    std::optional<QImage> before_;
    std::deque<Step> undo_;
    std::deque<Step> redo_;
};

// The names of the tools, in tool-bar order.
inline const QString toolFree = QStringLiteral("FREE");
inline const QString toolLine = QStringLiteral("LINE");
inline const QString toolRect = QStringLiteral("RECT");
inline const QString toolCircle = QStringLiteral("CIRCLE");
inline const QString toolErase = QStringLiteral("ERASE");
inline const QString toolText = QStringLiteral("TEXT");

// Asked by the text tool for what to write; nothing when cancelled.
using TextQuestion = std::function<std::optional<QString>()>;

// The tool of a name above (the pencil for an unknown name).
std::unique_ptr<Tool> makeTool(const QString& name, TextQuestion askText = {});

// The distance from `centre` to `at`: the radius of a circle dragged out.
double radiusTo(QPoint centre, QPoint at);

// The name the save dialog proposes for a drawing: the user's name and the
// whole seconds since midnight (at 00:01:05 the suffix is 65).
QString proposedDrawingName(const QString& userName, QTime now);

// Writes the picture as a BMP file, whatever the name's extension, in one
// piece: a failed write leaves no file behind.
bool saveAsBitmap(const QImage& picture, const QString& file);
