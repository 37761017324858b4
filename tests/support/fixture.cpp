#include "fixture.h"

#include "schema.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QWidget>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <sqlite3.h>
#include <stdexcept>

namespace {

struct Connection {
    explicit Connection(const QString& path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw std::runtime_error("fixture: cannot open database");
    }
    ~Connection() { sqlite3_close(db); }
    sqlite3* db = nullptr;
};

}  // namespace

Fixture::Fixture() : installation_(dir_.path())
{
    createDatabase(installation_.database());
    QDir(folder()).mkpath(QStringLiteral("写真"));
    QDir(folder()).mkpath(QStringLiteral("背景"));
}

void Fixture::sql(const QString& statements) const
{
    Connection c(database());
    char* message = nullptr;
    if (sqlite3_exec(c.db, statements.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "?";
        sqlite3_free(message);
        throw std::runtime_error("fixture SQL failed: " + text);
    }
}

QVariantList Fixture::query(const QString& select) const
{
    Connection c(database());
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(c.db, select.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error("fixture query failed");
    QVariantList values;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_NULL: values << QVariant(); break;
            case SQLITE_INTEGER: values << QVariant::fromValue<qint64>(sqlite3_column_int64(stmt, i)); break;
            case SQLITE_FLOAT: values << sqlite3_column_double(stmt, i); break;
            default:
                values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
            }
        }
    }
    sqlite3_finalize(stmt);
    return values;
}

QVariant Fixture::single(const QString& select) const
{
    const QVariantList values = query(select);
    return values.isEmpty() ? QVariant() : values.first();
}

namespace {
QString literal(const QString& text)
{
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}
QString literal(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("NULL");
    return value.toString();
}
}  // namespace

void Fixture::addUser(const QString& name, int userID, const QString& backGnd) const
{
    sql(QStringLiteral("INSERT INTO userdata VALUES (%1, %2, %3)")
            .arg(literal(name))
            .arg(userID)
            .arg(literal(backGnd)));
}

void Fixture::addFind(const Find& f) const
{
    const int position = single(QStringLiteral("SELECT count(*) FROM data")).toInt();
    sql(QStringLiteral("INSERT INTO data VALUES (%1, %2, %3, %4, '%5', %6, %7, %8, %9, %10, %11)")
            .arg(literal(f.object), literal(f.months), literal(f.days), literal(f.comment))
            .arg(position + 1)
            .arg(literal(f.yz), literal(f.xz), literal(f.photo))
            .arg(f.childs)
            .arg(f.mother)
            .arg(f.userID));
}

QString Fixture::writePicture(const QString& relative, QColor colour, int w, int h) const
{
    const QString path = folder() + u'/' + relative;
    QDir().mkpath(QFileInfo(path).path());
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(colour);
    const QString suffix = QFileInfo(path).suffix().toLower();
    image.save(path, suffix == QStringLiteral("jpg") ? "JPEG" : "BMP");
    return path;
}

QString Fixture::writeSidewaysPhoto(const QString& relative, int w, int h) const
{
    // Stored: left half red, right half blue; turned clockwise, the left
    // edge comes to the top.
    QImage stored(w, h, QImage::Format_RGB888);
    stored.fill(Qt::blue);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w / 2; ++x)
            stored.setPixelColor(x, y, Qt::red);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    stored.save(&buffer, "JPEG", 95);
    // An APP1 segment with a big-endian EXIF block of one entry: tag 0x0112
    // (orientation), type SHORT, count 1, value 6.
    const QByteArray tiff = QByteArray("MM\x00\x2A\x00\x00\x00\x08", 8) + QByteArray("\x00\x01", 2) +
                            QByteArray("\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00", 12) +
                            QByteArray(4, '\0');
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    const int length = body.size() + 2;
    QByteArray app1("\xFF\xE1", 2);
    app1 += char(length >> 8);
    app1 += char(length & 0xFF);
    app1 += body;
    jpeg.insert(2, app1);  // right after the start-of-image marker

    const QString path = folder() + u'/' + relative;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(jpeg);
    return path;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QList<QWidget*> visibleWindows()
{
    QList<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shown << w;
    return shown;
}

void typeInto(QWidget* field, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        line->setText(text);
        line->setModified(true);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(field)) {
        memo->setPlainText(text);
        memo->document()->setModified(true);
    }
}

FileLock::FileLock(const QString& path)
{
    if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK
        || sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error("fixture: cannot lock the database");
}

FileLock::~FileLock()
{
    release();
}

void FileLock::release()
{
    if (db_)
        sqlite3_close(db_);  // rolls the open transaction back
    db_ = nullptr;
}
