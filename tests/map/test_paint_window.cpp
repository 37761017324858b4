// The paint window and its palette, opened from the record window of a
// point the way a child opens them.
#include "colourbox.h"
#include "dberror.h"
#include "datas.h"
#include "main_window.h"
#include "mapprogram.h"
#include "paint.h"
#include "pallete.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

const QRgb white = qRgb(255, 255, 255);

struct Painting {
    Fixture f;
    MapProgram p{f};
    Datas* records = nullptr;
    Painting()
    {
        f.addUser("はな", 2, "背景\\park.bmp");
        f.writePicture("背景/park.bmp");
        f.writePicture("写真/glay.bmp", Qt::gray, 320, 240);
        f.addFind({"かぶと虫", 2, 100, 100, "写真\\glay.bmp", 0, 0, "7", "21"});
        p.start();
        p.choose("はな");
        p.clickPoint(0, Qt::LeftButton);
        records = &p.session.datas();
    }
    Paint& open()
    {
        records->Command2->click();
        Paint& paint = p.session.paint();
        if (!QTest::qWaitForWindowExposed(&paint))
            qWarning("the paint window was not exposed");
        return paint;
    }
    QString photo() const { return f.single("SELECT photo FROM data").toString(); }
};

QPoint onScreen(QPoint canvasPoint)
{
    return canvasPoint + QPoint(CanvasView::border, CanvasView::border);
}

// A stroke or shape with real mouse events on the canvas.
void drag(Paint& paint, const QList<QPoint>& points)
{
    QWidget* canvas = paint.Picture1;
    QTest::mousePress(canvas, Qt::LeftButton, {}, onScreen(points.first()));
    for (qsizetype i = 1; i < points.size(); ++i)
        QTest::mouseMove(canvas, onScreen(points[i]));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, onScreen(points.last()));
}

void chooseTool(Paint& paint, int index)
{
    paint.Buttons.at(index - 1)->trigger();
}

QRgb pixel(Paint& paint, int x, int y)
{
    return paint.canvas().image().pixel(x, y) | 0xff000000u;
}

// How many pixels of column x between y0 and y1 have the colour.
int runIn(Paint& paint, int x, int y0, int y1, QRgb colour)
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        n += pixel(paint, x, y) == colour;
    return n;
}

}  // namespace

class TestPaintWindow : public QObject {
    Q_OBJECT
private slots:
    void opensBlankWithThePencilInBlack()
    {
        Painting t;
        Paint& paint = t.open();
        QVERIFY(!t.records->isVisible());
        QCOMPARE(paint.windowTitle(), QStringLiteral("ペイント"));
        QCOMPARE(paint.size(), QSize(383, 327));
        QCOMPARE(paint.Picture1->geometry(), QRect(52, 12, 320, 240));
        QVERIFY(paint.canvas().isBlank());
        QCOMPARE(paint.tool(), QStringLiteral("FREE"));
        QCOMPARE(paint.ColorInfo->colour(), QColor(Qt::black));
        QCOMPARE(paint.Text1->text(), QStringLiteral("1"));
        QStringList tips;
        for (QAction* a : paint.Buttons)
            tips << a->toolTip();
        QCOMPARE(tips, QStringList({"えんぴつ", "直線", "四角", "円", "消しゴム", "文字"}));
        for (QAction* a : paint.Buttons)
            QVERIFY(!a->icon().pixmap(32, 32).isNull());
        chooseTool(paint, 5);
        QCOMPARE(paint.tool(), QStringLiteral("ERASE"));
        QCOMPARE(paint.Picture1->cursor().shape(), Qt::BitmapCursor);
        chooseTool(paint, 2);
        QCOMPARE(paint.Picture1->cursor().shape(), Qt::CrossCursor);
    }

    void greenAroundTheCanvasOrdinaryColourOnTheBarAndPanel()
    {
        Painting t;
        const QImage shown = t.open().grab().toImage();
        const QColor green(0, 128, 0);
        const QColor ordinary = QApplication::palette().color(QPalette::Window);
        QCOMPARE(shown.pixelColor(48, 100), green);  // between the tool bar and the canvas
        // The style may shade a frame a little; green is far from all of them.
        const auto nearOrdinary = [&](QPoint at) {
            const QColor c = shown.pixelColor(at);
            return qAbs(c.red() - ordinary.red()) + qAbs(c.green() - ordinary.green()) +
                       qAbs(c.blue() - ordinary.blue()) < 24;
        };
        QVERIFY(nearOrdinary({42, 60}));  // the tool bar beside its buttons
        QVERIFY(nearOrdinary({376, 290}));  // the bottom panel
        QVERIFY(nearOrdinary({12, 305}));  // inside the frame "線の色"
    }

    void afterErasingThePencilDrawsInTheDrawingColourAgain()
    {
        Painting t;
        Paint& paint = t.open();
        paint.Slider1->setValue(10);
        QCOMPARE(paint.Text1->text(), QStringLiteral("10"));
        QCOMPARE(paint.drawingPen().width, 10);
        drag(paint, {{20, 50}, {200, 50}});
        QCOMPARE(runIn(paint, 100, 30, 70, qRgb(0, 0, 0)), 10);  // 10 pixels wide
        chooseTool(paint, 5);
        drag(paint, {{100, 30}, {100, 70}});
        QCOMPARE(runIn(paint, 100, 30, 70, qRgb(0, 0, 0)), 0);
        QCOMPARE(runIn(paint, 100, 45, 55, white), 11);
        chooseTool(paint, 1);
        drag(paint, {{20, 120}, {200, 120}});
        QCOMPARE(runIn(paint, 100, 100, 140, qRgb(0, 0, 0)), 10);
    }

    void thePaletteHasFortyEightColoursInSixRowsOfEight()
    {
        const QList<QList<QRgb>> expected = {
            {0xffffff, 0xffc0c0, 0xffe0c0, 0xffffc0, 0xc0ffc0, 0xc0ffff, 0xc0c0ff, 0xffc0ff},
            {0xe0e0e0, 0xff8080, 0xffc080, 0xffff80, 0x80ff80, 0x80ffff, 0x8080ff, 0xff80ff},
            {0xc0c0c0, 0xff0000, 0xff8000, 0xffff00, 0x00ff00, 0x00ffff, 0x0000ff, 0xff00ff},
            {0x808080, 0xc00000, 0xc04000, 0xc0c000, 0x00c000, 0x00c0c0, 0x0000c0, 0xc000c0},
            {0x404040, 0x800000, 0x804000, 0x808000, 0x008000, 0x008080, 0x000080, 0x800080},
            {0x000000, 0x400000, 0x804040, 0x404000, 0x004000, 0x004040, 0x000040, 0x400040}};
        Painting t;
        t.open();
        Pallete& palette = t.p.session.palette();
        QCOMPARE(palette.windowTitle(), QStringLiteral("カラーパレット"));
        QCOMPARE(palette.size(), QSize(160, 129));
        QCOMPARE(palette.picColor.size(), 48);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 8; ++c) {
                ColourBox* box = palette.picColor.at(r * 8 + c);
                QCOMPARE(box->colour().rgb() & 0xffffff, expected[r][c]);
                QCOMPARE(box->geometry(), QRect(8 + 16 * c, 16 + 16 * r, 17, 17));
            }
    }

    void aSwatchClickSetsTheColourAndClosesThePalette()
    {
        Painting t;
        Paint& paint = t.open();
        QTest::mouseClick(paint.ColorInfo, Qt::LeftButton);
        Pallete& palette = t.p.session.palette();
        QVERIFY(palette.isVisible());
        QTest::mouseClick(palette.picColor.at(2 * 8 + 1), Qt::LeftButton);  // red
        QVERIFY(!t.p.session.hasPalette());
        const QColor red(255, 0, 0);
        QCOMPARE(paint.drawingPen().colour, red);
        QCOMPARE(paint.ColorInfo->colour(), red);
        chooseTool(paint, 3);
        drag(paint, {{10, 10}, {40, 40}});
        QCOMPARE(pixel(paint, 25, 25), red.rgb());
        // The eraser stays white with a colour chosen, and gives it back.
        paint.Command3->click();
        chooseTool(paint, 5);
        QTest::mouseClick(t.p.session.palette().picColor.at(6), Qt::LeftButton);  // light blue
        drag(paint, {{25, 10}, {25, 40}});
        QCOMPARE(pixel(paint, 25, 25), white);
        chooseTool(paint, 1);
        drag(paint, {{100, 100}, {150, 100}});
        QCOMPARE(pixel(paint, 120, 100), qRgb(192, 192, 255));
    }

    void clearAsksFirst()
    {
        Painting t;
        Paint& paint = t.open();
        drag(paint, {{10, 10}, {100, 100}});
        t.p.dialogs.answer(Dialogs::Answer::No);
        paint.Command5->click();
        QVERIFY(!paint.canvas().isBlank());
        const auto& q = t.p.dialogs.asked.last();
        QCOMPARE(q.text, QStringLiteral("この絵を消去しますか？"));
        QCOMPARE(q.title, QStringLiteral("注意！"));
        QCOMPARE(q.buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(q.icon, Dialogs::Icon::None);
        t.p.dialogs.answer(Dialogs::Answer::Yes);
        paint.Command5->click();
        QVERIFY(paint.canvas().isBlank());
    }

    void okSavesABitmapAndMakesItThePictureOfTheRecord()
    {
        Painting t;
        t.p.session.signIn(t.p.session.currentUserID(), "はな");
        Paint& paint = t.open();
        paint.clock = [] { return QTime(0, 0, 7); };
        drag(paint, {{10, 10}, {100, 100}});
        typeInto(t.records->Text1, "くわがた");  // typed before the drawing
        const QString file = QDir(t.f.installation().photoFolder()).filePath("はな7.bmp");
        t.p.dialogs.choose(file);
        paint.Command1->click();
        const auto& q = t.p.dialogs.asked.last();
        QCOMPARE(q.kind, QStringLiteral("save"));
        QCOMPARE(q.proposed, QStringLiteral("はな7"));
        QCOMPARE(q.folder, t.f.installation().photoFolder());
        QCOMPARE(q.filters.first().label, QStringLiteral("ビットマップ(*.BMP)"));
        QCOMPARE(fileBytes(file).left(2), QByteArray("BM"));
        QCOMPARE(t.photo(), QStringLiteral("C:\\Program Files\\ワンデロ\\写真\\はな7.bmp"));
        QCOMPARE(t.f.single("SELECT object FROM data").toString(), QStringLiteral("くわがた"));
        QVERIFY(!t.p.session.hasPaint());
        QVERIFY(t.records->isVisible());
        QCOMPARE(t.records->windowModality(), Qt::NonModal);
        QVERIFY(!t.records->Image1->pixmap().isNull());
        // The next drawing starts blank again.
        QVERIFY(t.open().canvas().isBlank());
    }

    // A drawing and a background chosen inside the installation folder are
    // stored in its Windows form, so the folder can move (or the database
    // travel) and both pictures are still found.
    void aMovedInstallationFindsTheDrawingAndTheBackground()
    {
        Fixture f;
        f.addUser("はな", 2, "背景\\park.bmp");
        f.writePicture("背景/park.bmp");
        f.writePicture("背景/school.bmp", Qt::blue);
        f.writePicture("写真/glay.bmp", Qt::gray, 320, 240);
        f.addFind({"かぶと虫", 2, 100, 100, "写真\\glay.bmp", 0, 0, "7", "21"});
        {
            MapProgram p(f);
            p.start();
            p.choose("はな");
            p.dialogs.choose(f.folder() + "/背景/school.bmp");
            p.map().file_load->trigger();
            p.clickPoint(0, Qt::LeftButton);
            p.session.datas().Command2->click();
            Paint& paint = p.session.paint();
            QVERIFY(QTest::qWaitForWindowExposed(&paint));
            paint.Slider1->setValue(10);
            drag(paint, {{0, 100}, {300, 100}});
            p.dialogs.choose(f.folder() + "/写真/はな7.bmp");
            paint.Command1->click();
            QVERIFY(!p.session.hasPaint());
        }
        QCOMPARE(f.single("SELECT BackGnd FROM userdata").toString(),
                 QStringLiteral("C:\\Program Files\\ワンデロ\\背景\\school.bmp"));
        QCOMPARE(f.single("SELECT photo FROM data").toString(),
                 QStringLiteral("C:\\Program Files\\ワンデロ\\写真\\はな7.bmp"));

        QTemporaryDir elsewhere;
        const QString moved = elsewhere.path() + "/学校のワンデロ";
        QVERIFY(QDir().rename(f.folder(), moved));
        MapProgram p{Installation(moved)};
        p.start();
        p.choose("はな");
        Main& map = p.map();
        QCOMPARE(map.map()->picture().pixelColor(10, 10), QColor(Qt::blue));
        p.clickPoint(0, Qt::LeftButton);
        for (const auto& q : p.dialogs.asked)
            QVERIFY2(q.kind != "message", qPrintable(q.text));  // nothing reported missing
        const QImage shown = p.session.datas().Image1->pixmap().toImage();
        QVERIFY(!shown.isNull());
        QCOMPARE(shown.pixel(shown.width() / 2, shown.height() * 100 / 240) | 0xff000000u, qRgb(0, 0, 0));
        QCOMPARE(shown.pixel(shown.width() / 2, shown.height() / 10) | 0xff000000u, white);
    }

    // Every path is resolved against the installation folder: another
    // current folder, with pictures of the same names in it, changes
    // nothing, and the program leaves the current folder as it found it.
    void theCurrentFolderPlaysNoPart()
    {
        QTemporaryDir elsewhere;
        QVERIFY(QDir().mkpath(elsewhere.path() + "/背景"));
        QImage decoy(800, 600, QImage::Format_RGB32);
        decoy.fill(Qt::red);
        QVERIFY(decoy.save(elsewhere.path() + "/背景/park.bmp", "BMP"));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        struct Back {
            QString folder;
            ~Back() { QDir::setCurrent(folder); }
        } back{before};

        Painting t;  // the map and the record window open from there
        QCOMPARE(t.p.map().map()->picture().pixelColor(10, 10), QColor(Qt::green));
        QVERIFY(!t.records->Image1->pixmap().isNull());
        Paint& paint = t.open();
        drag(paint, {{10, 10}, {100, 100}});
        const QString file = t.f.folder() + "/写真/はな7.bmp";
        t.p.dialogs.choose(file);
        paint.Command1->click();
        for (const auto& q : t.p.dialogs.asked)
            QVERIFY2(q.kind != "message", qPrintable(q.text));
        QCOMPARE(fileBytes(file).left(2), QByteArray("BM"));
        QCOMPARE(t.photo(), QStringLiteral("C:\\Program Files\\ワンデロ\\写真\\はな7.bmp"));
        QCOMPARE(QDir(QDir::currentPath()).canonicalPath(), QDir(elsewhere.path()).canonicalPath());
    }

    // A name photo cannot hold: said so, nothing stored, and the file just
    // written goes again; the drawing stays on the canvas.
    void aNameTooLongForPhotoIsRefused()
    {
        Painting t;
        Paint& paint = t.open();
        drag(paint, {{10, 10}, {100, 100}});
        QTemporaryDir elsewhere;
        const QString deep = elsewhere.path() + '/' + QString(100, u'e');
        QVERIFY(QDir().mkpath(deep));
        t.p.dialogs.choose(deep + "/え.bmp");
        paint.Command1->click();
        QCOMPARE(t.p.dialogs.messages().last(), valueTooLongText);
        QCOMPARE(t.photo(), QStringLiteral("写真\\glay.bmp"));
        QVERIFY(!QFile::exists(deep + "/え.bmp"));
        QVERIFY(t.p.session.hasPaint());
        QVERIFY(!paint.canvas().isBlank());
    }

    void anExistingNameIsRefusedAndAnyNameGivesABitmap()
    {
        Painting t;
        Paint& paint = t.open();
        drag(paint, {{10, 10}, {100, 100}});
        const QString existing = t.f.folder() + "/写真/glay.bmp";
        const QByteArray before = fileBytes(existing);
        t.p.dialogs.choose(existing);
        paint.Command1->click();
        const auto& q = t.p.dialogs.asked.last();
        QCOMPARE(q.text, QStringLiteral("同じ名前のファイルがあります。再度保存処理を行ってください。"));
        QCOMPARE(q.icon, Dialogs::Icon::Critical);
        QCOMPARE(q.title, QStringLiteral("ワンデロ"));
        QCOMPARE(fileBytes(existing), before);
        QCOMPARE(t.photo(), QStringLiteral("写真\\glay.bmp"));
        QVERIFY(paint.isVisible());
        QVERIFY(!paint.canvas().isBlank());

        t.p.dialogs.choose("");  // the save dialog cancelled
        paint.Command1->click();
        QVERIFY(paint.isVisible());

        const QString jpegName = t.f.folder() + "/写真/え.jpg";
        t.p.dialogs.choose(jpegName);
        paint.Command1->click();
        QCOMPARE(fileBytes(jpegName).left(2), QByteArray("BM"));
        QCOMPARE(t.photo(), QStringLiteral("C:\\Program Files\\ワンデロ\\写真\\え.jpg"));
    }

    void aFailedWriteKeepsTheDrawingAndTheRecord()
    {
        Painting t;
        Paint& paint = t.open();
        drag(paint, {{10, 10}, {100, 100}});
        t.p.dialogs.choose(t.f.folder() + "/ないフォルダ/え.bmp");
        paint.Command1->click();
        QCOMPARE(t.p.dialogs.messages().last(),
                 QStringLiteral("絵を保存できませんでした。別の場所か別の名前で保存してください。"));
        QVERIFY(paint.isVisible());
        QVERIFY(!paint.canvas().isBlank());
        QCOMPARE(t.photo(), QStringLiteral("写真\\glay.bmp"));
    }

    void cancelAndTheCloseBoxBringTheRecordWindowBack()
    {
        Painting t;
        t.open().Command2->click();
        QVERIFY(!t.p.session.hasPaint());
        QVERIFY(t.records->isVisible());
        QCOMPARE(t.photo(), QStringLiteral("写真\\glay.bmp"));

        Paint& paint = t.open();
        paint.close();  // blank: closes without a question
        QVERIFY(!t.p.session.hasPaint());
        QVERIFY(t.p.dialogs.asked.isEmpty());

        Paint& drawn = t.open();
        drag(drawn, {{10, 10}, {100, 100}});
        t.p.dialogs.answer(Dialogs::Answer::No);
        drawn.close();
        QVERIFY(t.p.session.hasPaint());
        QVERIFY(drawn.isVisible());
        t.p.dialogs.answer(Dialogs::Answer::Yes);
        drawn.close();
        QVERIFY(!t.p.session.hasPaint());
        QVERIFY(t.records->isVisible());
    }

    void logoutTakesTheDrawingWindowsAlong()
    {
        Painting t;
        t.open().Command3->click();
        QVERIFY(t.p.session.hasPalette());
        t.p.session.logout();
        QVERIFY(!t.p.session.hasPaint());
        QVERIFY(!t.p.session.hasPalette());
        QVERIFY(t.p.session.hasLogin());
    }

    void undoAndRedoFromTheButtonsAndTheKeys()
    {
        Painting t;
        Paint& paint = t.open();
        QVERIFY(QTest::qWaitForWindowActive(&paint));
        const auto state = [&] {
            return std::pair{paint.Command6->isEnabled(), paint.Command7->isEnabled()};
        };
        QCOMPARE(paint.Command6->toolTip(), QStringLiteral("もどす"));
        QCOMPARE(paint.Command7->toolTip(), QStringLiteral("やりなおす"));
        QCOMPARE(state(), std::pair(false, false));
        // Beside the tool bar's six buttons, above "クリア", in the window.
        QVERIFY(paint.Command6->geometry().top() >= paint.Toolbar1->widgetForAction(paint.Buttons.last())
                                                          ->geometry().bottom());
        QVERIFY(paint.Command6->geometry().bottom() < paint.Command5->geometry().top());

        drag(paint, {{10, 10}, {100, 100}});
        const QImage stroke = paint.canvas().image();
        QCOMPARE(state(), std::pair(true, false));
        paint.Command6->click();
        QVERIFY(paint.canvas().isBlank());
        QCOMPARE(state(), std::pair(false, true));
        paint.Command7->click();
        QCOMPARE(paint.canvas().image(), stroke);

        QTest::keyClick(&paint, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(paint.canvas().isBlank());
        QTest::keyClick(&paint, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(paint.canvas().image(), stroke);
        QTest::keyClick(&paint, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(&paint, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(paint.canvas().image(), stroke);
        // The keys mean the drawing also while the line width field has
        // the focus.
        paint.Text1->setFocus();
        QTest::keyClick(paint.Text1, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(paint.canvas().isBlank());
        QTest::keyClick(paint.Text1, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(paint.canvas().image(), stroke);

        // "クリア" is a step once confirmed, and nothing when refused.
        t.p.dialogs.answer(Dialogs::Answer::No);
        paint.Command5->click();
        t.p.dialogs.answer(Dialogs::Answer::Yes);
        paint.Command5->click();
        QVERIFY(paint.canvas().isBlank());
        paint.Command6->click();
        QCOMPARE(paint.canvas().image(), stroke);
        QCOMPARE(state(), std::pair(true, true));

        // A new stroke after an undo: nothing left to redo.
        chooseTool(paint, 3);
        drag(paint, {{150, 150}, {200, 200}});
        QCOMPARE(state(), std::pair(true, false));
        paint.Command6->click();
        paint.Command6->click();
        QVERIFY(paint.canvas().isBlank());
        QCOMPARE(state(), std::pair(false, true));
    }

    void theTextToolAsksForTheText()
    {
        Painting t;
        Paint& paint = t.open();
        chooseTool(paint, 6);
        t.p.dialogs.type("ねこ");
        drag(paint, {{30, 30}});
        const auto& q = t.p.dialogs.asked.last();
        QCOMPARE(q.kind, QStringLiteral("input"));
        QCOMPARE(q.text, QStringLiteral("文字を入れてください"));
        QCOMPARE(q.title, QStringLiteral("ワンデロ"));
        QCOMPARE(q.proposed, QString());
        QVERIFY(!paint.canvas().isBlank());
    }
};

QTEST_MAIN(TestPaintWindow)
#include "test_paint_window.moc"
