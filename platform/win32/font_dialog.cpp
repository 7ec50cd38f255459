// The font dialog: the caller's CHOOSEFONTA and LOGFONTA shown as Qt's font dialog, the
// chosen font written back as Windows writes it.

#include "dialog_error.h"
#include "forms/font_impl.h"
#include "forms/native.h"
#include "win32/commdlg.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QMessageBox>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace win32 {
namespace {

constexpr double dpi = 96.0;

/// A font dialog that keeps the size inside the caller's limits.
class FontDialog : public QFontDialog {
public:
    FontDialog(QWidget* owner, int min, int max) : QFontDialog(owner), min_(min), max_(max) {}

    void accept() override
    {
        const double size = currentFont().pointSizeF();
        if (min_ > 0 && (size < min_ || size > max_)) {
            QMessageBox::warning(this, windowTitle(),
                                 QString("Size must be between %1 and %2 points.").arg(min_).arg(max_));
            return;
        }
        QFontDialog::accept();
    }

private:
    int min_, max_;
};

QFont from_logfont(const LOGFONTA& lf, int point_tenths)
{
    QFont f;
    const std::size_t len = strnlen(lf.lfFaceName, LF_FACESIZE);
    // A face that is not installed starts the dialog on its nearest installed shape.
    const QString face = QString::fromLocal8Bit(lf.lfFaceName, static_cast<qsizetype>(len)).trimmed();
    f.setFamily(face);
    // The dialog lists a face that two foundries supply as "Face [foundry]".
    const QStringList installed = QFontDatabase::families();
    bool found = false;
    for (const QString& candidate : forms::to_qfont({face.toStdString(), 12, false}).families()) {
        for (const QString& family : installed) {
            if (family == candidate || family.startsWith(candidate + " [")) {
                f.setFamily(family);
                found = true;
                break;
            }
        }
        if (found)
            break;
    }
    // The height's size, in double: negating the most negative LONG would overflow.
    const double height = static_cast<double>(lf.lfHeight);
    if (height < 0)
        f.setPointSizeF(-height * 72.0 / dpi);
    else if (height > 0)
        f.setPointSizeF(height * 72.0 / dpi * 0.8); // a cell height holds some leading
    else if (point_tenths > 0)
        f.setPointSizeF(point_tenths / 10.0);
    if (lf.lfWeight > 0)
        f.setWeight(static_cast<QFont::Weight>(std::clamp<int>(lf.lfWeight, 100, 900)));
    f.setItalic(lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    return f;
}

void to_logfont(const QFont& f, LOGFONTA& lf)
{
    QString family = f.family();
    if (const auto foundry = family.indexOf(" ["); foundry > 0 && family.endsWith(']'))
        family.truncate(foundry); // the face name without the dialog's foundry
    // The face name in at most 31 bytes, cut before a character, never inside one.
    QByteArray face = family.toLocal8Bit();
    if (face.size() > LF_FACESIZE - 1) {
        qsizetype cut = LF_FACESIZE - 1;
        while (cut > 0 && (static_cast<unsigned char>(face[cut]) & 0xC0) == 0x80)
            --cut; // a continuation byte: the character began earlier
        face.truncate(cut);
    }
    std::memset(lf.lfFaceName, 0, LF_FACESIZE);
    std::memcpy(lf.lfFaceName, face.constData(), static_cast<std::size_t>(face.size()));
    lf.lfHeight = -static_cast<LONG>(std::clamp<long>(std::lround(f.pointSizeF() * dpi / 72.0), 0, 0x7FFFFFFF));
    lf.lfWidth = 0;
    lf.lfWeight = static_cast<LONG>(f.weight());
    lf.lfItalic = f.italic() ? 1 : 0;
    lf.lfUnderline = f.underline() ? 1 : 0;
    lf.lfStrikeOut = f.strikeOut() ? 1 : 0;
}

} // namespace

BOOL ChooseFontA(CHOOSEFONTA* cf)
{
    if (!cf || cf->lStructSize != sizeof(CHOOSEFONTA))
        return dialog_outcome(CDERR_STRUCTSIZE, FALSE);
    if ((cf->Flags & CF_ENABLEHOOK) && !cf->lpfnHook)
        return dialog_outcome(CDERR_NOHOOK, FALSE);
    if (!cf->lpLogFont)
        return dialog_outcome(CDERR_INITIALIZATION, FALSE);
    if ((cf->Flags & CF_LIMITSIZE) && cf->nSizeMax < cf->nSizeMin)
        return dialog_outcome(CFERR_MAXLESSTHANMIN, FALSE);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return dialog_outcome(CDERR_DIALOGFAILURE, FALSE);
    if (QFontDatabase::families().isEmpty())
        return dialog_outcome(CFERR_NOFONTS, FALSE);

    const bool limited = cf->Flags & CF_LIMITSIZE;
    FontDialog dialog(forms::window_for(cf->hwndOwner), limited ? cf->nSizeMin : 0, limited ? cf->nSizeMax : 0);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (cf->Flags & CF_FIXEDPITCHONLY)
        dialog.setOption(QFontDialog::MonospacedFonts);
    if (cf->Flags & (CF_SCALABLEONLY | CF_TTONLY))
        dialog.setOption(QFontDialog::ScalableFonts);
    dialog.setWindowTitle("Font");
    if (cf->Flags & CF_INITTOLOGFONTSTRUCT)
        dialog.setCurrentFont(from_logfont(*cf->lpLogFont, cf->iPointSize));
    if (dialog.exec() != QDialog::Accepted)
        return dialog_outcome(0, FALSE);

    const QFont chosen = dialog.selectedFont();
    to_logfont(chosen, *cf->lpLogFont);
    cf->iPointSize = static_cast<std::int32_t>(std::lround(chosen.pointSizeF() * 10));
    cf->nFontType = static_cast<WORD>((chosen.bold() ? BOLD_FONTTYPE : REGULAR_FONTTYPE) |
                                      (chosen.italic() ? ITALIC_FONTTYPE : 0));
    return dialog_outcome(0, TRUE);
}

} // namespace win32
