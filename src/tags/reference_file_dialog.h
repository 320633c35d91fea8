#pragma once
// The file-selection dialog behind every file-reference field: the open-file
// dialog with a panel below it that previews the highlighted file and offers
// the folder of the file relative to the document.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>

#include "platform/settings_store.h"
#include "tags/dialog_fields.h"

class QCheckBox;
class QFileDialog;
class QLineEdit;

namespace vesk {

class CFilePreviewWnd;

namespace reference_dialog_texts {
inline constexpr char kPreview[] = "プレビュー";
inline constexpr char kRelativePath[] = "相対パス(&P):";
inline constexpr char kAddAutomatically[] = "自動的に付加";
inline constexpr char kOk[] = "OK";
}  // namespace reference_dialog_texts

// Where the dialog keeps what it remembers between runs.
namespace reference_dialog_keys {
inline constexpr char kFileSection[] = "FileDlgSettings";
inline constexpr char kOptionSection[] = "ImgFileDlg";
inline constexpr char kPreview[] = "Preview";
inline constexpr char kRelativePath[] = "Relative_path";
// "Initial_dir_link" / "Initial_dir_img" and the filter keys alike.
QString InitialDirKey(ReferenceFileRequest::Kind kind);
QString InitialFilterKey(ReferenceFileRequest::Kind kind);
}  // namespace reference_dialog_keys

class CReferenceFileDialog : public QDialog {
    Q_OBJECT
  public:
    // Reads the stored folder, filter entry and panel options.
    CReferenceFileDialog(const ReferenceFileRequest& request, QWidget* parent = nullptr,
                         ISettingsStore& store = AppStore());

    const ReferenceFileRequest& Request() const { return request_; }
    const QString& BasePath() const { return request_.basePath; }

    // Highlights a file as if the user had clicked it.
    void SelectFile(const QString& path);
    // The file chosen: the file dialog's selection, else the last highlighted file.
    QString SelectedPath() const;
    // The "相対パス(&P):" text followed by the file name of path. When path is
    // not the highlighted file (a name was typed), the relative folder is
    // first worked out for path itself, unless the user edited it.
    std::string ReferenceFor(const QString& path);
    // 1-based like the other file dialogs; 1 when nothing matches.
    int SelectedFilterIndex() const;

    // The panel's check boxes into "ImgFileDlg".
    void SaveOptions();
    // The chosen file's folder (and the filter entry, where the field keeps one).
    void SaveFolder(const QString& path);

    QFileDialog* FileDialog() const { return files_; }
    QCheckBox* PreviewBox() const { return previewBox_; }
    QCheckBox* RelativeBox() const { return relativeBox_; }
    QLineEdit* RelativeEdit() const { return relativeEdit_; }
    CFilePreviewWnd* Preview() const { return preview_; }
    QStringList NameFilters() const { return filters_; }

  private:
    // The highlighted file changed.
    void OnFileNameChange(const QString& path);
    void UpdateRelativeText();
    void UpdatePreview();

    ReferenceFileRequest request_;
    ISettingsStore& store_;
    QStringList filters_;
    QString current_;
    // What the panel last wrote into the relative-path field itself.
    QString automaticText_;
    QFileDialog* files_;
    QCheckBox* previewBox_;
    QCheckBox* relativeBox_;
    QLineEdit* relativeEdit_;
    CFilePreviewWnd* preview_;
};

// Runs the dialog (through the dialog seam) and does what follows OK: the
// existence check with its message, the field's text, the stored folder. The
// panel's options are stored however the dialog closed.
std::optional<ReferenceFileChoice> RunReferenceFileDialog(QWidget* parent,
                                                          const ReferenceFileRequest& request,
                                                          ISettingsStore& store = AppStore());

// Makes every file-reference field use the dialog.
void InstallReferenceFileDialog();

}  // namespace vesk
