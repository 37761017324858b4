#pragma once
// The printout `Printable`: a fixed page layout of one find record (what
// was found, the month and day, the picture and the comment inside a
// square frame). It is never shown; it is filled from the stored record
// and printed at its natural size, about 13.1 cm x 13.0 cm.

#include <QString>
#include <QVariant>
#include <QWidget>

class QFrame;
class QLabel;
class QPrinter;
class Session;

class Printable : public QWidget {
    Q_OBJECT
public:
    Printable();

    static constexpr int layoutWidth = 495;
    static constexpr int layoutHeight = 490;

    // Fills the layout; an empty picture leaves an empty frame.
    void fill(const QString& object, const QString& months, const QString& days,
              const QString& comment, const QImage& picture);
    // Prints the layout at its natural size at the top left of the page;
    // false when the printer could not be started.
    bool printOn(QPrinter& printer);

    QFrame* Shape1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label10 = nullptr;
};

// A month or day as the printout shows it: the whole number with the place
// of its sign, a blank before a number that is not negative (" 5", "-1"),
// or nothing when the stored text holds no whole number.
QString printedNumber(const QString& stored);

// The record window's "データの印刷...": the current record of the
// session's data cursor, as stored, on the printer the child chooses.
// A cancelled printer dialog prints nothing.
void printRecord(Session& session, QWidget* parent);
