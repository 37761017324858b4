#pragma once
// A data control: holds one cursor and binds text fields to its columns.
// It fills the fields on every move, writes the fields the person edited
// back into the row when the bound fields are saved, and saves pending edits before any
// move, delete or other save of the cursor. It raises validate (before),
// reposition (after a move) and error (with the engine's text) like the old
// data controls; every window that binds fields uses this one class.

#include "cursor.h"

#include <QObject>
#include <QPointer>
#include <memory>

class Dialogs;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// What the error handlers of the holders and the table editor put before
// the engine's text.
inline const QString dataControlErrorHeading = QStringLiteral("ﾃﾞｰﾀ ｺﾝﾄﾛｰﾙで次のｴﾗｰが発生しました :");

class DataControl : public QObject, public CursorObserver {
    Q_OBJECT
public:
    // What an error handler leaves for the control to do.
    enum class Response { ShowMessage, NoMessage };

    // Takes the open cursor; `dialogs` shows the engine's message when no
    // error handler suppresses it.
    DataControl(std::unique_ptr<Cursor> cursor, Dialogs& dialogs, QObject* parent = nullptr);
    // Binds to a cursor that belongs to someone else and outlives the
    // control.
    DataControl(Cursor& cursor, Dialogs& dialogs, QObject* parent = nullptr);
    ~DataControl() override;

    Cursor& recordset() { return *cursor_; }

    void bind(QLineEdit* field, const QString& column);
    void bind(QPlainTextEdit* field, const QString& column);

    // Saves the edited bound fields into the current row (every field into
    // the row being added). Nothing is written when no field was edited and
    // no edit or addition is pending. Throws DbError; the fields then stay
    // edited, and the next save writes them again.
    void updateRecord();
    // Shows the current row's values in the bound fields again.
    void refresh();
    // Whether a bound field was edited since the control last filled or
    // saved it.
    bool fieldsChanged() const;
    // Puts a text into a bound field on the person's behalf (a month picked
    // from a list): it is saved like typing.
    static void setEdited(QLineEdit* field, const QString& text);

    // Reports a failure of this control: the error signal first, then the
    // engine's text in a message box unless a handler said NoMessage.
    void reportError(const DbError& error);

    // CursorObserver
    bool aboutToChange(Action action) override;
    void moved() override;

signals:
    void validate(CursorObserver::Action action, bool save);
    void reposition();
    void error(int number, const QString& text, DataControl::Response* response);

private:
    struct Binding {
        QPointer<QWidget> field;
        QString column;
    };
    static QString textOf(const QWidget* field);
    static void setTextOf(QWidget* field, const QString& text);
    static bool edited(const QWidget* field);
    static void markSaved(QWidget* field);
    void writeFields();
    void fieldsSaved();

    std::unique_ptr<Cursor> owned_;  // null when the cursor is someone else's
    Cursor* cursor_;
    Dialogs& dialogs_;
    QList<Binding> bindings_;
};
