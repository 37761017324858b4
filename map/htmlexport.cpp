#include "htmlexport.h"

#include "cp932.h"
#include "cursor.h"
#include "dberror.h"
#include "fileput.h"
#include "int16.h"
#include "pictures.h"
#include "storednames.h"
#include "tables.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace htmlexport {

namespace {

// The fixed pieces of the pages. Browsers have read these pages for years
// as they are, stray quotes included; they stay byte for byte.
const QString F1 = QStringLiteral(
    "</TITLE></HEAD><BODY><DIV style=\"top : 0px;left : 0px;\"  position : absolute;\"  z-index : 1;\" "
    "id=\"Layer1\"><IMG src=\"photo0.jpg\" width=\"800\" height=\"600\" border=\"0\"></DIV>");
const QString F2 = QStringLiteral("<DIV style=\"top : ");
const QString F3 = QStringLiteral("px;  position : absolute;  z-index : 2;\" id=\"Layer");
const QString F4 = QStringLiteral("\"><A href=\"page");
const QString F5 = QStringLiteral(".html\"><IMG src=\"button.jpg\" width=\"33\" height=\"33\" border=\"0\"></A></DIV>");
const QString F6 = QStringLiteral("日</P><P><IMG src=\"");
const QString F7 = QStringLiteral("\" width=\"320\" height=\"240\" border=\"0\"></P><P>");
const QString F8 = QStringLiteral("<P><A href=\"index.html\">もどる</A></P></BODY></HTML>");
// Today's browsers guess an undeclared Shift_JIS page as windows-1252, so
// every page names its encoding first thing in its head.
const QString pageStart = QStringLiteral(
    "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\"><TITLE>");

const QString htmlFolder = QStringLiteral("c:\\Program Files\\ワンデロ\\HTML\\");
const QString buttonPicture = QStringLiteral("c:\\Program Files\\ワンデロ\\HTML\\parts\\button.jpg");

// One picture of the site: a JPEG copied as it is, or a BMP converted.
struct Picture {
    QString source;  // a file of this computer; empty when the name names none
    QString destination;
    bool convert = false;
};

struct Page {
    QString file;
    QString text;
};

enum class Kind { Jpeg, Bitmap, Other };

Kind kindOf(const QString& stored)
{
    const QString ext = MakeFileExt(stored).toLower();
    if (ext == QStringLiteral(".jpg"))
        return Kind::Jpeg;
    if (ext == QStringLiteral(".bmp"))
        return Kind::Bitmap;
    return Kind::Other;
}

// A picture that is missing or cannot be read becomes the placeholder, so
// that one lost photo does not stop a whole site.
bool writePicture(const Picture& picture, const QString& placeholder)
{
    if (!picture.source.isEmpty()) {
        // A phone photo stored on its side is written out turned upright:
        // its bytes would lie sideways in a page that stretches it.
        if (picture.convert || isStoredTurned(picture.source)) {
            if (SavetoJPEG(picture.source, picture.destination))
                return true;
        } else if (QImageReader(picture.source).canRead()) {
            if (copyOver(picture.source, picture.destination))
                return true;
        }
    }
    return SavetoJPEG(placeholder, picture.destination);
}

// Writes the pictures on `workers` threads (this one among them) and the
// pages meanwhile; returns the files that could not be written.
QStringList writeAll(const std::vector<Picture>& pictures, const std::vector<Page>& pages,
                     const QString& placeholder, int workers)
{
    QStringList failed;
    std::mutex failedLock;
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i; (i = next.fetch_add(1)) < pictures.size();) {
            if (!writePicture(pictures[i], placeholder)) {
                const std::lock_guard lock(failedLock);
                failed << pictures[i].destination;
            }
        }
    };
    std::vector<std::thread> helpers;
    const size_t helperCount = std::min<size_t>(size_t(std::max(workers, 1)) - 1, pictures.size());
    for (size_t t = 0; t < helperCount; ++t)
        helpers.emplace_back(work);
    for (const Page& page : pages) {
        if (!putFile(page.file, pageFile(page.text)))
            failed << page.file;
    }
    work();
    for (std::thread& helper : helpers)
        helper.join();
    failed.sort();
    return failed;
}

QString numberOrEmpty(const QVariant& value)
{
    // Damaged data: a month that is no number is written as nothing.
    const std::optional<qint16> number = toInt16(value);
    return number ? QString::number(*number) : QString();
}

int int16Or(const QVariant& value, int fallback)
{
    const std::optional<qint16> number = toInt16(value);
    return number ? *number : fallback;
}

}  // namespace

QString MakeFileExt(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot < 0 ? path : path.mid(dot);
}

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QStringLiteral("&amp;"); break;
        case '<': out += QStringLiteral("&lt;"); break;
        case '>': out += QStringLiteral("&gt;"); break;
        case '"': out += QStringLiteral("&quot;"); break;
        default: out += c;
        }
    }
    return out;
}

QString withLineBreaks(const QString& text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("<BR>"));
    out.replace(u'\n', QStringLiteral("<BR>"));
    out.replace(u'\r', QStringLiteral("<BR>"));
    return out;
}

QByteArray pageFile(const QString& text)
{
    return toCp932(text) + "\r\n";
}

Result run(const Installation& installation, const Request& request, Cursor& data, int workers)
{
    Result result;
    if (!usableAsFolderName(request.name)) {
        result.end = Result::End::NameRefused;
        result.message = QStringLiteral("「%1」はフォルダの名前に使えないので、書き出せません。").arg(request.name);
        return result;
    }
    const QString folder = installation.resolve(htmlFolder + request.name);
    if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder)) {
        result.end = Result::End::Failed;
        result.message = QStringLiteral("フォルダ「%1」を作れません。").arg(folder);
        return result;
    }
    const auto inFolder = [&](const QString& name) { return folder + u'/' + name; };
    const QString placeholder = installation.resolve(tables::placeholderRelative);

    std::vector<Picture> pictures;
    std::vector<Page> pages;
    const auto picture = [&](const QString& stored, const QString& name) {
        pictures.push_back({installation.resolve(stored), inFolder(name), kindOf(stored) == Kind::Bitmap});
    };
    // What is complete when the export stops stays written.
    const auto finish = [&](Result::End end, const QString& message) {
        const QStringList failed = writeAll(pictures, pages, placeholder, workers);
        result.end = end;
        result.message = message;
        if (!failed.isEmpty() && end != Result::End::Failed) {
            result.end = Result::End::Failed;
            result.message = QStringLiteral("次のファイルを書き出せませんでした:\n") + failed.join(u'\n');
        }
        return result;
    };

    if (kindOf(request.backGnd) == Kind::Other) {
        result.end = Result::End::Refused;
        result.message = refusedMessage;
        return result;
    }
    picture(request.backGnd, QStringLiteral("photo0.jpg"));
    if (!copyOver(installation.resolve(buttonPicture), inFolder(QStringLiteral("button.jpg"))))
        return finish(Result::End::Failed,
                      QStringLiteral("「%1」をコピーできません。").arg(installation.resolve(buttonPicture)));

    QString& index = result.index;
    QString& page = result.page;
    try {
        const int n = data.recordCount();
        index = pageStart + escaped(request.name + QStringLiteral("のマップ")) + F1;
        data.moveFirst();
        int j = 1;
        int k = 1;
        for (int i = 0; i < n; ++i) {
            if (toInt16(data.value(tables::find::userID)) == request.userID) {
                // A position that cannot be read puts the button in the corner,
                // where it still leads to its page.
                const int top = int16Or(data.value(tables::find::yz), 0) + 16;
                const int left = int16Or(data.value(tables::find::xz), 0) + 10;
                index += F2 + QString::number(top) + QStringLiteral("px;left : ") + QString::number(left) + F3 +
                         QString::number(k + 1) + F4 + QString::number(k) + F5;
                page = pageStart + escaped(data.text(tables::find::object)) +
                       QStringLiteral("</TITLE></HEAD><BODY>");
                const int head = data.absolutePosition();
                QSet<int> written;
                for (;;) {
                    written.insert(data.absolutePosition());
                    const QString photo = data.text(tables::find::photo);
                    if (kindOf(photo) == Kind::Other)
                        return finish(Result::End::Refused, refusedMessage);
                    const QString name = QStringLiteral("photo") + QString::number(j) + QStringLiteral(".jpg");
                    picture(photo, name);
                    page += QStringLiteral("<P><B>") + escaped(data.text(tables::find::object)) +
                            QStringLiteral("</B><BR>") + numberOrEmpty(data.value(tables::find::months)) +
                            QStringLiteral("月") + numberOrEmpty(data.value(tables::find::days)) + F6 + name +
                            F7 + withLineBreaks(escaped(data.text(tables::find::comment))) + QStringLiteral("<BR></P>");
                    ++j;
                    // A link that leads outside the table, or back to a record
                    // of this page (damaged data), ends the page here.
                    const int c = int16Or(data.value(tables::find::childs), tables::noLink);
                    if (c < 1 || c > n || written.contains(c - 1))
                        break;
                    data.moveFirst();
                    data.move(c - 1);
                }
                data.moveFirst();
                data.move(head);
                page += F8;
                pages.push_back({inFolder(QStringLiteral("page") + QString::number(k) + QStringLiteral(".html")), page});
                ++k;
            }
            data.moveNext();
        }
    } catch (const DbError& e) {
        return finish(Result::End::Failed, e.text());
    }
    index += QStringLiteral("</BODY></HTML>");
    pages.push_back({inFolder(QStringLiteral("index.html")), index});
    return finish(Result::End::Finished, finishedMessage);
}

}  // namespace htmlexport
