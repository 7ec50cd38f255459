// ZEB: opens a workbook in LibreOffice Calc and offers its routines.

#include "forms/application.h"
#include "printing/printers.h"
#include "zeb_form.h"
#include "zeb_main.h"

int main(int argc, char** argv)
{
    forms::Application app(argc, argv);
    printing::Printers printers([&app] { app.process_events(); }); // windows paint while printers are waited for
    ZEB_main zeb(app, printers);
    ZEB_form form(zeb);
    form.show();
    app.run();
    return zeb.exit_code;
}
