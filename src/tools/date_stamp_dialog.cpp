// The date stamp dialogs and command.

#include "tools/date_stamp_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/undo_journal.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "platform/message_seam.h"
#include "platform/program_folders.h"
#include "platform/settings_store.h"

namespace {

const char kEditorSection[] = "EditorSettings";
const char kOptionName[] = "DayStampOption";
const char kCurselName[] = "DayStampCursel";
constexpr int kDefaultOption = 15;
constexpr int kOptionCount = 5;  // four parts, then the language

// Item data of the favourites box.
constexpr int kIndexRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;
constexpr int kKindCode = 0;
constexpr int kKindFormat = 1;
constexpr int kCodeRole = Qt::UserRole;

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

constexpr Qt::WindowFlags kDialogFlags =
    Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;

// Caption suffixes of the numeric month and day buttons; the value is the caption up to the blank.
const char* TokenSuffix(int token) {
    switch (token) {
        case 3:
            return " (1月→1)";
        case 4:
            return " (1月→01)";
        case 7:
            return " (1日→1)";
        case 8:
            return " (1日→01)";
        default:
            return "";
    }
}

const char kCurrentSlotStyle[] =
    "QPushButton { background-color: rgb(255, 255, 0); border: 1px solid rgb(128, 128, 128);"
    " padding: 3px 6px; }";
const char kOtherSlotStyle[] =
    "QPushButton { background-color: rgb(221, 221, 221); border: 1px solid rgb(160, 160, 160);"
    " padding: 3px 6px; }";

}  // namespace

// The format builder.

CDateFormatDialog::CDateFormatDialog(const vesk::DateParts& today, QWidget* parent)
    : QDialog(parent) {
    setObjectName("dateFormatDialog");
    setWindowTitle(QString::fromUtf8("日付フォーマットの作成"));
    setWindowFlags(kDialogFlags);

    // Token buttons in the groups 年 (y1-y3), 月 (m1-m4), 日 (d1, d2), 曜日 (w1, w2).
    struct Group {
        const char* title;
        int first;
        int count;
    };
    static constexpr std::array<Group, 4> kGroups = {
        {{"年", 0, 3}, {"月", 3, 4}, {"日", 7, 2}, {"曜日", 9, 2}}};
    auto* tokenRow = new QHBoxLayout;
    for (const Group& group : kGroups) {
        auto* box = new QGroupBox(QString::fromUtf8(group.title), this);
        auto* column = new QVBoxLayout(box);
        for (int token = group.first; token < group.first + group.count; ++token) {
            const QString caption = Utf8(vesk::DateToken(vesk::kDateTokens[token], today)) +
                                    QString::fromUtf8(TokenSuffix(token));
            auto* button = new QPushButton(caption, box);
            button->setObjectName(QStringLiteral("token_") + vesk::kDateTokens[token]);
            button->setAutoDefault(false);
            button->setEnabled(false);
            column->addWidget(button);
            tokenButtons[token] = button;
            connect(button, &QPushButton::clicked, this, [this, token] { PutToken(token); });
        }
        column->addStretch(1);
        tokenRow->addWidget(box);
    }

    // literal0 [slot 1] literal1 ... [slot 4] literal4
    auto* slotRow = new QHBoxLayout;
    slotRow->setSpacing(4);
    const auto* noQuotes = new QRegularExpressionValidator(QRegularExpression("[^\"]*"), this);
    for (int i = 0; i < 5; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("literal%1").arg(i));
        // A quote would shift the token positions when the format is read back.
        edit->setValidator(noQuotes);
        edit->setFixedWidth(80);
        literalEdits[i] = edit;
        slotRow->addWidget(edit);
        connect(edit, &QLineEdit::textChanged, this, &CDateFormatDialog::Refresh);
        if (i == 4)
            break;
        auto* slot = new QPushButton(this);
        slot->setObjectName(QStringLiteral("slot%1").arg(i + 1));
        slot->setAutoDefault(false);
        slot->setFixedWidth(88);
        slotButtons[i] = slot;
        slotRow->addWidget(slot);
        connect(slot, &QPushButton::clicked, this, [this, i] { SelectSlot(i); });
    }
    // Japanese and Latin captions differ in height; the buttons should not.
    int tokenHeight = 0;
    for (QPushButton* button : tokenButtons)
        tokenHeight = std::max(tokenHeight, button->sizeHint().height());
    for (QPushButton* button : tokenButtons) button->setFixedHeight(tokenHeight);

    clearButton = new QPushButton(QString::fromUtf8("クリア(&C)"), this);
    clearButton->setObjectName("clearButton");
    clearButton->setAutoDefault(false);
    clearButton->setEnabled(false);
    connect(clearButton, &QPushButton::clicked, this, &CDateFormatDialog::ClearSlot);
    slotRow->addSpacing(8);
    slotRow->addWidget(clearButton);

    preview = new QLabel(this);
    preview->setObjectName("preview");
    preview->setTextFormat(Qt::PlainText);
    preview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    preview->setMinimumHeight(preview->fontMetrics().lineSpacing() + 12);
    preview->setContentsMargins(6, 2, 6, 2);
    preview->setTextInteractionFlags(Qt::TextSelectableByMouse);

    okButton = new QPushButton(QString::fromUtf8("お気に入りに追加"), this);
    okButton->setObjectName("okButton");
    okButton->setDefault(true);
    cancelButton = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
    cancelButton->setObjectName("cancelButton");
    cancelButton->setAutoDefault(false);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tokenRow);
    layout->addSpacing(6);
    layout->addLayout(slotRow);
    layout->addWidget(preview);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Refresh();
    literalEdits[0]->setFocus();
}

void CDateFormatDialog::SelectSlot(int slot) {
    if (slot < 0 || slot >= 4)
        return;
    current_ = slot;
    for (QPushButton* button : tokenButtons) button->setEnabled(true);
    clearButton->setEnabled(true);
    Refresh();
}

void CDateFormatDialog::PutToken(int token) {
    if (current_ < 0 || token < 0 || token >= static_cast<int>(tokenButtons.size()))
        return;
    const QString caption = tokenButtons[token]->text();
    values_[current_] = caption.left(caption.indexOf(' '));
    tokens_[current_] = vesk::kDateTokens[token];
    Refresh();
}

void CDateFormatDialog::ClearSlot() {
    if (current_ < 0)
        return;
    values_[current_].clear();
    tokens_[current_].clear();
    Refresh();
}

QString CDateFormatDialog::PreviewText() const {
    QString text = literalEdits[0]->text();
    for (int i = 0; i < 4; ++i) text += values_[i] + literalEdits[i + 1]->text();
    return text;
}

std::string CDateFormatDialog::Format() const {
    std::array<std::string, 5> literals;
    for (int i = 0; i < 5; ++i) literals[i] = literalEdits[i]->text().toStdString();
    return vesk::ComposeUserFormat(literals, tokens_);
}

void CDateFormatDialog::Refresh() {
    for (int i = 0; i < 4; ++i) {
        slotButtons[i]->setText(values_[i]);
        slotButtons[i]->setStyleSheet(i == current_ ? kCurrentSlotStyle : kOtherSlotStyle);
    }
    const QString text = PreviewText();
    preview->setText(text);
    // A format that renders as nothing is no favourite.
    okButton->setEnabled(!text.isEmpty());
}

// The insert dialog.

std::function<vesk::DateParts()> CDateStampDialog::clock;

vesk::DateParts CDateStampDialog::Today() {
    if (clock)
        return clock();
    const QDate date = QDate::currentDate();
    // Qt counts Monday 1 to Sunday 7; we count from Sunday 0.
    return vesk::DateParts{date.year(), date.month(), date.day(), date.dayOfWeek() % 7};
}

CDateStampDialog::CDateStampDialog(const vesk::DateParts& today, QWidget* parent)
    : QDialog(parent), today_(today) {
    setObjectName("dateStampDialog");
    setWindowTitle(QString::fromUtf8("日付の挿入"));
    setWindowFlags(kDialogFlags);

    // The favourites box: an edit field over a list that is always shown.
    auto* favouriteLabel = new QLabel(QString::fromUtf8("お気に入りの日付(&F)"), this);
    favouriteEdit = new QLineEdit(this);
    favouriteEdit->setObjectName("favouriteEdit");
    favouriteLabel->setBuddy(favouriteEdit);
    favouriteList = new QListWidget(this);
    favouriteList->setObjectName("favouriteList");
    favouriteList->setSelectionMode(QAbstractItemView::SingleSelection);
    favouriteList->setMinimumSize(280, 200);

    insertButton = new QPushButton(QString::fromUtf8("挿入"), this);
    insertButton->setObjectName("insertButton");
    insertButton->setDefault(true);
    cancelButton = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
    cancelButton->setObjectName("cancelButton");
    cancelButton->setAutoDefault(false);
    settingsButton = new QPushButton(this);
    settingsButton->setObjectName("settingsButton");
    settingsButton->setAutoDefault(false);

    auto* mainButtons = new QHBoxLayout;
    mainButtons->addWidget(insertButton);
    mainButtons->addWidget(cancelButton);
    mainButtons->addStretch(1);
    mainButtons->addWidget(settingsButton);

    auto* favouriteColumn = new QVBoxLayout;
    favouriteColumn->addWidget(favouriteLabel);
    favouriteColumn->addWidget(favouriteEdit);
    favouriteColumn->addWidget(favouriteList, 1);
    favouriteColumn->addLayout(mainButtons);

    // The list settings, shown only when enlarged.
    settingsPanel = new QWidget(this);
    settingsPanel->setObjectName("settingsPanel");

    addButton = new QPushButton(QString::fromUtf8("<< お気に入りに追加 (&A)"), settingsPanel);
    addButton->setObjectName("addButton");
    addButton->setAutoDefault(false);
    removeButton = new QPushButton(QString::fromUtf8(">> お気に入りを削除 (&D)"), settingsPanel);
    removeButton->setObjectName("removeButton");
    removeButton->setAutoDefault(false);
    auto* moveColumn = new QVBoxLayout;
    moveColumn->addStretch(1);
    moveColumn->addWidget(addButton);
    moveColumn->addWidget(removeButton);
    moveColumn->addStretch(1);

    auto* partsBox = new QFrame(settingsPanel);
    partsBox->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* partsRow = new QHBoxLayout(partsBox);
    static constexpr std::array<const char*, 4> kPartCaptions = {"年", "月", "日", "曜日"};
    static constexpr std::array<vesk::DatePart, 4> kParts = {
        vesk::DatePart::Year, vesk::DatePart::Month, vesk::DatePart::Day, vesk::DatePart::Weekday};
    for (int i = 0; i < 4; ++i) {
        partBoxes[i] = new QCheckBox(QString::fromUtf8(kPartCaptions[i]), partsBox);
        partBoxes[i]->setObjectName(QStringLiteral("partBox%1").arg(i));
        partsRow->addWidget(partBoxes[i]);
        const vesk::DatePart part = kParts[i];
        connect(partBoxes[i], &QCheckBox::clicked, this, [this, part] { OnPartClicked(part); });
    }
    partsRow->addStretch(1);

    auto* languageBox = new QFrame(settingsPanel);
    languageBox->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* languageRow = new QHBoxLayout(languageBox);
    japaneseButton = new QRadioButton(QString::fromUtf8("日本語(&J)"), languageBox);
    japaneseButton->setObjectName("japaneseButton");
    englishButton = new QRadioButton(QString::fromUtf8("英語(&E)"), languageBox);
    englishButton->setObjectName("englishButton");
    auto* languageGroup = new QButtonGroup(this);
    languageGroup->addButton(japaneseButton);
    languageGroup->addButton(englishButton);
    languageRow->addWidget(japaneseButton);
    languageRow->addWidget(englishButton);
    languageRow->addStretch(1);

    auto* candidateLabel = new QLabel(QString::fromUtf8("お気に入りの候補"), settingsPanel);
    candidateList = new QListWidget(settingsPanel);
    candidateList->setObjectName("candidateList");
    candidateList->setSelectionMode(QAbstractItemView::SingleSelection);
    candidateList->setMinimumSize(260, 200);
    candidateLabel->setBuddy(candidateList);

    userFormatButton =
        new QPushButton(QString::fromUtf8("ユーザー定義日付(&U)...."), settingsPanel);
    userFormatButton->setObjectName("userFormatButton");
    userFormatButton->setAutoDefault(false);
    auto* userRow = new QHBoxLayout;
    userRow->addStretch(1);
    userRow->addWidget(userFormatButton);

    auto* optionColumn = new QVBoxLayout;
    optionColumn->addWidget(partsBox);
    optionColumn->addWidget(languageBox);
    optionColumn->addWidget(candidateLabel);
    optionColumn->addWidget(candidateList, 1);
    optionColumn->addLayout(userRow);

    auto* panelLayout = new QHBoxLayout(settingsPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addLayout(moveColumn);
    panelLayout->addSpacing(6);
    panelLayout->addLayout(optionColumn, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(favouriteColumn, 1);
    layout->addWidget(settingsPanel);
    // The dialog shrinks back when the panel is hidden.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(settingsButton, &QPushButton::clicked, this, [this] { SetEnlarged(!Enlarged()); });
    connect(favouriteList, &QListWidget::itemSelectionChanged, this,
            &CDateStampDialog::OnFavouriteSelected);
    connect(favouriteList, &QListWidget::itemDoubleClicked, this, &CDateStampDialog::OnInsert);
    connect(candidateList, &QListWidget::itemSelectionChanged, this,
            &CDateStampDialog::UpdateButtons);
    connect(japaneseButton, &QRadioButton::toggled, this, &CDateStampDialog::FillCandidates);
    connect(addButton, &QPushButton::clicked, this, &CDateStampDialog::OnAdd);
    connect(removeButton, &QPushButton::clicked, this, &CDateStampDialog::OnRemove);
    connect(userFormatButton, &QPushButton::clicked, this, &CDateStampDialog::OnUserFormat);
    connect(insertButton, &QPushButton::clicked, this, &CDateStampDialog::OnInsert);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    const std::vector<int> option =
        ReadOptionBlock(AppStore(), kOptionName, kOptionCount, kDefaultOption);
    for (int i = 0; i < 4; ++i) partBoxes[i]->setChecked(option[i] == 1);
    {
        const QSignalBlocker block(japaneseButton);
        (option[4] == 1 ? englishButton : japaneseButton)->setChecked(true);
    }
    FillCandidates();

    if (favourites_.Load() == CFavDateMarks::LoadStatus::Damaged) {
        loadedDamaged_ = true;
        vesk::ShowMessage("リストファイル [ " +
                              QDir::toNativeSeparators(vesk::UsersDataFile(
                                  QString::fromLatin1(CFavDateMarks::kFileName))) +
                              " ] が壊れているため、読み込めませんでした。",
                          "VeskHtml", vesk::MsgIcon::Exclamation, vesk::MsgButtons::Ok, parent);
    }
    FillFavourites(AppStore().GetProfileInt(kEditorSection, kCurselName, -1));
    // The wider of its two captions, so that the button keeps its place.
    SetEnlarged(false);
    settingsButton->setMinimumWidth(settingsButton->sizeHint().width());
    favouriteList->setFocus();
}

bool CDateStampDialog::Enlarged() const {
    return !settingsPanel->isHidden();
}

void CDateStampDialog::SetEnlarged(bool enlarged) {
    settingsPanel->setVisible(enlarged);
    settingsButton->setText(QString::fromUtf8(enlarged ? "<< (&O)" : "お気に入りの設定(&O) >>"));
}

vesk::DatePartsOn CDateStampDialog::PartsOn() const {
    return vesk::DatePartsOn{partBoxes[0]->isChecked(), partBoxes[1]->isChecked(),
                             partBoxes[2]->isChecked(), partBoxes[3]->isChecked()};
}

bool CDateStampDialog::English() const {
    return englishButton->isChecked();
}

void CDateStampDialog::FillFavourites(int select) {
    QSignalBlocker block(favouriteList);
    favouriteList->clear();
    const std::vector<std::uint32_t>& codes = favourites_.Codes();
    for (int i = 0; i < static_cast<int>(codes.size()); ++i) {
        auto* item = new QListWidgetItem(Utf8(vesk::RenderBuiltIn(codes[i], today_)));
        item->setData(kIndexRole, i);
        item->setData(kKindRole, kKindCode);
        favouriteList->addItem(item);
    }
    const std::vector<std::string>& formats = favourites_.Formats();
    for (int i = 0; i < static_cast<int>(formats.size()); ++i) {
        auto* item = new QListWidgetItem(Utf8(vesk::RenderUserFormat(formats[i], today_)));
        item->setData(kIndexRole, i);
        item->setData(kKindRole, kKindFormat);
        favouriteList->addItem(item);
    }
    if (select >= 0 && select < favouriteList->count())
        favouriteList->setCurrentRow(select);
    else
        favouriteList->setCurrentRow(-1);
    block.unblock();
    OnFavouriteSelected();
}

void CDateStampDialog::FillCandidates() {
    const int row = candidateList->currentRow();
    QSignalBlocker block(candidateList);
    candidateList->clear();
    for (std::uint32_t code : vesk::CandidateDateCodes(English(), PartsOn())) {
        auto* item = new QListWidgetItem(Utf8(vesk::RenderBuiltIn(code, today_)));
        item->setData(kCodeRole, code);
        candidateList->addItem(item);
    }
    if (row >= 0 && row < candidateList->count())
        candidateList->setCurrentRow(row);
    block.unblock();
    UpdateButtons();
}

void CDateStampDialog::OnPartClicked(vesk::DatePart part) {
    const vesk::DatePartsOn coupled = vesk::CoupleDateParts(PartsOn(), part);
    const std::array<bool, 4> values = {coupled.year, coupled.month, coupled.day, coupled.weekday};
    for (int i = 0; i < 4; ++i) partBoxes[i]->setChecked(values[i]);
    FillCandidates();
}

void CDateStampDialog::OnFavouriteSelected() {
    const QList<QListWidgetItem*> selected = favouriteList->selectedItems();
    favouriteEdit->setText(selected.isEmpty() ? QString() : selected.front()->text());
    UpdateButtons();
}

void CDateStampDialog::UpdateButtons() {
    const bool favourite = !favouriteList->selectedItems().isEmpty();
    insertButton->setEnabled(favourite);
    removeButton->setEnabled(favourite);
    addButton->setEnabled(!candidateList->selectedItems().isEmpty());
}

void CDateStampDialog::OnAdd() {
    const QList<QListWidgetItem*> selected = candidateList->selectedItems();
    if (selected.isEmpty())
        return;
    const int index = favourites_.AddCode(selected.front()->data(kCodeRole).toUInt());
    changed_ = true;
    // The new favourite is selected, ready to be inserted.
    FillFavourites(index);
}

void CDateStampDialog::OnRemove() {
    const QList<QListWidgetItem*> selected = favouriteList->selectedItems();
    if (selected.isEmpty())
        return;
    const int index = selected.front()->data(kIndexRole).toInt();
    if (selected.front()->data(kKindRole).toInt() == kKindCode)
        favourites_.RemoveCode(index);
    else
        favourites_.RemoveFormat(index);
    changed_ = true;
    FillFavourites(-1);
}

void CDateStampDialog::OnUserFormat() {
    CDateFormatDialog builder(today_, this);
    if (vesk::RunDialog(builder) != QDialog::Accepted)
        return;
    const int index = favourites_.AddFormat(builder.Format());
    changed_ = true;
    FillFavourites(static_cast<int>(favourites_.Codes().size()) + index);
}

void CDateStampDialog::OnInsert() {
    if (favouriteList->selectedItems().isEmpty())
        return;
    const vesk::DatePartsOn on = PartsOn();
    WriteOptionBlock(AppStore(), kOptionName,
                     {on.year, on.month, on.day, on.weekday, English() ? 1 : 0});
    result_ = favouriteEdit->text().toStdString();
    accept();
}

void CDateStampDialog::StoreOnClose() {
    // Writing an untouched empty list over a damaged file would throw away
    // whatever might still be recovered from it.
    if (!(loadedDamaged_ && !changed_)) {
        QString error;
        if (!favourites_.Save(&error)) {
            vesk::ShowMessage(
                "リストファイル [ " +
                    QDir::toNativeSeparators(
                        vesk::UsersDataFile(QString::fromLatin1(CFavDateMarks::kFileName))) +
                    " ] を保存できませんでした。\n" + error,
                "VeskHtml", vesk::MsgIcon::Exclamation, vesk::MsgButtons::Ok, parentWidget());
        }
    }
    const QList<QListWidgetItem*> selected = favouriteList->selectedItems();
    AppStore().WriteProfileInt(kEditorSection, kCurselName,
                               selected.isEmpty() ? -1 : favouriteList->row(selected.front()));
}

// The command.

namespace {

void InsertDateStamp(CVeskHtmlView& view) {
    std::string text;
    {
        CDateStampDialog dialog(CDateStampDialog::Today(), &view);
        const int result = vesk::RunDialog(dialog);
        dialog.StoreOnClose();
        if (result != QDialog::Accepted)
            return;
        text = dialog.Result();
    }
    if (text.empty())
        return;

    // The date is no tag: it replaces the selection as it is, without the tag-case conversion.
    CTextControl& control = view.Control();
    view.Journal().AddStep(0, kUndoNoChange, false);
    {
        CTextControl::FreezePainting freeze(control);
        int start = 0;
        int end = 0;
        control.GetSel(start, end);
        control.ReplaceSel(text);
        const int length = static_cast<int>(text.size());
        view.ColourRange(control.WholeTextView().substr(start, length), start, start + length);
        control.SetSel(start + length, start + length);
        view.SetTextStyleAtCaret();
        view.Journal().AddStep(0, kUndoInsert, false);
    }
    emit view.StatusChanged();
}

}  // namespace

void InstallDateStampCommand(CVeskHtmlView& view) {
    view.AddCommand(kDateStampCommand, [&view] { InsertDateStamp(view); });
}
