#pragma once
// An image list: pictures at 1-based positions, each with a key.

#include "picture.h"

#include <string>
#include <vector>

namespace forms {

/// Pictures kept for a control to show, addressed by position from 1.
class ImageList {
public:
    /// Inserts `picture` at `index` (1 to count + 1); the pictures from there on move one place back.
    /// Another index raises error 35600.
    void insert(int index, const std::string& key, const Picture& picture);
    /// The picture at `index`; a missing one raises error 35600.
    const Picture& picture(int index) const;
    /// The key of the picture at `index`.
    const std::string& key(int index) const;
    int count() const { return static_cast<int>(items_.size()); }
    void clear() { items_.clear(); }

private:
    struct Item {
        std::string key;
        Picture picture;
    };
    const Item& at(int index) const;
    std::vector<Item> items_;
};

} // namespace forms
