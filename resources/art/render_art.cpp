// render_art: turns one SVG drawing into a raster picture of a fixed size.
//
//   render_art <in.svg> <out-file> <width> <height>
//
// The output format follows the extension of <out-file>:
//   .png          32-bit ARGB, transparency kept
//   .bmp          flattened onto white, written as 24-bit RGB so that
//                 older viewers and browsers read it
//   .jpg / .jpeg  flattened onto white, quality 95
//
// Runs at build time, so it always uses the offscreen platform and needs no
// display.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QSvgRenderer>

#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "render_art: %s\n", qPrintable(message));
    return 1;
}

// The offscreen platform complains about a missing XDG_RUNTIME_DIR on build
// machines; that is irrelevant for drawing pictures, so keep the build log
// free of it and pass every other message on.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg && message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

bool parseSize(const QString &text, int &value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value > 0 && value <= 16384;
}

// Qt's SVG renderer takes a CSS font list such as
//   font-family="IPAGothic, 'Noto Sans CJK JP', sans-serif"
// as one single family name, finds no such font and falls back to whatever
// fontconfig offers (losing bold Japanese text on the way). Every list found
// in the drawing is therefore registered as a font substitution that names
// its members in order, so the renderer ends up with the fonts the drawing
// asks for.
void registerFontLists(const QString &svgPath)
{
    QFile file(svgPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString svg = QString::fromUtf8(file.readAll());

    static const QRegularExpression attribute(
        QStringLiteral(R"re(font-family\s*=\s*"([^"]*)")re"));
    static const QRegularExpression property(
        QStringLiteral(R"re(font-family\s*:\s*([^;"]*))re"));

    QSet<QString> lists;
    for (const QRegularExpression *re : {&attribute, &property}) {
        auto it = re->globalMatch(svg);
        while (it.hasNext()) {
            const QString value = it.next().captured(1).trimmed();
            if (value.contains(QLatin1Char(',')))
                lists.insert(value);
        }
    }

    for (const QString &list : std::as_const(lists)) {
        QStringList members;
        for (QString name : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            name = name.trimmed();
            if (name.size() >= 2 && (name.front() == QLatin1Char('\'') || name.front() == QLatin1Char('"')))
                name = name.mid(1, name.size() - 2).trimmed();
            if (!name.isEmpty())
                members << name;
        }
        QFont::insertSubstitutions(list, members);
    }
}

QImage flattenOntoWhite(const QImage &image)
{
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    return flat;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QGuiApplication app(argc, argv);

    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5)
        return fail(QStringLiteral("usage: render_art <in.svg> <out-file> <width> <height>"));

    const QString inPath = args.at(1);
    const QString outPath = args.at(2);
    int width = 0;
    int height = 0;
    if (!parseSize(args.at(3), width) || !parseSize(args.at(4), height))
        return fail(QStringLiteral("bad size %1 x %2").arg(args.at(3), args.at(4)));

    registerFontLists(inPath);
    QSvgRenderer renderer(inPath);
    if (!renderer.isValid())
        return fail(QStringLiteral("cannot read SVG %1").arg(inPath));

    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, width, height));
    }

    const QFileInfo outInfo(outPath);
    if (!QDir().mkpath(outInfo.absolutePath()))
        return fail(QStringLiteral("cannot create folder %1").arg(outInfo.absolutePath()));

    const QString suffix = outInfo.suffix().toLower();
    bool saved = false;
    if (suffix == QLatin1String("png")) {
        saved = image.convertToFormat(QImage::Format_ARGB32).save(outPath, "PNG");
    } else if (suffix == QLatin1String("bmp")) {
        saved = flattenOntoWhite(image).convertToFormat(QImage::Format_RGB888).save(outPath, "BMP");
    } else if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        saved = flattenOntoWhite(image).save(outPath, "JPG", 95);
    } else {
        return fail(QStringLiteral("unknown picture type .%1 (use .png, .bmp or .jpg)").arg(suffix));
    }

    if (!saved)
        return fail(QStringLiteral("cannot save %1").arg(outPath));
    return 0;
}
