#pragma once
// The dialogs of the form tags: FORM, the INPUT variants, TEXTAREA, SELECT
// and OPTION. Each fills its controls from a data record and reads them back.

#include "tags/dialog_fields.h"
#include "tags/form_tags.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace vesk {

class CRadioGroup;

// "フォームの宣言 <FORM>": where and how the data is sent. A mail form has no
// TARGET, and its ACTION field asks for the address.
class CFormDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CFormDlg(const FormData& data, QWidget* parent = nullptr);
    FormData Data() const;

    QGroupBox* ActionBox() const { return actionBox_; }
    QLabel* ActionLabel() const { return actionLabel_; }
    QLineEdit* ActionEdit() const { return action_; }
    CRadioGroup* ActionKindGroup() const { return actionKind_; }
    CRadioGroup* MethodGroup() const { return method_; }
    CRadioGroup* EnctypeGroup() const { return enctype_; }
    QLabel* TargetLabel() const { return targetLabel_; }
    QComboBox* TargetCombo() const { return target_; }

  private:
    void ShowActionKind(int kind);

    QGroupBox* actionBox_;
    QLabel* actionLabel_;
    QLineEdit* action_;
    CRadioGroup* actionKind_;
    CRadioGroup* method_;
    CRadioGroup* enctype_;
    QLabel* targetLabel_;
    QComboBox* target_;
};

// "テキスト入力欄 <INPUT TYPE="text"/"password" >".
class CTextInputDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CTextInputDlg(const TextInputData& data, QWidget* parent = nullptr);
    TextInputData Data() const;

    QLineEdit* NameEdit() const { return name_; }
    QLineEdit* ValueEdit() const { return value_; }
    QLineEdit* SizeEdit() const { return size_; }
    QLineEdit* MaxLengthEdit() const { return maxLength_; }
    CRadioGroup* TypeGroup() const { return type_; }

  private:
    QLineEdit* name_;
    QLineEdit* value_;
    QLineEdit* size_;
    QLineEdit* maxLength_;
    CRadioGroup* type_;
};

// "チェック欄 <INPUT TYPE="checkbox"/"radio" >": a radio button or check box
// with the text shown beside it. Only the insert button confirms.
class CCheckFieldDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CCheckFieldDlg(const CheckFieldData& data, QWidget* parent = nullptr);
    CheckFieldData Data() const;

    QLineEdit* NameEdit() const { return name_; }
    QLineEdit* ValueEdit() const { return value_; }
    QLineEdit* LabelEdit() const { return label_; }
    QCheckBox* CheckedBox() const { return checked_; }
    CRadioGroup* TypeGroup() const { return type_; }

  private:
    QLineEdit* name_;
    QLineEdit* value_;
    QLineEdit* label_;
    QCheckBox* checked_;
    CRadioGroup* type_;
};

// "ボタンフォーム <INPUT TYPE="submit"/"reset" >": the NAME field shows only
// for file and script buttons, and VALUE is named after what it shows.
class CButtonDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CButtonDlg(const ButtonData& data, QWidget* parent = nullptr);
    ButtonData Data() const;

    QLabel* ValueLabel() const { return valueLabel_; }
    QLineEdit* ValueEdit() const { return value_; }
    QLabel* NameLabel() const { return nameLabel_; }
    QLineEdit* NameEdit() const { return name_; }
    CRadioGroup* TypeGroup() const { return type_; }

  private:
    void ShowButtonType(int type);

    QLabel* valueLabel_;
    QLineEdit* value_;
    QLabel* nameLabel_;
    QLineEdit* name_;
    CRadioGroup* type_;
};

// "<INPUT TYPE="hidden" >隠し項目フォーム".
class CHiddenDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CHiddenDlg(const HiddenData& data, QWidget* parent = nullptr);
    HiddenData Data() const;

    QLineEdit* NameEdit() const { return name_; }
    QLineEdit* ValueEdit() const { return value_; }

  private:
    QLineEdit* name_;
    QLineEdit* value_;
};

// "複数行入力欄 <TEXTAREA>". The initial text keeps CR LF line breaks in the
// record; Enter in it starts a new line.
class CTextAreaDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CTextAreaDlg(const TextAreaData& data, QWidget* parent = nullptr);
    TextAreaData Data() const;

    QLineEdit* NameEdit() const { return name_; }
    QLineEdit* RowsEdit() const { return rows_; }
    QLineEdit* ColsEdit() const { return cols_; }
    QPlainTextEdit* TextEdit() const { return text_; }
    CRadioGroup* WrapGroup() const { return wrap_; }

  private:
    QLineEdit* name_;
    QLineEdit* rows_;
    QLineEdit* cols_;
    QPlainTextEdit* text_;
    CRadioGroup* wrap_;
};

// "選択ボックス <SELECT>", confirmed with "OK".
class CSelectDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CSelectDlg(const SelectData& data, QWidget* parent = nullptr);
    SelectData Data() const;

    QLineEdit* NameEdit() const { return name_; }
    QCheckBox* MultipleBox() const { return multiple_; }

  private:
    QLineEdit* name_;
    QCheckBox* multiple_;
};

// "選択項目の追加 <OPTION>".
class COptionDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit COptionDlg(const OptionData& data, QWidget* parent = nullptr);
    OptionData Data() const;

    QLineEdit* LabelEdit() const { return label_; }
    QLineEdit* ValueEdit() const { return value_; }
    QCheckBox* SelectedBox() const { return selected_; }

  private:
    QLineEdit* label_;
    QLineEdit* value_;
    QCheckBox* selected_;
};

}  // namespace vesk
