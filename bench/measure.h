#pragma once
// Floors timed inside the benchmark process, peak memory, and the line each
// benchmark adds to the table bench/run.sh prints at the end.

#include <QElapsedTimer>
#include <QString>
#include <vector>

struct sqlite3;

// A connection of the sqlite3 C API to a file with nothing in between: the
// floor of the work the programs do through their cursors. Its schema is
// read on opening, so that a timing holds only the work itself.
class PlainConnection {
public:
    explicit PlainConnection(const QString& file);
    ~PlainConnection();
    PlainConnection(const PlainConnection&) = delete;
    PlainConnection& operator=(const PlainConnection&) = delete;

    sqlite3* get() const { return db_; }
    // Runs `sql` (one statement or more) to the end; throws
    // std::runtime_error with sqlite's message when it fails, so that a
    // floor that did not do its work is never printed as a figure.
    void exec(const QString& sql);
    // The first column of the first row of `sql` as an integer (0 without
    // a row).
    qint64 integer(const QString& sql);

private:
    sqlite3* db_ = nullptr;
};

template <class F>
double milliseconds(F&& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// A copy of `original` at `copy` (replacing it), for a run that writes.
void copyFile(const QString& original, const QString& copy);

// The peak resident set size of this process so far, in kB (VmHWM).
qint64 peakResidentKilobytes();

// One row of the closing table: the work, its figure and its floor as
// printed ("194.6 ms"), their ratio and the goal for it; met when the
// ratio is at most the goal (below it when `strictlyBelow`). Appended to
// the file named by WANDELO_BENCH_SUMMARY; nothing without it. A goal of
// 0 marks a row that is only informative.
void summarize(const QString& work, const QString& figure, const QString& floor, double ratio, double goal,
               bool strictlyBelow = false);

QString formatMs(double milliseconds);

// Ratios of paired runs (each program run beside the floor run made right
// after it), so that a slow moment of a shared machine weighs on both.
std::vector<double> ratios(const std::vector<double>& figures, const std::vector<double>& floors);
