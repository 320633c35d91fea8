#include "tags/select_batch_dialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace vesk {

namespace {

const char kEditText[] = "<< 編集";
const char kEditTip[] = "選択した項目を編集します";
const char kEditOkText[] = "OK";
const char kEditOkTip[] = "編集したテキストに更新します";

QPushButton* NewListButton(const char* text, const char* tip, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setToolTip(QString::fromUtf8(tip));
    return button;
}

QTableWidgetItem* NewCell(Qt::ItemFlags flags) {
    auto* cell = new QTableWidgetItem;
    cell->setFlags(flags);
    return cell;
}

}  // namespace

CSelectBatchDlg::CSelectBatchDlg(const SelectBatchData& data, QWidget* parent)
    : CTagDialog(QStringLiteral("選択ボックスの一括挿入 <SELECT><OPTION>"),
                 ConfirmRule::kInsertButton, parent),
      name_(new QLineEdit(this)),
      multiple_(new QCheckBox(QStringLiteral("複数選択可能にする &MULTIPLE"), this)),
      itemLabel_(new QLineEdit(this)),
      itemValue_(new QLineEdit(this)),
      listCaption_(
          new QLabel(QStringLiteral("チェックした項目がデフォルトで選択状態になります(&L)"), this)),
      list_(new QTableWidget(0, 3, this)),
      add_(NewListButton("追加 >>", "新しい項目を一番下に追加します", this)),
      insertEntry_(NewListButton("挿入 >>", "新しい項目を選択した項目の上に挿入します", this)),
      delete_(NewListButton("削除", "選択した項目を削除します", this)),
      edit_(NewListButton(kEditText, kEditTip, this)),
      up_(NewListButton("▲", "選択した項目を上に移動します", this)),
      down_(NewListButton("▼", "選択した項目を下に移動します", this)) {
    // The SELECT itself.
    auto* selectBox = new QGroupBox(QStringLiteral("選択ボックスの設定 <SELECT>"), this);
    auto* selectGrid = new QGridLayout(selectBox);
    AddFieldRow(*selectGrid, QStringLiteral("選択ボックスの識別名 &NAME="), name_);
    selectGrid->addWidget(multiple_, selectGrid->rowCount(), 0, 1, 2);
    selectGrid->setColumnStretch(1, 1);

    // Its OPTIONs: the entry fields, the buttons that move entries into and
    // out of the list, and the list.
    auto* optionBox = new QGroupBox(QStringLiteral("選択項目 <OPTION>"), this);
    auto* entryGrid = new QGridLayout;
    AddFieldRow(*entryGrid, QStringLiteral("表示する項目(&I)"), itemLabel_);
    AddFieldRow(*entryGrid, QStringLiteral("送信するテキスト &VALUE="), itemValue_);
    entryGrid->setRowStretch(entryGrid->rowCount(), 1);
    itemLabel_->setMinimumWidth(160);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add_, insertEntry_, delete_, edit_, up_, down_})
        buttons->addWidget(button);
    buttons->addStretch(1);

    list_->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("表示する項目"), QStringLiteral("送信するテキスト")});
    list_->verticalHeader()->hide();
    // The style's minimum would widen the check mark's column.
    list_->horizontalHeader()->setMinimumSectionSize(kCheckColumnWidth);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->setWordWrap(false);
    list_->setMinimumSize(320, 200);
    list_->viewport()->installEventFilter(this);
    listCaption_->setBuddy(list_);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(listCaption_);
    listColumn->addWidget(list_, 1);

    auto* optionRow = new QHBoxLayout(optionBox);
    optionRow->addLayout(entryGrid);
    optionRow->addLayout(buttons);
    optionRow->addLayout(listColumn, 1);

    ContentLayout()->addWidget(selectBox);
    ContentLayout()->addWidget(optionBox, 1);

    connect(add_, &QPushButton::clicked, this, [this] { AddEntry(); });
    connect(insertEntry_, &QPushButton::clicked, this, [this] { InsertEntry(); });
    connect(delete_, &QPushButton::clicked, this, [this] { DeleteEntry(); });
    connect(edit_, &QPushButton::clicked, this, [this] { EditEntry(); });
    connect(up_, &QPushButton::clicked, this, [this] { MoveUp(); });
    connect(down_, &QPushButton::clicked, this, [this] { MoveDown(); });
    connect(list_, &QTableWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(list_, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { OnCheckChanged(item); });
    connect(multiple_, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            KeepOneCheck(-1);
    });

    name_->setText(ToQString(data.name));
    multiple_->setChecked(data.multiple == 1);
    itemLabel_->setText(ToQString(data.itemLabel));
    itemValue_->setText(ToQString(data.itemValue));
    for (const SelectBatchItem& item : data.items) {
        const int row = list_->rowCount();
        list_->insertRow(row);
        PutEntry(row, item);
    }
    if (data.multiple != 1)
        KeepOneCheck(-1);
    LayoutColumns();
    UpdateButtons();
    OrderFields({name_, multiple_, itemLabel_, itemValue_, add_, insertEntry_, delete_, edit_, up_,
                 down_, list_});
}

SelectBatchData CSelectBatchDlg::Data() const {
    SelectBatchData data;
    data.multiple = multiple_->isChecked() ? 1 : 0;
    data.name = name_->text().toStdString();
    data.itemLabel = itemLabel_->text().toStdString();
    data.itemValue = itemValue_->text().toStdString();
    for (int row = 0; row < list_->rowCount(); ++row) data.items.push_back(Entry(row));
    return data;
}

int CSelectBatchDlg::SelectedRow() const {
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CSelectBatchDlg::PutEntry(int row, const SelectBatchItem& item) {
    settingRows_ = true;
    const Qt::ItemFlags cellFlags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!list_->item(row, kCheckColumn)) {
        list_->setItem(row, kCheckColumn, NewCell(cellFlags | Qt::ItemIsUserCheckable));
        list_->setItem(row, kLabelColumn, NewCell(cellFlags));
        list_->setItem(row, kValueColumn, NewCell(cellFlags));
    }
    list_->item(row, kCheckColumn)->setCheckState(item.checked == 1 ? Qt::Checked : Qt::Unchecked);
    list_->item(row, kLabelColumn)->setText(ToQString(item.label));
    list_->item(row, kValueColumn)->setText(ToQString(item.value));
    settingRows_ = false;
}

SelectBatchItem CSelectBatchDlg::Entry(int row) const {
    SelectBatchItem item;
    item.checked = list_->item(row, kCheckColumn)->checkState() == Qt::Checked ? 1 : 0;
    item.label = list_->item(row, kLabelColumn)->text().toStdString();
    item.value = list_->item(row, kValueColumn)->text().toStdString();
    return item;
}

void CSelectBatchDlg::NewEntry(int row) {
    if (itemValue_->text().isEmpty())
        return;
    SelectBatchItem item;
    item.label = TrimBlanks(itemLabel_->text().toStdString());
    item.value = TrimBlanks(itemValue_->text().toStdString());
    list_->insertRow(row);
    PutEntry(row, item);
    itemLabel_->clear();
    itemValue_->clear();
    ClearSelection();
}

void CSelectBatchDlg::AddEntry() {
    if (Editing())
        return;
    NewEntry(list_->rowCount());
}

void CSelectBatchDlg::InsertEntry() {
    const int row = SelectedRow();
    if (Editing() || row < 0)
        return;
    NewEntry(row);
}

void CSelectBatchDlg::DeleteEntry() {
    const int row = SelectedRow();
    if (Editing() || row < 0)
        return;
    list_->removeRow(row);
    ClearSelection();
}

void CSelectBatchDlg::EditEntry() {
    if (!Editing()) {
        const int row = SelectedRow();
        if (row < 0)
            return;
        const SelectBatchItem item = Entry(row);
        itemLabel_->setText(ToQString(item.label));
        itemValue_->setText(ToQString(item.value));
        editRow_ = row;
        edit_->setText(QString::fromUtf8(kEditOkText));
        edit_->setToolTip(QString::fromUtf8(kEditOkTip));
        list_->setEnabled(false);
        UpdateButtons();
        return;
    }
    if (itemValue_->text().isEmpty())
        return;
    SelectBatchItem item = Entry(editRow_);
    item.label = itemLabel_->text().toStdString();
    item.value = itemValue_->text().toStdString();
    PutEntry(editRow_, item);
    itemLabel_->clear();
    itemValue_->clear();
    editRow_ = -1;
    edit_->setText(QString::fromUtf8(kEditText));
    edit_->setToolTip(QString::fromUtf8(kEditTip));
    list_->setEnabled(true);
    UpdateButtons();
}

void CSelectBatchDlg::MoveUp() {
    const int row = SelectedRow();
    if (Editing() || row <= 0)
        return;
    const SelectBatchItem moved = Entry(row);
    PutEntry(row, Entry(row - 1));
    PutEntry(row - 1, moved);
    SelectRow(row - 1);
}

void CSelectBatchDlg::MoveDown() {
    const int row = SelectedRow();
    if (Editing() || row < 0 || row + 1 >= list_->rowCount())
        return;
    const SelectBatchItem moved = Entry(row);
    PutEntry(row, Entry(row + 1));
    PutEntry(row + 1, moved);
    SelectRow(row + 1);
}

void CSelectBatchDlg::SelectRow(int row) {
    list_->setCurrentCell(row, kLabelColumn,
                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CSelectBatchDlg::ClearSelection() {
    list_->selectionModel()->clear();
    UpdateButtons();
}

void CSelectBatchDlg::UpdateButtons() {
    const bool editing = Editing();
    const bool selected = !editing && SelectedRow() >= 0;
    add_->setEnabled(!editing);
    insertEntry_->setEnabled(selected);
    delete_->setEnabled(selected);
    edit_->setEnabled(editing || selected);
    up_->setEnabled(selected);
    down_->setEnabled(selected);
}

void CSelectBatchDlg::OnCheckChanged(QTableWidgetItem* item) {
    if (settingRows_ || item->column() != kCheckColumn || item->checkState() != Qt::Checked)
        return;
    if (!multiple_->isChecked())
        KeepOneCheck(item->row());
}

void CSelectBatchDlg::KeepOneCheck(int keep) {
    settingRows_ = true;
    bool kept = false;
    for (int row = 0; row < list_->rowCount(); ++row) {
        QTableWidgetItem* check = list_->item(row, kCheckColumn);
        if (check->checkState() != Qt::Checked)
            continue;
        const bool stays = keep >= 0 ? row == keep : !kept;
        if (stays)
            kept = true;
        else
            check->setCheckState(Qt::Unchecked);
    }
    settingRows_ = false;
}

void CSelectBatchDlg::LayoutColumns() {
    // The label takes 11/20 and the value 9/20 of what the check mark leaves.
    const int rest = std::max(0, list_->viewport()->width() - kCheckColumnWidth);
    list_->setColumnWidth(kCheckColumn, kCheckColumnWidth);
    list_->setColumnWidth(kLabelColumn, rest * 11 / 20);
    list_->setColumnWidth(kValueColumn, rest * 9 / 20);
}

bool CSelectBatchDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport() && event->type() == QEvent::Resize)
        LayoutColumns();
    return CTagDialog::eventFilter(watched, event);
}

}  // namespace vesk
