#include "picture_impl.h"

#include "runtime/error.h"
#include "twips.h"

#include <QFileInfo>
#include <QImageReader>

namespace forms {

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(const Picture&) = default;
Picture& Picture::operator=(const Picture&) = default;
Picture::Picture(std::shared_ptr<const Impl> impl) : d(std::move(impl)) {}

bool Picture::empty() const { return !d || d->pixmap.isNull(); }
int Picture::width() const { return empty() ? 0 : to_twips(d->pixmap.width()); }
int Picture::height() const { return empty() ? 0 : to_twips(d->pixmap.height()); }

Picture load_picture(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile())
        throw rt::Error(rt::errFileNotFound, "ZEB", "File not found: " + path);
    QImageReader reader(file);
    const QImage image = reader.read();
    if (image.isNull())
        throw rt::Error(rt::errInvalidPicture, "ZEB", "Invalid picture: " + path);
    auto impl = std::make_shared<Picture::Impl>();
    impl->pixmap = QPixmap::fromImage(image);
    return Picture(std::move(impl));
}

} // namespace forms
