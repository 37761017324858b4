#include "writecheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// The file system's own answer for this account, read-only mounts included.
bool writable(const QString& path)
{
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
#else
    return QFileInfo(path).isWritable();
#endif
}

}  // namespace

QString databaseWriteProblem(const QString& databasePath)
{
    const QFileInfo file(databasePath);
    if (!file.exists())
        return {};
    const QString folder = file.absolutePath();
    QString what;
    if (!writable(file.absoluteFilePath()))
        what = QStringLiteral("データベース「%1」").arg(QDir::toNativeSeparators(file.absoluteFilePath()));
    else if (!writable(folder))
        what = QStringLiteral("フォルダ「%1」").arg(QDir::toNativeSeparators(folder));
    else
        return {};
    return QStringLiteral("%1に書き込めないので、このままでは作ったものを保存できません。\n\n"
                          "先生へ：このアカウントが、フォルダ「%2」とその中の wandelo.mdb、"
                          "写真・背景・HTML のフォルダに書き込めるようにしてください。"
                          "いくつものアカウントで使うときは、みんなが入っているグループに書き込みを許します"
                          "（bash scripts/run.sh \"%2\" --group グループ名）。")
        .arg(what, QDir::toNativeSeparators(folder));
}
