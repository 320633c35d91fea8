#include "platform/file_dialog_seam.h"

#include <QDir>
#include <QFileDialog>

namespace vesk {

QStringList ToQtNameFilters(const QString& filter) {
    QStringList parts = filter.split('|');
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            if (p == "*.*")
                p = "*";
        }
        // The pattern list in the trailing brackets is what Qt filters by; with
        // HideNameFilterDetails the user sees only the name.
        result << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return result;
}

namespace {
// The 1-based index of the filter the dialog reports. With HideNameFilterDetails Qt gives back
// the shown text, the name without its pattern list, so both forms are matched.
int FilterIndexOf(const QStringList& filters, const QString& selected) {
    for (qsizetype i = 0; i < filters.size(); ++i) {
        const QString shown = filters[i].left(filters[i].lastIndexOf(" ("));
        if (filters[i] == selected || shown == selected)
            return static_cast<int>(i) + 1;
    }
    return 1;
}
}  // namespace

FileDialogResult RunFileDialog(const FileDialogRequest& request, QWidget* parent) {
    if (file_dialog_seam::Seam::Get())
        return file_dialog_seam::Seam::Get()(request);

    QFileDialog dialog(parent);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails |
                      QFileDialog::DontConfirmOverwrite);
    const QStringList filters = ToQtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) {
        int index = request.filterIndex <= 0 ? 0 : request.filterIndex - 1;
        if (index >= filters.size())
            index = 0;
        dialog.selectNameFilter(filters[index]);
    }
    QString folder = request.folder;
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    dialog.setDirectory(folder);
    switch (request.mode) {
        case FileDialogRequest::Mode::Open:
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setFileMode(QFileDialog::ExistingFile);
            dialog.setWindowTitle("開く");
            break;
        case FileDialogRequest::Mode::OpenMultiple:
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setFileMode(QFileDialog::ExistingFiles);
            dialog.setWindowTitle("開く");
            break;
        case FileDialogRequest::Mode::Save:
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            dialog.setWindowTitle("名前を付けて保存");
            if (!request.fileName.isEmpty())
                dialog.selectFile(request.fileName);
            break;
        case FileDialogRequest::Mode::Folder:
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setFileMode(QFileDialog::Directory);
            dialog.setOption(QFileDialog::ShowDirsOnly);
            break;
    }
    FileDialogResult result;
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    if (dialog.exec() != QDialog::Accepted)
        return result;
    result.accepted = true;
    result.paths = dialog.selectedFiles();
    result.filterIndex = FilterIndexOf(filters, dialog.selectedNameFilter());
    return result;
}

}  // namespace vesk
