#include "about_64.h"

#include "about_window.h"
#include "forms/picture.h"

about_64::about_64(forms::Application& app, const std::string& file_date, const rt::VersionInfo& version)
    : app_(app), file_date_(file_date), version_(version)
{
    if (!is_ready) {
        setup_about();
        is_ready = true;
    }
}

about_64::~about_64()
{
    if (about_)
        about_->close();
}

forms::Form& about_64::window() { return *about_; }

void about_64::setup_about()
{
    base_dir = rt::App::path() + "/";
    pic_table = {{{"f_ul_U.gif", "Up"}, {"f_ul_D.gif", "Down"}}};

    // The first reference to the window brings it into existence; its load step runs then.
    about_ = std::make_unique<About>(app_);
    about_->load();
    About& w = *about_;
    ctl_table = {w.Frame1[0],    w.Frame1[1],    w.Frame1[2],   w.title_lbl[0], w.title_lbl[1],
                 w.title_lbl[2], w.title_lbl[3], w.mem_lbl,     w.make_lbl[0],  w.make_lbl[1],
                 w.make_lbl[2],  w.Image1,       w.Picture2,    w.Image2,       &w.ImageList1};

    auto& list = ctl<forms::ImageList>(button_pictures);
    for (int i = 0; i < 2; ++i)
        list.insert(i + 1, pic_table[i][1], forms::load_picture(base_dir + "graphics/" + pic_table[i][0]));
    ctl<forms::Image>(picture_button).set_picture(list.picture(1));

    form_top = 1000;
    form_left = 10000;
    back_colour = 0xC0C0C0;
    fore_colour = 0;
    is_built = false;
}

void about_64::create_About(const std::string& logo, const std::int32_t& b_c, const std::int32_t& f_c,
                            const std::int16_t& tp, const std::int16_t& lf, const std::string& grfic,
                            const float& g_rat)
{
    if (is_built)
        return;
    if (b_c >= 0)
        back_colour = b_c;
    if (f_c >= 0)
        fore_colour = f_c;
    if (tp >= 0)
        form_top = tp;
    if (lf >= 0)
        form_left = lf;
    layout_about(grfic, g_rat, logo);
    is_built = true;
}

void about_64::apply_settings()
{
    about_->set_back_colour(back_colour);
    for (int entry = title_frame; entry <= trademark_label; ++entry) {
        forms::Control& c = entry <= maker_frame ? static_cast<forms::Control&>(ctl<forms::Frame>(entry))
                                       : static_cast<forms::Control&>(ctl<forms::Label>(entry));
        c.set_back_colour(back_colour);
        c.set_fore_colour(fore_colour);
    }
    ctl<forms::PictureBox>(logo_box).set_back_colour(back_colour);
    about_->set_position(form_left, form_top);
}
