#pragma once
// The dialogs of the file group commands: group name, editing the groups,
// adding from the open files, opening and closing groups.

#include <QDialog>
#include <QStringList>
#include <QTableWidget>
#include <functional>
#include <string>
#include <vector>

#include "groups/file_group.h"
#include "groups/group_list.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vesk::groups {

namespace group_texts {
inline constexpr char kCaption[] = "VeskHtml";
inline constexpr char kRevertCaption[] = "Vesk Html";
inline constexpr char kEmptyName[] =
    "空のグループ名は登録できません。一文字以上のグループ名を入力して下さい。";
QString NameTaken(const QString& name);
QString DeleteGroupQuestion(const QString& name);
inline constexpr char kRevertQuestion[] =
    "ファイルグループへの変更を全て元に戻します。\r\nよろしいですか?";
QString CountLabel(int files);
inline constexpr char kAddFilter[] =
    "HTMLファイル(*.htm* *.shtm*)|*.htm*;*.shtm*|すべてのファイル(*.*)|*.*||";
}  // namespace group_texts

// Loads "filelst.vkd"; a damaged file is reported and leaves the list empty.
CFileGroup::LoadStatus LoadGroupList(CFileGroup& list, QWidget* parent);
// Saves "filelst.vkd"; a failure is reported. False when not saved.
bool SaveGroupList(const CFileGroup& list, QWidget* parent);

// A table with gridlines and whole-row selection whose columns share the width
// in fixed proportions.
class CReportList : public QTableWidget {
  public:
    CReportList(const QStringList& headers, std::vector<int> shares, QWidget* parent = nullptr);
    // Row indexes of the selection, in row order.
    std::vector<int> SelectedRows() const;
    void SetRow(int row, const QStringList& cells);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void FitColumns();
    std::vector<int> shares_;
};

// "ファイルグループの名前": OK accepts only a name that is not empty and not in the list.
class CGroupNameDlg : public QDialog {
    Q_OBJECT
  public:
    CGroupNameDlg(const CFileGroup& list, const QString& name, QWidget* parent = nullptr);
    std::string Name() const;
    void OnOk();

    QLineEdit* nameEdit;
    QPushButton* okButton;
    QPushButton* cancelButton;

  private:
    const CFileGroup& list_;
};

// "開いているファイルから追加": picks among the paths of the open pages.
class CAddOpenFilesDlg : public QDialog {
    Q_OBJECT
  public:
    CAddOpenFilesDlg(const QStringList& paths, QWidget* parent = nullptr);
    QStringList SelectedPaths() const;

    CReportList* fileList;
    QPushButton* selectAllButton;
    QPushButton* addButton;
    QPushButton* cancelButton;

  private:
    QStringList paths_;
};

// "ファイルグループの編集": works on the caller's list; the caller saves it.
class CGroupEditDlg : public QDialog {
    Q_OBJECT
  public:
    // Result of "設定を保存してグループを開く(&O)"; QDialog::Accepted is save and close.
    static constexpr int kSaveAndOpen = 2;

    struct Options {
        int preselect = 0;           // group shown first
        bool withOpenButton = true;  // false: the OK button reads "OK", no open button
    };
    // openPaths lists the paths of the open HTML documents.
    CGroupEditDlg(CFileGroup& list, std::function<QStringList()> openPaths, Options options,
                  QWidget* parent = nullptr);

    int SelectedGroup() const;
    bool Changed() const { return changed_; }

    void SelectGroup(int index);
    void OnCreateGroup();
    void OnRenameGroup();
    void OnDeleteGroup();
    void OnAddFiles();
    void OnAddOpenFiles();
    void OnRemoveFiles();
    void OnRevert();
    void OnSaveAndOpen();

    QComboBox* groupCombo;
    CReportList* fileList;
    QLabel* countLabel;
    QPushButton* createButton;
    QPushButton* renameButton;
    QPushButton* deleteButton;
    QPushButton* addFileButton;
    QPushButton* addOpenButton;
    QPushButton* removeButton;
    QPushButton* revertButton;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* openButton;  // nullptr without the open button

  private:
    void FillCombo();
    void ShowFiles();
    void UpdateButtons();
    void MarkChanged();

    CFileGroup& list_;
    std::function<QStringList()> openPaths_;
    bool changed_ = false;
};

// "ファイルグループを開く": the groups with their file counts.
class CGroupOpenDlg : public QDialog {
    Q_OBJECT
  public:
    CGroupOpenDlg(CFileGroup& list, std::function<QStringList()> openPaths,
                  QWidget* parent = nullptr);
    std::vector<int> SelectedGroups() const { return groupList->SelectedRows(); }
    void OnSettings();

    CReportList* groupList;
    QPushButton* openButton;
    QPushButton* cancelButton;
    QPushButton* settingsButton;

  private:
    void FillRows();

    CFileGroup& list_;
    std::function<QStringList()> openPaths_;
};

// "グループを閉じる": groups having open documents, refilled when the check box changes.
class CGroupCloseDlg : public QDialog {
    Q_OBJECT
  public:
    CGroupCloseDlg(std::vector<OpenGroupDocuments> groups, bool onlyGroupFiles,
                   QWidget* parent = nullptr);
    bool OnlyGroupFiles() const;
    // Indexes into the groups given, in row order.
    std::vector<int> ChosenGroups() const;

    CReportList* groupList;
    QCheckBox* onlyGroupFilesBox;
    QPushButton* closeButton;
    QPushButton* cancelButton;

  private:
    void FillRows();

    std::vector<OpenGroupDocuments> groups_;
    std::vector<CloseRow> rows_;
};

}  // namespace vesk::groups
