#pragma once
// Driving dialogs and message boxes as a person would: read them, type, press their buttons.

#include "modal.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <string>

/// What the file dialog showed when it came up.
struct SeenDialog {
    bool seen = false;
    QString title, directory, initial_name, default_suffix, selected_filter;
    QStringList filters;
    QFileDialog::FileMode mode{};
};

inline QLineEdit* name_edit(QFileDialog* d) { return d->findChild<QLineEdit*>("fileNameEdit"); }

/// On the next file dialog: note what it shows, then type `typed` and press Return;
/// an empty `typed` presses Escape, which cancels.
inline void answer_file_dialog(SeenDialog& seen, const QString& typed)
{
    when_modal_of<QFileDialog>([&seen, typed](QFileDialog* d) {
        seen = {true, d->windowTitle(), QDir(d->directory()).absolutePath(), name_edit(d)->text(),
                d->defaultSuffix(), d->selectedNameFilter(), d->nameFilters(), d->fileMode()};
        if (typed.isEmpty()) {
            QTest::keyClick(d, Qt::Key_Escape);
            return;
        }
        // As a person types: into the name field, which has the focus. (Without it the dialog
        // rewrites the field from its list's selection, as far as the list has loaded.)
        d->activateWindow();
        (void)QTest::qWaitForWindowActive(d, 1000);
        name_edit(d)->setFocus(Qt::OtherFocusReason);
        name_edit(d)->setText(typed);
        QTest::keyClick(name_edit(d), Qt::Key_Return);
    });
}

/// What a message box showed.
struct SeenBox {
    QString title, text;
    QString prompt; ///< the text as the program gave it, line breaks and all
    QMessageBox::Icon icon{};
    QMessageBox::StandardButtons buttons{};
};

/// On the next message box: note all it shows, press OK.
inline void answer_box(SeenBox& seen)
{
    when_modal_of<QMessageBox>([&seen](QMessageBox* box) {
        seen = {box->windowTitle(), box->text(), box->property("prompt").toString(), box->icon(),
                box->standardButtons()};
        box->accept();
    });
}

/// On the next message box: note its caption and text, press OK.
inline void answer_box(QString& title, QString& text)
{
    when_modal_of<QMessageBox>([&title, &text](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        box->accept();
    });
}
