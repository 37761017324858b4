#include "pallete.h"

#include "colourbox.h"
#include "session.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <array>

namespace {

// Light tints on top, the pure colours in the middle, dark shades below;
// the greys run down the first column from white to black.
constexpr std::array<std::array<QRgb, Pallete::columns>, Pallete::rows> colours = {{
    {0xffffff, 0xffc0c0, 0xffe0c0, 0xffffc0, 0xc0ffc0, 0xc0ffff, 0xc0c0ff, 0xffc0ff},
    {0xe0e0e0, 0xff8080, 0xffc080, 0xffff80, 0x80ff80, 0x80ffff, 0x8080ff, 0xff80ff},
    {0xc0c0c0, 0xff0000, 0xff8000, 0xffff00, 0x00ff00, 0x00ffff, 0x0000ff, 0xff00ff},
    {0x808080, 0xc00000, 0xc04000, 0xc0c000, 0x00c000, 0x00c0c0, 0x0000c0, 0xc000c0},
    {0x404040, 0x800000, 0x804000, 0x808000, 0x008000, 0x008080, 0x000080, 0x800080},
    {0x000000, 0x400000, 0x804040, 0x404000, 0x004000, 0x004040, 0x000040, 0x400040},
}};

}  // namespace

QColor Pallete::colourAt(int row, int column)
{
    return QColor(colours.at(row).at(column));
}

Pallete::Pallete(Session& session) : QWidget(nullptr), session_(session)
{
    setWindowTitle(QStringLiteral("カラーパレット"));
    setFixedSize(160, 129);
    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(8, 0, 145, 121);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            // 17-pixel boxes 16 pixels apart: neighbours share their border.
            auto* box = new ColourBox(colourAt(r, c), Frame1);
            box->setGeometry(8 + 16 * c, 16 + 16 * r, 17, 17);
            const int index = int(picColor.size());
            connect(box, &ColourBox::clicked, this, [this, index] { picColor_Click(index); });
            picColor.append(box);
        }
    }
}

void Pallete::picColor_Click(int index)
{
    emit colourChosen(picColor.at(index)->colour());
    session_.destroyPalette();
}

// Closed from its title bar, the palette changes nothing.
void Pallete::closeEvent(QCloseEvent* event)
{
    event->ignore();
    session_.destroyPalette();
}
