#include "cdc_class.h"
#include "cdc_errors.h"
#include "drivers.h"
#include "test_app.h"

#include <gtest/gtest.h>

TEST(DialogErrorText, EveryCodeOfTheTableHasItsText)
{
    const std::pair<std::int32_t, const char*> table[] = {
        {0x0000, "The error involved a general common dialog box property."},
        {0x0001, "The function was provided with an invalid structure size."},
        {0x0002, "The function failed during initialization (probably insufficient memory)."},
        {0x0003, "The function was not provided with a valid template (if one was required)."},
        {0x0004, "The function was not provided with a valid instance handle (if one was required)."},
        {0x0005, "The function failed to load the desired string."},
        {0x0006, "The function failed to find the desired resource."},
        {0x0007, "The function failed to load the desired resource."},
        {0x0008, "The function failed to lock the desired resource."},
        {0x0009, "The function failed to allocate sufficient memory."},
        {0x000A, "The function failed to lock the desired memory."},
        {0x000B, "The function was not provided with a valid hook function handle (if one was required)."},
        {0x000C, "The function failed to successfully register a window message."},
        {0xFFFF, "The function could not open the dialog box."},
        {0x1000, "The error involved the Print common dialog box."},
        {0x1001, "The function failed to load the desired resources."},
        {0x1002, "The function failed to parse the printer-related strings in WIN.INI."},
        {0x1003, "The handles to the data structures provided were nonzero even though the function  was asked "
                 "to return information about the default printer."},
        {0x1004, "The function failed to load the desired device driver."},
        {0x1005, "The printer driver failed to initialize the DEVMODE structure."},
        {0x1006, "The function failed during initialization."},
        {0x1007, "The function could not find any printers."},
        {0x1008, "The function could not find a default printer."},
        {0x1009, "The data in the two data structures describe different printers (i.e., they hold "
                 "conflicting information)."},
        {0x100A, "The function failed to create an information context."},
        {0x100B, "The function could not find information in WIN.INI about the requested printer."},
        {0x100C, "The function was told that the information provided described the default printer, but the "
                 "default printer's actual settings were different."},
        {0x2000, "The error involved the Choose Font common dialog box."},
        {0x2001, "The function could not find any existing fonts."},
        {0x2002, "The function was provided with a maximum font size value smaller than the provided minimum "
                 "font size."},
        {0x3000, "The error involved the Open File or Save File common dialog box."},
        {0x3001, "The function had insufficient memory to subclass the list box."},
        {0x3002, "The function was provided with or received an invalid filename."},
        {0x3003, "The function was provided with a filename buffer which was too small."},
        {0x4000, "The error involved the Find or Replace common dialog box."},
        {0x4001, "The function was provided with an invalid buffer."},
    };
    for (const auto& [code, text] : table)
        EXPECT_EQ(dialog_error_text(code), text) << std::hex << code;
    for (std::int32_t other : {-1, 0x000D, 0x100D, 0x2003, 0x3004, 0x4002, 0x10000, 0xFFFE})
        EXPECT_EQ(dialog_error_text(other), "Undocumented error.") << std::hex << other;
}

TEST(ErrorMessage, ShowsTheOperationAnEmptyLineAndTheTextUnderFunctionError)
{
    bool dlg_fail = false;
    CDC_class cdc(dlg_fail, test_printers());
    SeenBox box;
    answer_box(box);
    cdc.error_message("ShowSave", 0x3003);
    EXPECT_EQ(box.title, "FUNCTION ERROR");
    EXPECT_EQ(box.text, "ShowSave\n\nThe function was provided with a filename buffer which was too small.");
    EXPECT_EQ(box.prompt, "ShowSave\r\n\r\nThe function was provided with a filename buffer which was too small.")
        << "two carriage return and line feed pairs";
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
    EXPECT_FALSE(dlg_fail) << "error_message alone does not touch dlg_fail";
}
