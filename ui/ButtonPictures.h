#pragma once
// The pictures of the Print and Exit buttons: strips of two 16x16 frames
// (normal, then the disabled variant) on a magenta background, the
// bottom-left pixel naming the transparent colour.

#include <QPixmap>

namespace qelvan::ui {

QPixmap printerPicture();
QPixmap openDoorPicture();

} // namespace qelvan::ui
