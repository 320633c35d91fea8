#pragma once
// What every tag dialog is made of: its checks and messages, the colour and
// file-reference fields, the confirmation by the "挿入" button, and the two
// writer patterns that turn a confirmed dialog into tag text in the document
// (insert at the caret, or rewrite the tag chosen for Edit tag).

#include <QDialog>
#include <QString>
#include <QValidator>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"
#include "tagedit/tag_scanner.h"
#include "tags/colour_fields.h"
#include "tags/recent_values.h"
#include "tags/tag_attributes.h"

class CVeskHtmlView;
class QComboBox;
class QFrame;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace vesk {

// The texts shared by the tag dialogs.
namespace tag_texts {
inline constexpr char kCaption[] = "VeskHtml";
inline constexpr char kColourDataMessage[] =
    "色データが正しくありません。\r\nカラーコードまたは、16色の色名を正しく入力してください。";
inline constexpr char kNumericDataMessage[] =
    "数値データが正しくありません。\r\n正しい数値データを入力し直してください。";
inline constexpr char kInvalidFileMessage[] =
    "無効なファイルが選択されました。\r\nもう一度ファイルを選択してください。";
inline constexpr char kInsert[] = "挿入";
inline constexpr char kCancel[] = "ｷｬﾝｾﾙ";
inline constexpr char kColourButton[] = "色 ...";
inline constexpr char kFileButton[] = "ﾌｧｲﾙ...";
inline constexpr char kLinkFileTitle[] = "ファイルの選択";
inline constexpr char kImageFileTitle[] = "画像ファイルの選択";
}  // namespace tag_texts

// A UTF-8 text of a tag field as the text of a control.
QString ToQString(std::string_view text);

// Field checks.

// True when every character is 0 to 9; an empty text is true.
bool IsDigitsOnly(std::string_view text);
// An empty text or a colour text passes; anything else shows the colour-data
// message and fails.
bool CheckColourText(std::string_view text, QWidget* parent = nullptr);
// Digits only (empty allowed), else the numeric-data message. "50%" fails:
// percent is a check box of its own.
bool CheckNumberText(std::string_view text, QWidget* parent = nullptr);
// Makes an edit field refuse anything but digits as they are typed.
void AcceptDigitsOnly(QLineEdit& edit);

// A row of a dialog's field grid: the label (its "&" letter jumps to the
// field, or to buddy when the field is a compound one), the field, and an
// optional note behind it.
void AddFieldRow(QGridLayout& grid, const QString& label, QWidget* field,
                 const QString& note = QString(), QWidget* buddy = nullptr);

// Writers.

enum WriterMode : int {
    kWriterEdit = 0,    // rewrite the tag Edit tag selected
    kWriterInsert = 1,  // insert at the caret
};

enum class WriterPattern {
    kWrapping,   // the start tag and the closing text around the selection
    kInserting,  // the start tag behind the selection
};

// Mode 1, wrapping: opening + ">" + around, the selected text, around + closing,
// tag case applied; the caret right before around + closing when nothing was
// selected, else behind the closing text. One undo step.
void InsertWrappingTag(CVeskHtmlView& view, const TagTexts& texts);
// Mode 1, inserting: the selected text stays, opening + ">" follows it (tag
// case applied); the caret behind it. One undo step.
void InsertTag(CVeskHtmlView& view, std::string_view opening);

// Mode 0. Edit tag has taken the known attributes out of the scanner's text,
// leaving the attributes no dialog knows and the closing ">" (the leftover),
// and has had the undo history remember the text before the edit.
struct TagRewrite {
    std::string opening;         // "<TAG" and the generated attributes
    bool appendLeftover = true;  // false: opening is the whole tag (META)
    // Elements whose content the dialog edits: the new content (written as it
    // is) and the closing tag.
    std::string content;
    std::string closing;
    // The range replaced, [first, last); -1: the tag itself (scanner start
    // through end + 1).
    int first = -1;
    int last = -1;
};
// Replaces the range with opening + leftover (tag case applied), content and
// closing; recolours it; the caret, with nothing selected, right behind the
// new text; one undo step of the tag-rewrite kind.
void RewriteTag(CVeskHtmlView& view, const CTagScanner& scanner, const TagRewrite& rewrite);

// A writer's last part in either mode: mode 1 by pattern, mode 0 rewriting the
// start tag from texts.opening and the leftover.
void WriteTag(CVeskHtmlView& view, int mode, const CTagScanner& scanner, WriterPattern pattern,
              const TagTexts& texts);

// A whole writer: shows the dialog; once it is confirmed, writes what build
// makes of its fields. False (and the document unchanged) when it was cancelled.
bool RunWriter(CVeskHtmlView& view, QDialog& dialog, int mode, const CTagScanner& scanner,
               WriterPattern pattern, const std::function<TagTexts()>& build);

// RunWriter for a dialog exchanging a data record: once the dialog is
// confirmed, data takes its fields (dialog.Data()) and build(data) is written.
template <typename Dialog, typename Data, typename Build>
bool RunDataWriter(CVeskHtmlView& view, Dialog& dialog, Data& data, int mode,
                   const CTagScanner& scanner, WriterPattern pattern, Build build) {
    return RunWriter(view, dialog, mode, scanner, pattern, [&] {
        data = dialog.Data();
        return build(data);
    });
}

// A menu command that runs a writer on a new dialog. The history is told
// afterwards whether or not anything was written (the writer's own edit is
// already one step; a cancelled dialog adds none).
void AddDialogCommand(CVeskHtmlView& view, int id, std::function<void(CVeskHtmlView&)> write);

// File-reference fields.

// What a file-reference field asks of the file-selection dialog with preview.
struct ReferenceFileRequest {
    enum class Kind { kLink, kImage };  // which FileDlgSettings keys it uses
    Kind kind = Kind::kLink;
    QString title;                    // tag_texts::kLinkFileTitle or kImageFileTitle
    QString filter;                   // "Name|pattern;pattern|...||"
    QString basePath;                 // the document's full path; empty when untitled
    bool requireExistingFile = true;  // the FRAME SRC field takes any name
    bool rememberFilter = true;       // the FRAME SRC field starts at the first filter
};
struct ReferenceFileChoice {
    std::string reference;  // the text the field receives: relative folder and file name
    QString fullPath;       // the chosen file
};
using ReferenceFileChooser =
    std::function<std::optional<ReferenceFileChoice>(QWidget* parent, const ReferenceFileRequest&)>;
// The file-selection dialog installs itself here; until then a browse button does nothing.
void SetReferenceFileChooser(ReferenceFileChooser chooser);
std::optional<ReferenceFileChoice> ChooseReferenceFile(QWidget* parent,
                                                       const ReferenceFileRequest& request);

// An edit field with a browse button ("ﾌｧｲﾙ...", "参照...").
class CFileReferenceField : public QWidget {
    Q_OBJECT
  public:
    CFileReferenceField(ReferenceFileRequest request, const QString& buttonText,
                        QWidget* parent = nullptr);

    std::string Text() const;
    void SetText(std::string_view text);
    QLineEdit* Edit() const { return edit_; }
    QPushButton* Button() const { return button_; }
    ReferenceFileRequest& Request() { return request_; }

    // What the browse button does: the chooser, and on success the field's new text.
    bool Browse();

  signals:
    void Chosen(const vesk::ReferenceFileChoice& choice);

  private:
    ReferenceFileRequest request_;
    QLineEdit* edit_;
    QPushButton* button_;
};

// Colour fields.

struct ColourFieldOptions {
    QString buttonText = tag_texts::kColourButton;  // "色 ..." or "色..."
    int maxLength = 7;                              // characters; 0: no limit
    bool sampleBox = false;                         // a box painted in the current colour
    RgbColour defaultColour = kBlack;               // for an empty or invalid text
};

// The number of characters a field takes by typing; a text set by the
// program may be longer and then stays whole.
class TypingLimit : public QValidator {
  public:
    TypingLimit(int limit, QObject* parent);
    void AllowAtLeast(int length);
    State validate(QString& input, int& pos) const override;

  private:
    int base_;
    int limit_;
};

// An editable combo box with the recent values, an empty entry and the 16
// names; the chooser button; optionally a sample box. It keeps the current
// colour: the colour of its text, or the default colour.
class CColourField : public QWidget {
    Q_OBJECT
  public:
    CColourField(CustomColours& custom, std::string recentKey, const ColourFieldOptions& options,
                 ISettingsStore& store = AppStore(), QWidget* parent = nullptr);

    std::string Text() const;
    void SetText(std::string_view text);
    RgbColour CurrentColour() const { return current_; }
    // Sets the current colour without touching the text (a page colour handed in...).
    void SetCurrentColour(RgbColour colour);
    // The colour of an empty text, and of an invalid one unless that has its own.
    void SetDefaultColour(RgbColour colour) { default_ = colour; }
    void SetInvalidColour(RgbColour colour) { invalid_ = colour; }

    // The colour chooser preset to the current colour; on OK the chosen colour
    // becomes current and the text its code. False on Cancel.
    bool ChooseColour();
    // Empty or a valid colour text; else the colour-data message.
    bool Check();
    // The recent values of this field (updated at confirmation).
    RecentValueList& Recent() { return recent_; }

    QComboBox* Combo() const { return combo_; }
    QPushButton* Button() const { return button_; }
    QFrame* SampleBox() const { return sample_; }

  signals:
    // Typing, choosing an entry or the chooser changed the current colour.
    void ColourChanged(vesk::RgbColour colour);

  private:
    void OnTextChanged();
    void PaintSample();

    CustomColours& custom_;
    RecentValueList recent_;
    RgbColour default_;
    std::optional<RgbColour> invalid_;
    RgbColour current_;
    QComboBox* combo_;
    QPushButton* button_;
    QFrame* sample_ = nullptr;
    TypingLimit* limit_ = nullptr;
};

// Tag dialogs.

// The base of the tag dialogs: the "挿入" and "ｷｬﾝｾﾙ" buttons, the custom
// colours loaded when it is created, its colour fields, and the confirmation.
class CTagDialog : public QDialog {
    Q_OBJECT
  public:
    enum class ConfirmRule {
        // Enter anywhere confirms, after the checks.
        kEnter,
        // Only the "挿入" button itself confirms (a click, or Enter while it has
        // the focus); Enter in a field does nothing at all.
        kInsertButton,
        // Enter in a field runs the checks, which may report an error, but only
        // the "挿入" button itself confirms.
        kCheckThenInsertButton,
    };

    CTagDialog(const QString& caption, ConfirmRule rule, QWidget* parent = nullptr,
               const QString& insertText = tag_texts::kInsert, ISettingsStore& store = AppStore());

    QPushButton* InsertButton() const { return insert_; }
    QPushButton* CancelButton() const { return cancel_; }
    CustomColours& Custom() { return custom_; }
    ISettingsStore& Store() { return store_; }
    // The dialog's fields go here, above the buttons.
    QVBoxLayout* ContentLayout() const { return content_; }

    // A colour field sharing the dialog's custom colours; checked and
    // remembered at confirmation by the default CheckFields and SaveFields.
    CColourField* AddColourField(std::string recentKey, const ColourFieldOptions& options = {});
    const std::vector<CColourField*>& ColourFields() const { return colourFields_; }

    // Tab moves through the fields in the order given (the order they are
    // shown in), then the two buttons; the dialog opens on the first field.
    void OrderFields(std::initializer_list<QWidget*> fields);

    // What the insert button does (the default button: Enter in a field comes here too).
    void OnInsert();

  protected:
    // The checks before closing; each failing check shows its message. By
    // default every colour field must be empty or valid.
    virtual bool CheckFields();
    // What confirmation stores: by default the non-empty colour field values
    // into their recent lists, and the custom colours.
    virtual void SaveFields();

  private:
    bool InsertHasFocus() const;

    ConfirmRule rule_;
    ISettingsStore& store_;
    CustomColours custom_;
    std::vector<CColourField*> colourFields_;
    QVBoxLayout* content_;
    QPushButton* insert_;
    QPushButton* cancel_;
};

}  // namespace vesk
