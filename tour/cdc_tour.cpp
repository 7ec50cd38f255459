// A tour of the dialog service: one window, a button for each public operation with the
// arguments a caller would pass (shown and editable), and what each call gave, in the window
// and on standard output, one line a call. It is how a person tries every dialog for real.

#include "dialogs/cdc_class.h"
#include "forms/application.h"
#include "forms/native.h"
#include "printing/printers.h"
#include "runtime/error.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include <algorithm>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

/// One operation of the service: its button, its arguments and what a call does.
struct Operation {
    QString caption; ///< the button's text, with its mnemonic
    std::vector<std::pair<QString, QString>> arguments; ///< label and starting value
    std::function<std::string(const std::vector<std::string>&)> call;
};

std::int32_t number(const std::string& text) { return static_cast<std::int32_t>(std::stoll(text, nullptr, 0)); }

std::string hex(std::int64_t v)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%llX", static_cast<long long>(v));
    return buffer;
}

} // namespace

int main(int argc, char** argv)
{
    forms::Application app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(true); // the tour ends with its window
    printing::Printers printers;
    bool dlg_fail = false;
    CDC_class cdc(dlg_fail, printers);

    QWidget window;
    window.setWindowTitle("Dialog service");
    const std::intptr_t huke = forms::register_window(&window);
    auto* grid = new QGridLayout(&window);
    auto* results = new QPlainTextEdit(&window);
    results->setReadOnly(true);

    auto application_printer = [&] {
        try {
            const printing::Printer& p = printers.application();
            return " application=" + p.get(printing::prnDeviceName).to_text() +
                   " orientation=" + p.get(printing::prnOrientation).to_text() +
                   " paper=" + p.get(printing::prnPaperSize).to_text() + " copies=" + p.get(printing::prnCopies).to_text() +
                   " duplex=" + p.get(printing::prnDuplex).to_text();
        } catch (const rt::Error& e) {
            return " application=(" + e.description() + ")";
        }
    };
    const std::string nul(1, '\0');
    const std::vector<Operation> operations = {
        {"Show&Open", {{"filters", "Workbooks (*.ods)|*.ods|All files|*"}, {"flags", "0x80A04"}, {"title", "Open"}, {"folder", "."}},
         [&](const auto& a) {
             std::string filters = a[0];
             std::replace(filters.begin(), filters.end(), '|', '\0');
             std::string chosen = cdc.ShowOpen(huke, rt::Value(filters), rt::Value(number(a[1])), rt::Value(a[2]), a[3]).to_text();
             std::replace(chosen.begin(), chosen.end(), '\r', '|');
             return "\"" + chosen + "\"";
         }},
        {"Show&Save", {{"filter", "Workbooks (*.ods)|*.ods"}, {"extension", "ods"}, {"flags", "0x2"}, {"title", "Save as"},
                       {"folder", "."}, {"file name", "Book1.ods"}},
         [&](const auto& a) {
             std::string filter = a[0];
             std::replace(filter.begin(), filter.end(), '|', '\0');
             return "\"" + cdc.ShowSave(huke, filter, a[1], number(a[2]), a[3], a[4], a[5]) + "\"";
         }},
        {"Show&Color", {{"flags", "0x3"}}, [&](const auto& a) { return hex(cdc.ShowColor(huke, number(a[0]))); }},
        {"Show&Font", {{"flags", "0x141"}}, [&](const auto& a) { return "\"" + cdc.ShowFont(huke, number(a[0])) + "\""; }},
        {"Font&Data", {{"op", "1"}}, [&](const auto& a) { return cdc.FontData(rt::Value(number(a[0]))).to_text(); }},
        {"Show&Printer", {{"flags", "0x8000C"}},
         [&](const auto& a) {
             cdc.ShowPrinter(rt::Value(static_cast<std::int32_t>(huke)), number(a[0]));
             return "done" + application_printer();
         }},
        {"default_f&lag", {{"d_flg", "1"}},
         [&](const auto& a) {
             cdc.default_flag(rt::Value(number(a[0])));
             return std::string("set");
         }},
        {"ShowPa&geSetupDlg", {{"flags", "0x8"}},
         [&](const auto& a) {
             // The state is read after the call, not in the same expression as it.
             const std::int32_t answer = cdc.ShowPageSetupDlg(rt::Value(static_cast<std::int32_t>(huke)), number(a[0]));
             return std::to_string(answer) + application_printer();
         }},
        {"P&ageData", {},
         [&](const auto&) {
             std::vector<float> m(7);
             cdc.PageData(m);
             std::string text;
             for (float v : m) {
                 char figure[32];
                 std::snprintf(figure, sizeof figure, "%s%g", text.empty() ? "" : " ", static_cast<double>(v));
                 text += figure;
             }
             return text;
         }},
        {"&error_message", {{"fnct", "ShowSave"}, {"er_cd", "0x3003"}},
         [&](const auto& a) {
             cdc.error_message(a[0], number(a[1]));
             return std::string("shown");
         }},
    };

    int row = 0;
    for (const Operation& op : operations) {
        auto* button = new QPushButton(op.caption, &window);
        grid->addWidget(button, row, 0);
        std::vector<QLineEdit*> fields;
        int column = 1;
        for (const auto& [label, value] : op.arguments) {
            grid->addWidget(new QLabel(label, &window), row, column++);
            fields.push_back(new QLineEdit(value, &window));
            grid->addWidget(fields.back(), row, column++);
        }
        const QString name = QString(op.caption).remove('&');
        QObject::connect(button, &QPushButton::clicked, [&, fields, name, call = op.call] {
            std::vector<std::string> args;
            for (const QLineEdit* f : fields)
                args.push_back(f->text().toStdString());
            std::string line;
            try {
                line = name.toStdString() + " -> " + call(args);
            } catch (const rt::Error& e) {
                line = name.toStdString() + " raised " + std::to_string(e.number()) + " \"" + e.description() + "\"";
            } catch (const std::exception& e) {
                line = name.toStdString() + " could not read its arguments: " + e.what();
            }
            line += " dlg_fail=" + std::string(dlg_fail ? "True" : "False") + " last_error=" + hex(cdc.last_error());
            // The system's own text for 0x100B speaks of WIN.INI; here it means the queue is gone.
            if (cdc.last_error() == 0x100B)
                line += " (the printer's queue is no longer installed)";
            std::printf("%s\n", line.c_str());
            std::fflush(stdout);
            results->appendPlainText(QString::fromStdString(line));
        });
        ++row;
    }
    grid->addWidget(results, row, 0, 1, 13);
    window.show();
    return QApplication::exec();
}
