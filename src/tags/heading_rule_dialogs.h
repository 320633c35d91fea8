#pragma once
// The dialogs of headings, horizontal rules and the DIV/P alignment.

#include "tags/dialog_fields.h"
#include "tags/text_tags.h"

class QCheckBox;
class QLineEdit;

namespace vesk {

class CRadioGroup;

// "見出し <Hn>": the level and the alignment. Only the insert button confirms.
class CHeadingDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CHeadingDlg(const HeadingData& data, QWidget* parent = nullptr);
    HeadingData Data() const;

    CRadioGroup* LevelGroup() const { return level_; }
    CRadioGroup* AlignGroup() const { return align_; }

  private:
    CRadioGroup* level_;
    CRadioGroup* align_;
};

// "水平線 <HR>".
class CRuleDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CRuleDlg(const RuleData& data, QWidget* parent = nullptr);
    RuleData Data() const;

    QCheckBox* NoShadeBox() const { return noShade_; }
    QCheckBox* PercentBox() const { return percent_; }
    QLineEdit* SizeEdit() const { return size_; }
    QLineEdit* WidthEdit() const { return width_; }
    CRadioGroup* AlignGroup() const { return align_; }

  private:
    QCheckBox* noShade_;
    QCheckBox* percent_;
    QLineEdit* size_;
    QLineEdit* width_;
    CRadioGroup* align_;
};

// The alignment of a DIV or P tag; its caption names the element.
class CAlignDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CAlignDlg(const AlignData& data, QWidget* parent = nullptr);
    AlignData Data() const;

    CRadioGroup* AlignGroup() const { return align_; }

  private:
    int element_;
    CRadioGroup* align_;
};

}  // namespace vesk
