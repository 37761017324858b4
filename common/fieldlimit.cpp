#include "fieldlimit.h"

#include <QApplication>
#include <QLineEdit>
#include <QToolTip>
#include <QValidator>

namespace {

// The line edit asks its validator after every change, whatever brought
// it, and takes the text the validator leaves. That makes the validator the
// one place that sees typing, input-method commits, pastes and drops alike.
class FieldLimit : public QValidator {
public:
    FieldLimit(QLineEdit* field, int characters) : QValidator(field), field_(field), limit_(characters) {}

    State validate(QString& input, int& cursor) const override
    {
        const QList<uint> characters = input.toUcs4();
        const qsizetype excess = characters.size() - limit_;
        // Text put in while the child is elsewhere comes from the program
        // (a record being shown) and is shown as it is; the database judges
        // it when it is saved.
        if (excess <= 0 || !field_->hasFocus())
            return Acceptable;
        // The text just put in ends at the cursor: its end is what does not
        // fit, as a field with a fixed length drops it.
        const qsizetype cursorCharacter = QStringView(input).left(cursor).toUcs4().size();
        const qsizetype cutFrom = std::max<qsizetype>(0, std::min(cursorCharacter, qsizetype(characters.size())) - excess);
        QList<uint> kept = characters;
        kept.remove(cutFrom, excess);
        input = QString::fromUcs4(reinterpret_cast<const char32_t*>(kept.constData()), kept.size());
        cursor = QString::fromUcs4(reinterpret_cast<const char32_t*>(kept.constData()), cutFrom).size();
        tell();
        return Acceptable;
    }

private:
    void tell() const
    {
        QApplication::beep();
        QToolTip::showText(field_->mapToGlobal(QPoint(0, field_->height())), limitNotice(limit_), field_);
    }

    QLineEdit* field_;
    int limit_;
};

}  // namespace

void limitField(QLineEdit* field, int characters)
{
    // The validator counts; the field's own length limit (UTF-16 units)
    // would cut 𠮷 in half and cut without a word.
    field->setMaxLength(32767);
    field->setValidator(new FieldLimit(field, characters));
}

QString limitNotice(int characters)
{
    return QStringLiteral("ここには%1文字までです").arg(characters);
}
