#pragma once
// The about-box builder: keeps the look of the About window and lays it out once.

#include <cstdint>
#include <string>

/// Owns the About window and prepares it at start-up, so Help › About only shows it.
class about_64 {
public:
    /// Stores the look of the box (colours 0x00BBGGRR, position in twips, pictures relative
    /// to the program folder) and lays the box out; later calls change nothing.
    void create_About(const std::string& logo, const std::int32_t& b_c, const std::int32_t& f_c,
                      const std::int16_t& tp, const std::int16_t& lf, const std::string& grfic,
                      const float& g_rat);
};
