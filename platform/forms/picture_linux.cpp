#include "picture_linux.h"

#include "runtime/error.h"
#include "twips_linux.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

namespace forms {

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(const Picture&) = default;
Picture& Picture::operator=(const Picture&) = default;
Picture::Picture(std::shared_ptr<const Impl> impl) : d(std::move(impl)) {}

bool Picture::empty() const { return !d || d->pixmap.isNull(); }
// A picture drawn for a screen at 2x covers the twips of its size at 1x.
int Picture::width() const { return empty() ? 0 : to_twips(qRound(d->pixmap.deviceIndependentSize().width())); }
int Picture::height() const { return empty() ? 0 : to_twips(qRound(d->pixmap.deviceIndependentSize().height())); }

namespace {

/// The file drawn at twice the size beside `file` ("f_ul_U@2x.gif" for "f_ul_U.gif"), when the
/// screen is at 2x scale or more and there is one; else empty.
QString sharper_version(const QString& file)
{
    const auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || app->devicePixelRatio() < 1.5)
        return {};
    const QFileInfo info(file);
    const QString twice = info.path() + "/" + info.completeBaseName() + "@2x." + info.suffix();
    return QFileInfo(twice).isFile() ? twice : QString();
}

} // namespace

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
    if (const QString twice = sharper_version(file); !twice.isEmpty()) {
        const QImage sharp = QImageReader(twice).read();
        if (sharp.size() == image.size() * 2) {
            impl->pixmap = QPixmap::fromImage(sharp);
            impl->pixmap.setDevicePixelRatio(2.0);
        }
    }
    return Picture(std::move(impl));
}

} // namespace forms
