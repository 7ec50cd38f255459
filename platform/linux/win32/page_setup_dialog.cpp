// The page setup dialog: the caller's PAGESETUPDLGA and DEVMODE shown as Qt's page setup
// dialog on a print-system queue; paper, margins and orientation written back as Windows does.

#include "dialog_error.h"
#include "toolkit/window_handles.h"
#include "win32/commdlg.h"
#include "win32/print_blocks.h"
#include "win32/print_qt.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <memory>

namespace win32 {
namespace {

const char* const margin_boxes[] = {"leftMargin", "topMargin", "rightMargin", "bottomMargin"};

/// Millimetres in one of a page layout's units.
double mm_per(QPageLayout::Unit unit)
{
    switch (unit) {
    case QPageLayout::Inch: return 25.4;
    case QPageLayout::Point: return 25.4 / 72;
    case QPageLayout::Pica: return 25.4 / 6;
    case QPageLayout::Didot: return 0.375;
    case QPageLayout::Cicero: return 4.5;
    default: return 1.0;
    }
}

/// The record's margins, in millimetres, in the order left, top, right, bottom.
QMarginsF mm_of(const RECT& r, double per_mm)
{
    return QMarginsF(r.left / per_mm, r.top / per_mm, r.right / per_mm, r.bottom / per_mm);
}

RECT rect_of(const QMarginsF& mm, double per_mm)
{
    auto v = [per_mm](double m) { return static_cast<LONG>(std::lround(m * per_mm)); };
    return RECT{v(mm.left()), v(mm.top()), v(mm.right()), v(mm.bottom())};
}

QMarginsF at_least(const QMarginsF& m, const QMarginsF& min)
{
    return QMarginsF(std::max(m.left(), min.left()), std::max(m.top(), min.top()), std::max(m.right(), min.right()),
                     std::max(m.bottom(), min.bottom()));
}

/// The queue's smallest margins in millimetres, for a sheet of `size`.
QMarginsF minimum_margins(QPrinter& printer, const QPageSize& size)
{
    if (size.isValid())
        printer.setPageSize(size);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    return layout.minimumMargins();
}

/// Writes paper size, margins, unit and new blocks for the sheet chosen.
BOOL hand_back(PAGESETUPDLGA* psd, const queues::Queue& q, DEVMODEA dm, const queues::Settings& s, const QPageSize& size,
               const QMarginsF& margins_mm, bool inches)
{
    const double per_mm = inches ? 1000 / 25.4 : 100;
    QSizeF sheet = size.size(QPageSize::Millimeter);
    if (s.orientation == 2)
        sheet.transpose();
    psd->ptPaperSize = POINT{static_cast<LONG>(std::lround(sheet.width() * per_mm)),
                             static_cast<LONG>(std::lround(sheet.height() * per_mm))};
    psd->rtMargin = rect_of(margins_mm, per_mm);
    psd->Flags = (psd->Flags & ~(PSD_INTHOUSANDTHSOFINCHES | PSD_INHUNDREDTHSOFMILLIMETERS)) |
                 (inches ? PSD_INTHOUSANDTHSOFINCHES : PSD_INHUNDREDTHSOFMILLIMETERS);

    put_settings(dm, q.name, s);
    return dialog_outcome(replace_blocks(psd->hDevMode, psd->hDevNames, dm, q.name), TRUE);
}

DWORD check_record(const PAGESETUPDLGA* psd)
{
    if (!psd || psd->lStructSize != sizeof(PAGESETUPDLGA))
        return CDERR_STRUCTSIZE;
    const DWORD f = psd->Flags;
    if (((f & PSD_ENABLEPAGESETUPHOOK) && !psd->lpfnPageSetupHook) ||
        ((f & PSD_ENABLEPAGEPAINTHOOK) && !psd->lpfnPagePaintHook))
        return CDERR_NOHOOK;
    if (((f & PSD_ENABLEPAGESETUPTEMPLATE) && !psd->lpPageSetupTemplateName) ||
        ((f & PSD_ENABLEPAGESETUPTEMPLATEHANDLE) && !psd->hPageSetupTemplate))
        return CDERR_NOTEMPLATE;
    if ((f & PSD_ENABLEPAGESETUPTEMPLATE) && !psd->hInstance)
        return CDERR_NOHINSTANCE;
    return 0;
}

/// Sets the dialog's widgets to the sheet, orientation, unit and margins it should show,
/// and disables what the flags lock. Qt's dialog shows the queue's own settings otherwise.
void preset_dialog(QPageSetupDialog& dialog, const QPageSize& size, bool landscape, bool inches, const QMarginsF& mm, DWORD f)
{
    if (auto* sizes = dialog.findChild<QComboBox*>("pageSizeCombo")) {
        for (int i = 0; i < sizes->count(); ++i)
            if (sizes->itemData(i).value<QPageSize>().isEquivalentTo(size)) {
                sizes->setCurrentIndex(i);
                break;
            }
        sizes->setEnabled(!(f & PSD_DISABLEPAPER));
    }
    for (const char* name : {"portrait", "landscape"})
        if (auto* radio = dialog.findChild<QRadioButton*>(name)) {
            if ((qstrcmp(name, "landscape") == 0) == landscape)
                radio->setChecked(true);
            radio->setEnabled(!(f & PSD_DISABLEORIENTATION));
        }
    const QPageLayout::Unit unit = inches ? QPageLayout::Inch : QPageLayout::Millimeter;
    if (auto* units = dialog.findChild<QComboBox*>("unitCombo")) {
        const int i = units->findData(QVariant::fromValue(unit));
        if (i >= 0) {
            units->setCurrentIndex(i);
            emit units->activated(i); // the dialog converts only on a user's choice
        }
    }
    const double values[] = {mm.left(), mm.top(), mm.right(), mm.bottom()};
    for (int i = 0; i < 4; ++i)
        if (auto* box = dialog.findChild<QDoubleSpinBox*>(margin_boxes[i])) {
            box->setValue(values[i] / mm_per(unit));
            box->setEnabled(!(f & PSD_DISABLEMARGINS));
        }
}

/// The unit the dialog shows its margins in.
QPageLayout::Unit unit_of(QPageSetupDialog& dialog)
{
    const auto* units = dialog.findChild<QComboBox*>("unitCombo");
    return units ? units->currentData().value<QPageLayout::Unit>() : QPageLayout::Millimeter;
}

/// The margin boxes' values in millimetres; `fallback`'s where a box is missing.
QMarginsF shown_margins(QPageSetupDialog& dialog, const QMarginsF& fallback = {})
{
    const double per = mm_per(unit_of(dialog));
    double v[4] = {fallback.left(), fallback.top(), fallback.right(), fallback.bottom()};
    for (int i = 0; i < 4; ++i)
        if (auto* box = dialog.findChild<QDoubleSpinBox*>(margin_boxes[i]))
            v[i] = box->value() * per;
    return QMarginsF(v[0], v[1], v[2], v[3]);
}

/// When the person picks another sheet, the margins shown become that sheet's: each margin
/// that stood at the old sheet's smallest goes to the new one's, one below the new smallest
/// comes up to it, and one the person widened stays. Qt's dialog keeps the old sheet's.
void margins_follow_the_sheet(QPageSetupDialog& dialog, const std::string& queue, const QMarginsF& first_minimum)
{
    auto* sizes = dialog.findChild<QComboBox*>("pageSizeCombo");
    if (!sizes)
        return;
    auto minimum = std::make_shared<QMarginsF>(first_minimum);
    QObject::connect(sizes, &QComboBox::currentIndexChanged, &dialog, [&dialog, sizes, queue, minimum] {
        QPrinter probe(QPrinter::HighResolution);
        probe.setPrinterName(QString::fromStdString(queue));
        const QMarginsF now = minimum_margins(probe, sizes->currentData().value<QPageSize>());
        const QMarginsF shown = shown_margins(dialog);
        const double old_min[4] = {minimum->left(), minimum->top(), minimum->right(), minimum->bottom()};
        const double new_min[4] = {now.left(), now.top(), now.right(), now.bottom()};
        const double was[4] = {shown.left(), shown.top(), shown.right(), shown.bottom()};
        const double per = mm_per(unit_of(dialog));
        for (int i = 0; i < 4; ++i) {
            const bool at_smallest = std::abs(was[i] - old_min[i]) < 0.05;
            const double value = at_smallest ? new_min[i] : std::max(was[i], new_min[i]);
            if (auto* box = dialog.findChild<QDoubleSpinBox*>(margin_boxes[i]))
                box->setValue(value / per);
        }
        *minimum = now;
    });
}

} // namespace

BOOL PageSetupDlgA(PAGESETUPDLGA* psd)
{
    if (const DWORD error = check_record(psd))
        return dialog_outcome(error, FALSE);
    const DWORD f = psd->Flags;
    // The caller's unit when it names one, else the one of the user's locale.
    const bool inches = (f & PSD_INTHOUSANDTHSOFINCHES) ||
                        (!(f & PSD_INHUNDREDTHSOFMILLIMETERS) && QLocale().measurementSystem() != QLocale::MetricSystem);
    const double per_mm = inches ? 1000 / 25.4 : 100;

    if ((f & PSD_RETURNDEFAULT) && (psd->hDevMode || psd->hDevNames))
        return dialog_outcome(PDERR_RETDEFFAILURE, FALSE);
    if (!(f & PSD_RETURNDEFAULT) && !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return dialog_outcome(CDERR_DIALOGFAILURE, FALSE);
    if (queues::queue_names().empty())
        return dialog_outcome(PDERR_NODEFAULTPRN, FALSE);
    const PrinterBlocks in = read_blocks(psd->hDevMode, psd->hDevNames);
    const std::string queue = queue_for(in.name);
    const auto q = queue.empty() ? std::nullopt : queues::read_queue(queue);
    if (!q)
        return dialog_outcome(in.name.empty() ? PDERR_NODEFAULTPRN : PDERR_PRINTERNOTFOUND, FALSE);
    queues::Settings s = preset_of(*q, in.devmode);

    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QString::fromStdString(q->name));
    apply_settings(printer, *q, s);
    const QPageSize preset_size = page_size_of(*q, s.paper_size);
    QMarginsF minimum = minimum_margins(printer, preset_size);
    if (f & PSD_MINMARGINS)
        minimum = at_least(mm_of(psd->rtMinMargin, per_mm), minimum);
    const QMarginsF margins = at_least((f & PSD_MARGINS) ? mm_of(psd->rtMargin, per_mm) : QMarginsF(25.4, 25.4, 25.4, 25.4), minimum);

    if (f & PSD_RETURNDEFAULT)
        return hand_back(psd, *q, in.devmode, s, preset_size, margins, inches);

    QPageSetupDialog dialog(&printer, toolkit::window_for(psd->hwndOwner));
    preset_dialog(dialog, preset_size, s.orientation == 2, inches, margins, f);
    margins_follow_the_sheet(dialog, q->name, minimum_margins(printer, preset_size));
    if (dialog.exec() != QDialog::Accepted)
        return dialog_outcome(0, FALSE);

    // Read the choices from the dialog itself: Qt drops the whole layout when a margin is
    // below the queue's smallest, where the user is better served by that smallest margin.
    QPageSize size = preset_size;
    if (auto* sizes = dialog.findChild<QComboBox*>("pageSizeCombo"))
        size = sizes->currentData().value<QPageSize>();
    if (auto* landscape = dialog.findChild<QRadioButton*>("landscape"))
        s.orientation = landscape->isChecked() ? 2 : 1;
    if (const std::int16_t paper = paper_of(*q, size)) {
        s.paper_size = paper;
        s.paper_width = queues::find_choice(q->papers, paper)->width;
    }
    const QMarginsF chosen_mm = at_least(shown_margins(dialog, margins), minimum_margins(printer, size));
    return hand_back(psd, *q, in.devmode, s, size.isValid() ? size : preset_size, (f & PSD_MINMARGINS) ? at_least(chosen_mm, minimum) : chosen_mm, inches);
}

} // namespace win32
