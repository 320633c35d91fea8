#include "tags/list_dialogs.h"

#include <QVBoxLayout>

#include "tags/radio_group.h"

namespace vesk {

namespace {

QString Caption(ListKind kind, CListDlg::Target target) {
    const bool item = target == CListDlg::Target::kItem;
    if (kind == ListKind::kNumbered)
        return item ? QStringLiteral("番号付きリストの項目 <LI TYPE=>")
                    : QStringLiteral("番号付きリスト <OL TYPE=>");
    return item ? QStringLiteral("マーク付きリストの項目 <LI TYPE=>")
                : QStringLiteral("マーク付きリスト <UL TYPE=>");
}

QStringList TypeLabels(ListKind kind) {
    if (kind == ListKind::kNumbered)
        return {QStringLiteral("A (ＡＢＣ....付きリスト）(&L)"),
                QStringLiteral("a (aｂｃ....付きリスト）(&S)"),
                QStringLiteral("I (ⅠⅡⅢ....付きリスト）(&I)"),
                QStringLiteral("i (ⅰⅱⅲ....付きリスト）(&A)"),
                QStringLiteral("1(１２３....付きリスト）(&N)")};
    return {QStringLiteral("&disc　(●マーク付きリスト)"),
            QStringLiteral("&circle (〇マーク付きリスト）"),
            QStringLiteral("&square (□マーク付きリスト)")};
}

}  // namespace

CListDlg::CListDlg(ListKind kind, Target target, const ListData& data, QWidget* parent)
    : CTagDialog(Caption(kind, target), ConfirmRule::kEnter, parent),
      type_(new CRadioGroup(QStringLiteral("TYPE="), TypeLabels(kind), Qt::Vertical, this)) {
    ContentLayout()->addWidget(type_);
    type_->SetIndex(data.type);
    OrderFields({type_});
}

ListData CListDlg::Data() const {
    return {type_->Index()};
}

}  // namespace vesk
