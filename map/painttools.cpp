#include "painttools.h"

#include <QFontMetrics>
#include <QPainter>
#include <QSaveFile>
#include <cmath>

namespace {

// A painter on the canvas's picture with the settings every drawing
// shares: no antialiasing, so each pixel is either touched or not.
class CanvasPainter : public QPainter {
public:
    CanvasPainter(QImage& image, bool invert) : QPainter(&image)
    {
        setRenderHint(QPainter::Antialiasing, false);
        if (invert)
            setCompositionMode(QPainter::RasterOp_NotDestination);
    }
};

QPen linePen(const CanvasPen& pen)
{
    return QPen(pen.colour, std::max(1, pen.width), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The rectangle between two corners, both corners included.
QRect between(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

// A rectangle's outline is a band `width` pixels wide centred on the
// rectangle's edge pixels; this is the outer edge of that band.
QRect outerEdge(QRect r, int width)
{
    const int out = (width - 1) / 2;
    const int in = width - 1 - out;
    return r.adjusted(-out, -out, in, in);
}

// Pixel (x, y) covers the square from (x, y) to (x + 1, y + 1); a circle
// around a pixel is centred on that square's middle.
QPointF middleOf(QPoint p)
{
    return QPointF(p.x() + 0.5, p.y() + 0.5);
}

}  // namespace

Canvas::Canvas(QSize size) : image_(size, QImage::Format_RGB32)
{
    clear();
}

void Canvas::clear()
{
    image_.fill(Qt::white);
}

bool Canvas::isBlank() const
{
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < image_.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
        for (int x = 0; x < image_.width(); ++x)
            if ((row[x] | 0xff000000u) != white)
                return false;
    }
    return true;
}

void Canvas::put(QPoint at, const QImage& pixels)
{
    QPainter p(&image_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(at, pixels);
}

void Canvas::line(QPoint from, QPoint to)
{
    CanvasPainter p(image_, false);
    p.setPen(linePen(pen));
    p.drawLine(from, to);
}

void Canvas::invertLine(QPoint from, QPoint to)
{
    CanvasPainter p(image_, true);
    p.setPen(linePen(pen));
    p.drawLine(from, to);
}

void Canvas::box(QPoint corner, QPoint opposite)
{
    const QRect r = between(corner, opposite);
    const int width = std::max(1, pen.width);
    const QRect outer = outerEdge(r, width);
    const QRect inner = outer.adjusted(width, width, -width, -width);
    CanvasPainter p(image_, false);
    p.fillRect(outer, pen.colour);
    if (inner.isValid())
        p.fillRect(inner, pen.fill);
}

void Canvas::invertBox(QPoint corner, QPoint opposite)
{
    const QRect r = between(corner, opposite);
    const QRect outer = outerEdge(r, std::max(1, pen.width));
    CanvasPainter p(image_, true);
    p.fillRect(outer, Qt::black);
}

void Canvas::circle(QPoint centre, double radius)
{
    CanvasPainter p(image_, false);
    p.setPen(QPen(pen.colour, std::max(1, pen.width)));
    p.setBrush(pen.fill);
    p.drawEllipse(middleOf(centre), radius, radius);
}

void Canvas::invertCircle(QPoint centre, double radius)
{
    // The disc the outlined circle covers, in one fill, so that no pixel is
    // inverted twice.
    const double outer = radius + std::max(1, pen.width) / 2.0;
    CanvasPainter p(image_, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(middleOf(centre), outer, outer);
}

void Canvas::text(QPoint at, const QString& text)
{
    QPainter p(&image_);
    p.setFont(font);
    p.setPen(pen.colour);
    p.drawText(at.x(), at.y() + QFontMetrics(font).ascent(), text);
}

// --- undo and redo -----------------------------------------------------------

namespace {

// The smallest rectangle holding every pixel in which two pictures of the
// same size differ; empty when they are alike.
QRect changedArea(const QImage& a, const QImage& b)
{
    QRect area;
    const int w = a.width();
    for (int y = 0; y < a.height(); ++y) {
        const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        int first = 0;
        while (first < w && ra[first] == rb[first])
            ++first;
        if (first == w)
            continue;
        int last = w - 1;
        while (ra[last] == rb[last])
            --last;
        area |= QRect(QPoint(first, y), QPoint(last, y));
    }
    return area;
}

}  // namespace

void DrawingHistory::begin(const Canvas& canvas)
{
    // Shared until the canvas draws next; then the canvas's picture parts
    // from this one, which keeps how it was.
    before_ = canvas.image();
}

void DrawingHistory::finish(const Canvas& canvas)
{
    if (!before_)
        return;
    const QImage before = std::move(*before_);
    before_.reset();
    const QRect area = changedArea(before, canvas.image());
    if (area.isEmpty())
        return;
    for (const Step& s : redo_)
        bytes_ -= s.pixels.sizeInBytes();
    redo_.clear();
    undo_.push_back({area.topLeft(), before.copy(area)});
    bytes_ += undo_.back().pixels.sizeInBytes();
    // The newest step always stays, however large.
    while (bytes_ > byteLimit_ && undo_.size() > 1) {
        bytes_ -= undo_.front().pixels.sizeInBytes();
        undo_.pop_front();
    }
}

void DrawingHistory::swap(Canvas& canvas, std::deque<Step>& from, std::deque<Step>& to)
{
    if (from.empty())
        return;
    Step step = std::move(from.back());
    from.pop_back();
    QImage now = canvas.part(QRect(step.at, step.pixels.size()));
    canvas.put(step.at, step.pixels);
    to.push_back({step.at, std::move(now)});
}

void DrawingHistory::undo(Canvas& canvas)
{
    if (!acting())
        swap(canvas, undo_, redo_);
}

void DrawingHistory::redo(Canvas& canvas)
{
    if (!acting())
        swap(canvas, redo_, undo_);
}

// --- the tools ----------------------------------------------------------------

namespace {

// The pencil: one straight segment per move, from the last point drawn, so
// a fast mouse gives connected segments and never gaps.
class Pencil : public Tool {
public:
    void press(Canvas&, QPoint at) override
    {
        drawing_ = true;
        last_ = at;
    }
    void move(Canvas& canvas, QPoint to) override
    {
        if (!drawing_)
            return;
        canvas.line(last_, to);
        last_ = to;
    }
    void release(Canvas&, QPoint) override { drawing_ = false; }

private:
    bool drawing_ = false;
    QPoint last_;
};

// The eraser is the pencil with a white pen 12 pixels wide; the window
// gives the pen back on release.
class Eraser : public Pencil {
public:
    void press(Canvas& canvas, QPoint at) override
    {
        canvas.pen.colour = Qt::white;
        canvas.pen.fill = Qt::white;
        canvas.pen.width = 12;
        Pencil::press(canvas, at);
    }
};

// Line, rectangle and circle: while dragged, the shape is previewed in
// invert mode; each move draws the last preview again (which erases it)
// and then the new one. The last preview is erased before the final shape
// is drawn, so the canvas holds exactly the shape even when the release
// comes somewhere the last move did not.
class ShapeTool : public Tool {
public:
    void press(Canvas& canvas, QPoint at) override
    {
        if (dragging_)
            return;
        dragging_ = true;
        start_ = at;
        startPreview(canvas);
    }
    void move(Canvas& canvas, QPoint to) override
    {
        if (!dragging_)
            return;
        preview(canvas);
        previewTo(canvas, to);
    }
    void release(Canvas& canvas, QPoint at) override
    {
        if (!dragging_)
            return;
        preview(canvas);
        draw(canvas, at);
        dragging_ = false;
    }

protected:
    virtual void startPreview(Canvas& canvas) = 0;
    virtual void preview(Canvas& canvas) = 0;  // the last preview again
    virtual void previewTo(Canvas& canvas, QPoint to) = 0;
    virtual void draw(Canvas& canvas, QPoint at) = 0;
    QPoint start_;

private:
    bool dragging_ = false;
};

class StraightLine : public ShapeTool {
    void startPreview(Canvas& canvas) override { previewTo(canvas, start_ + QPoint(1, 0)); }
    void preview(Canvas& canvas) override { canvas.invertLine(start_, end_); }
    void previewTo(Canvas& canvas, QPoint to) override
    {
        end_ = to;
        canvas.invertLine(start_, end_);
    }
    void draw(Canvas& canvas, QPoint at) override { canvas.line(start_, at); }
    QPoint end_;
};

class Rectangle : public ShapeTool {
    void startPreview(Canvas& canvas) override { previewTo(canvas, start_ + QPoint(1, 0)); }
    void preview(Canvas& canvas) override { canvas.invertBox(start_, end_); }
    void previewTo(Canvas& canvas, QPoint to) override
    {
        end_ = to;
        canvas.invertBox(start_, end_);
    }
    void draw(Canvas& canvas, QPoint at) override { canvas.box(start_, at); }
    QPoint end_;
};

class Circle : public ShapeTool {
    void startPreview(Canvas& canvas) override
    {
        radius_ = 1;
        canvas.invertCircle(start_, radius_);
    }
    void preview(Canvas& canvas) override { canvas.invertCircle(start_, radius_); }
    void previewTo(Canvas& canvas, QPoint to) override
    {
        radius_ = radiusTo(start_, to);
        canvas.invertCircle(start_, radius_);
    }
    void draw(Canvas& canvas, QPoint at) override { canvas.circle(start_, radiusTo(start_, at)); }
    double radius_ = 1;
};

class Lettering : public Tool {
public:
    explicit Lettering(TextQuestion ask) : ask_(std::move(ask)) {}
    void press(Canvas& canvas, QPoint at) override
    {
        const std::optional<QString> typed = ask_ ? ask_() : std::nullopt;
        if (typed && !typed->isEmpty())
            canvas.text(at, *typed);
    }
    void move(Canvas&, QPoint) override {}
    void release(Canvas&, QPoint) override {}

private:
    TextQuestion ask_;
};

}  // namespace

std::unique_ptr<Tool> makeTool(const QString& name, TextQuestion askText)
{
    if (name == toolLine)
        return std::make_unique<StraightLine>();
    if (name == toolRect)
        return std::make_unique<Rectangle>();
    if (name == toolCircle)
        return std::make_unique<Circle>();
    if (name == toolErase)
        return std::make_unique<Eraser>();
    if (name == toolText)
        return std::make_unique<Lettering>(std::move(askText));
    return std::make_unique<Pencil>();
}

double radiusTo(QPoint centre, QPoint at)
{
    const double dx = at.x() - centre.x();
    const double dy = at.y() - centre.y();
    return std::sqrt(dx * dx + dy * dy);
}

QString proposedDrawingName(const QString& userName, QTime now)
{
    return userName + QString::number(now.msecsSinceStartOfDay() / 1000);
}

bool saveAsBitmap(const QImage& picture, const QString& file)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (!picture.save(&out, "BMP"))
        return false;
    return out.commit();
}
