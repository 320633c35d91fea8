#include "findfiles/find_in_files_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "findfiles/file_search.h"
#include "findfiles/find_in_files_texts.h"
#include "platform/file_dialog_seam.h"
#include "platform/settings_store.h"

namespace text = findfiles_text;

namespace {

const char kSection[] = "FindInFiles";
// Bits of the stored "Option" value.
enum { kBitSubfolders = 1, kBitMatchCase = 2 };

QLineEdit* MakeEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(320);
    return edit;
}

QPushButton* MakeButton(const char* label, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(label), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLabel* MakeLabel(const char* label, QWidget* buddy, QWidget* parent) {
    auto* shown = new QLabel(QString::fromUtf8(label), parent);
    shown->setBuddy(buddy);
    return shown;
}

}  // namespace

CFindInFilesDialog::CFindInFilesDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("findInFilesDialog");
    setWindowTitle(QString::fromUtf8(text::kDialogTitle));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);

    whatEdit = MakeEdit("findWhat", this);
    replacementEdit = MakeEdit("replaceWith", this);
    folderEdit = MakeEdit("folder", this);
    patternsEdit = MakeEdit("patterns", this);
    browseButton = MakeButton(text::kBrowse, "browse", this);
    subfoldersCheck = new QCheckBox(QString::fromUtf8(text::kSubfolders), this);
    subfoldersCheck->setObjectName("subfolders");
    matchCaseCheck = new QCheckBox(QString::fromUtf8(text::kMatchCase), this);
    matchCaseCheck->setObjectName("matchCase");
    findButton = MakeButton(text::kFindButton, "find", this);
    findButton->setDefault(true);
    replaceButton = MakeButton(text::kReplaceButton, "replace", this);
    cancelButton = MakeButton(text::kCancelButton, "cancel", this);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folderEdit, 1);
    folderRow->addWidget(browseButton);

    auto* fields = new QGridLayout;
    fields->addWidget(MakeLabel(text::kWhat, whatEdit, this), 0, 0);
    fields->addWidget(whatEdit, 0, 1);
    fields->addWidget(MakeLabel(text::kReplacement, replacementEdit, this), 1, 0);
    fields->addWidget(replacementEdit, 1, 1);
    fields->setRowMinimumHeight(2, 6);
    fields->addWidget(MakeLabel(text::kFolder, folderEdit, this), 3, 0);
    fields->addLayout(folderRow, 3, 1);
    fields->addWidget(MakeLabel(text::kPatterns, patternsEdit, this), 4, 0);
    fields->addWidget(patternsEdit, 4, 1);
    fields->addWidget(subfoldersCheck, 5, 1);
    fields->addWidget(matchCaseCheck, 6, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(findButton);
    buttons->addWidget(replaceButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(whatEdit, &QLineEdit::textChanged, this, &CFindInFilesDialog::UpdateButtons);
    connect(browseButton, &QPushButton::clicked, this, &CFindInFilesDialog::Browse);
    connect(findButton, &QPushButton::clicked, this, [this] { done(kFind); });
    connect(replaceButton, &QPushButton::clicked, this, [this] { done(kReplace); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    UpdateButtons();
}

void CFindInFilesDialog::UpdateButtons() {
    const bool any = !whatEdit->text().isEmpty();
    findButton->setEnabled(any);
    replaceButton->setEnabled(any);
}

void CFindInFilesDialog::Browse() {
    vesk::FileDialogRequest request;
    request.mode = vesk::FileDialogRequest::Mode::Folder;
    request.folder = folderEdit->text();
    request.title = QString::fromUtf8(text::kFolderDialogTitle);
    const vesk::FileDialogResult chosen = vesk::RunFileDialog(request, this);
    if (chosen.accepted && !chosen.paths.isEmpty())
        folderEdit->setText(QDir::toNativeSeparators(chosen.paths.first()));
}

void CFindInFilesDialog::Load(ISettingsStore& store, const QString& folder) {
    whatEdit->setText(store.GetProfileString(kSection, "What", ""));
    replacementEdit->setText(store.GetProfileString(kSection, "Replacement", ""));
    const QString stored = store.GetProfileString(kSection, "Folder", QDir::homePath());
    folderEdit->setText(QDir::toNativeSeparators(folder.isEmpty() ? stored : folder));
    patternsEdit->setText(
        store.GetProfileString(kSection, "Patterns", QString::fromUtf8(text::kDefaultPatterns)));
    const int options = store.GetProfileInt(kSection, "Option", kBitSubfolders);
    subfoldersCheck->setChecked((options & kBitSubfolders) != 0);
    matchCaseCheck->setChecked((options & kBitMatchCase) != 0);
    whatEdit->selectAll();
    whatEdit->setFocus();
}

void CFindInFilesDialog::Save(ISettingsStore& store) const {
    store.WriteProfileString(kSection, "What", whatEdit->text());
    store.WriteProfileString(kSection, "Replacement", replacementEdit->text());
    store.WriteProfileString(kSection, "Folder", QDir::fromNativeSeparators(folderEdit->text()));
    store.WriteProfileString(kSection, "Patterns", patternsEdit->text());
    store.WriteProfileInt(kSection, "Option",
                          (subfoldersCheck->isChecked() ? kBitSubfolders : 0) |
                              (matchCaseCheck->isChecked() ? kBitMatchCase : 0));
}

vesk::findfiles::SearchRequest CFindInFilesDialog::Request(int result) const {
    vesk::findfiles::SearchRequest request;
    QString folder = QDir::fromNativeSeparators(folderEdit->text().trimmed());
    if (folder == "~" || folder.startsWith("~/"))
        folder = QDir::homePath() + folder.mid(1);
    request.folder = folder.isEmpty() ? folder : QDir::cleanPath(folder);
    request.patterns = vesk::findfiles::SplitPatterns(patternsEdit->text());
    request.subfolders = subfoldersCheck->isChecked();
    request.what = whatEdit->text().toStdString();
    request.matchCase = matchCaseCheck->isChecked();
    if (result == kReplace)
        request.replacement = replacementEdit->text().toStdString();
    return request;
}
