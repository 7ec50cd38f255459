// Laying the About window out: texts, line heights, stacked frames, side picture, button.

#include "about_64.h"

#include "about_window.h"
#include "forms/picture.h"
#include "runtime/int16.h"

#include <cmath>

std::int16_t about_64::text_height(const std::string& text, int width)
{
    const std::int16_t tw = rt::cint(about_->text_width(text));
    const int lines = static_cast<int>(std::floor(static_cast<double>(tw) / width + 0.5)) + 1;
    return rt::cint(static_cast<double>(lines) * about_->text_height(text));
}

void about_64::layout_about(const std::string& grfic, float g_rat, const std::string& logo)
{
    apply_settings();
    const int frame_width = 4200;
    const int frames_height = stack_frames(frame_width);
    place_side_picture(grfic, g_rat, frames_height);
    place_texts();
    show_logo_and_makers(logo);

    forms::Image& button = ctl<forms::Image>(picture_button);
    button.set_top(60);
    button.set_left(about_->width() - button.width() - 80);
}

int about_64::stack_frames(int frame_width)
{
    // The description and comments lines show only when they have a text.
    int running_top = 1000;
    const std::string* texts[] = {&version_.file_description, &version_.comments};
    for (int k = 0; k < 2; ++k) {
        forms::Label& line = ctl<forms::Label>(description_label + k);
        const std::string& t = *texts[k];
        if (t.empty()) {
            line.set_height(0);
            line.set_visible(false);
        } else {
            line.set_height(text_height(t, frame_width - 200));
            line.set_top(running_top);
            line.set_caption(t);
            line.set_visible(true);
            running_top += line.height() + 200;
        }
    }
    ctl<forms::Frame>(title_frame).set_height(running_top + 200);

    int frames_height = 0;
    for (int i = title_frame; i <= maker_frame; ++i) {
        forms::Frame& f = ctl<forms::Frame>(i);
        f.set_width(frame_width);
        if (i == 0)
            f.set_top(300);
        else
            f.set_top(ctl<forms::Frame>(i - 1).top() + ctl<forms::Frame>(i - 1).height() + 300);
        frames_height += f.height();
    }
    return frames_height;
}

void about_64::place_side_picture(const std::string& grfic, float g_rat, int frames_height)
{
    // The side picture runs the box's height, as wide as its ratio makes it; the box widens
    // by it and the frames move right of it.
    forms::Image& side = ctl<forms::Image>(side_picture);
    int box_width = 0;
    std::int16_t side_width = 0;
    if (grfic.empty()) {
        side.set_visible(false);
        box_width = ctl<forms::Frame>(title_frame).width() + 800;
    } else {
        side.set_top(0);
        side.set_left(0);
        side.set_height(1600 + frames_height);
        const float wide = g_rat * static_cast<float>(side.height());
        side.set_width(rt::cint(wide)); // the same rounding as side_width below
        side.set_picture(forms::load_picture(base_dir + grfic));
        side.set_visible(true);
        box_width = ctl<forms::Frame>(title_frame).width() + side.width() + 800;
        side_width = rt::cint(wide);
    }
    about_->set_size(box_width, 1600 + frames_height);
    for (int i = title_frame; i <= maker_frame; ++i)
        ctl<forms::Frame>(i).set_left(rt::add16(side_width, 400));
}

void about_64::place_texts()
{
    for (int entry = product_label; entry <= comments_label; ++entry) {
        ctl<forms::Label>(entry).set_left(100);
        ctl<forms::Label>(entry).set_width(ctl<forms::Frame>(title_frame).width() - 200);
    }
    ctl<forms::Label>(memory_label).set_left(30);
    ctl<forms::Label>(memory_label).set_width(ctl<forms::Frame>(memory_frame).width() - 100);

    ctl<forms::Label>(product_label).set_caption(version_.product_name);
    ctl<forms::Label>(version_label).set_caption("Version " + std::to_string(version_.major) + "." +
                                                 std::to_string(version_.minor) + "." +
                                                 std::to_string(version_.revision) + file_date_);
    ctl<forms::Label>(memory_label).set_caption(memory_line());
}

void about_64::show_logo_and_makers(const std::string& logo)
{
    forms::PictureBox& logo_shown = ctl<forms::PictureBox>(logo_box);
    logo_shown.set_picture(forms::load_picture(base_dir + logo));
    // A screen reader names the window (its caption is empty) and the logo by the product.
    about_->set_accessible_name("About " + version_.product_name);
    logo_shown.set_accessible_name(version_.product_name);
    for (int entry = company_label; entry <= trademark_label; ++entry) {
        forms::Label& maker = ctl<forms::Label>(entry);
        maker.set_left(logo_shown.width() + 200);
        maker.set_width(ctl<forms::Frame>(title_frame).width() - maker.left() - 60);
    }
    ctl<forms::Label>(company_label).set_caption(version_.company_name);
    ctl<forms::Label>(copyright_label).set_caption("\u00A9 " + version_.legal_copyright);
    ctl<forms::Label>(trademark_label).set_caption(version_.legal_trademarks);
}
