// Pictures loaded by the system's own picture loading (GIF, BMP, JPEG).

#include "impl_windows.h"

#include "runtime/error.h"
#include <cstring>

#include <olectl.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace forms {
namespace {

/// The picture in `bytes` as a bitmap of the program's own; null when it holds none.
HBITMAP bitmap_of(const std::vector<char>& bytes, int& width, int& height)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block)
        return nullptr;
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(block, TRUE, &stream) != S_OK) {
        GlobalFree(block);
        return nullptr;
    }
    IPicture* picture = nullptr;
    const HRESULT loaded = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(&picture));
    stream->Release();
    if (loaded != S_OK || !picture)
        return nullptr;
    HBITMAP copy = nullptr;
    OLE_HANDLE handle = 0;
    SHORT type = 0;
    if (picture->get_Type(&type) == S_OK && type == PICTYPE_BITMAP && picture->get_Handle(&handle) == S_OK) {
        BITMAP info{};
        const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<std::uintptr_t>(handle));
        GetObjectA(bitmap, sizeof info, &info);
        width = info.bmWidth;
        height = info.bmHeight;
        // The picture object owns its bitmap; the program keeps a copy of its own.
        copy = static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0));
    }
    picture->Release();
    return copy;
}

/// The picture in the file at `path`; null when there is none (or no file).
HBITMAP bitmap_in(const std::string& path, int& width, int& height)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return nullptr;
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return bytes.empty() ? nullptr : bitmap_of(bytes, width, height);
}

} // namespace

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(const Picture&) = default;
Picture& Picture::operator=(const Picture&) = default;
Picture::Picture(std::shared_ptr<const Impl> impl) : d(std::move(impl)) {}

bool Picture::empty() const { return !d || !d->bitmap; }
// A picture's size is its own, whatever the screen: its pixels at 96 dpi.
int Picture::width() const { return empty() ? 0 : d->width * 15; }
int Picture::height() const { return empty() ? 0 : d->height * 15; }

Picture load_picture(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw rt::Error(rt::errFileNotFound, "ZEB", "File not found: " + path);
    auto impl = std::make_shared<Picture::Impl>();
    impl->bitmap = bitmap_in(path, impl->width, impl->height);
    if (!impl->bitmap)
        throw rt::Error(rt::errInvalidPicture, "ZEB", "Invalid picture: " + path);
    // The picture drawn at twice the size, when one lies beside it and really is twice the size.
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of("\\/");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        impl->sharp = bitmap_in(path.substr(0, dot) + "@2x" + path.substr(dot), impl->sharp_width, impl->sharp_height);
        if (impl->sharp && (impl->sharp_width != 2 * impl->width || impl->sharp_height != 2 * impl->height)) {
            DeleteObject(impl->sharp);
            impl->sharp = nullptr;
        }
    }
    return Picture(std::move(impl));
}

} // namespace forms
