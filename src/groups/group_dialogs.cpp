// The dialogs of the file group commands.

#include "groups/group_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <numeric>

#include "framework/plain_tool_tip.h"
#include "platform/dialog_seam.h"
#include "platform/file_dialog_seam.h"
#include "platform/message_seam.h"
#include "platform/program_folders.h"
#include "platform/settings_store.h"

namespace vesk::groups {

namespace group_texts {
QString NameTaken(const QString& name) {
    return QStringLiteral("ファイルグループ \"") + name +
           QStringLiteral("\" はすでに登録されています。\r\n別の名前で登録してください。");
}
QString DeleteGroupQuestion(const QString& name) {
    return QStringLiteral("グループ [ ") + name + QStringLiteral(" ] を削除してもよろしいですか?");
}
QString CountLabel(int files) {
    return QStringLiteral("[ ファイル数 ") + QString::number(files) + QStringLiteral(" ]");
}
}  // namespace group_texts

CFileGroup::LoadStatus LoadGroupList(CFileGroup& list, QWidget* parent) {
    const CFileGroup::LoadStatus status = list.Load(kGroupListFile);
    if (status == CFileGroup::LoadStatus::Damaged) {
        ShowMessage(QStringLiteral("リストファイル [ ") +
                        QDir::toNativeSeparators(UsersDataFile(kGroupListFile)) +
                        QStringLiteral(" ] が壊れているため、読み込めませんでした。"),
                    group_texts::kCaption, MsgIcon::Exclamation, MsgButtons::Ok, parent);
    }
    return status;
}

bool SaveGroupList(const CFileGroup& list, QWidget* parent) {
    QString error;
    if (list.Save(kGroupListFile, &error)) {
        return true;
    }
    ShowMessage(QStringLiteral("リストファイル [ ") +
                    QDir::toNativeSeparators(UsersDataFile(kGroupListFile)) +
                    QStringLiteral(" ] を保存できませんでした。\r\n") + error,
                group_texts::kCaption, MsgIcon::Error, MsgButtons::Ok, parent);
    return false;
}

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QPushButton* Button(const char* text, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

// ---- CReportList ----------------------------------------------------------

CReportList::CReportList(const QStringList& headers, std::vector<int> shares, QWidget* parent)
    : QTableWidget(0, static_cast<int>(headers.size()), parent), shares_(std::move(shares)) {
    setHorizontalHeaderLabels(headers);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    // Paths keep their file name in view.
    setTextElideMode(Qt::ElideMiddle);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

std::vector<int> CReportList::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CReportList::SetRow(int row, const QStringList& cells) {
    for (int c = 0; c < cells.size() && c < columnCount(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setToolTip(PlainToolTip(cells[c]));
        setItem(row, c, item);
    }
}

void CReportList::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    FitColumns();
}

void CReportList::FitColumns() {
    const int total = std::accumulate(shares_.begin(), shares_.end(), 0);
    if (total <= 0) {
        return;
    }
    const int width = viewport()->width();
    int used = 0;
    for (int c = 0; c < columnCount() && c < static_cast<int>(shares_.size()); ++c) {
        // The last column takes what rounding left over.
        const int w = c + 1 == columnCount() ? width - used : width * shares_[c] / total;
        setColumnWidth(c, w);
        used += w;
    }
}

// ---- CGroupNameDlg --------------------------------------------------------

CGroupNameDlg::CGroupNameDlg(const CFileGroup& list, const QString& name, QWidget* parent)
    : QDialog(parent), list_(list) {
    setWindowTitle(QStringLiteral("ファイルグループの名前"));
    nameEdit = new QLineEdit(name, this);
    nameEdit->setMinimumWidth(320);
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setDefault(true);
    cancelButton = Button("ｷｬﾝｾﾙ", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameEdit);
    layout->addLayout(buttons);
    connect(okButton, &QPushButton::clicked, this, &CGroupNameDlg::OnOk);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    nameEdit->selectAll();
}

std::string CGroupNameDlg::Name() const {
    return nameEdit->text().toStdString();
}

void CGroupNameDlg::OnOk() {
    const std::string name = Name();
    QString problem;
    switch (CheckGroupName(list_, name)) {
        case NameProblem::None:
            accept();
            return;
        case NameProblem::Empty:
            problem = QString::fromUtf8(group_texts::kEmptyName);
            break;
        case NameProblem::Taken:
            problem = group_texts::NameTaken(Q(name));
            break;
    }
    if (ShowMessage(problem, group_texts::kCaption, MsgIcon::Exclamation, MsgButtons::OkCancel,
                    this) == MsgAnswer::Ok) {
        nameEdit->setFocus();
        nameEdit->selectAll();
    } else {
        reject();
    }
}

// ---- CAddOpenFilesDlg -----------------------------------------------------

CAddOpenFilesDlg::CAddOpenFilesDlg(const QStringList& paths, QWidget* parent)
    : QDialog(parent), paths_(paths) {
    setWindowTitle(QStringLiteral("開いているファイルから追加"));
    fileList = new CReportList({QStringLiteral("ファイルのパス"), QStringLiteral("タイトル")},
                               {3, 2}, this);
    fileList->setRowCount(static_cast<int>(paths.size()));
    for (int i = 0; i < paths.size(); ++i) {
        const std::string path = paths[i].toStdString();
        fileList->SetRow(i, {Q(DisplayPath(path)), Q(ReadPageTitle(path))});
    }
    fileList->setMinimumSize(480, 220);
    selectAllButton = Button("全て選択(&S)", this);
    addButton = Button("追加", this);
    addButton->setDefault(true);
    cancelButton = Button("ｷｬﾝｾﾙ", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(selectAllButton);
    buttons->addStretch();
    buttons->addWidget(addButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileList);
    layout->addLayout(buttons);
    connect(selectAllButton, &QPushButton::clicked, fileList, &QTableWidget::selectAll);
    connect(addButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QStringList CAddOpenFilesDlg::SelectedPaths() const {
    QStringList out;
    for (int row : fileList->SelectedRows()) {
        out << paths_.at(row);
    }
    return out;
}

// ---- CGroupEditDlg --------------------------------------------------------

CGroupEditDlg::CGroupEditDlg(CFileGroup& list, std::function<QStringList()> openPaths,
                             Options options, QWidget* parent)
    : QDialog(parent), list_(list), openPaths_(std::move(openPaths)) {
    setWindowTitle(QStringLiteral("ファイルグループの編集"));
    groupCombo = new QComboBox(this);
    groupCombo->setMinimumWidth(260);
    groupCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* groupLabel = new QLabel(QStringLiteral("ファイルグループ(&G)"), this);
    groupLabel->setBuddy(groupCombo);
    fileList = new CReportList({QStringLiteral("ファイルのパス"), QStringLiteral("タイトル")},
                               {3, 2}, this);
    fileList->setMinimumSize(460, 240);
    auto* filesLabel = new QLabel(QStringLiteral("グループに含まれるファイル(&F)"), this);
    filesLabel->setBuddy(fileList);
    countLabel = new QLabel(this);

    createButton = Button("ｸﾞﾙｰﾌﾟの作成(&A)...", this);
    renameButton = Button("名前の変更(&N)...", this);
    deleteButton = Button("ｸﾞﾙｰﾌﾟを削除(&D)", this);
    addFileButton = Button("ﾌｧｲﾙの追加(&H)...", this);
    addOpenButton = Button("現在開いているﾌｧｲﾙから追加(&P)...", this);
    removeButton = Button("リストから削除(&S)", this);
    revertButton = Button("全て元に戻す(&R)", this);
    okButton = Button(options.withOpenButton ? "設定を保存して閉じる" : "OK", this);
    cancelButton = Button("ｷｬﾝｾﾙ", this);
    openButton =
        options.withOpenButton ? Button("設定を保存してグループを開く(&O)", this) : nullptr;

    auto* groupRow = new QHBoxLayout;
    groupRow->addWidget(groupLabel);
    groupRow->addWidget(groupCombo, 1);
    auto* groupButtons = new QHBoxLayout;
    groupButtons->addStretch();
    groupButtons->addWidget(createButton);
    groupButtons->addWidget(renameButton);
    groupButtons->addWidget(deleteButton);

    auto* fileButtons = new QVBoxLayout;
    fileButtons->addWidget(addFileButton);
    fileButtons->addWidget(addOpenButton);
    fileButtons->addWidget(removeButton);
    fileButtons->addStretch();
    fileButtons->addWidget(revertButton);
    auto* filesRow = new QHBoxLayout;
    filesRow->addWidget(fileList, 1);
    filesRow->addLayout(fileButtons);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(countLabel);
    bottom->addStretch();
    if (openButton) {
        bottom->addWidget(openButton);
    }
    bottom->addWidget(okButton);
    bottom->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groupRow);
    layout->addLayout(groupButtons);
    layout->addSpacing(6);
    layout->addWidget(filesLabel);
    layout->addLayout(filesRow, 1);
    layout->addLayout(bottom);

    connect(createButton, &QPushButton::clicked, this, &CGroupEditDlg::OnCreateGroup);
    connect(renameButton, &QPushButton::clicked, this, &CGroupEditDlg::OnRenameGroup);
    connect(deleteButton, &QPushButton::clicked, this, &CGroupEditDlg::OnDeleteGroup);
    connect(addFileButton, &QPushButton::clicked, this, &CGroupEditDlg::OnAddFiles);
    connect(addOpenButton, &QPushButton::clicked, this, &CGroupEditDlg::OnAddOpenFiles);
    connect(removeButton, &QPushButton::clicked, this, &CGroupEditDlg::OnRemoveFiles);
    connect(revertButton, &QPushButton::clicked, this, &CGroupEditDlg::OnRevert);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    if (openButton) {
        connect(openButton, &QPushButton::clicked, this, &CGroupEditDlg::OnSaveAndOpen);
    }
    connect(groupCombo, &QComboBox::currentIndexChanged, this, [this] { ShowFiles(); });
    connect(fileList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { UpdateButtons(); });

    FillCombo();
    if (list_.Count() > 0) {
        SelectGroup(list_.IsValidIndex(options.preselect) ? options.preselect : 0);
    }
    ShowFiles();
}

int CGroupEditDlg::SelectedGroup() const {
    const int index = groupCombo->currentIndex();
    return list_.IsValidIndex(index) ? index : -1;
}

void CGroupEditDlg::SelectGroup(int index) {
    groupCombo->setCurrentIndex(list_.IsValidIndex(index) ? index : -1);
    ShowFiles();
}

void CGroupEditDlg::FillCombo() {
    const QSignalBlocker block(groupCombo);
    groupCombo->clear();
    for (const FileGroupEntry& group : list_.Groups()) {
        groupCombo->addItem(Q(group.name));
    }
    groupCombo->setCurrentIndex(-1);
}

void CGroupEditDlg::ShowFiles() {
    fileList->clearContents();
    fileList->setRowCount(0);
    const int group = SelectedGroup();
    if (group >= 0) {
        const std::vector<std::string>& files = list_.At(group).files;
        fileList->setRowCount(static_cast<int>(files.size()));
        for (int i = 0; i < static_cast<int>(files.size()); ++i) {
            fileList->SetRow(i, {Q(DisplayPath(files[i])), Q(ReadPageTitle(files[i]))});
        }
        countLabel->setText(group_texts::CountLabel(static_cast<int>(files.size())));
    } else {
        countLabel->clear();
    }
    UpdateButtons();
}

void CGroupEditDlg::UpdateButtons() {
    const bool group = SelectedGroup() >= 0;
    renameButton->setEnabled(group);
    deleteButton->setEnabled(group);
    addFileButton->setEnabled(group);
    addOpenButton->setEnabled(group);
    if (openButton) {
        openButton->setEnabled(group);
    }
    removeButton->setEnabled(group && !fileList->SelectedRows().empty());
    revertButton->setEnabled(changed_);
}

void CGroupEditDlg::MarkChanged() {
    changed_ = true;
    UpdateButtons();
}

void CGroupEditDlg::OnCreateGroup() {
    CGroupNameDlg dialog(list_, QString(), this);
    if (RunDialog(dialog) != QDialog::Accepted) {
        return;
    }
    const int index = list_.AddGroup(dialog.Name());
    {
        const QSignalBlocker block(groupCombo);
        groupCombo->addItem(Q(dialog.Name()));
    }
    changed_ = true;
    SelectGroup(index);
}

void CGroupEditDlg::OnRenameGroup() {
    const int group = SelectedGroup();
    if (group < 0) {
        return;
    }
    CGroupNameDlg dialog(list_, Q(list_.At(group).name), this);
    if (RunDialog(dialog) != QDialog::Accepted) {
        return;
    }
    list_.RenameGroup(group, dialog.Name());
    FillCombo();
    changed_ = true;
    SelectGroup(group);
}

void CGroupEditDlg::OnDeleteGroup() {
    const int group = SelectedGroup();
    if (group < 0) {
        return;
    }
    if (ShowMessage(group_texts::DeleteGroupQuestion(Q(list_.At(group).name)),
                    group_texts::kCaption, MsgIcon::Question, MsgButtons::YesNo,
                    this) != MsgAnswer::Yes) {
        return;
    }
    list_.DeleteGroup(group);
    FillCombo();
    changed_ = true;
    ShowFiles();
}

void CGroupEditDlg::OnAddFiles() {
    const int group = SelectedGroup();
    if (group < 0) {
        return;
    }
    ISettingsStore& store = AppStore();
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::OpenMultiple;
    request.filter = QString::fromUtf8(group_texts::kAddFilter);
    request.folder =
        store.GetProfileString("FileDlgSettings", "Initial_dir_open", QDir::homePath());
    request.filterIndex = store.GetProfileInt("FileDlgSettings", "Initial_filter_open", 0);
    const FileDialogResult result = RunFileDialog(request, this);
    if (!result.accepted || result.paths.isEmpty()) {
        return;
    }
    std::vector<std::string> paths;
    for (const QString& path : result.paths) {
        paths.push_back(path.toStdString());
    }
    if (list_.AddFiles(group, paths) > 0) {
        changed_ = true;
        ShowFiles();
    }
    store.WriteProfileString("FileDlgSettings", "Initial_dir_open",
                             QFileInfo(result.paths.first()).absolutePath());
    store.WriteProfileInt("FileDlgSettings", "Initial_filter_open", result.filterIndex);
}

void CGroupEditDlg::OnAddOpenFiles() {
    const int group = SelectedGroup();
    if (group < 0) {
        return;
    }
    CAddOpenFilesDlg dialog(openPaths_ ? openPaths_() : QStringList(), this);
    if (RunDialog(dialog) != QDialog::Accepted) {
        return;
    }
    std::vector<std::string> paths;
    for (const QString& path : dialog.SelectedPaths()) {
        paths.push_back(path.toStdString());
    }
    if (list_.AddFiles(group, paths) > 0) {
        changed_ = true;
        ShowFiles();
    }
}

void CGroupEditDlg::OnRemoveFiles() {
    const int group = SelectedGroup();
    const std::vector<int> rows = fileList->SelectedRows();
    if (group < 0 || rows.empty()) {
        return;
    }
    for (int row : rows) {
        list_.BlankFile(group, row);
    }
    list_.RemoveBlankFiles(group);
    changed_ = true;
    ShowFiles();
}

void CGroupEditDlg::OnRevert() {
    if (ShowMessage(QString::fromUtf8(group_texts::kRevertQuestion), group_texts::kRevertCaption,
                    MsgIcon::Question, MsgButtons::OkCancel, this) != MsgAnswer::Ok) {
        return;
    }
    const int count = list_.Count();
    const int group = SelectedGroup();
    const std::string name = group >= 0 ? list_.At(group).name : std::string();
    LoadGroupList(list_, this);
    FillCombo();
    int select = 0;
    if (list_.Count() == count && group >= 0) {
        const int found = list_.FindGroup(name);
        select = found >= 0 ? found : 0;
    }
    changed_ = false;
    SelectGroup(list_.Count() > 0 ? select : -1);
}

void CGroupEditDlg::OnSaveAndOpen() {
    if (SelectedGroup() >= 0) {
        done(kSaveAndOpen);
    }
}

// ---- CGroupOpenDlg --------------------------------------------------------

CGroupOpenDlg::CGroupOpenDlg(CFileGroup& list, std::function<QStringList()> openPaths,
                             QWidget* parent)
    : QDialog(parent), list_(list), openPaths_(std::move(openPaths)) {
    setWindowTitle(QStringLiteral("ファイルグループを開く"));
    groupList = new CReportList({QStringLiteral("ファイルグループ"), QStringLiteral("ファイル数")},
                                {4, 1}, this);
    groupList->setMinimumSize(380, 220);
    openButton = Button("開く", this);
    openButton->setDefault(true);
    cancelButton = Button("ｷｬﾝｾﾙ", this);
    settingsButton = Button("設定(I)...", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(settingsButton);
    buttons->addStretch();
    buttons->addWidget(openButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(groupList);
    layout->addLayout(buttons);
    connect(openButton, &QPushButton::clicked, this, [this] {
        if (!SelectedGroups().empty()) {
            accept();
        }
    });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(settingsButton, &QPushButton::clicked, this, &CGroupOpenDlg::OnSettings);
    connect(groupList, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });
    connect(groupList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { openButton->setEnabled(!SelectedGroups().empty()); });
    FillRows();
}

void CGroupOpenDlg::FillRows() {
    groupList->clearContents();
    groupList->setRowCount(list_.Count());
    for (int i = 0; i < list_.Count(); ++i) {
        const FileGroupEntry& group = list_.At(i);
        groupList->SetRow(
            i, {Q(group.name), QString::number(static_cast<qulonglong>(group.files.size()))});
    }
    openButton->setEnabled(!SelectedGroups().empty());
}

void CGroupOpenDlg::OnSettings() {
    const std::vector<int> selected = SelectedGroups();
    CGroupEditDlg::Options options;
    options.preselect = selected.empty() ? 0 : selected.front();
    options.withOpenButton = false;
    CGroupEditDlg dialog(list_, openPaths_, options, this);
    if (RunDialog(dialog) == QDialog::Accepted) {
        SaveGroupList(list_, this);
    } else {
        LoadGroupList(list_, this);
    }
    groupList->clearSelection();
    FillRows();
}

// ---- CGroupCloseDlg -------------------------------------------------------

CGroupCloseDlg::CGroupCloseDlg(std::vector<OpenGroupDocuments> groups, bool onlyGroupFiles,
                               QWidget* parent)
    : QDialog(parent), groups_(std::move(groups)) {
    setWindowTitle(QStringLiteral("グループを閉じる"));
    groupList = new CReportList(
        {QStringLiteral("ファイルグループ"), QStringLiteral("開いているファイル数")}, {13, 7},
        this);
    groupList->setMinimumSize(380, 200);
    onlyGroupFilesBox = new QCheckBox(QStringLiteral("単独で開いたファイルは閉じない"), this);
    onlyGroupFilesBox->setChecked(onlyGroupFiles);
    closeButton = Button("閉じる", this);
    closeButton->setDefault(true);
    cancelButton = Button("ｷｬﾝｾﾙ", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(onlyGroupFilesBox);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(groupList);
    layout->addLayout(buttons);
    connect(onlyGroupFilesBox, &QCheckBox::toggled, this, [this] { FillRows(); });
    connect(closeButton, &QPushButton::clicked, this, [this] {
        if (!ChosenGroups().empty()) {
            accept();
        }
    });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(groupList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { closeButton->setEnabled(!groupList->SelectedRows().empty()); });
    FillRows();
}

bool CGroupCloseDlg::OnlyGroupFiles() const {
    return onlyGroupFilesBox->isChecked();
}

std::vector<int> CGroupCloseDlg::ChosenGroups() const {
    std::vector<int> out;
    for (int row : groupList->SelectedRows()) {
        out.push_back(rows_.at(row).group);
    }
    return out;
}

void CGroupCloseDlg::FillRows() {
    rows_ = CloseRows(groups_, OnlyGroupFiles());
    groupList->clearSelection();
    groupList->clearContents();
    groupList->setRowCount(static_cast<int>(rows_.size()));
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        groupList->SetRow(i, {Q(groups_[rows_[i].group].name), QString::number(rows_[i].count)});
    }
    closeButton->setEnabled(false);
}

}  // namespace vesk::groups
