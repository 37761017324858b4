#pragma once
// What the benchmarks share: a database with a big map, dialogs that
// answer nothing, the median of a few runs.

#include "dialogs.h"

#include <QString>
#include <vector>

// Fills `data` with `rows` rows, every (rows / points)-th a head record of
// はな (userID 2) up to `points`; the others are たろう's points, chain records
// and, when `freeRows`, free rows.
void fillBigMap(const QString& database, int rows, int points, bool freeRows = true);

// Puts the background 背景/default.bmp and the placeholder 写真/glay.bmp
// into a throwaway installation folder.
void writePictures(const QString& installationFolder);

class SilentDialogs : public Dialogs {
public:
    Answer message(QWidget*, const QString&, Buttons, Icon, const QString&) override { return Answer::Ok; }
    std::optional<QString> input(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFile(QWidget*, const QString&, const QList<FileFilter>&) override { return {}; }
    std::optional<QString> saveFile(QWidget*, const QString&, const QString&, const QList<FileFilter>&,
                                    const QString&) override { return {}; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }
    void showHelp(QWidget*, const QString&, const QString&) override {}
};

double median(std::vector<double> values);

// Runs the sqlite3 command on `database` with `statements` (its output
// goes nowhere); the milliseconds it took, process start included, or -1
// when it failed. The baseline beside which the programs are timed.
double sqliteMilliseconds(const QString& database, const QString& statements);
