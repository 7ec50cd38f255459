#include "msgbox.h"

#include "runtime/app.h"

#include <QApplication>
#include <QMessageBox>

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

} // namespace

int msg_box(const std::string& prompt, int style, const std::string& title)
{
    QString text = QString::fromStdString(prompt);
    text.replace("\r\n", "\n").replace('\r', '\n');
    QMessageBox box(icon_for(style), QString::fromStdString(title.empty() ? rt::App::title() : title),
                    text, buttons_for(style), QApplication::activeWindow());
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
