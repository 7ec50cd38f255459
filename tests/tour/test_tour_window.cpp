// The tour's window as a person on the keyboard or with a screen reader meets it.

#include "operations.h"
#include "test_app.h"
#include "tour_window_linux.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

TEST(TourWindow, FieldsAreNamedAndWideEnoughAndTheKeyboardStartsOnTheFirstButton)
{
    test_app();
    printing::Printers printers;
    bool dlg_fail = false;
    CDC_class cdc(dlg_fail, printers);
    std::intptr_t huke = 0;
    const std::vector<Operation> operations = tour_operations(cdc, printers, huke);
    QWidget window;
    fill_tour_window(window, operations, [](std::size_t, const std::vector<std::string>&) { return std::string(); });
    window.show();
    window.activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == &window);

    const auto fields = window.findChildren<QLineEdit*>();
    std::size_t arguments = 0;
    for (const Operation& op : operations)
        arguments += op.arguments.size();
    ASSERT_EQ(static_cast<std::size_t>(fields.size()), arguments);
    QStringList names;
    for (QLineEdit* f : fields) {
        const QString name = QAccessible::queryAccessibleInterface(f)->text(QAccessible::Name);
        EXPECT_FALSE(name.isEmpty()) << "a field without a name, holding " << f->text().toStdString();
        names << name;
        const int needed = std::min(QFontMetrics(f->font()).horizontalAdvance(f->text()), 240);
        EXPECT_GE(f->width(), needed) << name.toStdString() << " shows " << f->text().toStdString() << " cut";
    }
    EXPECT_TRUE(names.contains("flags (ShowOpen)")) << names.join(", ").toStdString();
    names.removeDuplicates();
    EXPECT_EQ(static_cast<std::size_t>(names.size()), arguments) << "each field's name says whose it is";
    for (QLabel* label : window.findChildren<QLabel*>())
        EXPECT_TRUE(label->buddy()) << label->text().toStdString() << " is tied to its field";

    auto* results = window.findChild<QPlainTextEdit*>();
    ASSERT_TRUE(results);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(results)->text(QAccessible::Name), "Results");
    QTRY_VERIFY(QApplication::focusWidget() != nullptr);
    auto* first = qobject_cast<QPushButton*>(QApplication::focusWidget());
    ASSERT_TRUE(first) << "the keyboard starts in " << QApplication::focusWidget()->metaObject()->className();
    EXPECT_EQ(first->text().toStdString(), operations.front().caption);
}
