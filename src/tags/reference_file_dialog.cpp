#include "tags/reference_file_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/dialog_seam.h"
#include "platform/file_dialog_seam.h"
#include "platform/message_seam.h"
#include "sidepane/file_preview_wnd.h"
#include "tags/relative_paths.h"

namespace vesk {

namespace reference_dialog_keys {

QString InitialDirKey(ReferenceFileRequest::Kind kind) {
    return kind == ReferenceFileRequest::Kind::kImage ? QStringLiteral("Initial_dir_img")
                                                      : QStringLiteral("Initial_dir_link");
}

QString InitialFilterKey(ReferenceFileRequest::Kind kind) {
    return kind == ReferenceFileRequest::Kind::kImage ? QStringLiteral("Initial_filter_img")
                                                      : QStringLiteral("Initial_filter_link");
}

}  // namespace reference_dialog_keys

namespace {

namespace keys = reference_dialog_keys;
namespace texts = reference_dialog_texts;

// The folder of a path: up to, not including, the last separator ("/" for a
// file in the root).
QString FolderOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    if (slash == 0)
        return QStringLiteral("/");
    return path.left(slash);
}

}  // namespace

CReferenceFileDialog::CReferenceFileDialog(const ReferenceFileRequest& request, QWidget* parent,
                                           ISettingsStore& store)
    : QDialog(parent),
      request_(request),
      store_(store),
      filters_(ToQtNameFilters(request.filter)),
      files_(new QFileDialog(this)),
      previewBox_(new QCheckBox(QString::fromUtf8(texts::kPreview), this)),
      relativeBox_(new QCheckBox(QString::fromUtf8(texts::kAddAutomatically), this)),
      relativeEdit_(new QLineEdit(this)),
      preview_(new CFilePreviewWnd(this)) {
    setWindowTitle(request_.title);

    // Qt's own file dialog, embedded as a plain widget so the panel can sit below it.
    files_->setWindowFlags(Qt::Widget);
    files_->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails |
                       QFileDialog::DontConfirmOverwrite);
    files_->setAcceptMode(QFileDialog::AcceptOpen);
    // Any name reaches OK, so that a missing file gets our own message (and
    // the FRAME source may name a file that does not exist yet).
    files_->setFileMode(QFileDialog::AnyFile);
    files_->setLabelText(QFileDialog::Accept, QString::fromUtf8(texts::kOk));
    files_->setSizeGripEnabled(false);

    files_->setNameFilters(filters_);
    if (!filters_.isEmpty()) {
        int index =
            request_.rememberFilter
                ? store_.GetProfileInt(keys::kFileSection, keys::InitialFilterKey(request_.kind), 0)
                : 0;
        index = index <= 0 ? 0 : index - 1;
        if (index >= filters_.size())
            index = 0;
        files_->selectNameFilter(filters_[index]);
    }
    QString folder = store_.GetProfileString(keys::kFileSection, keys::InitialDirKey(request_.kind),
                                             QDir::homePath());
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    files_->setDirectory(folder);

    previewBox_->setChecked(store_.GetProfileInt(keys::kOptionSection, keys::kPreview, 1) != 0);
    relativeBox_->setChecked(store_.GetProfileInt(keys::kOptionSection, keys::kRelativePath, 1) !=
                             0);

    preview_->SetOptions(SidePanePreviewOptions(1));
    preview_->setMinimumSize(180, 150);

    auto* label = new QLabel(QString::fromUtf8(texts::kRelativePath), this);
    label->setBuddy(relativeEdit_);

    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(previewBox_);
    previewColumn->addWidget(preview_, 1);
    auto* relativeColumn = new QVBoxLayout;
    relativeColumn->addWidget(label);
    relativeColumn->addWidget(relativeEdit_);
    relativeColumn->addWidget(relativeBox_);
    relativeColumn->addStretch(1);
    auto* panel = new QHBoxLayout;
    panel->addLayout(previewColumn);
    panel->addLayout(relativeColumn, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(files_, 1);
    layout->addLayout(panel);
    files_->setVisible(true);

    // Room for the file list's columns and the panel.
    resize(760, 600);
    if (auto* tree = files_->findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = tree->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }

    connect(files_, &QFileDialog::currentChanged, this,
            [this](const QString& path) { OnFileNameChange(path); });
    connect(files_, &QFileDialog::accepted, this, &QDialog::accept);
    connect(files_, &QFileDialog::rejected, this, &QDialog::reject);
    connect(relativeBox_, &QCheckBox::toggled, this, [this] { UpdateRelativeText(); });
    connect(previewBox_, &QCheckBox::toggled, this, [this] { UpdatePreview(); });
}

void CReferenceFileDialog::SelectFile(const QString& path) {
    files_->selectFile(path);
    OnFileNameChange(path);
}

QString CReferenceFileDialog::SelectedPath() const {
    const QString first = files_->selectedFiles().value(0);
    // With nothing typed the file dialog answers its folder; the highlighted
    // file is then the better answer.
    if (first.isEmpty() || (QFileInfo(first).isDir() && !current_.isEmpty()))
        return current_;
    return first;
}

std::string CReferenceFileDialog::ReferenceFor(const QString& path) {
    // The folder shown belongs to the file last highlighted; a typed name may
    // lie elsewhere, or nothing may have been highlighted at all.
    if (path != current_ && relativeEdit_->text() == automaticText_)
        OnFileNameChange(path);
    return relativeEdit_->text().toStdString() + FileNamePart(path.toStdString(), '/');
}

int CReferenceFileDialog::SelectedFilterIndex() const {
    // With the patterns hidden, some Qt versions answer the shortened name;
    // the type combo's position is the entry whatever it shows.
    const auto* combo = files_->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    qsizetype index = combo ? combo->currentIndex() : -1;
    if (index < 0 || index >= filters_.size())
        index = filters_.indexOf(files_->selectedNameFilter());
    return index < 0 ? 1 : static_cast<int>(index) + 1;
}

void CReferenceFileDialog::SaveOptions() {
    store_.WriteProfileInt(keys::kOptionSection, keys::kPreview, previewBox_->isChecked() ? 1 : 0);
    store_.WriteProfileInt(keys::kOptionSection, keys::kRelativePath,
                           relativeBox_->isChecked() ? 1 : 0);
}

void CReferenceFileDialog::SaveFolder(const QString& path) {
    store_.WriteProfileString(keys::kFileSection, keys::InitialDirKey(request_.kind),
                              FolderOf(path));
    if (request_.rememberFilter)
        store_.WriteProfileInt(keys::kFileSection, keys::InitialFilterKey(request_.kind),
                               SelectedFilterIndex());
}

void CReferenceFileDialog::OnFileNameChange(const QString& path) {
    current_ = path;
    UpdateRelativeText();
    UpdatePreview();
}

void CReferenceFileDialog::UpdateRelativeText() {
    automaticText_.clear();
    if (relativeBox_->isChecked())
        automaticText_ = QString::fromStdString(
            RelativeFolderPrefix(current_.toStdString(), request_.basePath.toStdString(), '/'));
    relativeEdit_->setText(automaticText_);
}

void CReferenceFileDialog::UpdatePreview() {
    preview_->ShowFile(previewBox_->isChecked() ? current_ : QString());
}

std::optional<ReferenceFileChoice> RunReferenceFileDialog(QWidget* parent,
                                                          const ReferenceFileRequest& request,
                                                          ISettingsStore& store) {
    CReferenceFileDialog dialog(request, parent, store);
    const int result = RunDialog(dialog);
    // The panel's options are kept however the dialog was closed.
    dialog.SaveOptions();
    if (result != QDialog::Accepted)
        return std::nullopt;

    const QString path = dialog.SelectedPath();
    const QFileInfo info(path);
    if (path.isEmpty() || info.isDir() || (request.requireExistingFile && !info.exists())) {
        ShowMessage(QString::fromUtf8(tag_texts::kInvalidFileMessage),
                    QString::fromUtf8(tag_texts::kCaption), MsgIcon::Exclamation, MsgButtons::Ok,
                    parent);
        return std::nullopt;
    }

    ReferenceFileChoice choice;
    choice.reference = dialog.ReferenceFor(path);
    choice.fullPath = path;
    dialog.SaveFolder(path);
    return choice;
}

void InstallReferenceFileDialog() {
    SetReferenceFileChooser([](QWidget* parent, const ReferenceFileRequest& request) {
        return RunReferenceFileDialog(parent, request);
    });
}

}  // namespace vesk
