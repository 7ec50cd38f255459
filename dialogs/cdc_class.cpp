#include "cdc_class.h"

CDC_class::CDC_class(bool& dlg_fail, printing::Printers& printers) : dlg_fail_(dlg_fail), printers_(printers) {}

void CDC_class::default_flag(const rt::Value& d_flg) { default_flag_ = d_flg.to_bool(); }

void CDC_class::dialog_failed(const std::string& operation)
{
    last_dlg_error = static_cast<std::int32_t>(win32::CommDlgExtendedError());
    if (last_dlg_error != 0)
        error_message(operation, last_dlg_error);
    dlg_fail_ = true;
}
