#include "font_face.h"

#include <QStringList>

namespace toolkit {

QFont to_qfont(const std::string& face, double size, bool bold)
{
    QFont f;
    const QString name = QString::fromStdString(face);
    // Faces a Windows design names, each followed by its nearest shape that Debian ships.
    if (name.compare("Century Gothic", Qt::CaseInsensitive) == 0)
        f.setFamilies({name, "URW Gothic", "DejaVu Sans"});
    else if (name.compare("MS Sans Serif", Qt::CaseInsensitive) == 0)
        f.setFamilies({name, "Liberation Sans", "DejaVu Sans"});
    else if (name.compare("Arial", Qt::CaseInsensitive) == 0)
        f.setFamilies({name, "Liberation Sans", "DejaVu Sans"});
    else
        f.setFamilies({name, "DejaVu Sans"});
    f.setPointSizeF(size);
    f.setBold(bold);
    return f;
}

} // namespace toolkit
