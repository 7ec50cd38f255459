// The colour dialog: the caller's CHOOSECOLORA shown as Qt's colour dialog.

#include "dialog_error.h"
#include "toolkit/colour.h"
#include "toolkit/window_handles.h"
#include "win32/commdlg.h"

#include <QApplication>
#include <QColorDialog>

namespace win32 {
namespace {

constexpr int custom_count = 16;

} // namespace

BOOL ChooseColorA(CHOOSECOLORA* cc)
{
    if (!cc || cc->lStructSize != sizeof(CHOOSECOLORA))
        return dialog_outcome(CDERR_STRUCTSIZE, FALSE);
    if ((cc->Flags & CC_ENABLEHOOK) && !cc->lpfnHook)
        return dialog_outcome(CDERR_NOHOOK, FALSE);
    if (!cc->lpCustColors)
        return dialog_outcome(CDERR_INITIALIZATION, FALSE);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return dialog_outcome(CDERR_DIALOGFAILURE, FALSE);

    // The dialog's custom colours are the caller's, for this call.
    for (int i = 0; i < custom_count; ++i)
        QColorDialog::setCustomColor(i, toolkit::to_qcolor(cc->lpCustColors[i]));
    QColorDialog dialog(toolkit::window_for(cc->hwndOwner));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle("Color");
    dialog.setCurrentColor(cc->Flags & CC_RGBINIT ? toolkit::to_qcolor(cc->rgbResult) : QColor(Qt::black));
    if (dialog.exec() != QDialog::Accepted)
        return dialog_outcome(0, FALSE);

    cc->rgbResult = toolkit::to_colorref(dialog.currentColor());
    for (int i = 0; i < custom_count; ++i)
        cc->lpCustColors[i] = toolkit::to_colorref(QColorDialog::customColor(i));
    return dialog_outcome(0, TRUE);
}

} // namespace win32
