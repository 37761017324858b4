#pragma once
// Writing and copying files whole: written beside the target and renamed
// at the end, so that a failure never leaves half a file, and an existing
// file of that name is replaced.

#include <QByteArray>
#include <QString>

bool putFile(const QString& path, const QByteArray& bytes);
// False when `from` cannot be read or `to` cannot be written.
bool copyOver(const QString& from, const QString& to);
