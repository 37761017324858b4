#pragma once
// The faces the windows are drawn in, each as a list of families so that a
// Linux desktop without the Windows fonts still shows the right kind of
// letters (Japanese Gothic from IPA or Noto; bold sans for Arial Black...).

#include <QFont>

namespace fonts {
QFont japaneseGothic(qreal pointSize, bool bold = false);
QFont arialBlack(qreal pointSize);
QFont impact(qreal pointSize);
QFont comicSans(qreal pointSize, bool bold = false);
// The plain face of controls that name no face.
QFont standard();
}  // namespace fonts
