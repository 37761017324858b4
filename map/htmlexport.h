#pragma once
// Building the static web site of a user's map: index.html with the
// background and one button per point, one page per point listing every
// record of its place, the pictures as JPEG, all in the user's folder
// below HTML/. The pages are Shift_JIS (CP932) text for the browsers of
// Windows computers in Japan, and each declares its encoding. No window is
// needed, so tests run it on a cursor of their own.

#include "installation.h"

#include <QString>

class Cursor;

namespace htmlexport {

// The text from the last "." of a path to its end, the dot included; the
// whole path when it has no "."; empty for an empty path.
QString MakeFileExt(const QString& path);

// `&`, `<`, `>` and `"` as character references, so that a child's "<3"
// shows as typed and no text can break or script a page.
QString escaped(const QString& text);

// Each CR LF, lone LF or lone CR as "<BR>": a comment typed on several
// lines shows on several lines.
QString withLineBreaks(const QString& text);

// The bytes of a page file: the text in CP932, then CR LF.
QByteArray pageFile(const QString& text);

inline const QString finishedMessage = QStringLiteral("変換が完了しました");
inline const QString refusedMessage = QStringLiteral("jpgまたはbmp以外の画像は扱えません");

struct Result {
    enum class End {
        Finished,     // everything written
        Refused,      // a picture that is neither .jpg nor .bmp
        NameRefused,  // the name cannot be a folder name: nothing written
        Failed,       // a file or the database failed: what is written stays
    };
    End end = End::Finished;
    QString message;
    // The index page and the last point page as assembled, for the
    // window to show; empty when the export never got to them.
    QString index;
    QString page;
};

struct Request {
    QString name;     // the user's Name: the folder below HTML/
    QString backGnd;  // the user's BackGnd as stored
    qint16 userID = 0;
};

// Writes the site. Walks `data` from its first row, following each
// point's chain, and leaves it past the last row (on the refused record
// when a picture is refused). The pictures are written by `workers`
// threads; the pages and their numbering do not depend on it.
Result run(const Installation& installation, const Request& request, Cursor& data, int workers = 2);

}  // namespace htmlexport
