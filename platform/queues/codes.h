#pragma once
// How a queue's own option names read as the codes a DEVMODE carries.

#include <cstdint>
#include <string>

namespace queues {

/// The DMPAPER code of a sheet `width_mm` wide and `length_mm` long (within a millimetre);
/// 0 for a size that has none.
std::int16_t paper_code(double width_mm, double length_mm);
/// The DMBIN code of a paper source named `choice`; 0 for a name that has none.
std::int16_t bin_code(const std::string& choice);
/// The DMMEDIA code of a media type named `choice`; 0 for a name that has none.
std::int32_t media_code(const std::string& choice);
/// DMCOLOR_MONOCHROME (1) for a grey or black colour model, DMCOLOR_COLOR (2) otherwise.
std::int16_t colour_code(const std::string& choice);
/// Whether a grey colour model is the plain one ("Gray", "Grayscale", "Mono", ...), the one the
/// print system's generic monochrome means, rather than a queue's own (a fast or a fine grey).
bool plain_grey(const std::string& choice);
/// The DMDUP code of a duplex choice: 1 one-sided, 2 long edge, 3 short edge; 0 unknown.
std::int16_t duplex_code(const std::string& choice);
/// The horizontal dots per inch of a resolution choice such as "600dpi" or "600x300dpi"; 0 when unreadable.
std::int16_t resolution_dpi(const std::string& choice);

/// The first code of the range Windows keeps for a printer's own bins, papers and media.
constexpr std::int16_t user_code_base = 256;

} // namespace queues
