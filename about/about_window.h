#pragma once
// The About window: three stacked frames, a logo, a side picture and a picture button.

#include "forms/form.h"
#include "forms/image_list.h"

#include <array>

/// The About window as designed; its layout is set by about_64.
class About : public forms::Form {
public:
    explicit About(forms::Application& app);

    std::array<forms::Frame*, 3> Frame1{};
    std::array<forms::Label*, 4> title_lbl{};
    forms::Label* mem_lbl = nullptr;
    std::array<forms::Label*, 3> make_lbl{};
    forms::Image* Image1 = nullptr;
    forms::PictureBox* Picture2 = nullptr;
    forms::Image* Image2 = nullptr; ///< the picture button, element 0 of its array
    forms::ImageList ImageList1;

private:
    void Form_Load();
    void Form_Unload();
    void Image2_MouseDown(int button, int shift);
    void Image2_MouseUp(int button, int shift);
};
