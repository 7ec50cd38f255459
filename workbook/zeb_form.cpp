#include "zeb_form.h"

#include "forms/msgbox.h"
#include "runtime/error.h"
#include "zeb_main.h"

ZEB_form::ZEB_form(ZEB_main& module)
    : forms::Form(module.app),
      rout(add_menu("&Routines")),
      rout0(rout.add_array("right_just()")),
      hlp(add_menu("&Help")),
      hlp_cont(hlp.add_item("&Contents")),
      hlp_indx(hlp.add_item("&Index")),
      hlp_srch(hlp.add_item("&Find")),
      hlp_about(hlp.add_item("&About")),
      xit(add_menu_item("E&xit")),
      zeb_(module)
{
    set_caption("ZEB");
    set_client_size(4680, 3090);
    zeb_.form = this;

    on_load = [this] { Form_Load(); };
    on_unload = [this] { Form_Unload(); };
    rout0.on_click = [this](int index) { rout0_Click(index); };
    hlp_cont.on_click = [this] { zeb_.show_help(1); };
    hlp_indx.on_click = [this] { zeb_.show_help(2); };
    hlp_srch.on_click = [this] { zeb_.show_help(3); };
    hlp_about.on_click = [this] {
        if (zeb_.abt)
            zeb_.abt->window().show_modal();
    };
    xit.on_click = [this] { zeb_.shut_down(zeb_.wb_open); };
}

void ZEB_form::Form_Load()
{
    try {
        zeb_.start_up();
    } catch (const rt::Error& e) {
        // Nothing the program can go on without may be missing: say what failed and end.
        start_up_failed(e.description());
    } catch (const std::exception& e) {
        // A failure of the system's own (a file or process gone while it was read) ends the
        // start the same way, never the program without a word.
        start_up_failed(e.what());
    }
}

void ZEB_form::start_up_failed(const std::string& why)
{
    forms::msg_box("ZEB could not start.\r\n\r\n" + why, forms::vbCritical, "START-UP ERROR");
    zeb_.exit_code = 1;
    zeb_.shut_down(zeb_.wb_open);
}

void ZEB_form::Form_Unload() { zeb_.shut_down(zeb_.wb_open); }

void ZEB_form::rout0_Click(int index)
{
    if (index == 0 || index == 1)
        forms::msg_box(rout0[index].caption());
}
