#pragma once

#include <QPixmap>

namespace vexa {

// The product's brand picture, drawn at the given size: the top bar's button to the
// information menu and the about box show it.
QPixmap brandPicture(int width, int height);

} // namespace vexa
