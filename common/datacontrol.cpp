#include "datacontrol.h"

#include "dialogs.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

DataControl::DataControl(std::unique_ptr<Cursor> cursor, Dialogs& dialogs, QObject* parent)
    : DataControl(*cursor, dialogs, parent)
{
    owned_ = std::move(cursor);
}

DataControl::DataControl(Cursor& cursor, Dialogs& dialogs, QObject* parent)
    : QObject(parent), cursor_(&cursor), dialogs_(dialogs)
{
    cursor_->setObserver(this);
}

DataControl::~DataControl()
{
    cursor_->setObserver(nullptr);
}

void DataControl::bind(QLineEdit* field, const QString& column)
{
    bindings_.append({field, column});
    refresh();
}

void DataControl::bind(QPlainTextEdit* field, const QString& column)
{
    bindings_.append({field, column});
    refresh();
}

QString DataControl::textOf(const QWidget* field)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(field))
        return line->text();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(field))
        return memo->toPlainText();
    return {};
}

// Setting a text costs a relayout of the field; walking the rows of a big
// table mostly meets the same months, days and comments again. Either way
// the field is untouched afterwards: what the row holds is not an edit.
void DataControl::setTextOf(QWidget* field, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        if (line->text() != text)
            line->setText(text);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(field)) {
        if (memo->toPlainText() != text)
            memo->setPlainText(text);
    }
    markSaved(field);
}

// The field's own record of being edited, not a comparison of texts: a
// field shows a comment's CR LF as a line break and a no-break space as a
// blank, so its text differs from a row nobody touched; and a refused
// value typed back to what the row holds must still be written.
bool DataControl::edited(const QWidget* field)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(field))
        return line->isModified();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(field))
        return memo->document()->isModified();
    return false;
}

void DataControl::markSaved(QWidget* field)
{
    if (auto* line = qobject_cast<QLineEdit*>(field))
        line->setModified(false);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(field))
        memo->document()->setModified(false);
}

void DataControl::setEdited(QLineEdit* field, const QString& text)
{
    field->setText(text);
    field->setModified(true);
}

void DataControl::refresh()
{
    const bool adding = cursor_->editMode() == Cursor::EditMode::Add;
    const bool onRow = adding || cursor_->hasCurrent();
    for (Binding& b : bindings_) {
        if (!b.field)
            continue;
        QString text;
        if (onRow) {
            try {
                text = cursor_->text(b.column);
            } catch (const DbError&) {
                // A column the file lacks shows as empty.
            }
        }
        setTextOf(b.field, text);
    }
}

bool DataControl::fieldsChanged() const
{
    for (const Binding& b : bindings_)
        if (b.field && edited(b.field))
            return true;
    return false;
}

// A new row takes every field; a stored row only the fields the person
// edited, so that nothing else of it is rewritten.
void DataControl::writeFields()
{
    const bool adding = cursor_->editMode() == Cursor::EditMode::Add;
    for (Binding& b : bindings_) {
        if (b.field && (adding || edited(b.field)))
            cursor_->setValue(b.column, textOf(b.field));
    }
}

void DataControl::updateRecord()
{
    const bool changed = fieldsChanged();
    if (cursor_->editMode() == Cursor::EditMode::None) {
        if (!changed)
            return;
        cursor_->edit();
    }
    writeFields();
    cursor_->update();
    fieldsSaved();
}

void DataControl::fieldsSaved()
{
    for (Binding& b : bindings_)
        if (b.field)
            markSaved(b.field);
}

void DataControl::reportError(const DbError& error)
{
    if (error.number() == dberr::cancelled)
        return;  // reported when it happened
    Response response = Response::ShowMessage;
    emit this->error(error.number(), error.text(), &response);
    if (response == Response::ShowMessage)
        dialogs_.message(nullptr, error.text());
}

bool DataControl::aboutToChange(Action action)
{
    const bool save = fieldsChanged() || cursor_->editMode() != Cursor::EditMode::None;
    emit validate(action, save);
    if (action == Action::Update || action == Action::Close)
        return true;  // the caller is saving already
    if (action == Action::Delete) {
        cursor_->cancelUpdate();  // the row goes; its pending edit with it
        return true;
    }
    if (!save)
        return true;
    try {
        if (cursor_->editMode() == Cursor::EditMode::None)
            cursor_->edit();
        writeFields();
        cursor_->update();
        fieldsSaved();
        return true;
    } catch (const DbError& e) {
        reportError(e);
        return false;  // the row stays pending, the move does not happen
    }
}

void DataControl::moved()
{
    refresh();
    emit reposition();
}
