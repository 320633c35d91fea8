#include "tools/plain_text_dialog.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "core/app_settings.h"
#include "platform/settings_store.h"
#include "tools/plain_text.h"

namespace {

const char kOptionName[] = "ToTextOption";

struct OptionText {
    const char* item;  // the leading blank belongs to the text
    const char* help;
};

// In the order of the stored bits.
constexpr std::array<OptionText, vesk::kPlainTextOptionCount> kOptionTexts = {{
    {" <BR>を改行に変換", "<BR>タグのあった場所に改行コードを挿入します。"},
    {" <P>を空行に変換", "<P>タグのあった場所に改行コードを挿入します。"},
    {" 改行の必要なタグの位置で改行",
     "ブラウザで表示したときに自動的に改行されるタグなど、\r\n改行の必要なタグの場所に改行コード"
     "を挿入します。"},
    {" 元の改行コードを削除", "タグを削除する前に存在した改行コードをすべて\r\n削除します。"},
    {" 行頭の空白を削除", "タグを消去した後に残った、行頭のスペースとタブを\r\n削除します。"},
    {" 2行以上の空行を削除",
     "タグを消去した後に残った、2行以上の空行を1行の空行に\r\n変換します。"},
    {" 記号<!-- -->を残す", "コメントアウトの記号<!-- -->を削除せずに残します。"},
    {" エスケープシーケンスを変換", "エスケープシーケンスで表された文字を通常の文字に変換します。"},
}};

// Help texts break their lines with CR LF; a label wants a bare LF.
QString HelpForDisplay(const char* text) {
    return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

CPlainTextDialog::CPlainTextDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("plainTextDialog");
    setWindowTitle(QString::fromUtf8("プレーンテキストに変換"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);

    optionList = new QListWidget(this);
    optionList->setObjectName("optionList");
    optionList->setSelectionMode(QAbstractItemView::SingleSelection);
    optionList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    optionList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const OptionText& text : kOptionTexts) {
        auto* item = new QListWidgetItem(QString::fromUtf8(text.item), optionList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    // All eight items in view, no scrolling.
    const int rows = optionList->sizeHintForRow(0) * optionList->count();
    optionList->setFixedHeight(rows + 2 * optionList->frameWidth() + 4);
    optionList->setMinimumWidth(optionList->sizeHintForColumn(0) + 40);

    auto* label = new QLabel(QString::fromUtf8("変換オプション"), this);
    label->setBuddy(optionList);

    // Room for the longest help text (two lines) so the dialog keeps its size.
    helpText = new QLabel(this);
    helpText->setObjectName("helpText");
    helpText->setTextFormat(Qt::PlainText);  // the texts hold "<BR>" and "<!--"
    helpText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    int helpWidth = 0;
    const QFontMetrics metrics(helpText->font());
    for (const OptionText& text : kOptionTexts) {
        for (const QString& line : HelpForDisplay(text.help).split('\n'))
            helpWidth = std::max(helpWidth, metrics.horizontalAdvance(line));
    }
    helpText->setMinimumSize(helpWidth + 8, metrics.lineSpacing() * 2 + 6);

    runButton = new QPushButton(QString::fromUtf8("実行"), this);
    runButton->setObjectName("runButton");
    runButton->setDefault(true);
    cancelButton = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
    cancelButton->setObjectName("cancelButton");
    cancelButton->setAutoDefault(false);

    auto* left = new QVBoxLayout;
    left->addWidget(label);
    left->addWidget(optionList);
    left->addWidget(helpText);

    auto* buttons = new QVBoxLayout;
    buttons->addSpacing(label->sizeHint().height());
    buttons->addWidget(runButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(runButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(optionList, &QListWidget::itemSelectionChanged, this,
            &CPlainTextDialog::ShowHelpOfSelection);

    SetOptions(StoredOptions());
    openedWith_ = Options();
    optionList->setFocus();
}

void CPlainTextDialog::SetOptions(int options) {
    for (int i = 0; i < optionList->count() && i < vesk::kPlainTextOptionCount; ++i) {
        optionList->item(i)->setCheckState((options >> i) & 1 ? Qt::Checked : Qt::Unchecked);
    }
}

int CPlainTextDialog::Options() const {
    if (optionList->count() != vesk::kPlainTextOptionCount)
        return openedWith_;
    int options = 0;
    for (int i = 0; i < vesk::kPlainTextOptionCount; ++i) {
        if (optionList->item(i)->checkState() == Qt::Checked)
            options |= 1 << i;
    }
    return options;
}

void CPlainTextDialog::ShowHelpOfSelection() {
    const QList<QListWidgetItem*> selected = optionList->selectedItems();
    const int row = selected.isEmpty() ? -1 : optionList->row(selected.front());
    helpText->setText(row >= 0 && row < vesk::kPlainTextOptionCount
                          ? HelpForDisplay(kOptionTexts[row].help)
                          : QString());
}

int CPlainTextDialog::StoredOptions() {
    return PackOptionBits(ReadOptionBlock(AppStore(), kOptionName, vesk::kPlainTextOptionCount, 0));
}

void CPlainTextDialog::StoreOptions(int options) {
    WriteOptionBlock(AppStore(), kOptionName,
                     UnpackOptionBits(options, vesk::kPlainTextOptionCount));
}
