#pragma once
// Movable global memory blocks and memory copy, as kernel32 gives them.

#include "win32/windef.h"

#include <cstddef>
#include <vector>

namespace win32 {

constexpr UINT GMEM_FIXED = 0x0;
constexpr UINT GMEM_MOVEABLE = 0x2;
constexpr UINT GMEM_ZEROINIT = 0x40;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

/// A new block of `bytes` (zeroed with GMEM_ZEROINIT); 0 when it cannot be had.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
/// The block's address, counting one more lock; null for a handle that is not a block.
void* GlobalLock(HGLOBAL block);
/// Counts one lock less; FALSE once the block is no longer locked.
BOOL GlobalUnlock(HGLOBAL block);
/// Frees the block; 0 on success, the handle itself when it is not a block.
HGLOBAL GlobalFree(HGLOBAL block);
/// The block's size in bytes; 0 for a handle that is not a block.
std::size_t GlobalSize(HGLOBAL block);
/// Copies `bytes` from `source` to `destination`; the two may overlap.
void RtlMoveMemory(void* destination, const void* source, std::size_t bytes);

/// How many blocks are allocated and not yet freed.
std::size_t GlobalBlockCount();
/// The handles of the blocks allocated and not yet freed, oldest first.
std::vector<HGLOBAL> GlobalBlockHandles();
/// Limits the bytes all blocks together may hold, as a job's memory limit does; a request
/// beyond it fails. The default is no limit.
void LimitGlobalMemory(std::size_t bytes);

} // namespace win32
