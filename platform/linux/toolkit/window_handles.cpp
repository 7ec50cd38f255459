#include "window_handles.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <map>

namespace toolkit {
namespace {

// The handle table belongs to the windowing system, so it is process-wide like the windows.
struct HandleTable {
    std::intptr_t next = 0x10010;
    std::map<std::intptr_t, QPointer<QWidget>> windows;
};

HandleTable& table()
{
    static HandleTable t;
    return t;
}

} // namespace

std::intptr_t register_window(QWidget* widget)
{
    auto& t = table();
    const std::intptr_t h = t.next;
    t.next += 4;
    t.windows[h] = widget;
    QObject::connect(widget, &QObject::destroyed, [h] { table().windows.erase(h); });
    return h;
}

QWidget* window_for(std::intptr_t hwnd)
{
    auto& t = table();
    auto it = t.windows.find(hwnd);
    return it == t.windows.end() ? nullptr : it->second.data();
}

} // namespace toolkit
