#pragma once
// The tour's operations: each public operation of the dialog service with the arguments a
// caller would pass, and the line a call gives.

#include "dialogs/cdc_class.h"
#include "printing/printers.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

/// One operation of the service: its button, its arguments and what a call does.
struct Operation {
    std::string caption; ///< the button's text, with its mnemonic
    std::vector<std::pair<std::string, std::string>> arguments; ///< label and starting value
    std::function<std::string(const std::vector<std::string>&)> call;
};

/// The service's operations on `cdc`, each owned by the window whose handle `huke` holds
/// when it runs.
std::vector<Operation> tour_operations(CDC_class& cdc, printing::Printers& printers, const std::intptr_t& huke);

/// Calls `op` with `args`: the line the tour shows and prints for it, with the service's
/// failure flag and last error after the call.
std::string tour_line(const Operation& op, const std::vector<std::string>& args, const CDC_class& cdc, const bool& dlg_fail);
