#pragma once
// Driving the file dialog as a person would: read it, type a name, press Open or Cancel.

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
        name_edit(d)->setText(typed);
        QTest::keyClick(name_edit(d), Qt::Key_Return);
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
