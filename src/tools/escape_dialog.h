#pragma once
// The escape sequence conversion dialog: which special characters of the
// selection become numeric character references.

#include <QDialog>
#include <vector>

class QListWidget;
class QPushButton;

class CEscapeDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CEscapeDialog(QWidget* parent = nullptr);

    // The switches as flags (0 or 1) in list order, which is the order of
    // their bits in the stored setting.
    void SetOptions(const std::vector<int>& flags);
    // The check states of the list; the options it was given when the list does
    // not hold exactly its three items.
    std::vector<int> Options() const;
    // The same as a sum of bits.
    int OptionBits() const;

    QListWidget* optionList;
    QPushButton* runButton;
    QPushButton* cancelButton;

  private:
    std::vector<int> given_;
};

// The stored switches ("EditorSettings"/"ChngEscapeOption") as a sum of bits.
int ReadEscapeOptions();
void WriteEscapeOptions(int bits);
