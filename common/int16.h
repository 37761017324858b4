#pragma once
// Conversions to the 16-bit signed numbers that userID, childs, mother and
// the numeric reading of indexs, months and days use. Halves round to even,
// as the old database programs did; empty or non-numeric text and values
// outside -32768..32767 fail. Full-width digits, signs and blanks, as the
// Japanese input method types them, read as their ordinary forms.

#include <QString>
#include <QVariant>
#include <optional>

std::optional<qint16> toInt16(const QString& text);
std::optional<qint16> toInt16(double value);
// A NULL value (a field never written) fails like empty text.
std::optional<qint16> toInt16(const QVariant& value);

// The integer part towards minus infinity, as the update tool scales
// positions with it.
double intFloor(double value);
