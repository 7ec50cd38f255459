// The tour's window with Qt's widgets.

#include "tour_window.h"

#include "forms/native.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

int run_tour_window(forms::Application&, const std::vector<Operation>& operations, std::intptr_t& huke, const Press& press)
{
    QApplication::setQuitOnLastWindowClosed(true); // the tour ends with its window
    QWidget window;
    window.setWindowTitle("Dialog service");
    huke = forms::register_window(&window);
    auto* grid = new QGridLayout(&window);
    auto* results = new QPlainTextEdit(&window);
    results->setReadOnly(true);
    int row = 0;
    for (std::size_t index = 0; index < operations.size(); ++index) {
        const Operation& op = operations[index];
        auto* button = new QPushButton(QString::fromStdString(op.caption), &window);
        grid->addWidget(button, row, 0);
        std::vector<QLineEdit*> fields;
        int column = 1;
        for (const auto& [label, value] : op.arguments) {
            grid->addWidget(new QLabel(QString::fromStdString(label), &window), row, column++);
            fields.push_back(new QLineEdit(QString::fromStdString(value), &window));
            grid->addWidget(fields.back(), row, column++);
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
    window.show();
    return QApplication::exec();
}
