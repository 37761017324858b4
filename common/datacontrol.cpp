#include "datacontrol.h"

#include "dialogs.h"

#include <QLineEdit>
#include <QPlainTextEdit>

DataControl::DataControl(std::unique_ptr<Cursor> cursor, Dialogs& dialogs, QObject* parent)
    : QObject(parent), cursor_(std::move(cursor)), dialogs_(dialogs)
{
    cursor_->setObserver(this);
}

DataControl::~DataControl()
{
    cursor_->setObserver(nullptr);
}

void DataControl::bind(QLineEdit* field, const QString& column)
{
    bindings_.append({field, column, {}});
    refresh();
}

void DataControl::bind(QPlainTextEdit* field, const QString& column)
{
    bindings_.append({field, column, {}});
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
// table mostly meets the same months, days and comments again.
void DataControl::setTextOf(QWidget* field, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        if (line->text() != text)
            line->setText(text);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(field)) {
        if (memo->toPlainText() != text)
            memo->setPlainText(text);
    }
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
        b.shown = text;
        setTextOf(b.field, text);
    }
}

bool DataControl::fieldsChanged() const
{
    for (const Binding& b : bindings_)
        if (b.field && textOf(b.field) != b.shown)
            return true;
    return false;
}

void DataControl::writeFields()
{
    for (Binding& b : bindings_) {
        if (!b.field)
            continue;
        const QString text = textOf(b.field);
        if (cursor_->editMode() == Cursor::EditMode::Add || text != b.shown)
            cursor_->setValue(b.column, text);
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
    for (Binding& b : bindings_)
        if (b.field)
            b.shown = textOf(b.field);
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
