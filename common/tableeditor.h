#pragma once
// The table editor: one table of the database, one row at a time, as a
// column of labelled text fields bound to a cursor, with a record navigator
// along the bottom and the buttons to add, delete, save and leave. The
// cursor belongs to the program, which opens it and keeps it for as long as
// the editor lives; the editor's data control binds the fields to it. The
// instances give it their captions, menus and leave action.

#include "datacontrol.h"

#include <QList>
#include <QMainWindow>

class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

// The navigator docked along the bottom of the editor: first, previous,
// next and last around the caption that names the current row.
class RecordNavigator : public QWidget {
    Q_OBJECT
public:
    explicit RecordNavigator(QWidget* parent);
    QToolButton* first = nullptr;
    QToolButton* previous = nullptr;
    QToolButton* next = nullptr;
    QToolButton* last = nullptr;
    QLabel* caption = nullptr;
};

// The navigator's caption before the 1-based position of the current row.
inline const QString recordCaptionPrefix = QStringLiteral("ﾚｺｰﾄﾞ: ");

// Shows a failure of a data control's cursor as the editor does: the busy
// pointer goes, then the fixed heading and the engine's text. A cancelled
// action is not shown: the failed save before it was.
void reportDataControlError(Dialogs& dialogs, QWidget* parent, const DbError& error);

class TableEditor : public QMainWindow {
    Q_OBJECT
public:
    // Binds to `cursor`, an open cursor on `table` that outlives the editor
    // (null when it could not be opened: the editor then has no cursor and
    // its buttons do nothing).
    TableEditor(Cursor* cursor, const QString& table, Dialogs& dialogs,
                QWidget* parent = nullptr);
    ~TableEditor() override;

    bool isOpen() const { return Data1 != nullptr; }
    DataControl& data() { return *Data1; }
    Cursor& recordset() { return Data1->recordset(); }
    const QString& table() const { return table_; }

    // Saves the bound fields of a pending change; false (already reported)
    // when the database refused it, and the row then stays pending.
    bool savePending();

    QList<QWidget*> txtFields;  // QLineEdit, or QPlainTextEdit for a memo
    QList<QLabel*> lblLabels;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdUpdate = nullptr;
    QPushButton* cmdClose = nullptr;
    RecordNavigator* navigator = nullptr;

    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdUpdate_Click();
    void cmdClose_Click();

protected:
    // What the close button does once the row is saved.
    virtual void leave() = 0;
    // The area above the buttons, where an instance puts its own controls.
    QWidget* body() const { return body_; }
    // The top of the button row, below the last field.
    int buttonsTop() const { return buttonsTop_; }

private:
    void buildFields();
    void Data1_Error(int number, const QString& text, DataControl::Response* response);
    void Data1_Reposition();
    void Data1_Validate(CursorObserver::Action action, bool save);
    void navigate(void (Cursor::*move)());

    QString table_;
    Dialogs& dialogs_;
    DataControl* Data1 = nullptr;
    QWidget* body_ = nullptr;
    int buttonsTop_ = 0;
};
