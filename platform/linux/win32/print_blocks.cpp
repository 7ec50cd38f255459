#include "win32/print_blocks.h"

#include "win32/commdlg.h"
#include "win32/global_memory.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace win32 {
namespace {

/// A locked block's bytes, unlocked again when the view goes.
class BlockView {
public:
    explicit BlockView(HGLOBAL block) : block_(block), bytes_(block ? static_cast<const char*>(GlobalLock(block)) : nullptr)
    {
        size_ = bytes_ ? GlobalSize(block) : 0;
    }
    ~BlockView()
    {
        if (bytes_)
            GlobalUnlock(block_);
    }
    const char* bytes() const { return bytes_; }
    std::size_t size() const { return size_; }

private:
    HGLOBAL block_;
    const char* bytes_;
    std::size_t size_ = 0;
};

/// The text at `offset` up to its NUL or the end of the block.
std::string text_at(const BlockView& v, std::size_t offset)
{
    if (!v.bytes() || offset >= v.size())
        return "";
    return std::string(v.bytes() + offset, strnlen(v.bytes() + offset, v.size() - offset));
}

HGLOBAL block_with(const void* bytes, std::size_t size)
{
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (void* p = block ? GlobalLock(block) : nullptr) {
        std::memcpy(p, bytes, size);
        GlobalUnlock(block);
    }
    return block;
}

} // namespace

PrinterBlocks read_blocks(HGLOBAL devmode, HGLOBAL devnames)
{
    PrinterBlocks b;
    if (devmode) {
        const BlockView v(devmode);
        if (v.bytes())
            std::memcpy(&b.devmode, v.bytes(), std::min(v.size(), sizeof(DEVMODEA)));
    }
    if (devnames) {
        const BlockView v(devnames);
        if (v.bytes() && v.size() >= sizeof(DEVNAMES)) {
            DEVNAMES dn;
            std::memcpy(&dn, v.bytes(), sizeof dn);
            b.name = text_at(v, dn.wDeviceOffset);
        }
    }
    if (b.name.empty()) {
        const char* dm_name = reinterpret_cast<const char*>(b.devmode.dmDeviceName);
        b.name.assign(dm_name, strnlen(dm_name, CCHDEVICENAME));
    }
    // Blanks after the name only pad it to the field's width.
    b.name.erase(b.name.find_last_not_of(' ') + 1);
    return b;
}

std::string queue_for(const std::string& name)
{
    if (!name.empty())
        return queues::find_queue(name).value_or("");
    std::string queue = queues::default_queue();
    if (queue.empty()) {
        const auto all = queues::queue_names();
        if (!all.empty())
            queue = all.front();
    }
    return queue;
}

queues::Settings preset_of(const queues::Queue& queue, const DEVMODEA& dm)
{
    queues::Settings s = queue.defaults;
    const DWORD f = dm.dmFields;
    if (f & DM_ORIENTATION) s.orientation = dm.dmOrientation;
    if (f & DM_PAPERSIZE) {
        if (const queues::Choice* paper = queues::find_choice(queue.papers, dm.dmPaperSize)) {
            s.paper_size = dm.dmPaperSize;
            s.paper_width = paper->width;
        }
    }
    if (f & DM_COPIES) s.copies = dm.dmCopies;
    if (f & DM_DEFAULTSOURCE) s.bin = dm.dmDefaultSource;
    if (f & DM_PRINTQUALITY) s.quality = dm.dmPrintQuality;
    if (f & DM_COLOR) s.colour = dm.dmColor;
    if (f & DM_DUPLEX) s.duplex = dm.dmDuplex;
    if (f & DM_MEDIATYPE) s.media_type = static_cast<std::int32_t>(dm.dmMediaType);
    return s;
}

void put_settings(DEVMODEA& dm, const std::string& name, const queues::Settings& s)
{
    std::memset(dm.dmDeviceName, 0, sizeof dm.dmDeviceName);
    std::memcpy(dm.dmDeviceName, name.data(), std::min<std::size_t>(name.size(), CCHDEVICENAME - 1));
    dm.dmSize = sizeof(DEVMODEA);
    dm.dmFields |= DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERWIDTH | DM_COPIES | DM_DEFAULTSOURCE | DM_PRINTQUALITY |
                   DM_COLOR | DM_DUPLEX | DM_MEDIATYPE;
    dm.dmOrientation = s.orientation;
    dm.dmPaperSize = s.paper_size;
    dm.dmPaperWidth = s.paper_width;
    dm.dmCopies = s.copies;
    dm.dmDefaultSource = s.bin;
    dm.dmPrintQuality = s.quality;
    dm.dmColor = s.colour;
    dm.dmDuplex = s.duplex;
    dm.dmMediaType = static_cast<DWORD>(s.media_type);
}

queues::Settings settings_of(const DEVMODEA& dm)
{
    queues::Settings s;
    s.orientation = dm.dmOrientation;
    s.paper_size = dm.dmPaperSize;
    s.copies = dm.dmCopies;
    s.bin = dm.dmDefaultSource;
    s.quality = dm.dmPrintQuality;
    s.colour = dm.dmColor;
    s.duplex = dm.dmDuplex;
    s.media_type = static_cast<std::int32_t>(dm.dmMediaType);
    return s;
}

DEVMODEA devmode_of(const std::string& name, const queues::Settings& s)
{
    DEVMODEA dm{};
    dm.dmSpecVersion = 0x401;
    dm.dmFields = DM_SCALE;
    dm.dmScale = 100;
    put_settings(dm, name, s);
    return dm;
}

HGLOBAL devmode_block(const DEVMODEA& devmode) { return block_with(&devmode, sizeof devmode); }

HGLOBAL devnames_block(const std::string& name, const std::string& port, bool is_default)
{
    const std::string driver = "winspool";
    std::vector<char> bytes(sizeof(DEVNAMES));
    DEVNAMES dn{};
    dn.wDriverOffset = static_cast<WORD>(bytes.size());
    dn.wDeviceOffset = static_cast<WORD>(dn.wDriverOffset + driver.size() + 1);
    dn.wOutputOffset = static_cast<WORD>(dn.wDeviceOffset + name.size() + 1);
    dn.wDefault = is_default ? DN_DEFAULTPRN : 0;
    std::memcpy(bytes.data(), &dn, sizeof dn);
    for (const std::string* t : {&driver, &name, &port})
        bytes.insert(bytes.end(), t->c_str(), t->c_str() + t->size() + 1);
    return block_with(bytes.data(), bytes.size());
}

DWORD replace_blocks(HGLOBAL& devmode_handle, HGLOBAL& devnames_handle, const DEVMODEA& devmode, const std::string& name)
{
    HGLOBAL fresh_devmode = devmode_block(devmode);
    HGLOBAL fresh_devnames = devnames_block(name, queues::queue_port(name), queues::default_queue() == name);
    if (!fresh_devmode || !fresh_devnames) {
        free_block(&fresh_devmode);
        free_block(&fresh_devnames);
        return CDERR_MEMALLOCFAILURE;
    }
    free_block(&devmode_handle);
    free_block(&devnames_handle);
    devmode_handle = fresh_devmode;
    devnames_handle = fresh_devnames;
    return 0;
}

void free_block(HGLOBAL* handle)
{
    if (*handle)
        GlobalFree(*handle);
    *handle = 0;
}

} // namespace win32
