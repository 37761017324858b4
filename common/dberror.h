#pragma once
// A failing database operation: the engine's error number and its text. The
// text is what the data controls show after their fixed Japanese heading.

#include <QString>
#include <stdexcept>

class DbError : public std::runtime_error {
public:
    DbError(int number, const QString& text)
        : std::runtime_error(text.toStdString()), number_(number), text_(text) {}
    int number() const { return number_; }
    const QString& text() const { return text_; }

private:
    int number_;
    QString text_;
};

// Error numbers of our own checks, beside the engine's own result codes.
namespace dberr {
inline constexpr int noCurrentRow = 3021;      // moved past the end, or deleted
inline constexpr int notEditing = 3020;        // set a field without edit or add
inline constexpr int noSuchColumn = 3265;      // a name that is not a column
inline constexpr int badDatabase = 3343;       // not a database of this system
inline constexpr int cannotOpen = 3024;        // no such file
inline constexpr int busy = 3260;              // another program holds the file
inline constexpr int valueTooLong = 275;       // the engine's code for a failed column check
}  // namespace dberr

// What both programs say when another program keeps the file busy longer
// than they wait for it. The next use tries again.
inline const QString busyText =
    QStringLiteral("ほかのプログラムがデータベースを使っています。少し待ってからもう一度ためしてください。");

// A value longer than its column, refused before it reaches the engine with
// the same number and text the engine's own column check gives.
inline const QString valueTooLongText = QStringLiteral("値が長すぎるか、数の範囲の外です。");
inline DbError valueTooLongError()
{
    return DbError(dberr::valueTooLong, valueTooLongText);
}

// A row asked for that is not there: the cursor stands past the end, or
// another program removed the row.
inline DbError noCurrentRowError()
{
    return DbError(dberr::noCurrentRow, QStringLiteral("カレント レコードがありません。"));
}
