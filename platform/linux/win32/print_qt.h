#pragma once
// Private to the printer dialogs: a printer's settings on a Qt printer, and back.

#include "queues/queue.h"

#include <QObject>
#include <QPageSize>
#include <QPointer>

class QPrinter;
class QWidget;

namespace win32 {

/// Qt's page size for a DMPAPER code the queue offers; an invalid size for any other.
QPageSize page_size_of(const queues::Queue& queue, std::int16_t paper);
/// The DMPAPER code of a Qt page size among the queue's papers; 0 when the queue has none such.
std::int16_t paper_of(const queues::Queue& queue, const QPageSize& size);
/// Puts orientation, paper, copies, duplex and colour on the printer.
void apply_settings(QPrinter& printer, const queues::Queue& queue, const queues::Settings& settings);

/// While it lives, Qt's printer properties page opens on the caller's paper, colour, paper
/// source, media type and resolution instead of the queue's (Qt shows the queue's own), and
/// what the user confirmed there can be read back.
class PropertiesPreset : public QObject {
public:
    PropertiesPreset(QPrinter& printer, const queues::Queue& queue, const queues::Settings& preset);
    ~PropertiesPreset() override;

    /// The settings the accepted dialog gives for the queue `chosen`: what the user chose,
    /// and `untouched` where the dialog left a setting alone.
    queues::Settings chosen(const queues::Queue& chosen, const queues::Settings& untouched) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void preset_page(QWidget* page);

    QPrinter& printer_;
    const queues::Queue& queue_;
    queues::Settings preset_;
    QPointer<QWidget> seen_page_;
    bool confirmed_ = false;
    QPageSize confirmed_size_; ///< the paper on the page the user confirmed; invalid before
};

} // namespace win32
