#pragma once
// The main window: its menus and what each of them does.

#include "forms/form.h"

#include <string>

class ZEB_main;

/// The start-up window "ZEB" with the menus Routines, Help and Exit.
class ZEB_form : public forms::Form {
public:
    /// The main window of `module`; loading it runs start-up.
    explicit ZEB_form(ZEB_main& module);

    forms::Menu& rout;
    forms::MenuArray& rout0;
    forms::Menu& hlp;
    forms::MenuItem& hlp_cont;
    forms::MenuItem& hlp_indx;
    forms::MenuItem& hlp_srch;
    forms::MenuItem& hlp_about;
    forms::MenuItem& xit;

private:
    void Form_Load();
    /// Says why the start failed under START-UP ERROR, and ends with 1.
    void start_up_failed(const std::string& why);
    void Form_Unload();
    void rout0_Click(int index);

    ZEB_main& zeb_;
};
