#include "printable.h"

#include "dberror.h"
#include "dialogs.h"
#include "fonts.h"
#include "int16.h"
#include "pictures.h"
#include "session.h"
#include "tables.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPrinter>

namespace {

QLabel* label(QWidget* parent, const QString& text, const QFont& font, int left, int top, int width,
              int height)
{
    auto* l = new QLabel(text, parent);
    // What a child typed is printed as typed, never read as markup.
    l->setTextFormat(Qt::PlainText);
    // Text starts at the top of its label, as the layout places it.
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setFont(font);
    l->setGeometry(left, top, width, height);
    return l;
}

}  // namespace

Printable::Printable() : QWidget(nullptr)
{
    setWindowTitle(QStringLiteral("PrintForm"));
    setFixedSize(layoutWidth, layoutHeight);
    setFont(fonts::standard());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setAutoFillBackground(true);

    Shape1 = new QFrame(this);
    Shape1->setGeometry(8, 8, 481, 481);
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setFrameShadow(QFrame::Plain);
    Shape1->setLineWidth(1);

    const QFont heading = fonts::japaneseGothic(14.25, true);
    const QFont entry = fonts::japaneseGothic(12);
    Label1 = label(this, QStringLiteral("・見つけたもの"), heading, 80, 24, 169, 25);
    Label2 = label(this, QStringLiteral("・見つけた日"), heading, 256, 24, 169, 25);
    Label7 = label(this, QString(), entry, 88, 56, 185, 25);
    Label8 = label(this, QString(), entry, 280, 56, 33, 25);
    Label5 = label(this, QStringLiteral("月"), entry, 312, 56, 25, 25);
    Label9 = label(this, QString(), entry, 344, 56, 33, 25);
    Label6 = label(this, QStringLiteral("日"), entry, 376, 56, 25, 25);
    Image1 = new QLabel(this);
    Image1->setGeometry(88, 88, 320, 240);
    Image1->setScaledContents(true);
    Label3 = label(this, QStringLiteral("・コメント"), heading, 80, 344, 169, 25);
    Label4 = label(this, QString(), fonts::standard(), 88, 368, 321, 113);
    Label4->setWordWrap(true);
    Label10 = label(this, QStringLiteral("Wandelo"), fonts::standard(), 424, 464, 81, 17);
}

void Printable::fill(const QString& object, const QString& months, const QString& days,
                     const QString& comment, const QImage& picture)
{
    Label7->setText(object);
    Label8->setText(months);
    Label9->setText(days);
    Label4->setText(comment);
    if (picture.isNull())
        Image1->clear();
    else
        Image1->setPixmap(QPixmap::fromImage(picture));
}

bool Printable::printOn(QPrinter& printer)
{
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The layout is drawn piece by piece rather than grabbed as a picture,
    // so the printer gets real text. Its places are pixels of a 96 dpi
    // screen and keep that size on paper; type sizes are in points anyway.
    const double scale = printer.resolution() / 96.0;
    const auto onPaper = [scale](QRect r) {
        return QRectF(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale);
    };
    painter.setPen(QPen(Qt::black, scale));
    painter.setBrush(Qt::NoBrush);
    const QRectF frame = onPaper(Shape1->geometry());
    painter.drawRect(frame.adjusted(scale / 2, scale / 2, -scale / 2, -scale / 2));
    for (QLabel* l : {Label1, Label2, Label7, Label8, Label5, Label9, Label6, Image1, Label3, Label4,
                      Label10}) {
        const QRectF place = onPaper(l->geometry());
        painter.save();
        painter.setClipRect(place);  // a long comment is cut off at the bottom
        if (!l->pixmap().isNull()) {
            painter.drawPixmap(place, l->pixmap(), QRectF(l->pixmap().rect()));
        } else if (!l->text().isEmpty()) {
            painter.setFont(l->font());
            const int flags = int(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
            painter.drawText(place, flags, l->text());
        }
        painter.restore();
    }
    return painter.end();
}

QString printedNumber(const QString& stored)
{
    const std::optional<qint16> n = toInt16(stored);
    if (!n)
        return QString();
    return *n < 0 ? QString::number(*n) : u' ' + QString::number(*n);
}

void printRecord(Session& session, QWidget* parent)
{
    QString photo, object, comment, months, days;
    try {
        Cursor& record = session.data();
        photo = record.text(tables::find::photo);
        object = record.text(tables::find::object);
        comment = record.text(tables::find::comment);
        months = record.text(tables::find::months);
        days = record.text(tables::find::days);
    } catch (const DbError&) {
        return;  // no record to print
    }
    const QImage picture = loadPicture(session.installation().resolve(photo)).value_or(QImage());
    Printable& printout = session.printable();
    printout.fill(object, printedNumber(months), printedNumber(days), comment, picture);

    QPrinter printer(QPrinter::HighResolution);
    if (session.dialogs().choosePrinter(parent, printer))
        printout.printOn(printer);
    session.destroyPrintable();
}
