#pragma once
// A named font as the toolkit's, with the nearest installed face.

#include <QFont>

#include <string>

namespace toolkit {

/// The toolkit font of face `name`, `size` points, bold or not; a face that is not installed
/// falls back to the nearest one.
QFont to_qfont(const std::string& name, double size, bool bold);

} // namespace toolkit
