// The open and save dialogs: the caller's OPENFILENAMEA shown as a Qt file dialog, the
// user's choice written back into the caller's record and buffers as Windows writes it.

#include "dialog_error.h"
#include "filter_list.h"
#include "toolkit/window_handles.h"
#include "win32/commdlg.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>

namespace win32 {
namespace {

std::string bytes(const QString& s) { return QFile::encodeName(s).toStdString(); }

QString text(const char* s, std::size_t n) { return QFile::decodeName(QByteArray(s, static_cast<qsizetype>(n))); }

/// The files a multiple selection names: each quoted name in the name field, in the dialog's
/// folder. The names the user typed are the answer, however far the folder's list has loaded;
/// empty when the field holds no quoted names.
QStringList typed_files(const QFileDialog& dialog)
{
    QStringList files;
    const auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
    if (!edit || dialog.fileMode() != QFileDialog::ExistingFiles)
        return files;
    const QString typed = edit->text();
    const QDir folder = dialog.directory();
    for (qsizetype open = typed.indexOf('"'); open >= 0; open = typed.indexOf('"', open + 1)) {
        const qsizetype close = typed.indexOf('"', open + 1);
        if (close < 0)
            break;
        files.push_back(folder.absoluteFilePath(typed.mid(open + 1, close - open - 1)));
        open = close;
    }
    return files;
}

/// A file dialog that checks the caller's flags before it lets the user's choice through.
class FileDialog : public QFileDialog {
public:
    FileDialog(QWidget* owner, DWORD flags, bool save) : QFileDialog(owner), flags_(flags)
    {
        setOption(QFileDialog::DontUseNativeDialog);
        setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        if (!save && (flags & OFN_ALLOWMULTISELECT))
            setFileMode(QFileDialog::ExistingFiles);
        else if (!save && (flags & OFN_FILEMUSTEXIST))
            setFileMode(QFileDialog::ExistingFile);
        else
            setFileMode(QFileDialog::AnyFile);
        if (save && !(flags & OFN_OVERWRITEPROMPT))
            setOption(QFileDialog::DontConfirmOverwrite);
    }

    void accept() override
    {
        const auto* edit = findChild<QLineEdit*>("fileNameEdit");
        if (edit && edit->text().trimmed().isEmpty())
            return; // no name typed or chosen: the dialog stays
        QStringList files = typed_files(*this);
        if (files.isEmpty())
            files = selectedFiles();
        if (files.size() == 1 && QFileInfo(files[0]).isDir()) {
            QFileDialog::accept(); // opens the folder
            return;
        }
        for (const QString& f : files) {
            const QFileInfo info(f);
            if ((flags_ & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !info.absoluteDir().exists()) {
                refuse(info.absolutePath() + "\nPath does not exist.\nCheck the path and try again.");
                return;
            }
            if ((flags_ & OFN_FILEMUSTEXIST) && !info.exists()) {
                refuse(info.fileName() + "\nFile not found.\nCheck the file name and try again.");
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    void refuse(const QString& why) { QMessageBox::warning(this, windowTitle(), why); }
    DWORD flags_;
};

/// Writes `s` and a NUL into `buffer` of `size` bytes; false when they do not fit.
bool put(char* buffer, DWORD size, const std::string& s)
{
    if (!buffer || s.size() + 1 > size)
        return false;
    std::memcpy(buffer, s.data(), s.size());
    buffer[s.size()] = '\0';
    return true;
}

DWORD write_choice(OPENFILENAMEA* ofn, const QStringList& files)
{
    if (files.size() >= 2 && (ofn->Flags & OFN_ALLOWMULTISELECT)) {
        // The folder, NUL, each name and NUL, then a second NUL after the last.
        const std::string folder = bytes(QDir::toNativeSeparators(QFileInfo(files[0]).absolutePath()));
        std::string out = folder;
        out += '\0';
        for (const QString& f : files) {
            out += bytes(QFileInfo(f).fileName());
            out += '\0';
        }
        if (!ofn->lpstrFile || out.size() + 1 > ofn->nMaxFile)
            return FNERR_BUFFERTOOSMALL;
        std::memcpy(ofn->lpstrFile, out.data(), out.size());
        ofn->lpstrFile[out.size()] = '\0';
        ofn->nFileOffset = static_cast<WORD>(std::min<std::size_t>(folder.size() + 1, 0xFFFF));
        ofn->nFileExtension = 0;
        return 0;
    }
    const QFileInfo info(files.value(0));
    const std::string path = bytes(QDir::toNativeSeparators(info.absoluteFilePath()));
    const std::string name = bytes(info.fileName());
    if (!put(ofn->lpstrFile, ofn->nMaxFile, path))
        return FNERR_BUFFERTOOSMALL;
    const std::size_t offset = path.size() - name.size();
    const std::size_t dot = name.rfind('.');
    ofn->nFileOffset = static_cast<WORD>(std::min<std::size_t>(offset, 0xFFFF));
    ofn->nFileExtension = static_cast<WORD>(std::min<std::size_t>(
        dot == std::string::npos ? path.size() : (dot + 1 == name.size() ? 0 : offset + dot + 1), 0xFFFF));
    if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0)
        put(ofn->lpstrFileTitle, ofn->nMaxFileTitle, name.substr(0, ofn->nMaxFileTitle - 1));
    return 0;
}

DWORD check_record(const OPENFILENAMEA* ofn)
{
    if (!ofn || ofn->lStructSize != sizeof(OPENFILENAMEA))
        return CDERR_STRUCTSIZE;
    if ((ofn->Flags & OFN_ENABLEHOOK) && !ofn->lpfnHook)
        return CDERR_NOHOOK;
    if ((ofn->Flags & OFN_ENABLETEMPLATE) && (!ofn->hInstance || !ofn->lpTemplateName))
        return ofn->hInstance ? CDERR_NOTEMPLATE : CDERR_NOHINSTANCE;
    if (!ofn->lpstrFile || ofn->nMaxFile == 0)
        return FNERR_BUFFERTOOSMALL;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return CDERR_DIALOGFAILURE;
    return 0;
}

/// A dialog's window goes when the user closes it; the widget, whose teardown stops its folder
/// list's own thread and takes some milliseconds, goes a moment later, when the caller has done
/// what the answer was for. A dialog without an owner goes at once.
struct TakenDownLater {
    void operator()(QFileDialog* dialog) const
    {
        if (!dialog->parent()) {
            delete dialog;
            return;
        }
        // The name field's list of completions is a window of its own, left open by the Return
        // that closed the dialog.
        for (QCompleter* completer : dialog->findChildren<QCompleter*>())
            if (completer->popup())
                completer->popup()->hide();
        dialog->hide();
        QTimer::singleShot(std::chrono::seconds(1), dialog, &QObject::deleteLater);
    }
};

BOOL run_file_dialog(OPENFILENAMEA* ofn, bool save)
{
    if (const DWORD bad = check_record(ofn))
        return dialog_outcome(bad, FALSE);

    std::unique_ptr<FileDialog, TakenDownLater> shown(new FileDialog(toolkit::window_for(ofn->hwndOwner), ofn->Flags, save));
    FileDialog& dialog = *shown;
    dialog.setWindowTitle(ofn->lpstrTitle ? QString::fromLocal8Bit(ofn->lpstrTitle) : (save ? "Save As" : "Open"));
    const QStringList filters = name_filters(ofn->lpstrFilter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const DWORD index = ofn->nFilterIndex;
        if (index >= 1 && index <= static_cast<DWORD>(filters.size()))
            dialog.selectNameFilter(filters[static_cast<qsizetype>(index - 1)]);
    }
    if (ofn->lpstrDefExt)
        dialog.setDefaultSuffix(QString::fromLocal8Bit(ofn->lpstrDefExt));
    if (ofn->lpstrInitialDir && *ofn->lpstrInitialDir)
        dialog.setDirectory(QString::fromLocal8Bit(ofn->lpstrInitialDir));
    // The text already in the buffer, blanks trimmed, is the initial file name.
    const QString initial = text(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile)).trimmed();
    if (!initial.isEmpty())
        dialog.selectFile(initial);

    if (dialog.exec() != QDialog::Accepted)
        return dialog_outcome(0, FALSE);

    QStringList files = typed_files(dialog);
    if (files.isEmpty())
        files = dialog.selectedFiles();
    if (files.isEmpty())
        return dialog_outcome(0, FALSE);
    if (const DWORD bad = write_choice(ofn, files))
        return dialog_outcome(bad, FALSE);
    if (!filters.isEmpty())
        // The dialog keeps its filters in its own spelling (blanks folded), so look them up there.
        ofn->nFilterIndex = static_cast<DWORD>(dialog.nameFilters().indexOf(dialog.selectedNameFilter()) + 1);
    if (!(ofn->Flags & OFN_NOCHANGEDIR)) {
        // Without OFN_NOCHANGEDIR the chosen folder becomes the working folder.
        const QByteArray folder = QFile::encodeName(QFileInfo(files[0]).absolutePath());
        if (chdir(folder.constData()) != 0) {
            // The folder was readable a moment ago; a failed change leaves the old one.
        }
    }
    return dialog_outcome(0, TRUE);
}

} // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn) { return run_file_dialog(ofn, false); }

BOOL GetSaveFileNameA(OPENFILENAMEA* ofn) { return run_file_dialog(ofn, true); }

} // namespace win32
