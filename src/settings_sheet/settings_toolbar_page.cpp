#include "settings_sheet/settings_toolbar_page.h"

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/message_seam.h"

namespace {

const QSize kIconSize(18, 15);
const QColor kEndLineColour(0xCC, 0xCC, 0xCC);
const QString kEndLine = QStringLiteral("::::::::::::::::::::::::::::::::");

const char* const kBarNames[] = {
    " [メイン] ツールバー",   " [HTMLツール] ツールバー", " [ページ] ツールバー",
    " [テキスト] ツールバー", " [文字] ツールバー",       " [フレーム] ツールバー",
    " [ツール] ツールバー",   " [ウインドウ] ツールバー", " ドキュメントリスト",
};

bool IsEntry(ToolbarId bar, int entry) {
    return entry >= 0 && entry < static_cast<int>(ToolbarButtonSet(bar).size());
}

// A layout stops at the first index the bar's button set does not have.
ButtonLayout Checked(ToolbarId bar, const ButtonLayout& layout) {
    ButtonLayout result;
    for (int entry : layout) {
        if (entry != -1 && !IsEntry(bar, entry))
            break;
        result.push_back(entry);
    }
    return result;
}

QIcon ButtonIcon(int commandId) {
    const QString path = QStringLiteral(":/icons/cmd_%1.svg").arg(commandId);
    if (QFile::exists(path))
        return QIcon(path);
    // Keeps the names aligned while an icon is missing.
    QPixmap blank(kIconSize);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

QListWidgetItem* EntryItem(ToolbarId bar, int entry) {
    const ToolbarButtonEntry& button = ToolbarButtonSet(bar)[entry];
    return new QListWidgetItem(ButtonIcon(button.commandId), QString::fromUtf8(button.name));
}

bool Ask(const char* text, QWidget* parent) {
    return vesk::ShowMessage(QString::fromUtf8(text), QStringLiteral("VeskHtml"),
                             vesk::MsgIcon::Question, vesk::MsgButtons::OkCancel,
                             parent) == vesk::MsgAnswer::Ok;
}

}  // namespace

BarVisibility BarVisibility::AllShown() {
    BarVisibility bars;
    bars.toolbars.fill(true);
    bars.documentList = true;
    bars.statusBar = true;
    return bars;
}

ToolbarPageModel::ToolbarPageModel(const ButtonLayouts& layouts) {
    SetLayouts(layouts);
}

void ToolbarPageModel::SetLayouts(const ButtonLayouts& layouts) {
    for (int bar = 0; bar < kToolbarCount; ++bar)
        layouts_[bar] = Checked(static_cast<ToolbarId>(bar), layouts[bar]);
}

std::vector<int> ToolbarPageModel::Hidden(ToolbarId bar) const {
    std::vector<int> hidden;
    const ButtonLayout& used = layouts_[bar];
    const int count = static_cast<int>(ToolbarButtonSet(bar).size());
    for (int entry = 0; entry < count; ++entry) {
        if (std::find(used.begin(), used.end(), entry) == used.end())
            hidden.push_back(entry);
    }
    return hidden;
}

int ToolbarPageModel::Add(ToolbarId bar, int hiddenRow, int usedRow) {
    const std::vector<int> hidden = Hidden(bar);
    ButtonLayout& used = layouts_[bar];
    if (hiddenRow < 0 || hiddenRow >= static_cast<int>(hidden.size()) || usedRow < 0 ||
        usedRow > static_cast<int>(used.size()))
        return -1;
    used.insert(used.begin() + usedRow, hidden[hiddenRow]);
    return usedRow;
}

int ToolbarPageModel::Remove(ToolbarId bar, int usedRow) {
    ButtonLayout& used = layouts_[bar];
    if (usedRow < 0 || usedRow >= static_cast<int>(used.size()))
        return -1;
    used.erase(used.begin() + usedRow);
    return usedRow;  // the next line, or the end line
}

int ToolbarPageModel::InsertSeparator(ToolbarId bar, int usedRow) {
    ButtonLayout& used = layouts_[bar];
    if (usedRow < 0 || usedRow > static_cast<int>(used.size()))
        return -1;
    used.insert(used.begin() + usedRow, -1);
    return usedRow;
}

int ToolbarPageModel::MoveLeft(ToolbarId bar, int usedRow) {
    ButtonLayout& used = layouts_[bar];
    if (usedRow < 1 || usedRow >= static_cast<int>(used.size()))
        return -1;
    std::swap(used[usedRow - 1], used[usedRow]);
    return usedRow - 1;
}

int ToolbarPageModel::MoveRight(ToolbarId bar, int usedRow) {
    ButtonLayout& used = layouts_[bar];
    if (usedRow < 0 || usedRow + 1 >= static_cast<int>(used.size()))
        return -1;
    std::swap(used[usedRow], used[usedRow + 1]);
    return usedRow + 1;
}

CPrpIniToolbutton::CPrpIniToolbutton(const ButtonLayouts& layouts, const BarVisibility& bars,
                                     QWidget* parent)
    : QWidget(parent), model_(layouts), openingLayouts_(model_.Layouts()), openingBars_(bars) {
    barList_ = new QListWidget;
    for (const char* name : kBarNames) {
        auto* item = new QListWidgetItem(QString::fromUtf8(name), barList_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    }
    barList_->setMaximumHeight(barList_->sizeHintForRow(0) * 9 + 2 * barList_->frameWidth() + 4);
    auto* barLabel = new QLabel(QStringLiteral("ツールﾊﾞｰの表示(&T)"));
    barLabel->setBuddy(barList_);
    statusBar_ = new QCheckBox(QStringLiteral("ステータスバーの表示(&B)"));
    defaults_ = new QPushButton(QStringLiteral("デフォルト(&D)"));
    reset_ = new QPushButton(QStringLiteral("リセット(&R)"));

    hiddenList_ = new QListWidget;
    usedList_ = new QListWidget;
    for (QListWidget* list : {hiddenList_, usedList_}) list->setIconSize(kIconSize);
    auto* hiddenLabel = new QLabel(QStringLiteral("表示しないボタン(&H)"));
    hiddenLabel->setBuddy(hiddenList_);
    auto* usedLabel = new QLabel(QStringLiteral("表示するボタン(&S)"));
    usedLabel->setBuddy(usedList_);
    add_ = new QPushButton(QStringLiteral("追加(&A) >>"));
    remove_ = new QPushButton(QStringLiteral("<< 削除(&D)"));
    separator_ = new QPushButton(QStringLiteral("区切り(&B)"));
    left_ = new QPushButton(QStringLiteral("左へ(&L) ↑"));
    right_ = new QPushButton(QStringLiteral("右へ(&R) ↓"));

    auto* top = new QGridLayout;
    top->addWidget(barLabel, 0, 0);
    top->addWidget(barList_, 1, 0, 4, 1);
    top->addWidget(statusBar_, 1, 1);
    top->addWidget(defaults_, 3, 1);
    top->addWidget(reset_, 4, 1);
    top->setColumnStretch(0, 1);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    for (QPushButton* b : {add_, remove_, separator_}) middle->addWidget(b);
    middle->addSpacing(12);
    middle->addWidget(left_);
    middle->addWidget(right_);
    middle->addStretch();
    auto* lists = new QGridLayout;
    lists->addWidget(hiddenLabel, 0, 0);
    lists->addWidget(usedLabel, 0, 2);
    lists->addWidget(hiddenList_, 1, 0);
    lists->addLayout(middle, 1, 1);
    lists->addWidget(usedList_, 1, 2);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(lists, 1);

    connect(add_, &QPushButton::clicked, this, &CPrpIniToolbutton::Add);
    connect(remove_, &QPushButton::clicked, this, &CPrpIniToolbutton::Remove);
    connect(separator_, &QPushButton::clicked, this, &CPrpIniToolbutton::InsertSeparator);
    connect(left_, &QPushButton::clicked, this, &CPrpIniToolbutton::MoveLeft);
    connect(right_, &QPushButton::clicked, this, &CPrpIniToolbutton::MoveRight);
    connect(defaults_, &QPushButton::clicked, this, &CPrpIniToolbutton::RestoreDefaults);
    connect(reset_, &QPushButton::clicked, this, &CPrpIniToolbutton::ResetToOpening);
    connect(barList_, &QListWidget::currentRowChanged, this, [this] { FillLists(-1, -1); });
    connect(hiddenList_, &QListWidget::currentRowChanged, this, &CPrpIniToolbutton::UpdateButtons);
    connect(usedList_, &QListWidget::currentRowChanged, this, &CPrpIniToolbutton::UpdateButtons);

    SetBars(bars);
    barList_->setCurrentRow(0);
}

BarVisibility CPrpIniToolbutton::Bars() const {
    BarVisibility bars;
    for (int row = 0; row < kToolbarCount; ++row)
        bars.toolbars[kBarRows[row]] = barList_->item(row)->checkState() == Qt::Checked;
    bars.documentList = barList_->item(kDocumentListRow)->checkState() == Qt::Checked;
    bars.statusBar = statusBar_->isChecked();
    return bars;
}

void CPrpIniToolbutton::SetBars(const BarVisibility& bars) {
    for (int row = 0; row < kToolbarCount; ++row) {
        barList_->item(row)->setCheckState(bars.toolbars[kBarRows[row]] ? Qt::Checked
                                                                        : Qt::Unchecked);
    }
    barList_->item(kDocumentListRow)
        ->setCheckState(bars.documentList ? Qt::Checked : Qt::Unchecked);
    statusBar_->setChecked(bars.statusBar);
}

int CPrpIniToolbutton::CurrentBar() const {
    const int row = barList_->currentRow();
    if (row < 0 || row >= kToolbarCount)
        return -1;
    return kBarRows[row];
}

void CPrpIniToolbutton::FillLists(int usedRow, int hiddenRow) {
    hiddenList_->clear();
    usedList_->clear();
    const int current = CurrentBar();
    if (current >= 0) {
        const auto bar = static_cast<ToolbarId>(current);
        for (int entry : model_.Hidden(bar)) hiddenList_->addItem(EntryItem(bar, entry));
        for (int entry : model_.Used(bar)) {
            if (entry < 0)
                usedList_->addItem(new QListWidgetItem(ButtonIcon(0), QString()));
            else
                usedList_->addItem(EntryItem(bar, entry));
        }
        auto* end = new QListWidgetItem(kEndLine);
        end->setForeground(kEndLineColour);
        usedList_->addItem(end);
        if (hiddenRow >= hiddenList_->count())
            hiddenRow = hiddenList_->count() - 1;
        if (hiddenRow >= 0)
            hiddenList_->setCurrentRow(hiddenRow);
        if (usedRow >= 0 && usedRow < usedList_->count())
            usedList_->setCurrentRow(usedRow);
    }
    UpdateButtons();
}

void CPrpIniToolbutton::UpdateButtons() {
    const int current = CurrentBar();
    const int usedRow = usedList_->currentRow();
    const int hiddenRow = hiddenList_->currentRow();
    const int size = current >= 0 ? static_cast<int>(model_.Used(ToolbarId(current)).size()) : 0;
    const bool onLine = current >= 0 && usedRow >= 0;
    add_->setEnabled(onLine && hiddenRow >= 0);
    remove_->setEnabled(onLine && usedRow < size);
    separator_->setEnabled(onLine);
    left_->setEnabled(onLine && usedRow >= 1 && usedRow < size);
    right_->setEnabled(onLine && usedRow + 1 < size);
}

void CPrpIniToolbutton::AfterEdit(int usedRow, int hiddenRow) {
    if (usedRow < 0)
        return;
    changed_ = true;
    FillLists(usedRow, hiddenRow);
}

void CPrpIniToolbutton::Add() {
    const int bar = CurrentBar();
    if (bar < 0)
        return;
    const int hiddenRow = hiddenList_->currentRow();
    AfterEdit(model_.Add(ToolbarId(bar), hiddenRow, usedList_->currentRow()), hiddenRow);
}

void CPrpIniToolbutton::Remove() {
    const int bar = CurrentBar();
    if (bar < 0)
        return;
    AfterEdit(model_.Remove(ToolbarId(bar), usedList_->currentRow()), hiddenList_->currentRow());
}

void CPrpIniToolbutton::InsertSeparator() {
    const int bar = CurrentBar();
    if (bar < 0)
        return;
    AfterEdit(model_.InsertSeparator(ToolbarId(bar), usedList_->currentRow()),
              hiddenList_->currentRow());
}

void CPrpIniToolbutton::MoveLeft() {
    const int bar = CurrentBar();
    if (bar < 0)
        return;
    AfterEdit(model_.MoveLeft(ToolbarId(bar), usedList_->currentRow()), hiddenList_->currentRow());
}

void CPrpIniToolbutton::MoveRight() {
    const int bar = CurrentBar();
    if (bar < 0)
        return;
    AfterEdit(model_.MoveRight(ToolbarId(bar), usedList_->currentRow()), hiddenList_->currentRow());
}

void CPrpIniToolbutton::RestoreDefaults() {
    if (!Ask("ツールバーとボタンの設定をデフォルトの設定に戻しますか?", this))
        return;
    model_.SetLayouts(DefaultButtonLayouts());
    SetBars(BarVisibility::AllShown());
    changed_ = true;
    FillLists(-1, -1);
}

void CPrpIniToolbutton::ResetToOpening() {
    if (!Ask("ツールバーとボタンの設定を変更前の設定に戻しますか?", this))
        return;
    model_.SetLayouts(openingLayouts_);
    SetBars(openingBars_);
    changed_ = false;
    FillLists(-1, -1);
}
