// The drawing of the paint window without the window: the tools' results on
// the canvas, the invert-mode previews, and the saving helpers.
#include "painttools.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QRgb white = qRgb(255, 255, 255);
const QRgb black = qRgb(0, 0, 0);

QRgb at(const Canvas& c, int x, int y)
{
    return c.image().pixel(x, y) | 0xff000000u;
}

// The pixels that are not white, and the box around them.
struct Marks {
    int count = 0;
    QRect box;
};
Marks marksOf(const QImage& image)
{
    Marks m;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xff000000u) != white) {
                ++m.count;
                m.box |= QRect(x, y, 1, 1);
            }
    return m;
}

// A press, a few moves and a release, as the mouse gives them.
void drag(Tool& tool, Canvas& canvas, const QList<QPoint>& points)
{
    tool.press(canvas, points.first());
    for (qsizetype i = 1; i < points.size(); ++i)
        tool.move(canvas, points[i]);
    tool.release(canvas, points.last());
}

// A canvas that already holds something in several colours.
Canvas scribbled()
{
    Canvas c(QSize(318, 238));
    c.pen = {QColor(200, 30, 30), 7, QColor(200, 30, 30)};
    c.line({5, 5}, {300, 200});
    c.pen = {QColor(20, 90, 220), 1, QColor(250, 200, 0)};
    c.box({40, 150}, {120, 220});
    c.circle({250, 60}, 30);
    return c;
}

}  // namespace

class TestPaintTools : public QObject {
    Q_OBJECT
private slots:
    void aRectangleIsTheSameSolidBoxDraggedEitherWay()
    {
        Canvas down(QSize(318, 238));
        Canvas up(QSize(318, 238));
        auto tool = makeTool(toolRect);
        drag(*tool, down, {{10, 20}, {30, 30}, {60, 50}});
        tool = makeTool(toolRect);
        drag(*tool, up, {{60, 50}, {20, 45}, {10, 20}});
        QCOMPARE(down.image(), up.image());
        const Marks m = marksOf(down.image());
        QCOMPARE(m.box, QRect(QPoint(10, 20), QPoint(60, 50)));
        QCOMPARE(m.count, 51 * 31);  // solid: every pixel inside is drawn
        QCOMPARE(at(down, 35, 35), black);
    }

    void aWideRectangleKeepsItsOutlineOnTheCorners()
    {
        Canvas c(QSize(318, 238));
        c.pen = {Qt::blue, 10, Qt::yellow};
        auto tool = makeTool(toolRect);
        drag(*tool, c, {{50, 50}, {100, 90}});
        QCOMPARE(marksOf(c.image()).box, QRect(QPoint(46, 46), QPoint(105, 95)));
        QCOMPARE(at(c, 75, 70), qRgb(255, 255, 0));  // filled with the fill colour
        QCOMPARE(at(c, 50, 70), qRgb(0, 0, 255));     // outlined in the pen
    }

    void aCircleIsCentredOnThePressAndReachesTheRelease()
    {
        // 30 to the right and 40 down: a disc of radius 50.
        Canvas c(QSize(318, 238));
        auto tool = makeTool(toolCircle);
        drag(*tool, c, {{150, 110}, {160, 120}, {180, 150}});
        const Marks m = marksOf(c.image());
        QVERIFY2(qAbs(m.box.width() - 101) <= 2 && qAbs(m.box.height() - 101) <= 2,
                 qPrintable(QStringLiteral("%1x%2").arg(m.box.width()).arg(m.box.height())));
        QVERIFY(qAbs(m.box.center().x() - 150) <= 1 && qAbs(m.box.center().y() - 110) <= 1);
        for (const QPoint inside : {QPoint(150, 110), QPoint(198, 110), QPoint(150, 62), QPoint(183, 143)})
            QCOMPARE(at(c, inside.x(), inside.y()), black);
        for (const QPoint outside : {QPoint(203, 110), QPoint(150, 57), QPoint(188, 148)})
            QCOMPARE(at(c, outside.x(), outside.y()), white);
    }

    void aLineEndsWhereTheMouseIsReleased()
    {
        Canvas c(QSize(318, 238));
        auto tool = makeTool(toolLine);
        drag(*tool, c, {{10, 100}, {200, 30}, {100, 100}});
        const Marks m = marksOf(c.image());
        QCOMPARE(m.box, QRect(QPoint(10, 100), QPoint(100, 100)));
        QCOMPARE(m.count, 91);
    }

    void aFastPencilLeavesNoGaps()
    {
        Canvas c(QSize(318, 238));
        auto tool = makeTool(toolFree);
        drag(*tool, c, {{10, 10}, {60, 10}, {60, 40}});
        for (int x = 10; x <= 60; ++x)
            QCOMPARE(at(c, x, 10), black);
        for (int y = 10; y <= 40; ++y)
            QCOMPARE(at(c, 60, y), black);
    }

    void theEraserIsAWhitePenTwelvePixelsWide()
    {
        Canvas c(QSize(318, 238));
        c.pen = {Qt::black, 1, Qt::black};
        c.box({0, 0}, {317, 237});
        auto tool = makeTool(toolErase);
        drag(*tool, c, {{50, 100}, {250, 100}});
        QCOMPARE(c.pen.colour, QColor(Qt::white));
        QCOMPARE(c.pen.width, 12);
        int clearedInColumn = 0;
        for (int y = 80; y < 120; ++y)
            clearedInColumn += at(c, 150, y) == white;
        QCOMPARE(clearedInColumn, 12);
    }

    void theTextToolWritesWhatIsTypedAndNothingOnCancel()
    {
        Canvas c(QSize(318, 238));
        auto cancelled = makeTool(toolText, [] { return std::nullopt; });
        drag(*cancelled, c, {{20, 20}});
        QVERIFY(c.isBlank());
        auto typed = makeTool(toolText, [] { return std::optional<QString>(QStringLiteral("ねこ")); });
        drag(*typed, c, {{20, 20}});
        const Marks m = marksOf(c.image());
        QVERIFY(m.count > 20);
        QVERIFY(m.box.left() >= 20 && m.box.top() >= 20 && m.box.top() < 40);
    }

    void previewTwiceRestoresEveryPixel_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<int>("width");
        for (const int width : {1, 10}) {
            const QByteArray w = QByteArray::number(width);
            QTest::newRow("line " + w) << "line" << width;
            QTest::newRow("box " + w) << "box" << width;
            QTest::newRow("circle " + w) << "circle" << width;
        }
    }
    void previewTwiceRestoresEveryPixel()
    {
        QFETCH(QString, shape);
        QFETCH(int, width);
        Canvas c = scribbled();
        const QImage before = c.image();
        c.pen.width = width;
        auto preview = [&] {
            if (shape == "line")
                c.invertLine({30, 200}, {280, 20});
            else if (shape == "box")
                c.invertBox({280, 200}, {30, 20});
            else
                c.invertCircle({150, 120}, 77.3);
        };
        preview();
        QVERIFY(c.image() != before);
        preview();
        QCOMPARE(c.image(), before);
    }

    void aDraggedShapeLeavesOnlyItselfBehind_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::newRow("line") << toolLine;
        QTest::newRow("rectangle") << toolRect;
        QTest::newRow("circle") << toolCircle;
    }
    void aDraggedShapeLeavesOnlyItselfBehind()
    {
        // Dragged to and fro over a drawing and released where no move went:
        // the canvas holds the drawing and the final shape, nothing of the
        // previews.
        QFETCH(QString, tool);
        Canvas dragged = scribbled();
        auto t = makeTool(tool);
        t->press(dragged, {100, 100});
        for (const QPoint to : {QPoint(101, 100), QPoint(250, 30), QPoint(20, 220), QPoint(180, 160)})
            t->move(dragged, to);
        t->release(dragged, {170, 150});
        Canvas expected = scribbled();
        if (tool == toolLine)
            expected.line({100, 100}, {170, 150});
        else if (tool == toolRect)
            expected.box({100, 100}, {170, 150});
        else
            expected.circle({100, 100}, radiusTo({100, 100}, {170, 150}));
        QCOMPARE(dragged.image(), expected.image());
    }

    void everyKindOfStepIsUndoneAndRedoneBitForBit()
    {
        // One drawing made of every kind of step, undone back to the start
        // and redone to the end, compared with the canvas after each step.
        Canvas c = scribbled();
        DrawingHistory history;
        QList<QImage> states{c.image()};
        const auto step = [&](const QString& toolName, const QList<QPoint>& points, QColor colour, int width) {
            c.pen = {colour, width, colour};
            auto tool = makeTool(toolName, [] { return std::optional<QString>(QStringLiteral("ねこ")); });
            history.begin(c);
            drag(*tool, c, points);
            history.finish(c);
            states << c.image();
        };
        step(toolFree, {{10, 10}, {60, 30}, {90, 10}}, Qt::darkGreen, 3);
        step(toolLine, {{20, 200}, {300, 20}, {200, 100}}, Qt::red, 5);
        step(toolRect, {{150, 150}, {60, 60}, {100, 90}}, Qt::blue, 2);
        step(toolCircle, {{200, 120}, {230, 160}}, Qt::magenta, 1);
        step(toolErase, {{0, 0}, {317, 237}}, Qt::black, 1);
        step(toolText, {{40, 180}}, Qt::black, 1);
        history.begin(c);
        c.clear();
        history.finish(c);
        states << c.image();
        QCOMPARE(history.steps(), 7);

        for (qsizetype i = states.size() - 1; i > 0; --i) {
            QVERIFY(history.canUndo());
            history.undo(c);
            QCOMPARE(c.image(), states[i - 1]);
        }
        QVERIFY(!history.canUndo());
        for (qsizetype i = 1; i < states.size(); ++i) {
            QVERIFY(history.canRedo());
            history.redo(c);
            QCOMPARE(c.image(), states[i]);
        }
        QVERIFY(!history.canRedo());
    }

    void aNewStepAfterUndoDropsTheRedoSteps()
    {
        Canvas c(QSize(318, 238));
        DrawingHistory history;
        for (int y : {20, 40, 60}) {
            history.begin(c);
            c.line({10, y}, {100, y});
            history.finish(c);
        }
        // A step keeps the changed pixels only: 91 × 1 for each line.
        QCOMPARE(history.bytes(), 3 * 91 * 4);
        history.undo(c);
        history.undo(c);
        QCOMPARE(history.steps(), 3);
        history.begin(c);
        c.line({10, 200}, {100, 200});
        history.finish(c);
        QVERIFY(!history.canRedo());
        QCOMPARE(history.steps(), 2);
        history.undo(c);
        history.undo(c);
        QVERIFY(c.isBlank());

        // An action that changed no pixel (a text cancelled, a clearing of
        // a blank canvas) is no step.
        history.begin(c);
        c.clear();
        history.finish(c);
        QVERIFY(!history.canUndo());
        QVERIFY(history.canRedo());  // and leaves the redo steps alone
    }

    void undoSwapsOnlyWhenNoActionGoesOn()
    {
        // Undo in the middle of a dragged shape would put back pixels the
        // preview then inverts again.
        Canvas c(QSize(318, 238));
        DrawingHistory history;
        history.begin(c);
        c.line({10, 10}, {100, 10});
        history.finish(c);
        history.begin(c);
        c.invertBox({20, 20}, {60, 60});
        const QImage midway = c.image();
        history.undo(c);
        QCOMPARE(c.image(), midway);
    }

    void pastItsLimitTheHistoryForgetsTheOldestSteps()
    {
        Canvas c(QSize(318, 238));
        const qsizetype canvasBytes = c.image().sizeInBytes();
        DrawingHistory history(2 * canvasBytes);
        for (int i = 0; i < 5; ++i) {
            history.begin(c);
            c.pen = {QColor(i * 40, 0, 0), 1, QColor(i * 40, 0, 0)};
            c.box({0, 0}, {317, 237});  // every pixel changes
            history.finish(c);
            QVERIFY(history.bytes() <= 2 * canvasBytes);
        }
        QCOMPARE(history.steps(), 2);
        history.undo(c);
        history.undo(c);
        QVERIFY(!history.canUndo());
        QCOMPARE(c.image().pixel(100, 100) | 0xff000000u, qRgb(2 * 40, 0, 0));
    }

    void theProposedNameIsTheUserAndTheSecondsSinceMidnight_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<QString>("name");
        QTest::newRow("00:00:07") << QTime(0, 0, 7) << QStringLiteral("はな7");
        QTest::newRow("00:01:05") << QTime(0, 1, 5) << QStringLiteral("はな65");
        QTest::newRow("midnight") << QTime(0, 0, 0, 999) << QStringLiteral("はな0");
        QTest::newRow("last second") << QTime(23, 59, 59, 500) << QStringLiteral("はな86399");
    }
    void theProposedNameIsTheUserAndTheSecondsSinceMidnight()
    {
        QFETCH(QTime, now);
        QFETCH(QString, name);
        QCOMPARE(proposedDrawingName(QStringLiteral("はな"), now), name);
    }

    void aDrawingIsSavedAsABitmapWhateverItsName()
    {
        QTemporaryDir dir;
        Canvas c = scribbled();
        const QString file = dir.filePath("え.jpg");
        QVERIFY(saveAsBitmap(c.image(), file));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(2), QByteArray("BM"));
        QImage back;
        QVERIFY(back.load(file, "BMP"));
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32), c.image());
        QVERIFY(!saveAsBitmap(c.image(), dir.filePath("ない/え.bmp")));
        QVERIFY(!QFile::exists(dir.filePath("ない/え.bmp")));
    }
};

QTEST_MAIN(TestPaintTools)
#include "test_painttools.moc"
