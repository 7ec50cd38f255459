#include "cdc_errors.h"

#include "cdc_class.h"
#include "forms/msgbox.h"

#include <map>

std::string dialog_error_text(std::int32_t code)
{
    static const std::map<std::int32_t, std::string> texts{
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
        {0x1003, std::string("The handles to the data structures provided were nonzero even though the function ") +
                     " was asked to return information about the default printer."},
        {0x1004, "The function failed to load the desired device driver."},
        {0x1005, "The printer driver failed to initialize the DEVMODE structure."},
        {0x1006, "The function failed during initialization."},
        {0x1007, "The function could not find any printers."},
        {0x1008, "The function could not find a default printer."},
        {0x1009, "The data in the two data structures describe different printers (i.e., they hold conflicting "
                 "information)."},
        {0x100A, "The function failed to create an information context."},
        {0x100B, "The function could not find information in WIN.INI about the requested printer."},
        {0x100C, std::string("The function was told that the information provided described the default printer,") +
                     " but the default printer's actual settings were different."},
        {0x2000, "The error involved the Choose Font common dialog box."},
        {0x2001, "The function could not find any existing fonts."},
        {0x2002, "The function was provided with a maximum font size value smaller than the provided minimum font "
                 "size."},
        {0x3000, "The error involved the Open File or Save File common dialog box."},
        {0x3001, "The function had insufficient memory to subclass the list box."},
        {0x3002, "The function was provided with or received an invalid filename."},
        {0x3003, "The function was provided with a filename buffer which was too small."},
        {0x4000, "The error involved the Find or Replace common dialog box."},
        {0x4001, "The function was provided with an invalid buffer."},
    };
    const auto it = texts.find(code);
    return it == texts.end() ? "Undocumented error." : it->second;
}

void CDC_class::error_message(const std::string& fnct, std::int32_t er_cd)
{
    forms::msg_box(fnct + "\r\n\r\n" + dialog_error_text(er_cd), forms::vbOKOnly, "FUNCTION ERROR");
}
