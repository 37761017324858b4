#pragma once
// A throwaway installation folder with a real wandelo.mdb made by the
// install step's own schema code, and a few pictures a case needs. Rows
// are written with plain SQL, so the tests of the cursor layer do not lean
// on the cursor layer.

#include "installation.h"

#include <QColor>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <QVariantList>

class Fixture {
public:
    Fixture();  // an installation folder with an empty database
    const Installation& installation() const { return installation_; }
    QString folder() const { return installation_.folder(); }
    QString database() const { return installation_.database(); }

    // Runs SQL on the database (several statements allowed).
    void sql(const QString& statements) const;
    // The values of one query, row after row, column after column.
    QVariantList query(const QString& select) const;
    QVariant single(const QString& select) const;

    void addUser(const QString& name, int userID, const QString& backGnd = QString()) const;
    struct Find {
        QString object;
        int userID = 0;
        QVariant xz;
        QVariant yz;
        QString photo;
        int childs = 0;
        int mother = 0;
        QString months;
        QString days;
        QString comment = QStringLiteral(" ");
    };
    // Appends a row to `data`; indexs is its 1-based position.
    void addFind(const Find& find) const;

    // Writes a picture file below the installation folder ("背景/x.bmp").
    QString writePicture(const QString& relative, QColor colour = Qt::green, int w = 800,
                         int h = 600) const;

    // A JPEG as a phone writes it when held upright: stored lying on its
    // side (w x h, the upper half red and the lower half blue once turned)
    // with the orientation tag 6, "turn a quarter clockwise to show".
    QString writeSidewaysPhoto(const QString& relative, int w = 40, int h = 20) const;

private:
    QTemporaryDir dir_;
    Installation installation_;
};

// The bytes of a file, to show it was left as it was.
QByteArray fileBytes(const QString& path);

// The top-level windows on the screen now.
class QWidget;
QList<QWidget*> visibleWindows();

// Replaces a field's text as a person editing it would: the field counts
// as edited, so its data control writes it.
void typeInto(QWidget* field, const QString& text);

// Another program holding the file: a second connection in an exclusive
// transaction until release() (or the end of the scope).
struct sqlite3;
class FileLock {
public:
    explicit FileLock(const QString& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    void release();

private:
    sqlite3* db_ = nullptr;
};
