#include "msgbox.h"

#include "focus_return_linux.h"

#include "runtime/app.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace forms {
namespace {

QMessageBox::Icon icon_for(int style)
{
    switch (style & 0x70) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons buttons_for(int style)
{
    switch (style & 0x7) {
    case vbOKCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case vbYesNo: return QMessageBox::Yes | QMessageBox::No;
    default: return QMessageBox::Ok;
    }
}

QString lines(const std::string& prompt)
{
    QString text = QString::fromStdString(prompt);
    return text.replace("\r\n", "\n").replace('\r', '\n');
}

/// The widest a line of a box may be before the box would break a word of it anywhere.
constexpr int widest_line = 480;

/// The box's text with each line that holds a word too wide for the box (a long file name)
/// shortened in its middle with "…", so that no word is cut without a mark; the whole text
/// goes to the box's details when something was shortened.
void set_text(QMessageBox& box, const std::string& prompt)
{
    const QString whole = lines(prompt);
    const QFontMetrics metrics(box.font());
    QStringList shown = whole.split('\n');
    bool shortened = false;
    for (QString& line : shown) {
        const QStringList words = line.split(' ');
        const bool too_wide = std::any_of(words.begin(), words.end(),
                                          [&](const QString& w) { return metrics.horizontalAdvance(w) > widest_line; });
        if (too_wide) {
            line = metrics.elidedText(line, Qt::ElideMiddle, widest_line);
            shortened = true;
        }
    }
    box.setTextFormat(Qt::PlainText);
    box.setText(shown.join('\n'));
    if (shortened)
        box.setDetailedText(whole);
    box.setProperty("prompt", QString::fromStdString(prompt)); // the text as the program gave it
}

} // namespace

int ask(const std::string& prompt, const std::vector<std::string>& choices, int style, const std::string& title)
{
    const FocusReturn focus;
    QMessageBox box(icon_for(style), QString::fromStdString(title.empty() ? rt::App::title() : title), QString(),
                    QMessageBox::NoButton, QApplication::activeWindow());
    set_text(box, prompt);
    std::vector<QAbstractButton*> buttons;
    for (const std::string& c : choices)
        buttons.push_back(box.addButton(QString::fromStdString(c), QMessageBox::AcceptRole));
    if (buttons.empty())
        return -1;
    box.setDefaultButton(static_cast<QPushButton*>(buttons.back()));
    box.setEscapeButton(buttons.back());
    box.exec();
    const auto pressed = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return static_cast<int>(pressed == buttons.end() ? buttons.size() - 1 : pressed - buttons.begin());
}

int msg_box(const std::string& prompt, int style, const std::string& title)
{
    const FocusReturn focus;
    QMessageBox box(icon_for(style), QString::fromStdString(title.empty() ? rt::App::title() : title), QString(),
                    buttons_for(style), QApplication::activeWindow());
    set_text(box, prompt);
    switch (box.exec()) {
    case QMessageBox::Cancel: return vbCancel;
    case QMessageBox::Yes: return vbYes;
    case QMessageBox::No: return vbNo;
    default: return vbOK;
    }
}

} // namespace forms
