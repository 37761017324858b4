#include "tableeditor.h"

#include "dialogs.h"
#include "fieldlimit.h"
#include "fonts.h"
#include "mousepointer.h"
#include "tables.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>

namespace {

constexpr int margin = 12;
constexpr int labelWidth = 80;
constexpr int fieldLeft = margin + labelWidth + 8;
constexpr int fieldHeight = 23;
constexpr int rowHeight = 29;
constexpr int memoHeight = 72;
constexpr int windowWidth = 470;
constexpr int widestField = windowWidth - fieldLeft - margin;
constexpr int navigatorHeight = 26;

int fieldWidth(const tables::Column& column)
{
    switch (column.type) {
    case tables::ColumnType::Text:
        return std::clamp(column.width * 7 + 16, 80, widestField);
    case tables::ColumnType::Memo:
        return widestField;
    case tables::ColumnType::Int16:
    case tables::ColumnType::Single:
        return 100;
    }
    return widestField;
}

QToolButton* arrow(const QString& text, const QString& tip, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

RecordNavigator::RecordNavigator(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0xee, 0xee, 0xee));
    setPalette(p);
    first = arrow(QStringLiteral("|◀"), QStringLiteral("最初"), this);
    previous = arrow(QStringLiteral("◀"), QStringLiteral("前"), this);
    next = arrow(QStringLiteral("▶"), QStringLiteral("次"), this);
    last = arrow(QStringLiteral("▶|"), QStringLiteral("最後"), this);
    caption = new QLabel(this);
    caption->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
}

void reportDataControlError(Dialogs& dialogs, QWidget* parent, const DbError& error)
{
    if (error.number() == dberr::cancelled)
        return;
    mousePointer::normal();
    dialogs.message(parent, dataControlErrorHeading + error.text(), Dialogs::Buttons::Ok);
}

TableEditor::TableEditor(Cursor* cursor, const QString& table, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), table_(table), dialogs_(dialogs)
{
    setFont(fonts::standard());
    body_ = new QWidget(this);
    setCentralWidget(body_);
    buildFields();

    if (cursor)
        Data1 = new DataControl(*cursor, dialogs_, this);
    connect(cmdAdd, &QPushButton::clicked, this, &TableEditor::cmdAdd_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &TableEditor::cmdDelete_Click);
    connect(cmdUpdate, &QPushButton::clicked, this, &TableEditor::cmdUpdate_Click);
    connect(cmdClose, &QPushButton::clicked, this, &TableEditor::cmdClose_Click);
    if (!Data1)
        return;
    connect(Data1, &DataControl::error, this, &TableEditor::Data1_Error);
    connect(Data1, &DataControl::reposition, this, &TableEditor::Data1_Reposition);
    connect(Data1, &DataControl::validate, this, &TableEditor::Data1_Validate);
    const QList<tables::Column>& columns = tables::columnsOf(table_);
    for (int i = 0; i < txtFields.size(); ++i) {
        if (auto* line = qobject_cast<QLineEdit*>(txtFields[i]))
            Data1->bind(line, columns[i].name);
        else
            Data1->bind(qobject_cast<QPlainTextEdit*>(txtFields[i]), columns[i].name);
    }
    connect(navigator->first, &QToolButton::clicked, this, [this] { navigate(&Cursor::moveFirst); });
    connect(navigator->previous, &QToolButton::clicked, this, [this] { navigate(&Cursor::movePrevious); });
    connect(navigator->next, &QToolButton::clicked, this, [this] { navigate(&Cursor::moveNext); });
    connect(navigator->last, &QToolButton::clicked, this, [this] { navigate(&Cursor::moveLast); });
    // The cursor opened on the first row: the caption says so.
    Data1_Reposition();
}

TableEditor::~TableEditor()
{
    delete Data1;  // it lets go of the cursor, which stays with its owner
}

void TableEditor::buildFields()
{
    int top = margin;
    for (const tables::Column& column : tables::columnsOf(table_)) {
        auto* label = new QLabel(column.name + u':', body_);
        label->setGeometry(margin, top, labelWidth, fieldHeight);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QWidget* field = nullptr;
        int height = fieldHeight;
        if (column.type == tables::ColumnType::Memo) {
            auto* memo = new QPlainTextEdit(body_);
            memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            memo->setTabChangesFocus(true);
            height = memoHeight;
            field = memo;
        } else {
            auto* line = new QLineEdit(body_);
            if (column.type == tables::ColumnType::Text)
                limitField(line, column.width);
            field = line;
        }
        field->setObjectName(QStringLiteral("txtFields(%1)").arg(txtFields.size()));
        label->setObjectName(QStringLiteral("lblLabels(%1)").arg(lblLabels.size()));
        field->setGeometry(fieldLeft, top, fieldWidth(column), height);
        txtFields << field;
        lblLabels << label;
        top += height + (rowHeight - fieldHeight);
    }
    // A strip for the instance's own note, then the buttons.
    buttonsTop_ = top + 28;
    auto button = [this](const QString& name, int left) {
        auto* b = new QPushButton(body_);
        b->setObjectName(name);
        b->setGeometry(left, buttonsTop_, 80, 27);
        return b;
    };
    cmdAdd = button(QStringLiteral("cmdAdd"), margin);
    cmdDelete = button(QStringLiteral("cmdDelete"), margin + 86);
    cmdUpdate = button(QStringLiteral("cmdUpdate"), margin + 2 * 86);
    cmdClose = button(QStringLiteral("cmdClose"), margin + 3 * 86);
    const int navigatorTop = buttonsTop_ + 27 + 10;
    navigator = new RecordNavigator(body_);
    navigator->setGeometry(0, navigatorTop, windowWidth, navigatorHeight);
    navigator->first->setGeometry(2, 1, 30, 24);
    navigator->previous->setGeometry(32, 1, 30, 24);
    navigator->caption->setGeometry(70, 1, windowWidth - 140, 24);
    navigator->next->setGeometry(windowWidth - 62, 1, 30, 24);
    navigator->last->setGeometry(windowWidth - 32, 1, 30, 24);
    body_->setFixedSize(windowWidth, navigatorTop + navigatorHeight);
}

bool TableEditor::savePending()
{
    if (!Data1)
        return true;
    // Validate shows the busy pointer before the save; a save that moves
    // nowhere gets no reposition to take it away.
    const auto normalAfter = qScopeGuard(mousePointer::normal);
    try {
        Data1->updateRecord();
        return true;
    } catch (const DbError& e) {
        Data1->reportError(e);
        return false;
    }
}

void TableEditor::navigate(void (Cursor::*move)())
{
    Cursor& c = recordset();
    try {
        // The navigator stops at the ends instead of leaving the rows.
        if (move == &Cursor::movePrevious && c.hasCurrent() && c.absolutePosition() == 0)
            return;
        if (move == &Cursor::moveNext && c.hasCurrent()
            && c.absolutePosition() == c.recordCount() - 1)
            return;
        if (move == &Cursor::moveNext && c.eof())
            return;
        if (move == &Cursor::movePrevious && !c.hasCurrent() && c.recordCount() > 0) {
            // Past the end (the last row was deleted): back to the last row.
            c.moveLast();
            return;
        }
        (c.*move)();
    } catch (const DbError& e) {
        Data1->reportError(e);
    }
}

void TableEditor::cmdAdd_Click()
{
    if (!Data1)
        return;
    try {
        recordset().addNew();
    } catch (const DbError& e) {
        Data1->reportError(e);
        return;
    }
    if (!txtFields.isEmpty())
        txtFields.first()->setFocus();
}

void TableEditor::cmdDelete_Click()
{
    if (!Data1)
        return;
    Cursor& c = recordset();
    try {
        if (c.editMode() == Cursor::EditMode::Add) {
            // A new row that was never stored: it goes without touching
            // the table, and the row before it shows again.
            c.cancelUpdate();
            Data1->refresh();
            Data1_Reposition();
            return;
        }
        if (!c.hasCurrent())
            return;  // past the end: there is nothing to delete
        c.deleteRow();
        c.moveNext();
    } catch (const DbError& e) {
        Data1->reportError(e);
    }
}

void TableEditor::cmdUpdate_Click()
{
    if (!Data1)
        return;
    Cursor& c = recordset();
    // With nothing typed and nothing added there is nothing to save, and
    // the cursor stays where it is.
    if (c.editMode() == Cursor::EditMode::None && !Data1->fieldsChanged())
        return;
    const auto normalAfter = qScopeGuard(mousePointer::normal);
    try {
        Data1->updateRecord();
        if (const auto changed = c.lastModified())
            c.setBookmark(*changed);
    } catch (const DbError& e) {
        Data1->reportError(e);
    }
}

void TableEditor::cmdClose_Click()
{
    if (!savePending())
        return;  // the row stays pending and the window open
    leave();
}

void TableEditor::Data1_Error(int number, const QString& text, DataControl::Response* response)
{
    reportDataControlError(dialogs_, this, DbError(number, text));
    *response = DataControl::Response::NoMessage;
}

void TableEditor::Data1_Reposition()
{
    mousePointer::normal();
    Cursor& c = recordset();
    if (c.editMode() == Cursor::EditMode::Add)
        return;  // the new row has no position until it is stored
    try {
        navigator->caption->setText(recordCaptionPrefix + QString::number(c.absolutePosition() + 1));
    } catch (const DbError&) {
        // No current row: the caption stays as it was.
    }
}

void TableEditor::Data1_Validate(CursorObserver::Action, bool)
{
    mousePointer::busy();
}
