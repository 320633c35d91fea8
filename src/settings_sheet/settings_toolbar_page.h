#pragma once
// The toolbar page of the settings sheet: which bars show, and the buttons of
// each toolbar in order.

#include <QWidget>
#include <array>
#include <vector>

#include "core/toolbar_layouts.h"

class QCheckBox;
class QListWidget;
class QPushButton;

// What the main frame shows.
struct BarVisibility {
    std::array<bool, kToolbarCount> toolbars{};  // by ToolbarId
    bool documentList = true;
    bool statusBar = true;

    static BarVisibility AllShown();
    bool operator==(const BarVisibility&) const = default;
};

// The page's edits of the eight layouts. Rows of the used list are layout
// positions; the row after the last one is the end line.
class ToolbarPageModel {
  public:
    explicit ToolbarPageModel(const ButtonLayouts& layouts);

    const ButtonLayouts& Layouts() const { return layouts_; }
    void SetLayouts(const ButtonLayouts& layouts);
    const ButtonLayout& Used(ToolbarId bar) const { return layouts_[bar]; }
    // Entries of the bar's button set not in its layout, in entry order.
    std::vector<int> Hidden(ToolbarId bar) const;

    // Each returns the used row to select afterwards, or -1 when nothing changed.
    int Add(ToolbarId bar, int hiddenRow, int usedRow);
    int Remove(ToolbarId bar, int usedRow);
    int InsertSeparator(ToolbarId bar, int usedRow);
    int MoveLeft(ToolbarId bar, int usedRow);
    int MoveRight(ToolbarId bar, int usedRow);

  private:
    ButtonLayouts layouts_;
};

class CPrpIniToolbutton : public QWidget {
    Q_OBJECT
  public:
    // Rows of the bar list: the toolbars in this order, then the document list.
    static constexpr std::array<ToolbarId, kToolbarCount> kBarRows = {
        kToolbarMain, kToolbarHtmlTools, kToolbarPage,  kToolbarText,
        kToolbarChar, kToolbarFrame,     kToolbarTools, kToolbarWindow};
    static constexpr int kDocumentListRow = kToolbarCount;

    CPrpIniToolbutton(const ButtonLayouts& layouts, const BarVisibility& bars,
                      QWidget* parent = nullptr);

    const ButtonLayouts& Layouts() const { return model_.Layouts(); }
    BarVisibility Bars() const;
    bool Changed() const { return changed_; }

    // The buttons' actions.
    void Add();
    void Remove();
    void InsertSeparator();
    void MoveLeft();
    void MoveRight();
    void RestoreDefaults();
    void ResetToOpening();

    QListWidget* BarList() const { return barList_; }
    QCheckBox* StatusBarBox() const { return statusBar_; }
    QListWidget* HiddenList() const { return hiddenList_; }
    QListWidget* UsedList() const { return usedList_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* RemoveButton() const { return remove_; }
    QPushButton* SeparatorButton() const { return separator_; }
    QPushButton* LeftButton() const { return left_; }
    QPushButton* RightButton() const { return right_; }
    QPushButton* DefaultsButton() const { return defaults_; }
    QPushButton* ResetButton() const { return reset_; }

  private:
    // The toolbar of the selected bar row, or -1 for the document list.
    int CurrentBar() const;
    void FillLists(int usedRow, int hiddenRow);
    void SetBars(const BarVisibility& bars);
    void UpdateButtons();
    void AfterEdit(int usedRow, int hiddenRow);

    ToolbarPageModel model_;
    const ButtonLayouts openingLayouts_;
    const BarVisibility openingBars_;
    bool changed_ = false;
    QListWidget* barList_ = nullptr;
    QCheckBox* statusBar_ = nullptr;
    QListWidget* hiddenList_ = nullptr;
    QListWidget* usedList_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* separator_ = nullptr;
    QPushButton* left_ = nullptr;
    QPushButton* right_ = nullptr;
    QPushButton* defaults_ = nullptr;
    QPushButton* reset_ = nullptr;
};
