// The about box on its own, laid out as the program lays it out at start-up, shown until it
// is closed: for trying it by hand and for the tests of the Windows build.

#include "about/about_64.h"
#include "forms/form.h"
#include "forms/screen.h"

#include <algorithm>

int main(int argc, char** argv)
{
    forms::Application app(argc, argv);
    const std::string file_date; // no sibling program here to take a date from
    about_64 abt(app, file_date);
    const auto left = static_cast<std::int16_t>(std::min(forms::screen_width_twips(), 32767) - 6000);
    abt.create_About("graphics/Moonfinch_fi.gif", 0xC0CCD6, 0, -1, left, "", 1.0f);
    abt.window().show_modal();
    return 0;
}
