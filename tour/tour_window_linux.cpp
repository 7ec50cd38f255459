// The tour's window with Qt's widgets.

#include "tour_window_linux.h"

#include "toolkit/window_handles.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include <algorithm>

namespace {

/// A caption without its mnemonic's marker: "Show&Open" reads "ShowOpen".
QString plain(const std::string& caption) { return QString::fromStdString(caption).remove('&'); }

} // namespace

void fill_tour_window(QWidget& window, const std::vector<Operation>& operations, const Press& press)
{
    window.setWindowTitle("Dialog service");
    auto* grid = new QGridLayout(&window);
    auto* results = new QPlainTextEdit(&window);
    results->setReadOnly(true);
    results->setAccessibleName("Results");
    const QFontMetrics metrics(window.font());
    QPushButton* first = nullptr;
    int row = 0;
    for (std::size_t index = 0; index < operations.size(); ++index) {
        const Operation& op = operations[index];
        auto* button = new QPushButton(QString::fromStdString(op.caption), &window);
        if (!first)
            first = button;
        grid->addWidget(button, row, 0);
        std::vector<QLineEdit*> fields;
        int column = 1;
        for (const auto& [label, value] : op.arguments) {
            auto* caption = new QLabel(QString::fromStdString(label), &window);
            auto* field = new QLineEdit(QString::fromStdString(value), &window);
            caption->setBuddy(field);
            // Several operations have a "flags" or a "title": the name says whose it is.
            field->setAccessibleName(QString::fromStdString(label) + " (" + plain(op.caption) + ")");
            // Wide enough to show its value whole, up to a limit; the window stays on a screen.
            field->setMinimumWidth(std::min(metrics.horizontalAdvance(field->text()) + 16, 260));
            grid->addWidget(caption, row, column++);
            grid->addWidget(field, row, column++);
            fields.push_back(field);
        }
        QObject::connect(button, &QPushButton::clicked, [&press, results, fields, index] {
            std::vector<std::string> args;
            for (const QLineEdit* f : fields)
                args.push_back(f->text().toStdString());
            results->appendPlainText(QString::fromStdString(press(index, args)));
        });
        ++row;
    }
    grid->addWidget(results, row, 0, 1, 13);
    if (first)
        first->setFocus(); // the keyboard starts on the first operation, not in the results
}

int run_tour_window(forms::Application&, const std::vector<Operation>& operations, std::intptr_t& huke, const Press& press)
{
    QApplication::setQuitOnLastWindowClosed(true); // the tour ends with its window
    QWidget window;
    huke = toolkit::register_window(&window);
    fill_tour_window(window, operations, press);
    window.show();
    return QApplication::exec();
}
