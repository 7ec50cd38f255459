// The font dialog: the caller's CHOOSEFONTA and LOGFONTA shown in a font chooser of our own
// (tenths of a point, effects and colour, as the Windows dialog offers them), the chosen
// font written back as Windows writes it.

#include "dialog_error.h"
#include "toolkit/font_face.h"
#include "toolkit/window_handles.h"
#include "win32/commdlg.h"
#include "win32/font_chooser.h"

#include <QApplication>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace win32 {
namespace {

constexpr double dpi = 96.0;

FontChoice from_logfont(const LOGFONTA& lf, int point_tenths)
{
    FontChoice c;
    const std::size_t len = strnlen(lf.lfFaceName, LF_FACESIZE);
    c.face = installed_face(QString::fromLocal8Bit(lf.lfFaceName, static_cast<qsizetype>(len)).trimmed());
    // The height in double: negating the most negative LONG would overflow.
    const double height = static_cast<double>(lf.lfHeight);
    if (height < 0)
        c.points = -height * 72.0 / dpi;
    else if (height > 0)
        c.points = height * 72.0 / dpi * 0.8; // a cell height holds some leading
    else if (point_tenths > 0)
        c.points = point_tenths / 10.0;
    c.bold = lf.lfWeight >= 600;
    c.italic = lf.lfItalic != 0;
    c.underline = lf.lfUnderline != 0;
    c.strike_out = lf.lfStrikeOut != 0;
    return c;
}

void to_logfont(const FontChoice& c, LOGFONTA& lf)
{
    QString family = c.face;
    if (const auto foundry = family.indexOf(" ["); foundry > 0 && family.endsWith(']'))
        family.truncate(foundry); // the face name without the foundry
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
    lf.lfHeight = -static_cast<LONG>(std::lround(c.points * dpi / 72.0));
    lf.lfWidth = 0;
    lf.lfWeight = c.bold ? 700 : 400;
    lf.lfItalic = c.italic ? 1 : 0;
    lf.lfUnderline = c.underline ? 1 : 0;
    lf.lfStrikeOut = c.strike_out ? 1 : 0;
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

    FontOffer offer;
    offer.effects = cf->Flags & CF_EFFECTS;
    offer.fixed_pitch = cf->Flags & CF_FIXEDPITCHONLY;
    offer.scalable = cf->Flags & (CF_SCALABLEONLY | CF_TTONLY);
    if (cf->Flags & CF_LIMITSIZE) {
        offer.min_points = cf->nSizeMin;
        offer.max_points = cf->nSizeMax;
    }
    FontChoice start;
    start.face = installed_face("Arial");
    if (cf->Flags & CF_INITTOLOGFONTSTRUCT)
        start = from_logfont(*cf->lpLogFont, cf->iPointSize);
    start.colour = cf->rgbColors & 0xFFFFFF;
    FontChooser dialog(toolkit::window_for(cf->hwndOwner), offer, start);
    if (!dialog.has_faces())
        return dialog_outcome(CFERR_NOFONTS, FALSE);
    if (dialog.exec() != QDialog::Accepted)
        return dialog_outcome(0, FALSE);

    const FontChoice chosen = dialog.choice();
    to_logfont(chosen, *cf->lpLogFont);
    cf->iPointSize = static_cast<std::int32_t>(std::lround(chosen.points * 10));
    if (offer.effects)
        cf->rgbColors = chosen.colour;
    cf->nFontType = static_cast<WORD>((chosen.bold ? BOLD_FONTTYPE : REGULAR_FONTTYPE) |
                                      (chosen.italic ? ITALIC_FONTTYPE : 0));
    return dialog_outcome(0, TRUE);
}

} // namespace win32
