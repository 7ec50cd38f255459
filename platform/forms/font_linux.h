#pragma once
// Private to the forms layer: a named font as the toolkit's, with the nearest installed face.

#include "font.h"

#include <QFont>

namespace forms {

/// The toolkit font for `font`; a face that is not installed falls back to the nearest one.
QFont to_qfont(const Font& font);

} // namespace forms
