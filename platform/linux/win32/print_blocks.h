#pragma once
// Private to the printer dialogs and the spooler: the DEVMODE and DEVNAMES blocks a caller
// hands over and gets back, and the printer they name.

#include "queues/queue.h"
#include "win32/devmode.h"
#include "win32/windef.h"

#include <string>

namespace win32 {

/// What a caller's settings and names blocks say.
struct PrinterBlocks {
    DEVMODEA devmode{};      ///< the caller's settings, as far as its block reaches; zeros without one
    std::string name;        ///< the printer named: the names block's device, else dmDeviceName
                             ///< up to its NUL, without the blanks that pad it; empty when none is
};

/// Reads the blocks behind the two handles (either may be 0).
PrinterBlocks read_blocks(HGLOBAL devmode, HGLOBAL devnames);
/// The queue that `name` stands for, in its own spelling; for an empty name the user's
/// default queue, else the first. Empty when there is no such queue, or none at all.
std::string queue_for(const std::string& name);
/// The settings a dialog starts from: the queue's stored defaults, with the fields the
/// caller's DEVMODE marks in dmFields over them.
queues::Settings preset_of(const queues::Queue& queue, const DEVMODEA& devmode);
/// Writes the printer's name (cut to 31 characters and a NUL) and `settings` into `devmode`
/// and marks their fields; everything else in it stays.
void put_settings(DEVMODEA& devmode, const std::string& name, const queues::Settings& settings);
/// The settings a DEVMODE holds, read field by field whatever dmFields marks.
queues::Settings settings_of(const DEVMODEA& devmode);
/// A DEVMODE of the printer `name` with `settings`, all of its settings fields marked.
DEVMODEA devmode_of(const std::string& name, const queues::Settings& settings);
/// Hands a dialog's caller new settings and names blocks for the printer `name` in place of
/// its own, which are freed; 0, or CDERR_MEMALLOCFAILURE with the caller's left as they were.
DWORD replace_blocks(HGLOBAL& devmode_handle, HGLOBAL& devnames_handle, const DEVMODEA& devmode, const std::string& name);
/// A new movable block holding `devmode` whole (156 bytes); 0 when none can be had.
HGLOBAL devmode_block(const DEVMODEA& devmode);
/// A new movable names block: "winspool", the printer's name and its port, with
/// DN_DEFAULTPRN when it is the default printer; 0 when none can be had.
HGLOBAL devnames_block(const std::string& name, const std::string& port, bool is_default);
/// Frees the block behind `*handle`, if any, and clears the handle.
void free_block(HGLOBAL* handle);

} // namespace win32
