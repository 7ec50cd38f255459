#include "image_list.h"

#include "runtime/error.h"

namespace forms {
namespace {

rt::Error out_of_bounds() { return rt::Error(rt::errIndexOutOfBounds, "ImageList", "Index out of bounds"); }

} // namespace

void ImageList::insert(int index, const std::string& key, const Picture& picture)
{
    if (index < 1 || index > count() + 1)
        throw out_of_bounds();
    items_.insert(items_.begin() + (index - 1), Item{key, picture});
}

const ImageList::Item& ImageList::at(int index) const
{
    if (index < 1 || index > count())
        throw out_of_bounds();
    return items_[static_cast<std::size_t>(index - 1)];
}

const Picture& ImageList::picture(int index) const { return at(index).picture; }

const std::string& ImageList::key(int index) const { return at(index).key; }

} // namespace forms
