// What the about box costs at start-up: creating the builder (window, button pictures) and
// create_About (layout, logo, memory report). Prints medians; the target is under 20 ms.

#include "about/about_64.h"
#include "forms/application.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    forms::Application app(argc, argv);
    using clock_type = std::chrono::steady_clock;
    const auto ms = [](clock_type::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    const std::string file_date = ", 06/12/2026";
    std::vector<double> setup, layout, whole;
    for (int run = 0; run < 21; ++run) {
        const auto t0 = clock_type::now();
        about_64 abt(app, file_date);
        const auto t1 = clock_type::now();
        abt.create_About("graphics/Moonfinch_fi.gif", 0xC0CCD6, 0, -1, 13200, "", 1.0f);
        const auto t2 = clock_type::now();
        if (run == 0)
            continue; // the first run also loads fonts and image readers once for the process
        setup.push_back(ms(t1 - t0));
        layout.push_back(ms(t2 - t1));
        whole.push_back(ms(t2 - t0));
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("about box, milliseconds (median of %zu)\n", whole.size());
    std::printf("  set-up (window, button pictures)        %7.2f\n", median(setup));
    std::printf("  create_About (layout, logo, memory)     %7.2f\n", median(layout));
    std::printf("  together                                %7.2f   target < 20 ms: %s\n", median(whole),
                median(whole) < 20 ? "met" : "NOT met");
    return 0;
}
