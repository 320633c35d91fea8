#pragma once
// The source view: shows and edits the text of one document in its text
// control, keeps the colouring current while the user types, pastes, cuts and
// drops, and records every edit in its undo history.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/app_settings.h"
#include "core/command_target.h"
#include "editor/text_control.h"
#include "editor/undo_journal.h"

class QMouseEvent;
class QKeyEvent;
class CTextControl;
class CVeskHtmlDoc;

// What the caret stands on: a text with its range and kind (-2: none).
struct CaretRecord {
    std::string text;
    int start = 0;
    int end = 0;
    int kind = -2;
};

class CVeskHtmlView : public QWidget, public CCommandTarget, private IUndoTarget {
    Q_OBJECT
  public:
    static const char kLargeTextMessage[];
    static constexpr int kLargeTextLength = 0xFFFF;
    static constexpr int kProgressThreshold = 2000;

    CVeskHtmlView(CAppSettings& settings, CVeskHtmlDoc* document, QWidget* parent = nullptr);
    ~CVeskHtmlView() override;

    CTextControl& Control() { return *control_; }
    CVeskHtmlDoc* Document() const { return document_; }
    const SettingsSnapshot& Snapshot() const { return snapshot_; }
    // The application's settings and run-time state (the colour-copied flag...).
    CAppSettings& AppSettings() const { return settings_; }
    UndoJournal& Journal() { return *journal_; }

    // Replaces the whole text: text style, colouring, caret to the start.
    void SetText(std::string_view utf8);
    // The same, for a text the caller gives up: freed as soon as the control holds it.
    void TakeText(std::string utf8);
    // The full text, CR LF line breaks. From 65,535 bytes on, the first fetch
    // warns once that editing large texts is slow.
    std::string GetAllText();
    bool LargeTextMode() const { return largeTextMode_; }

    // Colouring.
    // Colours control range [start, end) (end -1: to the end) whose text is given.
    void ColourRange(std::string_view text, int start, int end);
    void RecolourAroundCaret();
    void RecolourPasted(int start, int length);
    void FullRecolour();
    bool AnyColouringSwitch() const;
    int ColouredGeneration() const { return colouredGeneration_; }
    // The next typed text takes the text style (after an insertion, say).
    void SetTextStyleAtCaret() { textStyleAtCaret_ = true; }

    // The caret context as after a key release or left click: selection and text
    // into the undo history, comment opener, insideTagFlag, caret records.
    void RefreshCaretContext();
    // The same, followed by a no-change report, as a left click does.
    void RefreshCaretContextAsClick();
    // Only the caret records, after a command moved the caret or changed the text.
    void RefreshCaretRecords();
    int CommentOpener() const { return commentOpener_; }
    int InsideTag() const { return insideTagFlag_; }
    const CaretRecord& TagAtCaret() const { return tagAtCaret_; }
    const CaretRecord& LinkAtCaret() const { return linkAtCaret_; }
    const CaretRecord& ColourAtCaret() const { return colourAtCaret_; }

    // Insertion: the text (tag case applied) after the selection, which is
    // kept; the caret behind it; one undo step of the insertion kind.
    void InsertAtCaret(std::string_view text);
    // The same for a text already in its final case: the caret at caretOffset
    // inside it; the typing format at the caret set back to plain text when asked.
    void InsertBehindSelection(std::string_view text, int caretOffset, bool textStyle = true);
    // The selection wrapped in open and close (tag case applied to each); the
    // caret between them without a selection, else behind close.
    void WrapSelection(std::string_view open, std::string_view close);
    // Replaces [start, end) with text as one undo step; the selection keeps its place
    // in the text around it.
    void ReplaceRange(int start, int end, std::string_view text);
    // Tag case of inserted tag texts by the SizeLower setting (installed by the text tools).
    static std::function<std::string(std::string_view text, int sizeLower)> tagCaseConversion;

    // Edit commands with their colouring and undo steps.
    void OnEditPaste();
    void OnEditCut();
    void OnEditClear();
    void OnEditCopy();
    void OnEditSelectAll();
    void OnEditUndo();
    void OnEditRedo();
    void OnFilePrint();
    void OnFilePrintSetup();

    // Copies the settings again, applies word wrap and styles, and recolours
    // everything when the colouring generation changed.
    void RefreshSettings();
    // The three status texts: current line, line count, byte count.
    QStringList StatusTexts() const;
    // Called when the view becomes the active one.
    void OnActivated();

    // Hooks of the surrounding program (the side pane and the caret records
    // of the tag tools plug in here as they arrive).
    // Receives the text for the link browser, and whether its links must be rebuilt.
    static std::function<void(CVeskHtmlView&, bool)> sidePaneSink;
    // Refreshes the caret records of a view (tag, colour code, link at the caret).
    static std::function<void(CVeskHtmlView&)> caretRecordsRefresher;
    // Whether the settings sheet is open (the view then leaves its settings alone).
    static std::function<bool()> settingsSheetOpen;

    CaretRecord tagAtCaret_;
    CaretRecord linkAtCaret_;
    CaretRecord colourAtCaret_;

  signals:
    // The indicators changed; the main frame shows them while this view is active.
    void StatusChanged();
    // Text for the status bar's message pane.
    void StatusMessage(const QString& text);
    // Colouring progress 0 to 100; -1 removes the progress bar.
    void ColouringProgress(int percent);
    // The right button was released over the text at this global position.
    void ContextMenuRequested(const QPoint& globalPos);
    // The selection moved (not while colouring).
    void SelectionMoved();
    // The caret records (tag, colour code, link at the caret) were refreshed: the commands'
    // states that depend on them are due.
    void CaretContextRefreshed();

  private:
    void ApplyStyles();
    void ReplaceWholeText(std::string_view utf8, std::string& release);
    void RegisterCommands();
    void ConnectControl();
    bool OnKeyPress(QKeyEvent* event);
    bool OnKeyRelease(QKeyEvent* event);
    bool TypeWithEndTag(const QString& typed);
    bool OnMouse(QMouseEvent* event);
    void OnDropAccepting();
    void OnDropDone();
    void StyleTypedText();
    void HidePointer();
    void ShowPointer();
    void TellSidePane(bool rebuild);
    void CheckLargeText();

    // IUndoTarget.
    std::string JournalText() const override;
    void JournalSelection(int& start, int& end) const override;
    void JournalSetSel(int start, int end) override;
    void JournalReplaceSel(const std::string& text) override;
    void JournalRecolourPasted(int start, int length) override;
    void JournalRecolourAroundCaret() override;
    void JournalSetTextStyleAtCaret() override;
    bool JournalColouringOn() const override;
    void JournalFreeze(bool freeze) override;
    std::string JournalTextRange(int start, int end) const override;
    int JournalTextLength() const override;
    void JournalTellSidePane(const std::string& text, bool rebuildLinks) override;
    bool JournalHasTagAtCaret() const override;
    bool JournalSidePaneShown() const override;

    CAppSettings& settings_;
    CVeskHtmlDoc* document_;
    CTextControl* control_;
    SettingsSnapshot snapshot_;
    std::unique_ptr<UndoJournal> journal_;
    int colouredGeneration_ = 0;
    int selStart_ = 0;
    int selEnd_ = 0;

    bool settingText_ = false;
    bool keyInProgress_ = false;
    int keysDown_ = 0;  // key presses that reached this view and whose releases have not
    bool charTyped_ = false;
    bool needsRecolour_ = false;
    int insideTagFlag_ = 0;
    bool colouringInProgress_ = false;
    bool mouseDragging_ = false;
    bool dragStartedOnSelection_ = false;
    bool dropPending_ = false;
    bool largeTextMode_ = false;
    bool pointerHidden_ = false;
    int commentOpener_ = -1;
    bool textStyleAtCaret_ = false;
    std::unique_ptr<CTextControl::FreezePainting> journalFreeze_;
};
