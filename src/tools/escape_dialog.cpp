#include "tools/escape_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app_settings.h"
#include "platform/settings_store.h"
#include "tools/conversions.h"

namespace {

const char kOptionSetting[] = "ChngEscapeOption";

// The list items in bit order, each with its leading blank.
const char* const kOptionTexts[vesk::kEscapeOptionCount] = {
    " < > を &#060; &#062; に変換",
    " \"　を &#034; に変換",
    " & を &#038; に変換",
};

}  // namespace

CEscapeDialog::CEscapeDialog(QWidget* parent)
    : QDialog(parent), given_(vesk::kEscapeOptionCount, 0) {
    setObjectName("escapeDialog");
    setWindowTitle(QString::fromUtf8("エスケープシーケンス変換"));

    auto* label = new QLabel(QString::fromUtf8("変換オプション"), this);
    optionList = new QListWidget(this);
    optionList->setObjectName("escapeOptions");
    label->setBuddy(optionList);
    for (const char* text : kOptionTexts) {
        auto* item = new QListWidgetItem(QString::fromUtf8(text), optionList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    // The first switch has the focus frame, for Space, without looking chosen.
    optionList->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    // Tall enough for the three items and no more, wide enough for the longest.
    const int rows = optionList->sizeHintForRow(0) * optionList->count();
    const int frame = 2 * optionList->frameWidth();
    optionList->setFixedHeight(rows + frame + 8);
    optionList->setMinimumWidth(optionList->sizeHintForColumn(0) + frame + 24);
    optionList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    optionList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    runButton = new QPushButton(QString::fromUtf8("実行"), this);
    runButton->setObjectName("runButton");
    runButton->setDefault(true);
    cancelButton = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
    cancelButton->setObjectName("cancelButton");
    connect(runButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(label);
    listColumn->addWidget(optionList);
    listColumn->addStretch(1);
    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addWidget(runButton);
    buttonColumn->addWidget(cancelButton);
    buttonColumn->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(listColumn, 1);
    layout->addSpacing(6);
    layout->addLayout(buttonColumn);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CEscapeDialog::SetOptions(const std::vector<int>& flags) {
    given_.assign(vesk::kEscapeOptionCount, 0);
    for (int i = 0; i < vesk::kEscapeOptionCount && i < static_cast<int>(flags.size()); ++i) {
        given_[i] = flags[i] == 1 ? 1 : 0;
        if (i < optionList->count())
            optionList->item(i)->setCheckState(given_[i] ? Qt::Checked : Qt::Unchecked);
    }
}

std::vector<int> CEscapeDialog::Options() const {
    if (optionList->count() != vesk::kEscapeOptionCount)
        return given_;
    std::vector<int> flags;
    for (int i = 0; i < optionList->count(); ++i)
        flags.push_back(optionList->item(i)->checkState() == Qt::Checked ? 1 : 0);
    return flags;
}

int CEscapeDialog::OptionBits() const {
    return PackOptionBits(Options());
}

int ReadEscapeOptions() {
    return PackOptionBits(ReadOptionBlock(AppStore(), kOptionSetting, vesk::kEscapeOptionCount, 0));
}

void WriteEscapeOptions(int bits) {
    WriteOptionBlock(AppStore(), kOptionSetting, UnpackOptionBits(bits, vesk::kEscapeOptionCount));
}
