#pragma once
// A printer's settings in the codes a DEVMODE carries.

#include <cstdint>

namespace queues {

/// Codes of the settings, as a DEVMODE gives them (DMORIENT_*, DMRES_*, DMCOLOR_*, DMDUP_*).
constexpr std::int16_t portrait = 1, landscape = 2;
constexpr std::int16_t quality_draft = -1, quality_low = -2, quality_medium = -3, quality_high = -4;
constexpr std::int16_t in_grey = 1, in_colour = 2;
constexpr std::int16_t one_sided = 1, long_edge = 2, short_edge = 3;

/// The settings a DEVMODE's dmFields names, by the same bits (its DM_ORIENTATION and the rest).
enum SettingField : std::uint32_t {
    field_orientation = 0x1,
    field_paper_size = 0x2,
    field_copies = 0x100,
    field_bin = 0x200,
    field_quality = 0x400,
    field_colour = 0x800,
    field_duplex = 0x1000,
    field_media_type = 0x2000000,
};

/// Orientation, paper, copies, bin, quality, colour, duplex and media type, as DMORIENT_*,
/// DMPAPER_*, DMBIN_*, DMRES_* or dots per inch, DMCOLOR_*, DMDUP_* and DMMEDIA_* codes.
struct Settings {
    std::int16_t orientation = 1;  ///< 1 portrait, 2 landscape
    std::int16_t paper_size = 9;   ///< DMPAPER_*: 1 Letter, 5 Legal, 9 A4, ...
    std::int16_t paper_width = 2100; ///< tenths of a millimetre, from the paper size
    std::int16_t copies = 1;
    std::int16_t bin = 7;          ///< DMBIN_*: 7 automatic
    std::int16_t quality = -3;     ///< dots per inch, or DMRES_* (-1 draft to -4 high)
    std::int16_t colour = 2;       ///< 1 monochrome, 2 colour
    std::int16_t duplex = 1;       ///< 1 one-sided, 2 long edge, 3 short edge
    std::int32_t media_type = 1;   ///< DMMEDIA_*: 1 plain, 2 transparency, 3 glossy

    bool operator==(const Settings&) const = default;
};

} // namespace queues
