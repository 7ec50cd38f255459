#include "win32/print_qt.h"

#include "queues/codes.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QPrintEngine>
#include <QPrinter>

#include <cups/ppd.h>

#include <algorithm>

namespace win32 {
namespace {

/// The PPD option behind one of the properties page's advanced combo boxes; null for others.
const ppd_option_t* ppd_option_of(const QComboBox* combo)
{
    const QVariant v = combo->property("_q_ppd_option");
    if (!v.isValid() || qstrcmp(v.typeName(), "const ppd_option_s*") != 0)
        return nullptr;
    return *static_cast<const ppd_option_t* const*>(v.constData());
}

/// The name of the choice the settings ask for under the PPD option `keyword`; empty when none.
std::string wanted_choice(const queues::Queue& q, const queues::Settings& s, const char* keyword)
{
    const queues::Choice* c = nullptr;
    if (qstrcmp(keyword, "InputSlot") == 0) c = queues::find_choice(q.bins, s.bin);
    if (qstrcmp(keyword, "MediaType") == 0) c = queues::find_choice(q.media_types, s.media_type);
    if (qstrcmp(keyword, "Resolution") == 0) c = queues::find_choice(q.qualities, s.quality);
    if (qstrcmp(keyword, "ColorModel") == 0) c = queues::find_choice(q.colours, s.colour);
    return c ? c->name : "";
}

/// The code whose choice is named `name`: the untouched code when its choice has that name,
/// else the first code with it; `untouched` when no choice has it.
template <typename Code>
Code code_named(const queues::Choices& choices, const std::string& name, Code untouched)
{
    if (const queues::Choice* u = queues::find_choice(choices, untouched); u && u->name == name)
        return untouched;
    for (const queues::Choice& c : choices)
        if (c.name == name && c.code >= 0)
            return static_cast<Code>(c.code);
    return untouched;
}

} // namespace

QPageSize page_size_of(const queues::Queue& queue, std::int16_t paper)
{
    if (!queues::find_choice(queue.papers, paper))
        return QPageSize();
    return QPageSize(QPageSize::id(paper));
}

std::int16_t paper_of(const queues::Queue& queue, const QPageSize& size)
{
    const int id = size.windowsId();
    if (queues::find_choice(queue.papers, id))
        return static_cast<std::int16_t>(id);
    for (const queues::Choice& c : queue.papers)
        if (QString::fromStdString(c.name) == size.key())
            return static_cast<std::int16_t>(c.code);
    return 0;
}

void apply_settings(QPrinter& printer, const queues::Queue& queue, const queues::Settings& s)
{
    printer.setPageOrientation(s.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (const QPageSize size = page_size_of(queue, s.paper_size); size.isValid())
        printer.setPageSize(size);
    printer.setCopyCount(std::max<int>(1, s.copies));
    printer.setDuplex(s.duplex == 2 ? QPrinter::DuplexLongSide : s.duplex == 3 ? QPrinter::DuplexShortSide : QPrinter::DuplexNone);
    const queues::Choice* model = queues::find_choice(queue.colours, s.colour);
    const bool grey = s.colour == 1 || (model && queues::colour_code(model->name) == 1);
    printer.setColorMode(grey ? QPrinter::GrayScale : QPrinter::Color);
}

PropertiesPreset::PropertiesPreset(QPrinter& printer, const queues::Queue& queue, const queues::Settings& preset)
    : printer_(printer), queue_(queue), preset_(preset)
{
    qApp->installEventFilter(this);
}

PropertiesPreset::~PropertiesPreset() { qApp->removeEventFilter(this); }

bool PropertiesPreset::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType() &&
        qstrcmp(watched->metaObject()->className(), "QPrintPropertiesDialog") == 0) {
        auto* page = static_cast<QWidget*>(watched);
        // Each page is preset once, when it first shows; the user's changes are then theirs.
        if (page != seen_page_) {
            seen_page_ = page;
            // The paper is read from the page's own list: Qt drops the whole layout it builds
            // from the page when one of its margins does not suit the queue.
            connect(static_cast<QDialog*>(page), &QDialog::accepted, this, [this, page] {
                confirmed_ = true;
                if (auto* sizes = page->findChild<QComboBox*>("pageSizeCombo"))
                    confirmed_size_ = sizes->currentData().value<QPageSize>();
            });
            if (printer_.printerName() == QString::fromStdString(queue_.name))
                preset_page(page);
        }
    }
    return false;
}

void PropertiesPreset::preset_page(QWidget* page)
{
    if (auto* sizes = page->findChild<QComboBox*>("pageSizeCombo"))
        for (int i = 0; i < sizes->count(); ++i)
            if (paper_of(queue_, sizes->itemData(i).value<QPageSize>()) == preset_.paper_size) {
                sizes->setCurrentIndex(i);
                break;
            }
    for (QComboBox* combo : page->findChildren<QComboBox*>()) {
        const ppd_option_t* opt = ppd_option_of(combo);
        if (!opt)
            continue;
        const std::string wanted = wanted_choice(queue_, preset_, opt->keyword);
        for (int i = 0; i < combo->count() && !wanted.empty(); ++i) {
            const int choice = combo->itemData(i).toInt();
            if (choice >= 0 && choice < opt->num_choices && wanted == opt->choices[choice].choice) {
                combo->setCurrentIndex(i);
                break;
            }
        }
    }
}

queues::Settings PropertiesPreset::chosen(const queues::Queue& chosen, const queues::Settings& untouched) const
{
    queues::Settings s = untouched;
    s.orientation = printer_.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
    s.copies = static_cast<std::int16_t>(std::clamp(printer_.copyCount(), 1, 9999));
    switch (printer_.duplex()) {
    case QPrinter::DuplexNone: s.duplex = 1; break;
    case QPrinter::DuplexLongSide: s.duplex = 2; break;
    case QPrinter::DuplexShortSide: s.duplex = 3; break;
    default: break;
    }
    if (!queues::find_choice(chosen.duplexes, s.duplex))
        s.duplex = untouched.duplex;

    // The properties page decides the rest once the user confirmed it, or when the queue
    // changed (the page then starts from that queue's settings); else the preset stands.
    if (!confirmed_ && chosen.name == queue_.name)
        return s;
    if (const std::int16_t paper = paper_of(chosen, confirmed_size_.isValid() ? confirmed_size_ : printer_.pageLayout().pageSize())) {
        s.paper_size = paper;
        s.paper_width = queues::find_choice(chosen.papers, paper)->width;
    }
    const QStringList options =
        printer_.printEngine()->property(QPrintEngine::PrintEnginePropertyKey(0xfe00)).toStringList();
    auto listed = [&](const char* keyword) -> std::string {
        const qsizetype at = options.indexOf(QString::fromLatin1(keyword));
        return at < 0 || at % 2 != 0 || at + 1 >= options.size() ? "" : options[at + 1].toStdString();
    };
    auto option = [&](const char* keyword, auto driver_default, const queues::Choices& choices) {
        const std::string name = listed(keyword);
        if (name.empty())
            return driver_default; // not listed: the PPD's own default
        return code_named(choices, name, driver_default);
    };
    const queues::Settings& d = chosen.driver_defaults;
    s.bin = option("InputSlot", d.bin, chosen.bins);
    s.media_type = option("MediaType", d.media_type, chosen.media_types);
    s.quality = option("Resolution", d.quality, chosen.qualities);
    // Colour is the page's colour model where the queue has one, and every grey model is
    // grey; Qt's own colour mode knows only the one it calls grey.
    const bool has_models = std::any_of(chosen.colours.begin(), chosen.colours.end(),
                                        [](const queues::Choice& c) { return !c.name.empty(); });
    if (const std::string model = listed("ColorModel"); !model.empty())
        s.colour = code_named(chosen.colours, model, queues::colour_code(model));
    else if (has_models)
        s.colour = d.colour;
    else
        s.colour = printer_.colorMode() == QPrinter::GrayScale ? 1 : 2;
    if (!queues::find_choice(chosen.colours, s.colour))
        s.colour = untouched.colour;
    return s;
}

} // namespace win32
