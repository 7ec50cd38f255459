#include "about_window.h"

#include "runtime/app.h"

namespace {

forms::Label& designed_label(forms::Form& form, forms::Control* in, const std::string& caption,
                             const forms::Font& font, forms::Label::Align align)
{
    forms::Label& l = form.add_label(in);
    l.set_caption(caption);
    l.set_font(font);
    l.set_alignment(align);
    return l;
}

} // namespace

About::About(forms::Application& app) : forms::Form(app)
{
    using Align = forms::Label::Align;
    const forms::Font ms_sans{"MS Sans Serif", 8.25, false};
    set_caption("");
    set_frameless(true);
    set_font({"Arial", 12, false});

    for (auto& f : Frame1)
        f = &add_frame();
    Frame1[1]->set_height(915);
    Frame1[2]->set_height(1215);

    title_lbl[0] = &designed_label(*this, Frame1[0], "title", {"Arial", 12, true}, Align::Center);
    title_lbl[0]->set_top(180);
    title_lbl[0]->set_height(345);
    title_lbl[1] = &designed_label(*this, Frame1[0], "vers", {"Arial", 8.25, false}, Align::Center);
    title_lbl[1]->set_top(495);
    title_lbl[1]->set_height(345);
    title_lbl[2] = &designed_label(*this, Frame1[0], "descript", ms_sans, Align::Center);
    title_lbl[3] = &designed_label(*this, Frame1[0], "comments", ms_sans, Align::Center);

    mem_lbl = &designed_label(*this, Frame1[1], "Label1", {"Arial", 11.25, false}, Align::Center);
    mem_lbl->set_top(210);
    mem_lbl->set_height(585);

    const int maker_tops[] = {165, 495, 795};
    for (int i = 0; i < 3; ++i) {
        make_lbl[i] = &designed_label(*this, Frame1[2], "Label1", {"Century Gothic", 9.75, false}, Align::Left);
        make_lbl[i]->set_top(maker_tops[i]);
        make_lbl[i]->set_height(255);
    }

    Image1 = &add_image();
    Image1->set_stretch(true);
    Picture2 = &add_picture_box(Frame1[2]);
    Picture2->set_left(80);
    Picture2->set_top(160);
    Picture2->set_width(1000);
    Picture2->set_height(1000);
    Image2 = &add_image();
    Image2->set_width(300);
    Image2->set_height(270);
    // The box's only button, for those on the keyboard and those who hear the screen.
    Image2->set_accessible_name("Close");
    Image2->set_tab_stop(true);

    on_load = [this] { Form_Load(); };
    on_unload = [this] { Form_Unload(); };
    Image2->on_mouse_down = [this](int button, int shift, int, int) { Image2_MouseDown(button, shift); };
    Image2->on_mouse_up = [this](int button, int shift, int, int) { Image2_MouseUp(button, shift); };
    // Escape closes the box as its picture button does, for those on the keyboard.
    on_key_down = [this](int key) {
        if (key == 27)
            hide();
    };
}

void About::Form_Load()
{
    const std::string folder = rt::App::path(); // the program folder, without its separator
    ImageList1.insert(1, "XU", forms::load_picture(folder + "/graphics/f_ul_U.bmp"));
    ImageList1.insert(2, "XD", forms::load_picture(folder + "/graphics/f_ul_D.bmp"));
    Image2->set_picture(ImageList1.picture(1));
}

void About::Form_Unload()
{
    // Brought back into existence, the window starts again from an empty image list.
    ImageList1.clear();
}

void About::Image2_MouseDown(int button, int shift)
{
    if (button == forms::vbLeftButton && shift == 0)
        Image2->set_picture(ImageList1.picture(2));
}

void About::Image2_MouseUp(int button, int shift)
{
    if (button == forms::vbLeftButton && shift == 0) {
        Image2->set_picture(ImageList1.picture(1));
        hide();
    }
}
