#pragma once
// The dialog of the plain-text conversion: a check list of the eight switches
// with a help line for the selected one, "実行" and "ｷｬﾝｾﾙ".

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

class CPlainTextDialog : public QDialog {
    Q_OBJECT
  public:
    // Opens with the switches stored in "EditorSettings"/"ToTextOption".
    explicit CPlainTextDialog(QWidget* parent = nullptr);

    // The switches ticked in the list (vesk::PlainTextOption bits), or those it
    // opened with when the list no longer holds all eight items.
    int Options() const;
    void SetOptions(int options);

    // The stored switches; written only when a conversion runs.
    static int StoredOptions();
    static void StoreOptions(int options);

    QListWidget* optionList;
    QLabel* helpText;
    QPushButton* runButton;
    QPushButton* cancelButton;

  private:
    void ShowHelpOfSelection();

    int openedWith_ = 0;
};
