#include "fonts.h"

#include <QStringList>

namespace {

QFont withFamilies(const QStringList& families, qreal pointSize, int weight)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Weight(weight));
    return font;
}

const QStringList gothic = {QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"),
                            QStringLiteral("Noto Sans CJK JP"), QStringLiteral("MS UI Gothic"),
                            QStringLiteral("MS Gothic")};

}  // namespace

namespace fonts {

QFont japaneseGothic(qreal pointSize, bool bold)
{
    return withFamilies(gothic, pointSize, bold ? QFont::Bold : QFont::Normal);
}

QFont arialBlack(qreal pointSize)
{
    return withFamilies({QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans"),
                         QStringLiteral("Noto Sans CJK JP")},
                        pointSize, QFont::Black);
}

QFont impact(qreal pointSize)
{
    QFont font = withFamilies({QStringLiteral("Impact"), QStringLiteral("DejaVu Sans Condensed"),
                               QStringLiteral("DejaVu Sans")},
                              pointSize, QFont::Bold);
    font.setStretch(QFont::Condensed);
    return font;
}

QFont comicSans(qreal pointSize, bool bold)
{
    return withFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"),
                         QStringLiteral("DejaVu Sans")},
                        pointSize, bold ? QFont::Bold : QFont::Normal);
}

QFont standard()
{
    return withFamilies(gothic, 9, QFont::Normal);
}

}  // namespace fonts
