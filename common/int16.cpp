#include "int16.h"

#include <cmath>

std::optional<qint16> toInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);  // default mode: halves to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<qint16> toInt16(const QString& text)
{
    // A child typing through the Japanese input method writes full-width
    // digits, signs and blanks ("１２", "－３", "　７"): they are the same
    // numbers, so they are read in their ordinary forms. The minus sign
    // U+2212 stays itself under that reading and is taken as "-" by hand.
    QString ordinary = text.normalized(QString::NormalizationForm_KC);
    ordinary.replace(QChar(0x2212), u'-');
    // Blanks around the number are allowed (" 7"), nothing else.
    const QString trimmed = ordinary.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    for (const QChar c : trimmed) {
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'+' && c != u'e'
            && c != u'E')
            return std::nullopt;
    }
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return toInt16(value);
}

std::optional<qint16> toInt16(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return toInt16(value.toDouble());
    default:
        return toInt16(value.toString());
    }
}

double intFloor(double value)
{
    return std::floor(value);
}
