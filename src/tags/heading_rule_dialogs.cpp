#include "tags/heading_rule_dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "tags/radio_group.h"

namespace vesk {

namespace {

// The three alignments after the group's first button.
QStringList AlignLabels(const char* none) {
    return {QString::fromUtf8(none), QStringLiteral("&left (左寄せ）"),
            QStringLiteral("&center (中央揃え）"), QStringLiteral("&right (右寄せ）")};
}

// A new dialog shows the group's first button checked.
int StartIndex(int index) {
    return index < 0 ? 0 : index;
}

}  // namespace

CHeadingDlg::CHeadingDlg(const HeadingData& data, QWidget* parent)
    : CTagDialog(QStringLiteral("見出し <Hn>"), ConfirmRule::kInsertButton, parent),
      level_(new CRadioGroup(QStringLiteral("文字サイズ"),
                             {QStringLiteral("&１"), QStringLiteral("&２"), QStringLiteral("&３"),
                              QStringLiteral("&４"), QStringLiteral("&５"), QStringLiteral("&６")},
                             Qt::Horizontal, this)),
      align_(new CRadioGroup(QStringLiteral("位置 ALIGN ="), AlignLabels("指定しない(&N)"),
                             Qt::Vertical, this)) {
    ContentLayout()->addWidget(level_);
    ContentLayout()->addWidget(align_);
    level_->SetIndex(StartIndex(data.level));
    align_->SetIndex(StartIndex(data.align));
    OrderFields({level_, align_});
}

HeadingData CHeadingDlg::Data() const {
    return {level_->Index(), align_->Index()};
}

CRuleDlg::CRuleDlg(const RuleData& data, QWidget* parent)
    : CTagDialog(QStringLiteral("水平線 <HR>"), ConfirmRule::kEnter, parent),
      noShade_(new QCheckBox(QStringLiteral("影を付けない NO&SHADE"), this)),
      percent_(new QCheckBox(QStringLiteral("％(&P)"), this)),
      size_(new QLineEdit(this)),
      width_(new QLineEdit(this)),
      align_(new CRadioGroup(QStringLiteral("位置　ALIGN ="), AlignLabels("指定しない(&N)"),
                             Qt::Vertical, this)) {
    auto* grid = new QGridLayout;
    AddFieldRow(*grid, QStringLiteral("太さ  &SIZE ="), size_, QStringLiteral("（ピクセル）"));
    AddFieldRow(*grid, QStringLiteral("長さ  &WIDTH ="), width_,
                QStringLiteral("（ピクセルまたは％）"));
    grid->addWidget(percent_, grid->rowCount() - 1, 3);
    grid->setColumnStretch(1, 1);
    ContentLayout()->addLayout(grid);
    ContentLayout()->addWidget(noShade_);
    ContentLayout()->addWidget(align_);

    noShade_->setChecked(data.noShade == 1);
    percent_->setChecked(data.widthPercent == 1);
    size_->setText(QString::fromStdString(data.size));
    width_->setText(QString::fromStdString(data.width));
    align_->SetIndex(StartIndex(data.align));
    OrderFields({size_, width_, percent_, noShade_, align_});
}

RuleData CRuleDlg::Data() const {
    RuleData data;
    data.noShade = noShade_->isChecked() ? 1 : 0;
    data.widthPercent = percent_->isChecked() ? 1 : 0;
    data.size = size_->text().toStdString();
    data.width = width_->text().toStdString();
    data.align = align_->Index();
    return data;
}

CAlignDlg::CAlignDlg(const AlignData& data, QWidget* parent)
    : CTagDialog(
          data.element == 1 ? QStringLiteral("<DIV>テキストの表示位置") : QStringLiteral("<P>段落"),
          ConfirmRule::kEnter, parent),
      element_(data.element),
      align_(new CRadioGroup(QStringLiteral("ALIGN ="), AlignLabels("指定しない"), Qt::Vertical,
                             this)) {
    ContentLayout()->addWidget(align_);
    align_->SetIndex(data.align);
    OrderFields({align_});
}

AlignData CAlignDlg::Data() const {
    return {element_, align_->Index()};
}

}  // namespace vesk
