#pragma once
// Pictures loaded from files, as the windows show them.

#include <memory>
#include <string>

namespace forms {

/// A loaded picture; empty when none. Copies share the same picture.
class Picture {
public:
    Picture();
    ~Picture();
    Picture(const Picture&);
    Picture& operator=(const Picture&);

    bool empty() const;
    /// Width and height in twips (15 a pixel).
    int width() const;
    int height() const;

    struct Impl;
    explicit Picture(std::shared_ptr<const Impl> impl);
    const Impl* impl() const { return d.get(); }

private:
    std::shared_ptr<const Impl> d;
};

/// The picture in the file at `path` (GIF, BMP, PNG, JPEG...). A missing file raises
/// error 53, a file that holds no picture error 481.
Picture load_picture(const std::string& path);

} // namespace forms
