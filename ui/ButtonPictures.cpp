#include "ButtonPictures.h"

#include <QImage>

namespace qelvan::ui {

namespace {

const char* const printerXpm[] = {
    "16 16 8 1",
    "m c #FF00FF",
    "k c #000000",
    "w c #FFFFFF",
    "b c #0000C0",
    "l c #C0C0C0",
    "g c #808080",
    "d c #404040",
    "y c #00C000",
    "mmmmmmmmmmmmmmmm",
    "mmmmkkkkkkkkmmmm",
    "mmmmkwwwwwwkmmmm",
    "mmmmkwbbbbwkmmmm",
    "mmmmkwwwwwwkmmmm",
    "mmmmkwbbbwwkmmmm",
    "mmkkkkkkkkkkkkmm",
    "mkllllllllllllkm",
    "mkwlllllllllgykm",
    "mkggggggggggggkm",
    "mkddkkkkkkkkddkm",
    "mkddkwwwwwwkddkm",
    "mmkkkwbbbbwkkkmm",
    "mmmmkwwwwwwkmmmm",
    "mmmmkkkkkkkkmmmm",
    "mmmmmmmmmmmmmmmm",
};

const char* const openDoorXpm[] = {
    "16 16 7 1",
    "m c #FF00FF",
    "k c #5A3210",
    "o c #A0522D",
    "O c #6B3A1E",
    "y c #FFF5B0",
    "a c #FFD700",
    "g c #3C8C3C",
    "mmmmmmmmmmmmmmmm",
    "mmmkkkkkkkkkkmmm",
    "mOokyyyyyyyykmmm",
    "mOookyyyyyyykmmm",
    "mOoookyyyyyykmmm",
    "mOoookyyyyyykmmm",
    "mOoookyyyyyykmmm",
    "mOaookyyyyyykmmm",
    "mOaookyyyyyykmmm",
    "mOoookyyyyyykmmm",
    "mOoookyygyyykmmm",
    "mOoookyggyyykmmm",
    "mOoookgggygykmmm",
    "mOookgggggggkmmm",
    "mOokkkkkkkkkkkmm",
    "mmmmmmmmmmmmmmmm",
};

// The classic disabled look: dark strokes in grey over a white shadow one
// pixel down and right, light areas left out.
QImage embossed(const QImage& normal, QRgb background)
{
    QImage out(normal.size(), QImage::Format_RGB32);
    out.fill(background);
    const QRgb shadow = qRgb(255, 255, 255);
    const QRgb stroke = qRgb(128, 128, 128);
    for (int y = 0; y < normal.height(); ++y)
        for (int x = 0; x < normal.width(); ++x) {
            const QRgb p = normal.pixel(x, y);
            if (p != background && qGray(p) < 128 && x + 1 < out.width() && y + 1 < out.height())
                out.setPixel(x + 1, y + 1, shadow);
        }
    for (int y = 0; y < normal.height(); ++y)
        for (int x = 0; x < normal.width(); ++x) {
            const QRgb p = normal.pixel(x, y);
            if (p != background && qGray(p) < 128)
                out.setPixel(x, y, stroke);
        }
    return out;
}

QPixmap strip(const char* const* xpm)
{
    const QImage normal = QImage(xpm).convertToFormat(QImage::Format_RGB32);
    const QRgb background = normal.pixel(0, normal.height() - 1);
    QImage both(normal.width() * 2, normal.height(), QImage::Format_RGB32);
    both.fill(background);
    for (int y = 0; y < normal.height(); ++y)
        for (int x = 0; x < normal.width(); ++x) {
            both.setPixel(x, y, normal.pixel(x, y));
        }
    const QImage disabled = embossed(normal, background);
    for (int y = 0; y < normal.height(); ++y)
        for (int x = 0; x < normal.width(); ++x)
            both.setPixel(normal.width() + x, y, disabled.pixel(x, y));
    return QPixmap::fromImage(both);
}

} // namespace

QPixmap printerPicture()
{
    return strip(printerXpm);
}

QPixmap openDoorPicture()
{
    return strip(openDoorXpm);
}

} // namespace qelvan::ui
