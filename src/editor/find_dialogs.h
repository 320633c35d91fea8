#pragma once
// The modeless find and replace dialogs and the controller that owns them.
// At most one of the two is open; both act on whichever view is active when a
// button is pressed.

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class CVeskHtmlView;

namespace vesk {
struct SearchOptions;
}

// The find dialog: search text, two checks, direction, "find next" and "close".
class CFindDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CFindDialog(QWidget* parent = nullptr);

    // Options in the order of the stored block: whole words, match case, direction down.
    std::vector<int> Options() const;
    void SetOptions(const std::vector<int>& flags);

    QLineEdit* whatEdit;
    QCheckBox* matchCaseCheck;
    QCheckBox* wholeWordCheck;
    QRadioButton* upRadio;
    QRadioButton* downRadio;
    QPushButton* findNextButton;
    QPushButton* closeButton;
};

// The replace dialog: search and replacement texts, two checks and five buttons.
class CReplaceDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CReplaceDialog(QWidget* parent = nullptr);

    // Options in the order of the stored block: whole words, match case.
    std::vector<int> Options() const;
    void SetOptions(const std::vector<int>& flags);

    QLineEdit* whatEdit;
    QLineEdit* replacementEdit;
    QCheckBox* matchCaseCheck;
    QCheckBox* wholeWordCheck;
    QPushButton* findNextButton;
    QPushButton* replaceButton;
    QPushButton* replaceSelectionButton;
    QPushButton* replaceAllButton;
    QPushButton* closeButton;
};

// Owned by the application: opens, closes and runs the two dialogs.
class CFindReplace : public QObject {
    Q_OBJECT
  public:
    // activeView: the view the dialogs act on (nullptr when none); parent: the main window.
    CFindReplace(std::function<CVeskHtmlView*()> activeView, QWidget* parent);
    ~CFindReplace() override;

    void OpenFind();
    void OpenReplace();
    // The application calls these so that the buttons follow.
    void OnActiveViewChanged();
    void OnSelectionChanged();

    QDialog* FindDialog() const { return find_; }
    QDialog* ReplaceDialog() const { return replace_; }

    // Caption and texts of the messages.
    static const char kCaption[];
    static const char kSearchFinished[];
    static const char kNotFound[];

  private:
    void CloseFind();
    void CloseReplace();
    void Dispose(QDialog* dialog);
    void CentreOnView(QDialog& dialog);
    void UpdateFindButtons();
    void OnReplaceTextChanged();
    void ApplyNoViewState();

    void FindNextInFindDialog();
    void FindNextInReplaceDialog();
    void ReplaceSelection();
    void ReplaceInRange(bool wholeText);

    // Selects [start, end) in the view as the dialog's own move.
    void SelectOwn(CVeskHtmlView& view, int start, int end);
    // Moves the dialog off the selection of the view when it covers it.
    void MoveOffSelection(QDialog& dialog, CVeskHtmlView& view);
    void Message(const char* text, QWidget* parent);

    std::function<CVeskHtmlView*()> activeView_;
    QWidget* parent_;
    QPointer<CFindDialog> find_;
    QPointer<CReplaceDialog> replace_;
    bool busy_ = false;
    bool destroying_ = false;
    // The selection the dialogs set last; its late notification is no user move.
    bool ownSelectionValid_ = false;
    int ownStart_ = 0;
    int ownEnd_ = 0;
};
