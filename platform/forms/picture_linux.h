#pragma once
// Private to the forms layer: the toolkit's pixmap behind a picture.

#include "picture.h"

#include <QPixmap>

namespace forms {

struct Picture::Impl {
    QPixmap pixmap;
};

} // namespace forms
