#include "controls_linux.h"

#include "toolkit/colour.h"

#include "toolkit/font_face.h"
#include "picture_linux.h"
#include "twips_linux.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>

namespace forms {
namespace {

int shift_state(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? vbShiftMask : 0) | (m & Qt::ControlModifier ? vbCtrlMask : 0) |
           (m & Qt::AltModifier ? vbAltMask : 0);
}

int button_of(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return vbLeftButton;
    case Qt::RightButton: return vbRightButton;
    case Qt::MiddleButton: return vbMiddleButton;
    default: return 0;
    }
}

/// The image's widget: shows the picture and passes the mouse on.
class ImageWidget : public QLabel {
public:
    ImageWidget(QWidget* parent, Image& owner) : QLabel(parent), owner_(owner) {}

    Image& owner() { return owner_; }

    /// A press of the left button where the image's middle is, as a key or a screen reader gives it.
    void press(int shift, bool down)
    {
        const auto& to = down ? owner_.on_mouse_down : owner_.on_mouse_up;
        if (to)
            to(vbLeftButton, shift, to_twips(width() / 2), to_twips(height() / 2));
    }

protected:
    void mousePressEvent(QMouseEvent* e) override { report(e, owner_.on_mouse_down); }
    void mouseReleaseEvent(QMouseEvent* e) override { report(e, owner_.on_mouse_up); }
    void keyPressEvent(QKeyEvent* e) override { key(e, true); }
    void keyReleaseEvent(QKeyEvent* e) override { key(e, false); }

private:
    void report(QMouseEvent* e, const std::function<void(int, int, int, int)>& to)
    {
        if (to)
            to(button_of(e->button()), shift_state(e->modifiers()), to_twips(e->position().toPoint().x()),
               to_twips(e->position().toPoint().y()));
    }
    void key(QKeyEvent* e, bool down)
    {
        const bool presses = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space;
        if (!owner_.tab_stop() || !presses) {
            e->ignore(); // to the window: Escape, say
            return;
        }
        if (!e->isAutoRepeat())
            press(shift_state(e->modifiers() & ~Qt::KeypadModifier), down);
    }
    Image& owner_;
};

/// What a screen reader hears of an image: a picture, or a button it can press when the image
/// is one.
class ImageAccessible : public QAccessibleWidget {
public:
    explicit ImageAccessible(ImageWidget* w) : QAccessibleWidget(w, QAccessible::Graphic) {}
    QAccessible::Role role() const override
    {
        return image().owner().tab_stop() ? QAccessible::Button : QAccessible::Graphic;
    }
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (image().owner().tab_stop())
            names << pressAction();
        return names;
    }
    void doAction(const QString& name) override
    {
        if (name != pressAction() || !image().owner().tab_stop()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        image().press(0, true);
        image().press(0, false);
    }

private:
    ImageWidget& image() const { return *static_cast<ImageWidget*>(widget()); }
};

QAccessibleInterface* image_accessible(const QString&, QObject* object)
{
    auto* w = dynamic_cast<ImageWidget*>(object);
    return w ? new ImageAccessible(w) : nullptr;
}

} // namespace

Control::Control(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}

Control::~Control()
{
    // The widget belongs to its container's widget, which may already have gone.
    delete d->widget.data();
}

void Control::place()
{
    if (d->widget)
        d->widget->setGeometry(to_pixels(left_), to_pixels(top_), to_pixels(width_), to_pixels(height_));
}

void Control::set_visible(bool on)
{
    visible_ = on;
    if (d->widget)
        d->widget->setVisible(on);
}

namespace {

void paint(QWidget* w, QPalette::ColorRole role, std::int32_t c)
{
    if (!w)
        return;
    QPalette p = w->palette();
    p.setColor(role, toolkit::to_qcolor(static_cast<std::uint32_t>(c)));
    w->setPalette(p);
}

} // namespace

void Control::set_back_colour(std::int32_t c)
{
    back_ = c;
    paint(d->widget, QPalette::Window, c);
    if (d->widget)
        d->widget->setAutoFillBackground(true);
}

void Control::set_fore_colour(std::int32_t c)
{
    fore_ = c;
    paint(d->widget, QPalette::WindowText, c);
}

void Control::set_accessible_name(const std::string& name)
{
    if (d->widget)
        d->widget->setAccessibleName(QString::fromStdString(name));
}

std::string Label::caption() const { return static_cast<QLabel*>(d->widget.data())->text().toStdString(); }

void Label::set_caption(const std::string& caption)
{
    static_cast<QLabel*>(d->widget.data())->setText(QString::fromStdString(caption));
}

void Label::set_alignment(Align a)
{
    align_ = a;
    const Qt::Alignment h = a == Align::Center ? Qt::AlignHCenter : a == Align::Right ? Qt::AlignRight : Qt::AlignLeft;
    static_cast<QLabel*>(d->widget.data())->setAlignment(h | Qt::AlignTop);
}

void Label::set_font(const Font& font)
{
    font_ = font;
    d->widget->setFont(toolkit::to_qfont(font.name, font.size, font.bold));
}

void PictureBox::set_picture(const Picture& picture)
{
    picture_ = picture;
    auto* label = static_cast<QLabel*>(d->widget.data());
    label->setPixmap(picture.empty() ? QPixmap() : picture.impl()->pixmap);
}

void Image::set_stretch(bool on)
{
    stretch_ = on;
    static_cast<QLabel*>(d->widget.data())->setScaledContents(on);
}

void Image::set_tab_stop(bool on)
{
    tab_stop_ = on;
    d->widget->setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void Image::set_picture(const Picture& picture)
{
    picture_ = picture;
    static_cast<QLabel*>(d->widget.data())->setPixmap(picture.empty() ? QPixmap() : picture.impl()->pixmap);
    // An image that does not stretch takes the size of the picture it shows.
    if (!stretch_ && !picture.empty()) {
        width_ = picture.width();
        height_ = picture.height();
        place();
    }
}

QWidget* container_of(Control& c) { return c.impl().widget; }

template <typename T>
std::unique_ptr<T> make_control(QWidget* parent)
{
    auto impl = std::make_unique<Control::Impl>();
    QWidget* w = nullptr;
    if constexpr (std::is_same_v<T, Frame>) {
        auto* f = new QFrame(parent);
        f->setFrameStyle(QFrame::Box | QFrame::Sunken);
        w = f;
    } else if constexpr (std::is_same_v<T, Label>) {
        auto* l = new QLabel(parent);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        w = l;
    } else if constexpr (std::is_same_v<T, PictureBox>) {
        auto* l = new QLabel(parent);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        w = l;
    }
    impl->widget = w;
    std::unique_ptr<T> control;
    if constexpr (std::is_same_v<T, Image>) {
        static const bool accessible = (QAccessible::installFactory(image_accessible), true);
        (void)accessible;
        control = std::make_unique<T>(std::move(impl));
        control->impl().widget = new ImageWidget(parent, *control);
    } else {
        control = std::make_unique<T>(std::move(impl));
    }
    control->impl().widget->show();
    return control;
}

template std::unique_ptr<Frame> make_control<Frame>(QWidget*);
template std::unique_ptr<Label> make_control<Label>(QWidget*);
template std::unique_ptr<PictureBox> make_control<PictureBox>(QWidget*);
template std::unique_ptr<Image> make_control<Image>(QWidget*);

} // namespace forms
