#include "busy_cursor.h"

#include <QApplication>

namespace forms {

BusyCursor::BusyCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

} // namespace forms
