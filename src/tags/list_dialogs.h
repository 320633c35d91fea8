#pragma once
// The TYPE dialogs of numbered and bulleted lists and of their items.

#include "tags/dialog_fields.h"
#include "tags/text_tags.h"

namespace vesk {

class CRadioGroup;

class CListDlg : public CTagDialog {
    Q_OBJECT
  public:
    enum class Target { kList, kItem };
    // A new dialog starts with no type checked.
    CListDlg(ListKind kind, Target target, const ListData& data, QWidget* parent = nullptr);
    ListData Data() const;

    CRadioGroup* TypeGroup() const { return type_; }

  private:
    CRadioGroup* type_;
};

}  // namespace vesk
