#pragma once
// The about-box builder: keeps the look of the About window and lays it out once.

#include "forms/application.h"
#include "runtime/app.h"
#include "runtime/currency.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>

class About;
namespace forms {
class Form;
class Frame;
class Label;
class Image;
class PictureBox;
class ImageList;
} // namespace forms

/// Owns the About window and prepares it at start-up, so Help › About only shows it.
class about_64 {
public:
    /// Brings the About window into existence (hidden) with its button pictures. `file_date`
    /// is the text the version line ends with, read when the box is laid out; `version` is
    /// the program's version information. A missing picture raises error 53 or 481.
    about_64(forms::Application& app, const std::string& file_date,
             const rt::VersionInfo& version = rt::App::version());
    /// Unloads the About window.
    ~about_64();
    about_64(const about_64&) = delete;
    about_64& operator=(const about_64&) = delete;

    /// Stores the look of the box (colours 0x00BBGGRR, position in twips, pictures relative
    /// to the program folder; negative values keep the defaults) and lays the box out, once:
    /// later calls change nothing.
    void create_About(const std::string& logo, const std::int32_t& b_c, const std::int32_t& f_c,
                      const std::int16_t& tp, const std::int16_t& lf, const std::string& grfic,
                      const float& g_rat);
    /// A byte count as bytes, KB, MB or GB; empty from 1024⁴ bytes on.
    std::string NumberInKB(rt::Currency vNumber) const;

    /// The About window, for Help › About to show.
    forms::Form& window();
    /// Whether create_About has laid the box out.
    bool built() const { return is_built; }

private:
    void setup_about();
    void layout_about(const std::string& grfic, float g_rat, const std::string& logo);
    /// Lays the three frames out one under the other, `frame_width` wide, the description and
    /// comments lines in the first; their heights together.
    int stack_frames(int frame_width);
    /// Shows the side picture (none when `grfic` is empty) and sizes the box to it and the
    /// frames, which move right of it.
    void place_side_picture(const std::string& grfic, float g_rat, int frames_height);
    /// Places the title and memory lines in their frames and gives them their texts.
    void place_texts();
    /// Shows the logo and the maker's lines beside it.
    void show_logo_and_makers(const std::string& logo);
    std::int16_t text_height(const std::string& text, int width);
    void apply_settings();
    std::string memory_line() const;

    /// The entries of ctl_table: the window's controls, by what they show.
    enum Entry : int {
        title_frame = 0, memory_frame = 1, maker_frame = 2,
        product_label = 3, version_label = 4, description_label = 5, comments_label = 6,
        memory_label = 7,
        company_label = 8, copyright_label = 9, trademark_label = 10,
        side_picture = 11, logo_box = 12, picture_button = 13, button_pictures = 14,
    };
    /// The control at `entry`, as its kind.
    template <typename T>
    T& ctl(int entry) const { return *std::get<T*>(ctl_table[static_cast<std::size_t>(entry)]); }

    std::int16_t form_top = 0;
    std::int16_t form_left = 0;
    std::int32_t back_colour = 0;
    std::int32_t fore_colour = 0;
    std::array<std::array<std::string, 2>, 2> pic_table;
    std::string base_dir;
    bool is_ready = false;
    bool is_built = false;
    std::array<std::variant<forms::Frame*, forms::Label*, forms::Image*, forms::PictureBox*, forms::ImageList*>, 15>
        ctl_table{};

    forms::Application& app_;
    const std::string& file_date_;
    rt::VersionInfo version_;
    std::unique_ptr<About> about_;
};
