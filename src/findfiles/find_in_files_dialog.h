#pragma once
// The dialog of find and replace in files: what to look for, what to put in its place, where.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class ISettingsStore;

namespace vesk::findfiles {
struct SearchRequest;
}

class CFindInFilesDialog : public QDialog {
    Q_OBJECT
  public:
    // Result codes besides QDialog::Rejected.
    static constexpr int kFind = 1;
    static constexpr int kReplace = 2;

    explicit CFindInFilesDialog(QWidget* parent = nullptr);

    // The last values from the store; the folder is the given one when not empty.
    void Load(ISettingsStore& store, const QString& folder);
    void Save(ISettingsStore& store) const;
    // The fields as a request (a replacement only for kReplace).
    vesk::findfiles::SearchRequest Request(int result) const;

    QLineEdit* whatEdit;
    QLineEdit* replacementEdit;
    QLineEdit* folderEdit;
    QPushButton* browseButton;
    QLineEdit* patternsEdit;
    QCheckBox* subfoldersCheck;
    QCheckBox* matchCaseCheck;
    QPushButton* findButton;
    QPushButton* replaceButton;
    QPushButton* cancelButton;

  private:
    void Browse();
    void UpdateButtons();
};
