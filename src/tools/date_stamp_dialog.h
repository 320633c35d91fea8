#pragma once
// The date stamp: the insert dialog with its favourites and list settings, the
// format builder for user-defined formats, and the view command.

#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "tools/date_stamp.h"
#include "tools/fav_date_marks.h"

class CVeskHtmlView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

// Command id of "日付の挿入 (&D)...".
constexpr int kDateStampCommand = 32877;

// "日付フォーマットの作成": literal texts around four token slots.
class CDateFormatDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CDateFormatDialog(const vesk::DateParts& today, QWidget* parent = nullptr);

    // literal0 "token1" literal1 ... "token4" literal4.
    std::string Format() const;
    QString PreviewText() const;
    int CurrentSlot() const { return current_; }
    void SelectSlot(int slot);
    // The token recorded for a slot ("" when empty).
    const std::string& SlotToken(int slot) const { return tokens_.at(slot); }

    // In the order of vesk::kDateTokens.
    std::array<QPushButton*, 11> tokenButtons{};
    std::array<QPushButton*, 4> slotButtons{};
    std::array<QLineEdit*, 5> literalEdits{};
    QPushButton* clearButton;
    QLabel* preview;
    QPushButton* okButton;
    QPushButton* cancelButton;

  private:
    void PutToken(int token);
    void ClearSlot();
    void Refresh();

    std::array<std::string, 4> tokens_;
    std::array<QString, 4> values_;
    int current_ = -1;
};

// "日付の挿入": the favourites box, reduced or enlarged with the list settings.
class CDateStampDialog : public QDialog {
    Q_OBJECT
  public:
    // Loads the favourites (a damaged file is reported and gives none) and the
    // stored list settings and selection.
    explicit CDateStampDialog(const vesk::DateParts& today, QWidget* parent = nullptr);

    // Today's date for the command; tests replace it. Empty: the local clock.
    static std::function<vesk::DateParts()> clock;
    static vesk::DateParts Today();

    bool Enlarged() const;
    void SetEnlarged(bool enlarged);
    vesk::DatePartsOn PartsOn() const;
    bool English() const;
    const CFavDateMarks& Favourites() const { return favourites_; }
    // The text to insert, set by "挿入".
    const std::string& Result() const { return result_; }
    // Whatever ended the dialog: saves the favourites and the selected index.
    void StoreOnClose();

    QLineEdit* favouriteEdit;
    QListWidget* favouriteList;
    QPushButton* insertButton;
    QPushButton* cancelButton;
    QPushButton* settingsButton;
    QWidget* settingsPanel;
    std::array<QCheckBox*, 4> partBoxes{};  // year, month, day, weekday
    QRadioButton* japaneseButton;
    QRadioButton* englishButton;
    QListWidget* candidateList;
    QPushButton* addButton;
    QPushButton* removeButton;
    QPushButton* userFormatButton;

  private:
    void FillFavourites(int select);
    void FillCandidates();
    void OnPartClicked(vesk::DatePart part);
    void OnFavouriteSelected();
    void OnAdd();
    void OnRemove();
    void OnUserFormat();
    void OnInsert();
    void UpdateButtons();

    vesk::DateParts today_;
    CFavDateMarks favourites_;
    bool loadedDamaged_ = false;
    bool changed_ = false;
    std::string result_;
};

// Registers kDateStampCommand on the view: today's date in a favourite format
// replaces the selection, as one undo step, with the caret behind it.
void InstallDateStampCommand(CVeskHtmlView& view);
