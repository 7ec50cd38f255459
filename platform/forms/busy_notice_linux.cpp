#include "busy_notice.h"

#include "runtime/app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace forms {

struct BusyNotice::Impl {
    std::unique_ptr<QLabel> label;
};

BusyNotice::BusyNotice() : d(std::make_unique<Impl>()) {}

BusyNotice::~BusyNotice() { close(); }

void BusyNotice::show(const std::string& text)
{
    if (!d->label) {
        d->label = std::make_unique<QLabel>();
        d->label->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
        d->label->setAlignment(Qt::AlignCenter);
        d->label->setMargin(24);
        d->label->setFrameStyle(QFrame::Box | QFrame::Plain);
        d->label->setWindowTitle(QString::fromStdString(rt::App::title() + " - busy"));
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    d->label->setText(QString::fromStdString(text));
    d->label->adjustSize();
    if (const QScreen* s = QGuiApplication::primaryScreen())
        d->label->move(s->geometry().center() - d->label->rect().center());
    d->label->show();
    pump();
}

void BusyNotice::pump() { QApplication::processEvents(); }

void BusyNotice::close()
{
    if (!d->label)
        return;
    d->label.reset();
    QApplication::restoreOverrideCursor();
    QApplication::processEvents();
}

bool BusyNotice::shown() const { return d->label != nullptr; }

} // namespace forms
