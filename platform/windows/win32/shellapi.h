#pragma once
// Opening a document with its program: the system's.

#include "win32/windef.h"

constexpr int zeb_system_SW_SHOWNORMAL = SW_SHOWNORMAL;
constexpr std::intptr_t zeb_system_SE_ERR_FNF = SE_ERR_FNF;
constexpr std::intptr_t zeb_system_SE_ERR_NOASSOC = SE_ERR_NOASSOC;
#undef SW_SHOWNORMAL
#undef SE_ERR_FNF
#undef SE_ERR_NOASSOC

namespace win32 {

using ::ShellExecuteA;

constexpr int SW_SHOWNORMAL = zeb_system_SW_SHOWNORMAL;
constexpr std::intptr_t SE_ERR_FNF = zeb_system_SE_ERR_FNF;         ///< the file was not found
constexpr std::intptr_t SE_ERR_NOASSOC = zeb_system_SE_ERR_NOASSOC; ///< no program is associated with it

} // namespace win32
