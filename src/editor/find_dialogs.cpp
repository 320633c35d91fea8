#include "editor/find_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/text_search.h"
#include "editor/undo_journal.h"
#include "editor/veskhtml_view.h"
#include "platform/message_seam.h"
#include "platform/settings_store.h"

const char CFindReplace::kCaption[] = "VeskHtml";
const char CFindReplace::kSearchFinished[] = "検索が終了しました。";
const char CFindReplace::kNotFound[] = "検索文字列が見つかりません";

namespace {

const char kFindOption[] = "FindDlgOption";
const char kReplaceOption[] = "RepDlgOption";

// Bits of the stored blocks.
enum { kBitWholeWord = 0, kBitMatchCase = 1, kBitDown = 2 };

QPushButton* MakeButton(const char* text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* MakeCheck(const char* text, const char* name, QWidget* parent) {
    auto* check = new QCheckBox(QString::fromUtf8(text), parent);
    check->setObjectName(name);
    return check;
}

QLineEdit* MakeEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(220);
    return edit;
}

QLabel* MakeLabel(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setBuddy(buddy);
    return label;
}

int Flag(const std::vector<int>& flags, int bit) {
    return bit < static_cast<int>(flags.size()) ? flags[bit] : 0;
}

void FixDialogFrame(QDialog& dialog) {
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint);
    dialog.setModal(false);
    dialog.layout()->setSizeConstraint(QLayout::SetFixedSize);
}

vesk::SearchOptions OptionsOf(const QCheckBox* matchCase, const QCheckBox* wholeWord) {
    vesk::SearchOptions options;
    options.matchCase = matchCase->isChecked();
    options.wholeWord = wholeWord->isChecked();
    return options;
}

bool HasSelection(CVeskHtmlView& view) {
    int start = 0;
    int end = 0;
    view.Control().GetSel(start, end);
    return start != end;
}

// The wait cursor for as long as a long search runs.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

// ---------------------------------------------------------------------------
// The dialogs

CFindDialog::CFindDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("findDialog");
    setWindowTitle(QString::fromUtf8("検索"));

    whatEdit = MakeEdit("findWhat", this);
    matchCaseCheck = MakeCheck("大文字と小文字を区別する(&C)", "matchCase", this);
    wholeWordCheck = MakeCheck("単語単位で検索(&W)", "wholeWord", this);

    auto* direction = new QGroupBox(QString::fromUtf8("検索方向"), this);
    upRadio = new QRadioButton(QString::fromUtf8("上へ(&U)"), direction);
    upRadio->setObjectName("directionUp");
    downRadio = new QRadioButton(QString::fromUtf8("下へ(&D)"), direction);
    downRadio->setObjectName("directionDown");
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(upRadio);
    directionLayout->addWidget(downRadio);
    upRadio->setChecked(true);

    findNextButton = MakeButton("次を検索(&F)", "findNext", this);
    findNextButton->setDefault(true);
    closeButton = MakeButton("終了", "close", this);

    auto* whatRow = new QHBoxLayout;
    whatRow->addWidget(MakeLabel("検索する文字列(&N)", whatEdit, this));
    whatRow->addWidget(whatEdit, 1);

    auto* checks = new QVBoxLayout;
    checks->addWidget(wholeWordCheck);
    checks->addWidget(matchCaseCheck);
    checks->addStretch(1);
    auto* optionRow = new QHBoxLayout;
    optionRow->addLayout(checks);
    optionRow->addWidget(direction, 0, Qt::AlignBottom);

    auto* left = new QVBoxLayout;
    left->addLayout(whatRow);
    left->addLayout(optionRow);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(findNextButton);
    buttons->addWidget(closeButton);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    FixDialogFrame(*this);

    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::vector<int> CFindDialog::Options() const {
    std::vector<int> flags(3, 0);
    flags[kBitWholeWord] = wholeWordCheck->isChecked() ? 1 : 0;
    flags[kBitMatchCase] = matchCaseCheck->isChecked() ? 1 : 0;
    flags[kBitDown] = downRadio->isChecked() ? 1 : 0;
    return flags;
}

void CFindDialog::SetOptions(const std::vector<int>& flags) {
    wholeWordCheck->setChecked(Flag(flags, kBitWholeWord) == 1);
    matchCaseCheck->setChecked(Flag(flags, kBitMatchCase) == 1);
    if (Flag(flags, kBitDown) == 1)
        downRadio->setChecked(true);
    else
        upRadio->setChecked(true);
}

CReplaceDialog::CReplaceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("replaceDialog");
    setWindowTitle(QString::fromUtf8("置換"));

    whatEdit = MakeEdit("findWhat", this);
    replacementEdit = MakeEdit("replaceWith", this);
    matchCaseCheck = MakeCheck("大文字と小文字を区別する(&C)", "matchCase", this);
    wholeWordCheck = MakeCheck("単語単位で検索(&W)", "wholeWord", this);

    findNextButton = MakeButton("次を検索(&F)", "findNext", this);
    findNextButton->setDefault(true);
    replaceButton = MakeButton("置換(&R)", "replace", this);
    replaceSelectionButton = MakeButton("選択範囲を置換(&S)", "replaceSelection", this);
    replaceAllButton = MakeButton("全て置換(&A)", "replaceAll", this);
    closeButton = MakeButton("終了", "close", this);

    auto* fields = new QGridLayout;
    fields->addWidget(MakeLabel("検索する文字列(&N)", whatEdit, this), 0, 0);
    fields->addWidget(whatEdit, 0, 1);
    fields->addWidget(MakeLabel("置換後の文字列(&P)", replacementEdit, this), 1, 0);
    fields->addWidget(replacementEdit, 1, 1);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addSpacing(8);
    left->addWidget(wholeWordCheck);
    left->addWidget(matchCaseCheck);
    left->addStretch(1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(findNextButton);
    buttons->addWidget(replaceButton);
    buttons->addWidget(replaceSelectionButton);
    buttons->addWidget(replaceAllButton);
    buttons->addWidget(closeButton);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    FixDialogFrame(*this);

    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::vector<int> CReplaceDialog::Options() const {
    std::vector<int> flags(2, 0);
    flags[kBitWholeWord] = wholeWordCheck->isChecked() ? 1 : 0;
    flags[kBitMatchCase] = matchCaseCheck->isChecked() ? 1 : 0;
    return flags;
}

void CReplaceDialog::SetOptions(const std::vector<int>& flags) {
    wholeWordCheck->setChecked(Flag(flags, kBitWholeWord) == 1);
    matchCaseCheck->setChecked(Flag(flags, kBitMatchCase) == 1);
}

// ---------------------------------------------------------------------------
// The controller

CFindReplace::CFindReplace(std::function<CVeskHtmlView*()> activeView, QWidget* parent)
    : QObject(parent), activeView_(std::move(activeView)), parent_(parent) {}

CFindReplace::~CFindReplace() {
    // Closing with the application stores the options like any other close.
    destroying_ = true;
    CloseFind();
    CloseReplace();
}

void CFindReplace::OpenFind() {
    CloseReplace();
    if (find_) {
        find_->raise();
        find_->activateWindow();
        find_->whatEdit->setFocus();
        return;
    }
    auto* dialog = new CFindDialog(parent_);
    find_ = dialog;
    dialog->SetOptions(ReadOptionBlock(AppStore(), kFindOption, 3, 0));
    connect(dialog->whatEdit, &QLineEdit::textChanged, this, &CFindReplace::UpdateFindButtons);
    connect(dialog->findNextButton, &QPushButton::clicked, this,
            &CFindReplace::FindNextInFindDialog);
    connect(dialog, &QDialog::finished, this, &CFindReplace::CloseFind);
    UpdateFindButtons();
    CentreOnView(*dialog);
    dialog->show();
    dialog->activateWindow();
    dialog->whatEdit->setFocus();
}

void CFindReplace::OpenReplace() {
    if (replace_) {
        replace_->raise();
        replace_->activateWindow();
        replace_->whatEdit->setFocus();
        return;
    }
    CloseFind();
    auto* dialog = new CReplaceDialog(parent_);
    replace_ = dialog;
    dialog->SetOptions(ReadOptionBlock(AppStore(), kReplaceOption, 2, 0));
    connect(dialog->whatEdit, &QLineEdit::textChanged, this, &CFindReplace::OnReplaceTextChanged);
    connect(dialog->findNextButton, &QPushButton::clicked, this,
            &CFindReplace::FindNextInReplaceDialog);
    connect(dialog->replaceButton, &QPushButton::clicked, this, &CFindReplace::ReplaceSelection);
    connect(dialog->replaceSelectionButton, &QPushButton::clicked, this,
            [this] { ReplaceInRange(false); });
    connect(dialog->replaceAllButton, &QPushButton::clicked, this,
            [this] { ReplaceInRange(true); });
    connect(dialog, &QDialog::finished, this, &CFindReplace::CloseReplace);
    // An empty search text: nothing to find yet. "Replace" works on whatever is
    // selected, so it starts enabled.
    dialog->findNextButton->setEnabled(false);
    dialog->replaceAllButton->setEnabled(false);
    dialog->replaceSelectionButton->setEnabled(false);
    dialog->replaceButton->setEnabled(true);
    ApplyNoViewState();
    CentreOnView(*dialog);
    dialog->show();
    dialog->activateWindow();
    dialog->whatEdit->setFocus();
}

void CFindReplace::CloseFind() {
    if (!find_)
        return;
    CFindDialog* dialog = find_;
    find_ = nullptr;
    WriteOptionBlock(AppStore(), kFindOption, dialog->Options());
    Dispose(dialog);
}

void CFindReplace::CloseReplace() {
    if (!replace_)
        return;
    CReplaceDialog* dialog = replace_;
    replace_ = nullptr;
    WriteOptionBlock(AppStore(), kReplaceOption, dialog->Options());
    Dispose(dialog);
}

void CFindReplace::Dispose(QDialog* dialog) {
    dialog->disconnect(this);
    dialog->hide();
    // Closing may come from one of the dialog's own signals; at the end of the run
    // there may be no event loop left to delete it later.
    if (destroying_)
        delete dialog;
    else
        dialog->deleteLater();
}

void CFindReplace::CentreOnView(QDialog& dialog) {
    dialog.adjustSize();
    QWidget* anchor = activeView_ ? activeView_() : nullptr;
    if (!anchor)
        anchor = parent_;
    QPoint centre;
    if (anchor && anchor->isVisible()) {
        centre = anchor->mapToGlobal(anchor->rect().center());
    } else if (QScreen* screen = QApplication::primaryScreen()) {
        centre = screen->availableGeometry().center();
    } else {
        return;
    }
    dialog.move(centre - QPoint(dialog.width() / 2, dialog.height() / 2));
}

void CFindReplace::UpdateFindButtons() {
    if (!find_)
        return;
    const bool hasView = activeView_ && activeView_();
    find_->findNextButton->setEnabled(hasView && !find_->whatEdit->text().isEmpty());
}

void CFindReplace::OnReplaceTextChanged() {
    if (!replace_)
        return;
    CVeskHtmlView* view = activeView_ ? activeView_() : nullptr;
    if (replace_->whatEdit->text().isEmpty()) {
        replace_->findNextButton->setEnabled(false);
        replace_->replaceAllButton->setEnabled(false);
        replace_->replaceSelectionButton->setEnabled(false);
        return;
    }
    if (!view) {
        ApplyNoViewState();
        return;
    }
    replace_->findNextButton->setEnabled(true);
    replace_->replaceAllButton->setEnabled(true);
    // With an empty selection the button keeps its state.
    if (HasSelection(*view))
        replace_->replaceSelectionButton->setEnabled(true);
}

void CFindReplace::ApplyNoViewState() {
    if (!replace_ || (activeView_ && activeView_()))
        return;
    replace_->findNextButton->setEnabled(false);
    replace_->replaceAllButton->setEnabled(false);
    replace_->replaceSelectionButton->setEnabled(false);
}

void CFindReplace::OnActiveViewChanged() {
    ownSelectionValid_ = false;
    UpdateFindButtons();
    if (!replace_)
        return;
    CVeskHtmlView* view = activeView_ ? activeView_() : nullptr;
    if (!view) {
        ApplyNoViewState();
        return;
    }
    const bool hasText = !replace_->whatEdit->text().isEmpty();
    replace_->findNextButton->setEnabled(hasText);
    replace_->replaceAllButton->setEnabled(hasText);
    replace_->replaceSelectionButton->setEnabled(hasText && HasSelection(*view));
}

void CFindReplace::OnSelectionChanged() {
    if (!replace_ || busy_)
        return;
    CVeskHtmlView* view = activeView_ ? activeView_() : nullptr;
    if (!view)
        return;
    int start = 0;
    int end = 0;
    view->Control().GetSel(start, end);
    // The control may report the dialog's own selection only later, when busy is over.
    if (ownSelectionValid_ && start == ownStart_ && end == ownEnd_)
        return;
    ownSelectionValid_ = false;
    replace_->replaceButton->setEnabled(false);
    replace_->replaceSelectionButton->setEnabled(!replace_->whatEdit->text().isEmpty() &&
                                                 start != end);
}

void CFindReplace::SelectOwn(CVeskHtmlView& view, int start, int end) {
    busy_ = true;
    view.Control().SetSel(start, end);
    view.Control().GetSel(ownStart_, ownEnd_);
    ownSelectionValid_ = true;
    busy_ = false;
}

void CFindReplace::Message(const char* text, QWidget* parent) {
    vesk::ShowMessage(QString::fromUtf8(text), QString::fromUtf8(kCaption),
                      vesk::MsgIcon::Information, vesk::MsgButtons::Ok, parent);
}

void CFindReplace::FindNextInFindDialog() {
    if (!find_)
        return;
    CVeskHtmlView* view = activeView_ ? activeView_() : nullptr;
    const std::string what = find_->whatEdit->text().toStdString();
    if (!view || what.empty())
        return;
    CTextControl& control = view->Control();
    int start = 0;
    int end = 0;
    control.GetSel(start, end);
    const std::string_view text = control.WholeTextView();
    const vesk::SearchOptions options = OptionsOf(find_->matchCaseCheck, find_->wholeWordCheck);
    int match = -1;
    if (find_->downRadio->isChecked()) {
        // To the very end of the text, so that a match in the last bytes is found too.
        match = vesk::FindForward(text, what, end, static_cast<int>(text.size()), options);
    } else {
        WaitCursor wait;
        match = vesk::FindBackward(text, what, start, options);
    }
    if (match < 0) {
        Message(kSearchFinished, find_);
        return;
    }
    SelectOwn(*view, match, match + static_cast<int>(what.size()));
    MoveOffSelection(*find_, *view);
    view->RefreshCaretContextAsClick();
}

void CFindReplace::FindNextInReplaceDialog() {
    if (!replace_)
        return;
    CVeskHtmlView* view = activeView_ ? activeView_() : nullptr;
    const std::string what = replace_->whatEdit->text().toStdString();
    if (!view || what.empty())
        return;
    CTextControl& control = view->Control();
    int start = 0;
    int end = 0;
    control.GetSel(start, end);
    const std::string_view text = control.WholeTextView();
    const int length = static_cast<int>(text.size());
    const vesk::SearchOptions options =
        OptionsOf(replace_->matchCaseCheck, replace_->wholeWordCheck);
    int match = vesk::FindForward(text, what, end, length, options);
    if (match < 0)
        match = vesk::FindForward(text, what, 0, length, options);
    if (match < 0) {
        Message(kNotFound, replace_);
        return;
    }
    replace_->replaceButton->setEnabled(true);
    replace_->replaceSelectionButton->setEnabled(false);
    SelectOwn(*view, match, match + static_cast<int>(what.size()));
    MoveOffSelection(*replace_, *view);
    view->RefreshCaretContextAsClick();
}

void CFindReplace::ReplaceSelection() {
    if (!replace_)
        return;
    CVeskHtmlView* view = activeView_ ? activeView_() : nullptr;
    if (!view)
        return;
    const std::string replacement = replace_->replacementEdit->text().toStdString();
    CTextControl& control = view->Control();
    busy_ = true;
    // The undo history takes the text and selection before the edit from here.
    view->RefreshCaretContextAsClick();
    {
        CTextControl::FreezePainting freeze(control);
        int start = 0;
        int end = 0;
        control.GetSel(start, end);
        control.ReplaceSel(replacement);
        const int newEnd = start + static_cast<int>(replacement.size());
        view->RecolourPasted(start, static_cast<int>(replacement.size()));
        control.SetSel(newEnd, newEnd);
        view->Journal().AddStep(0, kUndoPaste, false);
        control.GetSel(ownStart_, ownEnd_);
        ownSelectionValid_ = true;
    }
    busy_ = false;
    replace_->replaceButton->setEnabled(false);
}

void CFindReplace::ReplaceInRange(bool wholeText) {
    if (!replace_)
        return;
    CVeskHtmlView* view = activeView_ ? activeView_() : nullptr;
    const std::string what = replace_->whatEdit->text().toStdString();
    if (!view || what.empty())
        return;
    const std::string replacement = replace_->replacementEdit->text().toStdString();
    const vesk::SearchOptions options =
        OptionsOf(replace_->matchCaseCheck, replace_->wholeWordCheck);
    CTextControl& control = view->Control();
    busy_ = true;
    if (wholeText) {
        SelectOwn(*view, 0, control.TextLength());
        busy_ = true;
        view->RefreshCaretContextAsClick();
    }
    int from = 0;
    int to = 0;
    control.GetSel(from, to);
    vesk::ReplaceResult result =
        vesk::ReplaceInRange(control.WholeTextView(), what, replacement, from, to, options);
    if (result.count == 0) {
        busy_ = false;
        return;
    }
    if (!wholeText)
        view->RefreshCaretContextAsClick();
    {
        CTextControl::FreezePainting freeze(control);
        const int newLength = result.newEnd - from;
        control.SetSel(from, to);
        control.ReplaceSel(
            std::string_view(result.text)
                .substr(static_cast<std::size_t>(from), static_cast<std::size_t>(newLength)));
        view->RecolourPasted(from, newLength);
        control.SetSel(result.newEnd, result.newEnd);
        view->Journal().AddStep(0, kUndoPaste, false);
        control.GetSel(ownStart_, ownEnd_);
        ownSelectionValid_ = true;
    }
    busy_ = false;
}

void CFindReplace::MoveOffSelection(QDialog& dialog, CVeskHtmlView& view) {
    if (!dialog.isVisible())
        return;
    CTextControl& control = view.Control();
    int start = 0;
    int end = 0;
    control.GetSel(start, end);
    auto pointOf = [&control](int pos) {
        const auto x = control.SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL,
                                             static_cast<long>(pos));
        const auto y = control.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL,
                                             static_cast<long>(pos));
        return QPoint(static_cast<int>(x), static_cast<int>(y));
    };
    const QPoint a = pointOf(start);
    const QPoint b = pointOf(end);
    const long line = control.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION,
                                            static_cast<unsigned long>(end));
    const int lineHeight = static_cast<int>(
        control.SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, static_cast<unsigned long>(line)));
    QWidget* viewport = control.viewport();
    QRect local;
    if (a.y() == b.y()) {
        local = QRect(QPoint(std::min(a.x(), b.x()), a.y()),
                      QPoint(std::max(a.x(), b.x()) + 1, a.y() + lineHeight));
    } else {
        // Over several lines the selection may reach across the whole width.
        local = QRect(QPoint(0, std::min(a.y(), b.y())),
                      QPoint(viewport->width(), std::max(a.y(), b.y()) + lineHeight));
    }
    local = local.intersected(viewport->rect());
    if (local.isEmpty())
        return;  // scrolled out of sight: nothing to uncover
    const QRect selection(viewport->mapToGlobal(local.topLeft()), local.size());
    const QRect frame = dialog.frameGeometry();
    if (!frame.intersects(selection))
        return;
    constexpr int kGap = 8;
    const QRect screen = dialog.screen() ? dialog.screen()->availableGeometry() : QRect();
    const int above = selection.top() - kGap - frame.height();
    const int below = selection.bottom() + 1 + kGap;
    int y = above;
    if (!screen.isEmpty() && above < screen.top()) {
        if (below + frame.height() <= screen.bottom() + 1)
            y = below;
        else
            y = screen.top();
    }
    dialog.move(frame.x(), y);
}
