#include "tags/form_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "tags/radio_group.h"

namespace vesk {

namespace {

std::string ToStd(const QString& text) {
    return text.toStdString();
}

// A new dialog shows the group's first button checked.
int StartIndex(int index) {
    return index < 0 ? 0 : index;
}

// Tab goes through every button of the group after its first one.
void ChainGroup(const CRadioGroup* group) {
    for (int i = 1; i < group->Count(); ++i)
        QWidget::setTabOrder(group->Button(i - 1), group->Button(i));
}

QGridLayout* NewGrid() {
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    return grid;
}

// The edit control shows LF line breaks; the document has CR LF.
QString ToEditorLines(const std::string& text) {
    QString lines = ToQString(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return lines;
}

std::string ToDocumentLines(const QString& lines) {
    QString text = lines;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return ToStd(text);
}

}  // namespace

// FORM.

CFormDlg::CFormDlg(const FormData& data, QWidget* parent)
    : CTagDialog(QStringLiteral("フォームの宣言 <FORM>"), ConfirmRule::kEnter, parent),
      actionBox_(new QGroupBox(QStringLiteral("データの送信先 ACTION="), this)),
      actionLabel_(new QLabel(actionBox_)),
      action_(new QLineEdit(actionBox_)),
      actionKind_(new CRadioGroup(QString(),
                                  {QStringLiteral("&CGIプログラム"), QStringLiteral("メール(&M)")},
                                  Qt::Horizontal, actionBox_)),
      method_(new CRadioGroup(
          QStringLiteral("データの送信方法 METHOD="),
          {QStringLiteral("&POST （標準入力）"), QStringLiteral("&GET （環境変数）")},
          Qt::Horizontal, this)),
      enctype_(
          new CRadioGroup(QStringLiteral("データの送信形式 ENCTYPE="),
                          {QStringLiteral("フォームエンコード(&F)"),
                           QStringLiteral("プレーンテキスト(&P)"), QStringLiteral("&MIME形式")},
                          Qt::Horizontal, this)),
      targetLabel_(new QLabel(QStringLiteral("送信結果を表示するターゲット &TARGET="), this)),
      target_(new QComboBox(this)) {
    // The kind's buttons sit inside the ACTION box, without a frame of their own.
    actionKind_->setFlat(true);
    actionLabel_->setBuddy(action_);
    auto* actionGrid = new QGridLayout(actionBox_);
    actionGrid->addWidget(actionLabel_, 0, 0);
    actionGrid->addWidget(action_, 0, 1);
    actionGrid->addWidget(actionKind_, 1, 0, 1, 2);
    actionGrid->setColumnStretch(1, 1);
    action_->setMinimumWidth(240);

    target_->setEditable(true);
    target_->setInsertPolicy(QComboBox::NoInsert);
    target_->setCompleter(nullptr);
    // The list in sorted order.
    target_->addItems({QStringLiteral("_blank"), QStringLiteral("_parent"), QStringLiteral("_self"),
                       QStringLiteral("_top")});
    targetLabel_->setBuddy(target_);
    auto* targetGrid = NewGrid();
    targetGrid->addWidget(targetLabel_, 0, 0);
    targetGrid->addWidget(target_, 0, 1);

    ContentLayout()->addWidget(actionBox_);
    ContentLayout()->addWidget(method_);
    ContentLayout()->addWidget(enctype_);
    ContentLayout()->addLayout(targetGrid);

    connect(actionKind_, &CRadioGroup::IndexChanged, this,
            [this](int kind) { ShowActionKind(kind); });
    action_->setText(ToQString(data.action));
    actionKind_->SetIndex(StartIndex(data.actionKind));
    ShowActionKind(actionKind_->Index());
    method_->SetIndex(StartIndex(data.method));
    enctype_->SetIndex(StartIndex(data.enctype));
    target_->setCurrentIndex(-1);
    target_->setEditText(ToQString(data.target));

    OrderFields(
        {action_, actionKind_->Button(0), method_->Button(0), enctype_->Button(0), target_});
    ChainGroup(actionKind_);
    ChainGroup(method_);
    ChainGroup(enctype_);
}

void CFormDlg::ShowActionKind(int kind) {
    const bool mail = kind == 1;
    actionLabel_->setText(mail ? QStringLiteral("メールアドレス(&A)")
                               : QStringLiteral("CGIスクリプトの&URL"));
    targetLabel_->setEnabled(!mail);
    target_->setEnabled(!mail);
}

FormData CFormDlg::Data() const {
    FormData data;
    data.action = ToStd(action_->text());
    data.actionKind = actionKind_->Index();
    data.method = method_->Index();
    data.enctype = enctype_->Index();
    data.target = ToStd(target_->currentText());
    return data;
}

// Text input.

CTextInputDlg::CTextInputDlg(const TextInputData& data, QWidget* parent)
    : CTagDialog(QStringLiteral("テキスト入力欄 <INPUT TYPE=\"text\"/\"password\" >"),
                 ConfirmRule::kEnter, parent),
      name_(new QLineEdit(this)),
      value_(new QLineEdit(this)),
      size_(new QLineEdit(this)),
      maxLength_(new QLineEdit(this)),
      type_(new CRadioGroup(
          QStringLiteral("入力するデータ TYPE="),
          {QStringLiteral("テキスト &text"), QStringLiteral("パスワード &password")},
          Qt::Horizontal, this)) {
    const QString halfWidth = QStringLiteral("（半角文字数で指定）");
    auto* grid = NewGrid();
    AddFieldRow(*grid, QStringLiteral("入力欄の識別名 &NAME="), name_);
    AddFieldRow(*grid, QStringLiteral("デフォルトテキスト &VALUE="), value_);
    AddFieldRow(*grid, QStringLiteral("入力欄の横幅 &SIZE="), size_, halfWidth);
    AddFieldRow(*grid, QStringLiteral("最大入力文字数 &MAXLENGTH="), maxLength_, halfWidth);
    ContentLayout()->addLayout(grid);
    ContentLayout()->addWidget(type_);

    name_->setText(ToQString(data.name));
    value_->setText(ToQString(data.value));
    size_->setText(ToQString(data.size));
    maxLength_->setText(ToQString(data.maxLength));
    type_->SetIndex(StartIndex(data.inputType));
    OrderFields({name_, value_, size_, maxLength_, type_->Button(0)});
    ChainGroup(type_);
}

TextInputData CTextInputDlg::Data() const {
    TextInputData data;
    data.name = ToStd(name_->text());
    data.maxLength = ToStd(maxLength_->text());
    data.size = ToStd(size_->text());
    data.value = ToStd(value_->text());
    data.inputType = type_->Index();
    return data;
}

// Check field.

CCheckFieldDlg::CCheckFieldDlg(const CheckFieldData& data, QWidget* parent)
    : CTagDialog(QStringLiteral("チェック欄 <INPUT TYPE=\"checkbox\"/\"radio\" >"),
                 ConfirmRule::kInsertButton, parent),
      name_(new QLineEdit(this)),
      value_(new QLineEdit(this)),
      label_(new QLineEdit(this)),
      checked_(new QCheckBox(QStringLiteral("デフォルトでチェック済み CHECKE&D"), this)),
      type_(new CRadioGroup(
          QStringLiteral("選択入力の種類 TYPE="),
          {QStringLiteral("ラジオボタン(&R)"), QStringLiteral("チェックボックス(&C)")},
          Qt::Horizontal, this)) {
    auto* grid = NewGrid();
    AddFieldRow(*grid, QStringLiteral("識別名 &NAME="), name_);
    AddFieldRow(*grid, QStringLiteral("送信内容 &VALUE="), value_);
    AddFieldRow(*grid, QStringLiteral("表示するテキスト(&T)"), label_);
    ContentLayout()->addLayout(grid);
    ContentLayout()->addWidget(checked_);
    ContentLayout()->addWidget(type_);

    checked_->setChecked(data.checked == 1);
    name_->setText(ToQString(data.name));
    label_->setText(ToQString(data.label));
    value_->setText(ToQString(data.value));
    type_->SetIndex(StartIndex(data.inputType));
    OrderFields({name_, value_, label_, checked_, type_->Button(0)});
    ChainGroup(type_);
}

CheckFieldData CCheckFieldDlg::Data() const {
    CheckFieldData data;
    data.checked = checked_->isChecked() ? 1 : 0;
    data.name = ToStd(name_->text());
    data.label = ToStd(label_->text());
    data.value = ToStd(value_->text());
    data.inputType = type_->Index();
    return data;
}

// Button.

CButtonDlg::CButtonDlg(const ButtonData& data, QWidget* parent)
    : CTagDialog(QStringLiteral("ボタンフォーム <INPUT TYPE=\"submit\"/\"reset\" >"),
                 ConfirmRule::kEnter, parent),
      valueLabel_(new QLabel(this)),
      value_(new QLineEdit(this)),
      nameLabel_(new QLabel(QStringLiteral("識別名 &NAME="), this)),
      name_(new QLineEdit(this)),
      type_(new CRadioGroup(
          QStringLiteral("ボタンの種類 TYPE="),
          {QStringLiteral("&submit （送信ボタン）"), QStringLiteral("&reset （リセットボタン）"),
           QStringLiteral("&file （ファイル選択ボタン）"),
           QStringLiteral("&button （スクリプト用ボタン）")},
          Qt::Vertical, this)) {
    valueLabel_->setBuddy(value_);
    nameLabel_->setBuddy(name_);
    auto* grid = NewGrid();
    grid->addWidget(valueLabel_, 0, 0);
    grid->addWidget(value_, 0, 1);
    grid->addWidget(nameLabel_, 1, 0);
    grid->addWidget(name_, 1, 1);
    value_->setMinimumWidth(200);
    ContentLayout()->addLayout(grid);
    ContentLayout()->addWidget(type_);

    connect(type_, &CRadioGroup::IndexChanged, this, [this](int type) { ShowButtonType(type); });
    name_->setText(ToQString(data.name));
    value_->setText(ToQString(data.value));
    type_->SetIndex(StartIndex(data.buttonType));
    ShowButtonType(type_->Index());
    OrderFields({value_, name_, type_->Button(0)});
    ChainGroup(type_);
}

void CButtonDlg::ShowButtonType(int type) {
    // Submit and reset buttons are written without a name.
    const bool named = type == 2 || type == 3;
    nameLabel_->setVisible(named);
    name_->setVisible(named);
    valueLabel_->setText(type == 2 ? QStringLiteral("入力欄の初期表示 VALUE=")
                                   : QStringLiteral("ボタンの文字 VALUE="));
}

ButtonData CButtonDlg::Data() const {
    ButtonData data;
    data.name = ToStd(name_->text());
    data.value = ToStd(value_->text());
    data.buttonType = type_->Index();
    return data;
}

// Hidden field.

CHiddenDlg::CHiddenDlg(const HiddenData& data, QWidget* parent)
    : CTagDialog(QStringLiteral("<INPUT TYPE=\"hidden\" >隠し項目フォーム"), ConfirmRule::kEnter,
                 parent),
      name_(new QLineEdit(this)),
      value_(new QLineEdit(this)) {
    auto* grid = NewGrid();
    AddFieldRow(*grid, QStringLiteral("識別名 &NAME="), name_);
    AddFieldRow(*grid, QStringLiteral("送信するテキスト &VALUE="), value_);
    name_->setMinimumWidth(200);
    ContentLayout()->addLayout(grid);

    name_->setText(ToQString(data.name));
    value_->setText(ToQString(data.value));
    OrderFields({name_, value_});
}

HiddenData CHiddenDlg::Data() const {
    return {ToStd(name_->text()), ToStd(value_->text())};
}

// TEXTAREA.

CTextAreaDlg::CTextAreaDlg(const TextAreaData& data, QWidget* parent)
    : CTagDialog(QStringLiteral("複数行入力欄 <TEXTAREA>"), ConfirmRule::kEnter, parent),
      name_(new QLineEdit(this)),
      rows_(new QLineEdit(this)),
      cols_(new QLineEdit(this)),
      text_(new QPlainTextEdit(this)),
      wrap_(new CRadioGroup(QStringLiteral("改行コードの送信方法 WRAP="),
                            {QStringLiteral("&off （改行コードをすべて省く）"),
                             QStringLiteral("&soft （入力された改行コードをそのまま送信）"),
                             QStringLiteral("&hard （画面上の改行位置に改行コードを付ける）")},
                            Qt::Vertical, this)) {
    auto* grid = NewGrid();
    AddFieldRow(*grid, QStringLiteral("入力欄の識別名 &NAME="), name_);
    AddFieldRow(*grid, QStringLiteral("行数 &ROWS="), rows_);
    AddFieldRow(*grid, QStringLiteral("横幅　&COLS="), cols_, QStringLiteral("（半角文字数）"));
    ContentLayout()->addLayout(grid);
    auto* textLabel = new QLabel(QStringLiteral("初期表示するテキスト(&T)"), this);
    textLabel->setBuddy(text_);
    ContentLayout()->addWidget(textLabel);
    ContentLayout()->addWidget(text_, 1);
    ContentLayout()->addWidget(wrap_);
    // Tab leaves the text for the next field instead of typing a tab.
    text_->setTabChangesFocus(true);

    cols_->setText(ToQString(data.cols));
    name_->setText(ToQString(data.name));
    rows_->setText(ToQString(data.rows));
    text_->setPlainText(ToEditorLines(data.text));
    wrap_->SetIndex(data.wrap);
    OrderFields({name_, rows_, cols_, text_, wrap_->Button(0)});
    ChainGroup(wrap_);
}

TextAreaData CTextAreaDlg::Data() const {
    TextAreaData data;
    data.cols = ToStd(cols_->text());
    data.name = ToStd(name_->text());
    data.rows = ToStd(rows_->text());
    data.text = ToDocumentLines(text_->toPlainText());
    data.wrap = wrap_->Index();
    return data;
}

// SELECT.

CSelectDlg::CSelectDlg(const SelectData& data, QWidget* parent)
    : CTagDialog(QStringLiteral("選択ボックス <SELECT>"), ConfirmRule::kEnter, parent,
                 QStringLiteral("OK")),
      name_(new QLineEdit(this)),
      multiple_(new QCheckBox(QStringLiteral("複数選択可能にする &MULTIPLE"), this)) {
    auto* grid = NewGrid();
    AddFieldRow(*grid, QStringLiteral("選択ボックスの識別名 &NAME="), name_);
    name_->setMinimumWidth(160);
    ContentLayout()->addLayout(grid);
    ContentLayout()->addWidget(multiple_);

    multiple_->setChecked(data.multiple == 1);
    name_->setText(ToQString(data.name));
    OrderFields({name_, multiple_});
}

SelectData CSelectDlg::Data() const {
    return {multiple_->isChecked() ? 1 : 0, ToStd(name_->text())};
}

// OPTION.

COptionDlg::COptionDlg(const OptionData& data, QWidget* parent)
    : CTagDialog(QStringLiteral("選択項目の追加 <OPTION>"), ConfirmRule::kEnter, parent),
      label_(new QLineEdit(this)),
      value_(new QLineEdit(this)),
      selected_(new QCheckBox(QStringLiteral("デフォルトで選択状態　&SELECTED"), this)) {
    auto* grid = NewGrid();
    AddFieldRow(*grid, QStringLiteral("表示する項目(&I)"), label_);
    AddFieldRow(*grid, QStringLiteral("送信するテキスト &VALUE="), value_);
    label_->setMinimumWidth(200);
    ContentLayout()->addLayout(grid);
    ContentLayout()->addWidget(selected_);

    selected_->setChecked(data.selected == 1);
    label_->setText(ToQString(data.label));
    value_->setText(ToQString(data.value));
    OrderFields({label_, value_, selected_});
}

OptionData COptionDlg::Data() const {
    OptionData data;
    data.selected = selected_->isChecked() ? 1 : 0;
    data.label = ToStd(label_->text());
    data.value = ToStd(value_->text());
    return data;
}

}  // namespace vesk
