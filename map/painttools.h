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
