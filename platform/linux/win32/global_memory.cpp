#include "win32/global_memory.h"

#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <new>

namespace win32 {
namespace {

struct Block {
    std::unique_ptr<unsigned char[]> bytes;
    std::size_t size = 0;
    int locks = 0;
};

// The handle table belongs to the process, like the system's own.
struct Heap {
    std::map<HGLOBAL, Block> blocks;
    HGLOBAL next = 0x20000;
    std::size_t in_use = 0;
    std::size_t limit = std::numeric_limits<std::size_t>::max();
};

Heap& heap()
{
    static Heap h;
    return h;
}

Block* find(HGLOBAL h)
{
    auto it = heap().blocks.find(h);
    return it == heap().blocks.end() ? nullptr : &it->second;
}

} // namespace

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes)
{
    Heap& h = heap();
    if (bytes > h.limit - h.in_use)
        return 0;
    Block b;
    b.bytes.reset(new (std::nothrow) unsigned char[bytes == 0 ? 1 : bytes]);
    if (!b.bytes)
        return 0;
    if (flags & GMEM_ZEROINIT)
        std::memset(b.bytes.get(), 0, bytes);
    b.size = bytes;
    const HGLOBAL handle = h.next;
    h.next += 8;
    h.in_use += bytes;
    h.blocks.emplace(handle, std::move(b));
    return handle;
}

void* GlobalLock(HGLOBAL block)
{
    Block* b = find(block);
    if (!b)
        return nullptr;
    ++b->locks;
    return b->bytes.get();
}

BOOL GlobalUnlock(HGLOBAL block)
{
    Block* b = find(block);
    if (!b || b->locks == 0)
        return FALSE;
    return --b->locks > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL block)
{
    Block* b = find(block);
    if (!b)
        return block;
    heap().in_use -= b->size;
    heap().blocks.erase(block);
    return 0;
}

std::size_t GlobalSize(HGLOBAL block)
{
    const Block* b = find(block);
    return b ? b->size : 0;
}

void RtlMoveMemory(void* destination, const void* source, std::size_t bytes)
{
    std::memmove(destination, source, bytes);
}

std::size_t GlobalBlockCount() { return heap().blocks.size(); }

std::vector<HGLOBAL> GlobalBlockHandles()
{
    std::vector<HGLOBAL> handles;
    for (const auto& [handle, block] : heap().blocks)
        handles.push_back(handle);
    return handles;
}

void LimitGlobalMemory(std::size_t bytes) { heap().limit = bytes; }

} // namespace win32
