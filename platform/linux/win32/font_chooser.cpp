#include "win32/font_chooser.h"

#include "toolkit/colour.h"
#include "toolkit/font_face.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace win32 {
namespace {

/// The 16 standard colours, 0x00BBGGRR.
const std::pair<const char*, unsigned> standard_colours[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080}, {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080}, {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},    {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00}, {"White", 0xFFFFFF},
};

const char* const style_names[] = {"Regular", "Italic", "Bold", "Bold Italic"};
const int common_sizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

QIcon swatch(unsigned colour)
{
    QPixmap p(16, 12);
    p.fill(toolkit::to_qcolor(colour));
    return QIcon(p);
}

/// The size as it reads: "10.5", "12".
QString size_text(double points) { return QString::number(std::round(points * 10) / 10, 'g', 6); }

} // namespace

QString installed_face(const QString& face)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString& candidate : toolkit::to_qfont(face.toStdString(), 12, false).families())
        for (const QString& family : installed)
            if (family.compare(candidate, Qt::CaseInsensitive) == 0 || family.startsWith(candidate + " ["))
                return family;
    return face;
}

FontChooser::FontChooser(QWidget* owner, const FontOffer& offer, const FontChoice& start)
    : QDialog(owner), offer_(offer)
{
    setWindowTitle("Font");
    setObjectName("fontChooser");
    // Made in the order the keyboard goes through them.
    auto* grid = new QGridLayout(this);
    make_lists(offer);
    place_lists(grid);
    grid->addWidget(make_effects(offer), 3, 0);
    grid->addWidget(make_sample(), 3, 1, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FontChooser::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 4, 0, 1, 3);

    connect_fields();
    start_from(start);
}

void FontChooser::make_lists(const FontOffer& offer)
{
    face_edit_ = new QLineEdit(this);
    face_edit_->setObjectName("faceEdit");
    faces_ = new QListWidget(this);
    faces_->setObjectName("faceList");
    for (const QString& family : QFontDatabase::families()) {
        if (offer.fixed_pitch && !QFontDatabase::isFixedPitch(family))
            continue;
        if (offer.scalable && !QFontDatabase::isScalable(family))
            continue;
        faces_->addItem(family);
    }
    styles_ = new QListWidget(this);
    styles_->setObjectName("styleList");
    for (const char* s : style_names)
        styles_->addItem(s);
    size_edit_ = new QLineEdit(this);
    size_edit_->setObjectName("sizeEdit");
    sizes_ = new QListWidget(this);
    sizes_->setObjectName("sizeList");
    for (int s : common_sizes)
        if (offer.min_points <= 0 || (s >= offer.min_points && s <= offer.max_points))
            sizes_->addItem(QString::number(s));

}

void FontChooser::place_lists(QGridLayout* grid)
{
    auto* face_label = new QLabel("&Font:", this);
    face_label->setBuddy(face_edit_);
    auto* style_label = new QLabel("Font st&yle:", this);
    style_label->setBuddy(styles_);
    auto* size_label = new QLabel("&Size:", this);
    size_label->setBuddy(size_edit_);
    grid->addWidget(face_label, 0, 0);
    grid->addWidget(style_label, 0, 1);
    grid->addWidget(size_label, 0, 2);
    grid->addWidget(face_edit_, 1, 0);
    grid->addWidget(styles_, 1, 1, 2, 1);
    grid->addWidget(size_edit_, 1, 2);
    grid->addWidget(faces_, 2, 0);
    grid->addWidget(sizes_, 2, 2);

}

QGroupBox* FontChooser::make_effects(const FontOffer& offer)
{
    auto* effects = new QGroupBox("Effects", this);
    auto* effects_grid = new QGridLayout(effects);
    strike_out_ = new QCheckBox("Stri&keout", effects);
    strike_out_->setObjectName("strikeOut");
    underline_ = new QCheckBox("&Underline", effects);
    underline_->setObjectName("underline");
    colours_ = new QComboBox(effects);
    colours_->setObjectName("colourCombo");
    for (const auto& [name, value] : standard_colours)
        colours_->addItem(swatch(value), name, value);
    auto* colour_label = new QLabel("&Color:", effects);
    colour_label->setBuddy(colours_);
    effects_grid->addWidget(strike_out_, 0, 0, 1, 2);
    effects_grid->addWidget(underline_, 1, 0, 1, 2);
    effects_grid->addWidget(colour_label, 2, 0);
    effects_grid->addWidget(colours_, 2, 1);
    effects->setVisible(offer.effects);
    return effects;

}

QGroupBox* FontChooser::make_sample()
{
    auto* sample_box = new QGroupBox("Sample", this);
    sample_ = new QLabel("AaBbYyZz", sample_box);
    sample_->setObjectName("sample");
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumSize(180, 60);
    (new QGridLayout(sample_box))->addWidget(sample_);
    return sample_box;

}

void FontChooser::connect_fields()
{
    // The lists and fields follow each other, and the sample follows them all.
    connect(faces_, &QListWidget::currentTextChanged, face_edit_, [this](const QString& t) {
        if (!t.isEmpty())
            face_edit_->setText(t);
    });
    connect(face_edit_, &QLineEdit::textEdited, this, [this](const QString& t) {
        const auto found = faces_->findItems(t, Qt::MatchStartsWith);
        if (!found.isEmpty())
            faces_->setCurrentItem(found.front());
    });
    connect(sizes_, &QListWidget::currentTextChanged, size_edit_, [this](const QString& t) {
        if (!t.isEmpty())
            size_edit_->setText(t);
    });
    for (QObject* source : std::initializer_list<QObject*>{face_edit_, size_edit_})
        connect(static_cast<QLineEdit*>(source), &QLineEdit::textChanged, this, &FontChooser::update_sample);
    connect(styles_, &QListWidget::currentRowChanged, this, &FontChooser::update_sample);
    connect(strike_out_, &QCheckBox::toggled, this, &FontChooser::update_sample);
    connect(underline_, &QCheckBox::toggled, this, &FontChooser::update_sample);
    connect(colours_, &QComboBox::currentIndexChanged, this, &FontChooser::update_sample);

}

void FontChooser::start_from(const FontChoice& start)
{
    // The start: the face as installed (or as given), its style, size, effects and colour.
    const auto found = faces_->findItems(start.face, Qt::MatchFixedString);
    if (!found.isEmpty())
        faces_->setCurrentItem(found.front());
    else
        face_edit_->setText(start.face);
    styles_->setCurrentRow((start.bold ? 2 : 0) + (start.italic ? 1 : 0));
    size_edit_->setText(size_text(start.points));
    const auto size_item = sizes_->findItems(size_edit_->text(), Qt::MatchExactly);
    if (!size_item.isEmpty())
        sizes_->setCurrentItem(size_item.front());
    strike_out_->setChecked(start.strike_out);
    underline_->setChecked(start.underline);
    int colour = colours_->findData(start.colour);
    if (colour < 0) {
        colours_->addItem(swatch(start.colour), "Custom", start.colour);
        colour = colours_->count() - 1;
    }
    colours_->setCurrentIndex(colour);
    update_sample();
}

bool FontChooser::has_faces() const { return faces_->count() > 0; }

double FontChooser::typed_points(bool* ok) const
{
    QString t = size_edit_->text().trimmed();
    t.replace(',', '.');
    return t.toDouble(ok);
}

FontChoice FontChooser::choice() const
{
    FontChoice c;
    c.face = face_edit_->text().trimmed();
    bool ok = false;
    c.points = std::round(typed_points(&ok) * 10) / 10; // the dialog works in tenths
    const int style = std::max(0, styles_->currentRow());
    c.bold = style >= 2;
    c.italic = style % 2 == 1;
    if (offer_.effects) {
        c.strike_out = strike_out_->isChecked();
        c.underline = underline_->isChecked();
        c.colour = colours_->currentData().toUInt();
    }
    return c;
}

void FontChooser::accept()
{
    bool ok = false;
    const double points = std::round(typed_points(&ok) * 10) / 10;
    // A face typed by a name the system knows another way ("Arial") is the one it stands for.
    const QString face = installed_face(face_edit_->text().trimmed());
    if (faces_->findItems(face, Qt::MatchFixedString).isEmpty()) {
        QMessageBox::warning(this, windowTitle(), "There is no font with that name.\nChoose a font from the list of fonts.");
        return;
    }
    if (!ok || points <= 0 || points > 1638) {
        QMessageBox::warning(this, windowTitle(), "Size must be a number.");
        return;
    }
    if (offer_.min_points > 0 && (points < offer_.min_points || points > offer_.max_points)) {
        QMessageBox::warning(this, windowTitle(),
                             QString("Size must be between %1 and %2 points.").arg(offer_.min_points).arg(offer_.max_points));
        return;
    }
    face_edit_->setText(faces_->findItems(face, Qt::MatchFixedString).front()->text()); // the face's own spelling
    QDialog::accept();
}

void FontChooser::update_sample()
{
    const FontChoice c = choice();
    QFont f(c.face);
    if (c.points > 0)
        f.setPointSizeF(std::min(c.points, 72.0));
    f.setBold(c.bold);
    f.setItalic(c.italic);
    f.setUnderline(c.underline);
    f.setStrikeOut(c.strike_out);
    sample_->setFont(f);
    QPalette p = sample_->palette();
    p.setColor(QPalette::WindowText, offer_.effects ? toolkit::to_qcolor(c.colour) : Qt::black);
    sample_->setPalette(p);
}

} // namespace win32
