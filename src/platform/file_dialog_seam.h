#pragma once
// Open and save dialogs, behind a seam that tests script.

#include <QString>
#include <QStringList>
#include <functional>

#include "platform/script_seam.h"

class QWidget;

namespace vesk {

struct FileDialogRequest {
    enum class Mode { Open, OpenMultiple, Save, Folder };
    Mode mode = Mode::Open;
    QString folder;    // initial folder
    QString fileName;  // initial file name (save)
    // Filter in the "Name|pattern;pattern|Name|pattern||" form.
    QString filter;
    int filterIndex = 0;  // 1-based; 0 selects the first
    QString title;  // empty: "開く" or "名前を付けて保存" by mode (Folder: give one)
};

struct FileDialogResult {
    bool accepted = false;
    QStringList paths;    // absolute paths
    int filterIndex = 1;  // 1-based index the user left selected
};

FileDialogResult RunFileDialog(const FileDialogRequest& request, QWidget* parent = nullptr);

// Qt name filters of a "Name|pattern||" filter. "*.*" becomes "*" so that files
// without an extension are listed too; the shown names stay as they are.
QStringList ToQtNameFilters(const QString& filter);

namespace file_dialog_seam {
using Seam = ScriptSeam<FileDialogResult(const FileDialogRequest&)>;
using Script = Seam::Script;
inline void SetScript(Script script) {
    Seam::Set(std::move(script));
}
inline void ClearScript() {
    Seam::Clear();
}
}  // namespace file_dialog_seam

}  // namespace vesk
