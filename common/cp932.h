#pragma once
// Text files for Windows computers in Japan are Shift_JIS, in Microsoft's
// variant CP932. Written through the C library's iconv, so the bytes are
// the ones a Japanese Windows writes.

#include <QByteArray>
#include <QString>

// The text in CP932. A character CP932 cannot hold (an emoji, a rare
// kanji) becomes an HTML numeric character reference such as "&#128512;",
// so nothing a child typed is dropped or turned into "?".
QByteArray toCp932(const QString& text);

// CP932 bytes back to text; invalid bytes become U+FFFD.
QString fromCp932(const QByteArray& bytes);
