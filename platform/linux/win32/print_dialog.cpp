// The print dialog: the caller's PRINTDLGA, DEVMODE and DEVNAMES shown as Qt's print dialog
// on a print-system queue, the choices written back as Windows writes them.

#include "dialog_error.h"
#include "toolkit/window_handles.h"
#include "win32/commdlg.h"
#include "win32/print_blocks.h"
#include "win32/print_qt.h"
#include "win32/wingdi.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <cstring>

namespace win32 {
namespace {

/// The options of the dialog the flags ask for.
QAbstractPrintDialog::PrintDialogOptions options_for(DWORD f)
{
    using O = QAbstractPrintDialog;
    O::PrintDialogOptions o = O::PrintShowPageSize | O::PrintCollateCopies;
    if (!(f & PD_PRINTSETUP)) {
        o.setFlag(O::PrintToFile, !(f & (PD_DISABLEPRINTTOFILE | PD_HIDEPRINTTOFILE)));
        o.setFlag(O::PrintSelection, !(f & PD_NOSELECTION));
        o.setFlag(O::PrintPageRange, !(f & PD_NOPAGENUMS));
        o.setFlag(O::PrintCurrentPage, (f & PD_CURRENTPAGE) && !(f & PD_NOCURRENTPAGE));
    }
    return o;
}

/// Hands back the printer chosen: new settings and names blocks in place of the caller's,
/// and a device context when one is asked for.
BOOL hand_back(PRINTDLGA* pd, const DEVMODEA& dm, const std::string& queue)
{
    if (const DWORD error = replace_blocks(pd->hDevMode, pd->hDevNames, dm, queue))
        return dialog_outcome(error, FALSE);
    if (pd->Flags & (PD_RETURNDC | PD_RETURNIC))
        pd->hDC = (pd->Flags & PD_RETURNDC) ? CreateDCA("WINSPOOL", queue.c_str(), nullptr, &dm)
                                            : CreateICA("WINSPOOL", queue.c_str(), nullptr, &dm);
    return dialog_outcome(0, TRUE);
}

DWORD check_record(const PRINTDLGA* pd)
{
    if (!pd || pd->lStructSize != sizeof(PRINTDLGA))
        return CDERR_STRUCTSIZE;
    const DWORD f = pd->Flags;
    if (((f & PD_ENABLEPRINTHOOK) && !pd->lpfnPrintHook) || ((f & PD_ENABLESETUPHOOK) && !pd->lpfnSetupHook))
        return CDERR_NOHOOK;
    if (((f & PD_ENABLEPRINTTEMPLATE) && !pd->lpPrintTemplateName) ||
        ((f & PD_ENABLESETUPTEMPLATE) && !pd->lpSetupTemplateName) ||
        ((f & PD_ENABLEPRINTTEMPLATEHANDLE) && !pd->hPrintTemplate) ||
        ((f & PD_ENABLESETUPTEMPLATEHANDLE) && !pd->hSetupTemplate))
        return CDERR_NOTEMPLATE;
    if ((f & (PD_ENABLEPRINTTEMPLATE | PD_ENABLESETUPTEMPLATE)) && !pd->hInstance)
        return CDERR_NOHINSTANCE;
    return 0;
}

} // namespace

namespace {

/// PD_RETURNDEFAULT: no dialog, the default printer in blocks of the function's own.
BOOL return_default(PRINTDLGA* pd)
{
    if (pd->hDevMode || pd->hDevNames)
        return dialog_outcome(PDERR_RETDEFFAILURE, FALSE);
    const std::string queue = queue_for("");
    const auto q = queue.empty() ? std::nullopt : queues::read_queue(queue);
    if (!q)
        return dialog_outcome(PDERR_NODEFAULTPRN, FALSE);
    return hand_back(pd, devmode_of(q->name, q->defaults), q->name);
}

/// The dialog as the record's flags ask: its options, title, page limits and the range it
/// starts on.
void set_up(QPrintDialog& dialog, const PRINTDLGA& pd)
{
    const DWORD f = pd.Flags;
    dialog.setOptions(options_for(f));
    if (f & PD_PRINTSETUP)
        dialog.setWindowTitle("Print Setup");
    if (pd.nMinPage || pd.nMaxPage)
        dialog.setMinMax(pd.nMinPage, std::max(pd.nMinPage, pd.nMaxPage));
    if ((f & PD_SELECTION) && !(f & PD_NOSELECTION))
        dialog.setPrintRange(QAbstractPrintDialog::Selection);
    else if ((f & PD_PAGENUMS) && !(f & PD_NOPAGENUMS))
        dialog.setPrintRange(QAbstractPrintDialog::PageRange);
    else if (f & PD_CURRENTPAGE)
        dialog.setPrintRange(QAbstractPrintDialog::CurrentPage);
}

/// The range, collation and output the person chose, into the record's flags and pages.
void report_range(PRINTDLGA* pd, const QPrintDialog& dialog, const QPrinter& printer, bool to_file)
{
    pd->Flags &= ~(PD_SELECTION | PD_PAGENUMS | PD_CURRENTPAGE | PD_COLLATE | PD_PRINTTOFILE);
    switch (dialog.printRange()) {
    case QAbstractPrintDialog::Selection: pd->Flags |= PD_SELECTION; break;
    case QAbstractPrintDialog::PageRange: pd->Flags |= PD_PAGENUMS; break;
    case QAbstractPrintDialog::CurrentPage: pd->Flags |= PD_CURRENTPAGE; break;
    default: break;
    }
    if (printer.collateCopies())
        pd->Flags |= PD_COLLATE;
    if (to_file)
        pd->Flags |= PD_PRINTTOFILE;
    if (pd->Flags & PD_PAGENUMS) {
        pd->nFromPage = static_cast<WORD>(printer.fromPage());
        pd->nToPage = static_cast<WORD>(printer.toPage());
    }
}

} // namespace

BOOL PrintDlgA(PRINTDLGA* pd)
{
    if (const DWORD error = check_record(pd))
        return dialog_outcome(error, FALSE);
    const DWORD f = pd->Flags;
    if (f & PD_RETURNDEFAULT)
        return return_default(pd);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return dialog_outcome(CDERR_DIALOGFAILURE, FALSE);
    if (queues::queue_names().empty())
        return dialog_outcome(PDERR_NODEFAULTPRN, FALSE);
    const PrinterBlocks in = read_blocks(pd->hDevMode, pd->hDevNames);
    const std::string queue = queue_for(in.name);
    const auto q = queue.empty() ? std::nullopt : queues::read_queue(queue);
    if (!q)
        return dialog_outcome(in.name.empty() ? PDERR_NODEFAULTPRN : PDERR_PRINTERNOTFOUND, FALSE);
    queues::Settings preset = preset_of(*q, in.devmode);
    if (!(in.devmode.dmFields & DM_COPIES) && pd->nCopies > 0)
        preset.copies = static_cast<std::int16_t>(pd->nCopies);

    // The dialog runs on a printer of its own: a cancel leaves the caller's as it was.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QString::fromStdString(q->name));
    apply_settings(printer, *q, preset);
    printer.setCollateCopies(f & PD_COLLATE);
    if (f & PD_PAGENUMS)
        printer.setFromTo(pd->nFromPage, pd->nToPage);
    QPrintDialog dialog(&printer, toolkit::window_for(pd->hwndOwner));
    set_up(dialog, *pd);

    PropertiesPreset keep(printer, *q, preset);
    if (dialog.exec() != QDialog::Accepted)
        return dialog_outcome(0, FALSE);

    const bool to_file = printer.outputFormat() == QPrinter::PdfFormat;
    const std::string chosen = to_file ? q->name : queue_for(printer.printerName().toStdString());
    const auto c = chosen.empty() ? std::nullopt : queues::read_queue(chosen);
    if (!c)
        return dialog_outcome(PDERR_PRINTERNOTFOUND, FALSE);
    const queues::Settings got = keep.chosen(*c, chosen == q->name ? preset : c->defaults);

    // The caller's settings stay where the dialog has nothing to say; the chosen ones replace them.
    DEVMODEA dm = in.devmode;
    put_settings(dm, c->name, got);
    dm.dmCollate = printer.collateCopies() ? 1 : 0;
    dm.dmFields |= DM_COLLATE;
    report_range(pd, dialog, printer, to_file);
    pd->nCopies = static_cast<WORD>(got.copies);
    return hand_back(pd, dm, c->name);
}

} // namespace win32
