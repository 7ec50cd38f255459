#pragma once
// The spreadsheet routines that the Routines menu names live here. None is written yet,
// and no menu entry calls into this module.

namespace ZEB_ss {
} // namespace ZEB_ss
