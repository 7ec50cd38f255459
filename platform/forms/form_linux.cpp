#include "form.h"
#include "form_system.h"
#include "win32/broadcast.h"

#include "application.h"
#include "toolkit/colour.h"
#include "controls_linux.h"
#include "focus_return_linux.h"
#include "toolkit/font_face.h"
#include "menu_linux.h"
#include "toolkit/window_handles.h"
#include "twips_linux.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShortcut>
#include <QEventLoop>
#include <QFontMetrics>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

#include <algorithm>

namespace forms {
namespace {

class Window : public QMainWindow {
public:
    explicit Window(Form& form) : form_(form)
    {
        setCentralWidget(new QWidget(this));
        // F10 takes the keyboard to the menu bar, opening its first menu that can be used.
        auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
        QObject::connect(f10, &QShortcut::activated, this, [this] {
            for (QAction* a : menuBar()->actions())
                if (a->isEnabled() && a->isVisible()) {
                    menuBar()->setFocus(Qt::ShortcutFocusReason);
                    menuBar()->setActiveAction(a);
                    break;
                }
        });
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key() == Qt::Key_Escape ? 27
                        : (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) ? 13
                        : (event->key() >= 0x20 && event->key() < 0x7F) ? event->key()
                                                                         : 0;
        if (key && form_.on_key_down)
            form_.on_key_down(key);
        else
            QMainWindow::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        event->accept();
        form_.close();
    }

private:
    Form& form_;
};

} // namespace

struct Form::Impl {
    explicit Impl(Form& form) : window(form) {}
    Window window;
    QEventLoop* modal = nullptr;
};

Form::Form(Application& app) : app_(app), d(new Impl(*this))
{
    hwnd_ = toolkit::register_window(&d->window);
}

void Form::ImplDeleter::operator()(Impl* impl) const { delete impl; }

void Form::set_frameless(bool on)
{
    d->window.setWindowFlag(Qt::FramelessWindowHint, on);
}

void Form::set_back_colour(std::int32_t c)
{
    back_ = c;
    QPalette p = d->window.palette();
    p.setColor(QPalette::Window, toolkit::to_qcolor(static_cast<std::uint32_t>(c)));
    d->window.setPalette(p);
    d->window.setAutoFillBackground(true);
}

void Form::set_font(const Font& font)
{
    font_ = font;
    d->window.setFont(toolkit::to_qfont(font.name, font.size, font.bold));
}

int Form::text_width(const std::string& text) const
{
    return to_twips(QFontMetrics(toolkit::to_qfont(font_.name, font_.size, font_.bold)).horizontalAdvance(QString::fromStdString(text)));
}

int Form::text_height(const std::string& text) const
{
    const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
    return to_twips(QFontMetrics(toolkit::to_qfont(font_.name, font_.size, font_.bold)).height()) * static_cast<int>(lines);
}

template <typename T>
std::unique_ptr<T> new_control(Form::Impl& form, Control* container)
{
    return make_control<T>(container ? container_of(*container) : form.window.centralWidget());
}

template std::unique_ptr<Frame> new_control<Frame>(Form::Impl&, Control*);
template std::unique_ptr<Label> new_control<Label>(Form::Impl&, Control*);
template std::unique_ptr<PictureBox> new_control<PictureBox>(Form::Impl&, Control*);
template std::unique_ptr<Image> new_control<Image>(Form::Impl&, Control*);

std::string Form::caption() const { return d->window.windowTitle().toStdString(); }

void Form::set_caption(const std::string& caption)
{
    d->window.setWindowTitle(QString::fromStdString(caption));
}

void Form::set_accessible_name(const std::string& name)
{
    d->window.setAccessibleName(QString::fromStdString(name));
}

void Form::set_client_size(int width_twips, int height_twips)
{
    client_w_ = width_twips;
    client_h_ = height_twips;
    // The client area lies below the menu bar.
    d->window.resize(to_pixels(width_twips),
                     to_pixels(height_twips) + d->window.menuBar()->sizeHint().height());
}

Menu& Form::add_menu(const std::string& caption)
{
    auto impl = std::make_unique<Menu::Impl>();
    impl->menu = d->window.menuBar()->addMenu(QString::fromStdString(caption));
    menus_.push_back(std::make_unique<Menu>(std::move(impl)));
    return *menus_.back();
}

MenuItem& Form::add_menu_item(const std::string& caption)
{
    QAction* action = d->window.menuBar()->addAction(QString::fromStdString(caption));
    top_items_.push_back(make_item(action));
    return *top_items_.back();
}

bool Form::visible() const { return d->window.isVisible(); }

void show_window(Form::Impl& form)
{
    form.window.show();
    // Shown after another program's window (the workbook in Calc), it comes to the front.
    form.window.raise();
    form.window.activateWindow();
}

void hide_window(Form::Impl& form)
{
    form.window.hide();
    if (form.modal)
        form.modal->quit();
}

bool showing_modally(const Form::Impl& form) { return form.modal != nullptr; }

void run_modal(Form::Impl& impl, const Form&)
{
    const FocusReturn focus;
    impl.window.setWindowModality(Qt::ApplicationModal);
    show_window(impl);
    QEventLoop loop;
    impl.modal = &loop;
    loop.exec();
    impl.modal = nullptr;
    impl.window.setWindowModality(Qt::NonModal);
}

void size_window(Form::Impl& form, int width, int height) { form.window.resize(to_pixels(width), to_pixels(height)); }

void place_window(Form::Impl& form, int left, int top) { form.window.move(to_pixels(left), to_pixels(top)); }

} // namespace forms
