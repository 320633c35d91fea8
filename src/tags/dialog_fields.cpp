#include "tags/dialog_fields.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/text_control.h"
#include "editor/undo_journal.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "platform/message_seam.h"
#include "tools/conversions.h"

namespace vesk {

namespace {

// Characters a field shows without scrolling.
constexpr int kReferenceRoom = 22;
constexpr int kColourRoom = 9;

void ShowFieldMessage(const char* text, QWidget* parent) {
    ShowMessage(QString::fromUtf8(text), QString::fromUtf8(tag_texts::kCaption),
                MsgIcon::Exclamation, MsgButtons::Ok, parent);
}

int Length(std::string_view text) {
    return static_cast<int>(text.size());
}

ReferenceFileChooser& ChooserSlot() {
    static ReferenceFileChooser chooser;
    return chooser;
}

}  // namespace

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Field checks.

bool IsDigitsOnly(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool CheckColourText(std::string_view text, QWidget* parent) {
    if (text.empty() || IsValidColourText(text))
        return true;
    ShowFieldMessage(tag_texts::kColourDataMessage, parent);
    return false;
}

bool CheckNumberText(std::string_view text, QWidget* parent) {
    if (IsDigitsOnly(text))
        return true;
    ShowFieldMessage(tag_texts::kNumericDataMessage, parent);
    return false;
}

void AcceptDigitsOnly(QLineEdit& edit) {
    edit.setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), &edit));
}

void AddFieldRow(QGridLayout& grid, const QString& label, QWidget* field, const QString& note,
                 QWidget* buddy) {
    const int row = grid.rowCount();
    auto* caption = new QLabel(label, field->parentWidget());
    caption->setBuddy(buddy ? buddy : field);
    grid.addWidget(caption, row, 0);
    grid.addWidget(field, row, 1);
    if (!note.isEmpty())
        grid.addWidget(new QLabel(note, field->parentWidget()), row, 2);
}

// Writers.

void InsertWrappingTag(CVeskHtmlView& view, const TagTexts& texts) {
    view.WrapSelection(texts.opening + ">" + texts.around, texts.around + texts.closing);
}

void InsertTag(CVeskHtmlView& view, std::string_view opening) {
    view.InsertAtCaret(std::string(opening) + ">");
}

void RewriteTag(CVeskHtmlView& view, const CTagScanner& scanner, const TagRewrite& rewrite) {
    CTextControl& control = view.Control();
    CTextControl::FreezePainting freeze(control);
    const int sizeLower = view.Snapshot().sizeLower;

    std::string text = rewrite.opening;
    if (rewrite.appendLeftover)
        text += scanner.text;
    text = ApplyTagCaseSetting(text, sizeLower);
    text += rewrite.content;
    text += ApplyTagCaseSetting(rewrite.closing, sizeLower);

    // The range comes from the text as it was scanned; it is kept inside the
    // text as it is now.
    const int length = control.TextLength();
    int first = rewrite.first;
    int last = rewrite.last;
    if (first < 0) {
        first = scanner.start;
        last = scanner.end + 1;
    }
    first = std::clamp(first, 0, length);
    last = std::clamp(last, first, length);

    control.SetSel(first, last);
    control.ReplaceSel(text);
    const int end = first + Length(text);
    view.ColourRange(control.WholeTextView().substr(first, Length(text)), first, end);
    control.SetSel(end, end);
    view.SetTextStyleAtCaret();
    view.Journal().AddStep(0, kUndoTagRewrite, false);
    emit view.StatusChanged();
}

void WriteTag(CVeskHtmlView& view, int mode, const CTagScanner& scanner, WriterPattern pattern,
              const TagTexts& texts) {
    if (mode == kWriterEdit) {
        TagRewrite rewrite;
        rewrite.opening = texts.opening;
        RewriteTag(view, scanner, rewrite);
    } else if (pattern == WriterPattern::kWrapping) {
        InsertWrappingTag(view, texts);
    } else {
        InsertTag(view, texts.opening);
    }
}

bool RunWriter(CVeskHtmlView& view, QDialog& dialog, int mode, const CTagScanner& scanner,
               WriterPattern pattern, const std::function<TagTexts()>& build) {
    if (RunDialog(dialog) != QDialog::Accepted)
        return false;
    WriteTag(view, mode, scanner, pattern, build());
    return true;
}

void AddDialogCommand(CVeskHtmlView& view, int id, std::function<void(CVeskHtmlView&)> write) {
    view.AddCommand(id, [&view, write = std::move(write)] {
        write(view);
        view.Journal().AddStep(0, kUndoNoChange, false);
    });
}

// File-reference fields.

void SetReferenceFileChooser(ReferenceFileChooser chooser) {
    ChooserSlot() = std::move(chooser);
}

std::optional<ReferenceFileChoice> ChooseReferenceFile(QWidget* parent,
                                                       const ReferenceFileRequest& request) {
    if (!ChooserSlot())
        return std::nullopt;
    return ChooserSlot()(parent, request);
}

CFileReferenceField::CFileReferenceField(ReferenceFileRequest request, const QString& buttonText,
                                         QWidget* parent)
    : QWidget(parent),
      request_(std::move(request)),
      edit_(new QLineEdit(this)),
      button_(new QPushButton(buttonText, this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_, 1);
    layout->addWidget(button_);
    // Room for a reference such as "./img/background.gif" wherever the field stands.
    edit_->setMinimumWidth(edit_->fontMetrics().horizontalAdvance(QString(kReferenceRoom, 'x')));
    connect(button_, &QPushButton::clicked, this, [this] { Browse(); });
}

std::string CFileReferenceField::Text() const {
    return edit_->text().toStdString();
}

void CFileReferenceField::SetText(std::string_view text) {
    edit_->setText(ToQString(text));
}

bool CFileReferenceField::Browse() {
    const std::optional<ReferenceFileChoice> choice = ChooseReferenceFile(window(), request_);
    if (!choice)
        return false;
    SetText(choice->reference);
    emit Chosen(*choice);
    return true;
}

// Colour fields.

TypingLimit::TypingLimit(int limit, QObject* parent)
    : QValidator(parent), base_(limit), limit_(limit) {}

void TypingLimit::AllowAtLeast(int length) {
    limit_ = std::max(base_, length);
}

QValidator::State TypingLimit::validate(QString& input, int&) const {
    return input.size() <= limit_ ? Acceptable : Invalid;
}

CColourField::CColourField(CustomColours& custom, std::string recentKey,
                           const ColourFieldOptions& options, ISettingsStore& store,
                           QWidget* parent)
    : QWidget(parent),
      custom_(custom),
      recent_(std::move(recentKey), store),
      default_(options.defaultColour),
      current_(options.defaultColour),
      combo_(new QComboBox(this)),
      button_(new QPushButton(options.buttonText, this)) {
    combo_->setEditable(true);
    // The list is fixed; Enter must not add what was typed to it.
    combo_->setInsertPolicy(QComboBox::NoInsert);
    // No completion either: it would turn a typed "Red" into the name "red".
    combo_->setCompleter(nullptr);
    if (options.maxLength > 0) {
        limit_ = new TypingLimit(options.maxLength, this);
        combo_->setValidator(limit_);
    }
    // Room for a code or the longest name, whatever the field's column leaves.
    combo_->setMinimumContentsLength(kColourRoom);
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo_->addItem(QString());
    for (const NamedColour& named : ColourNames()) combo_->addItem(ToQString(named.name));
    recent_.Fill(*combo_);
    combo_->setCurrentIndex(-1);
    combo_->setEditText(QString());

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(combo_, 1);
    if (options.sampleBox) {
        sample_ = new QFrame(this);
        sample_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        sample_->setFixedSize(24, 20);
        sample_->setAutoFillBackground(true);
        layout->addWidget(sample_);
        PaintSample();
    }
    layout->addWidget(button_);

    // Typing and choosing a list entry both change the edit text.
    connect(combo_, &QComboBox::editTextChanged, this, [this] { OnTextChanged(); });
    connect(button_, &QPushButton::clicked, this, [this] { ChooseColour(); });
}

std::string CColourField::Text() const {
    return combo_->currentText().toStdString();
}

void CColourField::SetText(std::string_view text) {
    const QString value = ToQString(text);
    // The limit is on typing: a longer text handed in (a tag being edited)
    // stays whole instead of being cut.
    if (limit_)
        limit_->AllowAtLeast(static_cast<int>(value.size()));
    combo_->setEditText(value);
}

void CColourField::SetCurrentColour(RgbColour colour) {
    current_ = colour;
    PaintSample();
}

void CColourField::OnTextChanged() {
    const std::string text = Text();
    if (auto colour = ParseColourText(text)) {
        current_ = *colour;
    } else {
        current_ = text.empty() ? default_ : invalid_.value_or(default_);
    }
    PaintSample();
    emit ColourChanged(current_);
}

bool CColourField::ChooseColour() {
    const std::optional<RgbColour> chosen = vesk::ChooseColour(window(), current_, custom_);
    if (!chosen)
        return false;
    SetText(FormatColorCode(*chosen));
    // The code stands for the chosen colour, so the text change has already
    // made it current; set it anyway should the text not have changed.
    if (current_ != *chosen) {
        current_ = *chosen;
        PaintSample();
        emit ColourChanged(current_);
    }
    return true;
}

bool CColourField::Check() {
    return CheckColourText(Text(), window());
}

void CColourField::PaintSample() {
    if (!sample_)
        return;
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::Window, QColor(current_.red, current_.green, current_.blue));
    sample_->setPalette(palette);
}

// Tag dialogs.

CTagDialog::CTagDialog(const QString& caption, ConfirmRule rule, QWidget* parent,
                       const QString& insertText, ISettingsStore& store)
    : QDialog(parent),
      rule_(rule),
      store_(store),
      custom_(CustomColours::Load(store)),
      content_(new QVBoxLayout),
      insert_(new QPushButton(insertText, this)),
      cancel_(new QPushButton(QString::fromUtf8(tag_texts::kCancel), this)) {
    setWindowTitle(caption);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(insert_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content_, 1);
    layout->addLayout(buttons);

    insert_->setDefault(true);
    connect(insert_, &QPushButton::clicked, this, [this] { OnInsert(); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

CColourField* CTagDialog::AddColourField(std::string recentKey, const ColourFieldOptions& options) {
    auto* field = new CColourField(custom_, std::move(recentKey), options, store_, this);
    colourFields_.push_back(field);
    return field;
}

namespace {
// The widgets Tab stops at inside field, in the order they were made: the
// field itself when it takes focus, else its parts (a combo box counts once).
void AppendTabStops(QWidget* field, std::vector<QWidget*>& stops) {
    if (field->focusPolicy() & Qt::TabFocus) {
        stops.push_back(field);
        return;
    }
    for (QObject* child : field->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow())
            AppendTabStops(widget, stops);
    }
}

// The checked button among a radio button's group mates, else the button.
QWidget* CheckedRadioOf(QWidget* stop) {
    auto* radio = qobject_cast<QRadioButton*>(stop);
    if (!radio || radio->isChecked() || !radio->autoExclusive() || !radio->parentWidget())
        return stop;
    for (QRadioButton* mate : radio->parentWidget()->findChildren<QRadioButton*>(
             QString(), Qt::FindDirectChildrenOnly)) {
        if (mate->isChecked() && mate->autoExclusive() && !mate->isHidden() && mate->isEnabled())
            return mate;
    }
    return stop;
}
}  // namespace

void CTagDialog::OrderFields(std::initializer_list<QWidget*> fields) {
    std::vector<QWidget*> stops;
    for (QWidget* field : fields) AppendTabStops(field, stops);
    stops.push_back(insert_);
    stops.push_back(cancel_);
    for (size_t i = 1; i < stops.size(); ++i) setTabOrder(stops[i - 1], stops[i]);
    // The first stop that can take the focus now (a hidden set's field cannot);
    // in a group of radio buttons, the one that is checked.
    for (QWidget* stop : stops) {
        if (!stop->isHidden() && stop->isEnabled()) {
            CheckedRadioOf(stop)->setFocus();
            break;
        }
    }
}

bool CTagDialog::InsertHasFocus() const {
    // The dialog's own focus widget: it follows clicks and Tab also while the
    // window is not the active one.
    return focusWidget() == insert_;
}

void CTagDialog::OnInsert() {
    const bool byButton = InsertHasFocus();
    if (rule_ == ConfirmRule::kInsertButton && !byButton)
        return;
    if (!CheckFields())
        return;
    if (rule_ == ConfirmRule::kCheckThenInsertButton && !byButton)
        return;
    SaveFields();
    accept();
}

bool CTagDialog::CheckFields() {
    return std::all_of(colourFields_.begin(), colourFields_.end(),
                       [](CColourField* field) { return field->Check(); });
}

void CTagDialog::SaveFields() {
    for (CColourField* field : colourFields_) field->Recent().Remember(field->Text());
    custom_.Store(store_);
}

}  // namespace vesk
