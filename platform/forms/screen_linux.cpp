#include "screen.h"

#include "twips_linux.h"

#include <QGuiApplication>
#include <QScreen>

namespace forms {

int screen_width_twips()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? to_twips(s->geometry().width()) : 0;
}

int screen_height_twips()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? to_twips(s->geometry().height()) : 0;
}

} // namespace forms
