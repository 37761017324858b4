#include "fileput.h"

#include <QFile>
#include <QSaveFile>

bool putFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes) != bytes.size())
        return false;
    return out.commit();
}

bool copyOver(const QString& from, const QString& to)
{
    QFile in(from);
    if (from.isEmpty() || !in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[1 << 16];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        if (out.write(buffer, got) != got)
            return false;
    }
    return out.commit();
}
