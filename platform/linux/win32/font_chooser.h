#pragma once
// Private to the font dialog: a font chooser laid out as people know it, on Qt widgets: face
// list, style, a size list with a size field that takes tenths, and with effects the
// strike-out and underline boxes and the 16 standard colours; a sample below.

#include <QDialog>
#include <QFont>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

class QGridLayout;
class QGroupBox;

namespace win32 {

/// What the chooser starts from and gives back.
struct FontChoice {
    QString face;
    double points = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
    unsigned colour = 0; ///< 0x00BBGGRR
};

/// What the chooser offers.
struct FontOffer {
    bool effects = false;      ///< strike-out, underline and colour
    bool fixed_pitch = false;  ///< only faces of fixed pitch
    bool scalable = false;     ///< only scalable faces
    int min_points = 0;        ///< with max_points, the sizes allowed; 0 for any
    int max_points = 0;
};

/// The installed family for a face name: the face itself, or the shape that stands in for
/// it (a face two foundries supply is listed as "Face [foundry]").
QString installed_face(const QString& face);

class FontChooser : public QDialog {
public:
    FontChooser(QWidget* owner, const FontOffer& offer, const FontChoice& start);
    /// What the user chose; valid after the dialog was accepted.
    FontChoice choice() const;
    /// Whether any face is on offer at all.
    bool has_faces() const;

    void accept() override;

private:
    /// The face, style and size fields and lists, the faces and sizes as `offer` allows.
    void make_lists(const FontOffer& offer);
    /// The fields and lists under their labels.
    void place_lists(QGridLayout* grid);
    /// Strikeout, underline and colour (shown when `offer` asks for effects).
    QGroupBox* make_effects(const FontOffer& offer);
    /// The sample text, drawn in the font chosen.
    QGroupBox* make_sample();
    /// The lists and fields follow each other, and the sample follows them all.
    void connect_fields();
    /// The font the dialog starts from: the face as installed (or as given), its style, size,
    /// effects and colour.
    void start_from(const FontChoice& start);
    void update_sample();
    double typed_points(bool* ok) const;

    FontOffer offer_;
    QListWidget* faces_;
    QLineEdit* face_edit_;
    QListWidget* styles_;
    QLineEdit* size_edit_;
    QListWidget* sizes_;
    QCheckBox* strike_out_;
    QCheckBox* underline_;
    QComboBox* colours_;
    QLabel* sample_;
};

} // namespace win32
