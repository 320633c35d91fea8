#pragma once
// "選択ボックスの一括挿入 <SELECT><OPTION>": a SELECT's settings and the list
// of its OPTIONs, edited entry by entry. Checked entries are chosen by
// default; unless MULTIPLE is on, at most one entry is checked. Only the
// insert button confirms.

#include "tags/dialog_fields.h"
#include "tags/form_tags.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace vesk {

class CSelectBatchDlg : public CTagDialog {
    Q_OBJECT
  public:
    // The list columns: the check mark, the label shown, the value sent.
    enum Column { kCheckColumn = 0, kLabelColumn = 1, kValueColumn = 2 };
    static constexpr int kCheckColumnWidth = 22;

    explicit CSelectBatchDlg(const SelectBatchData& data, QWidget* parent = nullptr);
    SelectBatchData Data() const;

    QLineEdit* NameEdit() const { return name_; }
    QCheckBox* MultipleBox() const { return multiple_; }
    QLineEdit* ItemLabelEdit() const { return itemLabel_; }
    QLineEdit* ItemValueEdit() const { return itemValue_; }
    QTableWidget* List() const { return list_; }
    QLabel* ListCaption() const { return listCaption_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* InsertEntryButton() const { return insertEntry_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* EditButton() const { return edit_; }
    QPushButton* UpButton() const { return up_; }
    QPushButton* DownButton() const { return down_; }

    // What the list buttons do.
    void AddEntry();     // "追加 >>": at the end
    void InsertEntry();  // "挿入 >>": above the selected entry
    void DeleteEntry();  // "削除"
    void EditEntry();    // "<< 編集", and "OK" while an entry is being edited
    void MoveUp();       // "▲"
    void MoveDown();     // "▼"

    // The selected entry's row; -1 when none is selected.
    int SelectedRow() const;
    bool Editing() const { return editRow_ >= 0; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PutEntry(int row, const SelectBatchItem& item);
    SelectBatchItem Entry(int row) const;
    // A new entry from the two edit fields at row; nothing without a value.
    void NewEntry(int row);
    void SelectRow(int row);
    void ClearSelection();
    void UpdateButtons();
    void OnCheckChanged(QTableWidgetItem* item);
    // Without MULTIPLE only the first checked entry stays checked (or keep, when given).
    void KeepOneCheck(int keep);
    void LayoutColumns();

    QLineEdit* name_;
    QCheckBox* multiple_;
    QLineEdit* itemLabel_;
    QLineEdit* itemValue_;
    QLabel* listCaption_;
    QTableWidget* list_;
    QPushButton* add_;
    QPushButton* insertEntry_;
    QPushButton* delete_;
    QPushButton* edit_;
    QPushButton* up_;
    QPushButton* down_;
    int editRow_ = -1;          // the entry being edited
    bool settingRows_ = false;  // check changes made here follow no rule
};

}  // namespace vesk
