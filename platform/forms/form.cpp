#include "form.h"

#include "application.h"
#include "menu_impl.h"
#include "native.h"
#include "twips.h"

#include <QCloseEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

namespace forms {
namespace {

class Window : public QMainWindow {
public:
    explicit Window(Form& form) : form_(form) { setCentralWidget(new QWidget(this)); }

protected:
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
};

Form::Form(Application& app) : app_(app), d(std::make_unique<Impl>(*this))
{
    hwnd_ = register_window(&d->window);
}

Form::~Form()
{
    if (loaded_)
        app_.closed(this);
    menus_.clear();
    top_items_.clear();
}

std::string Form::caption() const { return d->window.windowTitle().toStdString(); }

void Form::set_caption(const std::string& caption)
{
    d->window.setWindowTitle(QString::fromStdString(caption));
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

void Form::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    app_.opened(this);
    if (on_load)
        on_load();
}

void Form::show()
{
    load();
    if (loaded_) {
        d->window.show();
        // Shown after another program's window (the workbook in Calc), it comes to the front.
        d->window.raise();
        d->window.activateWindow();
    }
}

void Form::hide() { d->window.hide(); }

bool Form::visible() const { return d->window.isVisible(); }

void Form::close()
{
    if (!loaded_ || closing_)
        return;
    closing_ = true;
    if (on_unload)
        on_unload();
    d->window.hide();
    loaded_ = false;
    closing_ = false;
    app_.closed(this);
}

} // namespace forms
