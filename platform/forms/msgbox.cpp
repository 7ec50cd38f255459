#include "msgbox.h"

#include "runtime/app.h"

#include <QApplication>
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

} // namespace

int ask(const std::string& prompt, const std::vector<std::string>& choices, int style, const std::string& title)
{
    QMessageBox box(icon_for(style), QString::fromStdString(title.empty() ? rt::App::title() : title), lines(prompt),
                    QMessageBox::NoButton, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setProperty("prompt", QString::fromStdString(prompt));
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
    QMessageBox box(icon_for(style), QString::fromStdString(title.empty() ? rt::App::title() : title),
                    lines(prompt), buttons_for(style), QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setProperty("prompt", QString::fromStdString(prompt)); // the text as the program gave it
    switch (box.exec()) {
    case QMessageBox::Cancel: return vbCancel;
    case QMessageBox::Yes: return vbYes;
    case QMessageBox::No: return vbNo;
    default: return vbOK;
    }
}

} // namespace forms
