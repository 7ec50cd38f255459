#include "font_linux.h"

#include <QStringList>

namespace forms {

QFont to_qfont(const Font& font)
{
    QFont f;
    const QString name = QString::fromStdString(font.name);
    // Faces a Windows design names, each followed by its nearest shape that Debian ships.
    if (name.compare("Century Gothic", Qt::CaseInsensitive) == 0)
        f.setFamilies({name, "URW Gothic", "DejaVu Sans"});
    else if (name.compare("MS Sans Serif", Qt::CaseInsensitive) == 0)
        f.setFamilies({name, "Liberation Sans", "DejaVu Sans"});
    else if (name.compare("Arial", Qt::CaseInsensitive) == 0)
        f.setFamilies({name, "Liberation Sans", "DejaVu Sans"});
    else
        f.setFamilies({name, "DejaVu Sans"});
    f.setPointSizeF(font.size);
    f.setBold(font.bold);
    return f;
}

} // namespace forms
