// The install step's part that must never overwrite: it puts the supplied
// pictures, help and an empty wandelo.mdb into the installation folder only
// where they are missing, so that a reinstall keeps every child's map.

#include "installation.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: wandelo-setup <supplied folder> <installation folder>\n", stderr);
        return 2;
    }
    const QString problem = supplyMissingFiles(args[1], args[2]);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "wandelo-setup: %s\n", problem.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
