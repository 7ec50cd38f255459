#pragma once
// Movable memory blocks: the system's.

#include "win32/windef.h"

#include <cstddef>
#include <cstring>

constexpr ::UINT zeb_system_GMEM_FIXED = GMEM_FIXED;
constexpr ::UINT zeb_system_GMEM_MOVEABLE = GMEM_MOVEABLE;
constexpr ::UINT zeb_system_GMEM_ZEROINIT = GMEM_ZEROINIT;
constexpr ::UINT zeb_system_GHND = GHND;
#undef GMEM_FIXED
#undef GMEM_MOVEABLE
#undef GMEM_ZEROINIT
#undef GHND
#undef RtlMoveMemory

namespace win32 {

using ::GlobalAlloc;
using ::GlobalFree;
using ::GlobalLock;
using ::GlobalSize;
using ::GlobalUnlock;

constexpr UINT GMEM_FIXED = zeb_system_GMEM_FIXED;
constexpr UINT GMEM_MOVEABLE = zeb_system_GMEM_MOVEABLE;
constexpr UINT GMEM_ZEROINIT = zeb_system_GMEM_ZEROINIT;
constexpr UINT GHND = zeb_system_GHND;

/// Copies `bytes` from `source` to `destination`; the blocks may overlap.
inline void RtlMoveMemory(void* destination, const void* source, std::size_t bytes)
{
    std::memmove(destination, source, bytes);
}

} // namespace win32
