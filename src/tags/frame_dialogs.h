#pragma once
// The dialogs of FRAMESET and FRAME.

#include <QString>
#include <string>

#include "tags/dialog_fields.h"
#include "tags/page_tags.h"

class QCheckBox;
class QLineEdit;

namespace vesk {

class CDivisionFields;

namespace frame_texts {
inline constexpr char kFramesetCaption[] = "フレームページ <FRAMESET>";
inline constexpr char kFrameCaption[] = "フレームの追加 <FRAME>";
inline constexpr char kBorderColorOn[] = "境界線の色を設定 &BORDERCOLOR=";
inline constexpr char kBorderGroup[] = "境界線";
inline constexpr char kFrameBorderNo[] = "境界線を消す &FRAMEBORDER=\"no\"";
inline constexpr char kNoResize[] = "フレームサイズの変更を禁止 NO&RESIZE";
inline constexpr char kScrollingNo[] = "スクロールバーをつけない &SCROLLING=\"no\"";
inline constexpr char kColourButton[] = "色...";
inline constexpr char kMarginHeight[] = "上下の余白 MARGIN&HEIGHT=";
inline constexpr char kMarginWidth[] = "左右の余白 MARGIN&WIDTH=";
inline constexpr char kMarginGroup[] = "フレーム内の余白";
inline constexpr char kPixelsNote[] = "（ピクセル）";
inline constexpr char kName[] = "フレームの名前 &NAME=";
inline constexpr char kSrc[] = "表示するファイル SR&C=";
inline constexpr char kSrcFilter[] = "HTMLファイル(*.*htm*)|*.*htm*|すべてのファイル(*.*)|*.*||";
}  // namespace frame_texts

// The sample colour of a frame border that is not given.
inline constexpr RgbColour kDefaultBorderColour{0xBF, 0xBF, 0xBF};

class CFramesetDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CFramesetDlg(const FramesetData& data, QWidget* parent = nullptr,
                          ISettingsStore& store = AppStore());
    FramesetData Data() const;

    CDivisionFields* Division() const { return division_; }

  protected:
    bool CheckFields() override;
    void SaveFields() override;

  private:
    CDivisionFields* division_;
};

class CFrameDlg : public CTagDialog {
    Q_OBJECT
  public:
    // documentPath: the document's full path (empty when untitled), the base
    // of the SRC reference.
    CFrameDlg(const FrameData& data, const QString& documentPath, QWidget* parent = nullptr,
              ISettingsStore& store = AppStore());
    FrameData Data() const;

    QCheckBox* BorderColorOnBox() const { return borderColorOn_; }
    QCheckBox* FrameBorderNoBox() const { return frameBorderNo_; }
    QCheckBox* NoResizeBox() const { return noResize_; }
    QCheckBox* ScrollingNoBox() const { return scrollingNo_; }
    CColourField* BorderColorField() const { return borderColor_; }
    QLineEdit* MarginHeightEdit() const { return marginHeight_; }
    QLineEdit* MarginWidthEdit() const { return marginWidth_; }
    QLineEdit* NameEdit() const { return name_; }
    CFileReferenceField* SrcField() const { return src_; }

  protected:
    bool CheckFields() override;
    // The border colour goes to the top of its list whatever it is.
    void SaveFields() override;

  private:
    // The colour and the no-border box exclude each other.
    void ShowBorderChoice();

    QCheckBox* borderColorOn_;
    QCheckBox* frameBorderNo_;
    QCheckBox* noResize_;
    QCheckBox* scrollingNo_;
    CColourField* borderColor_;
    QLineEdit* marginHeight_;
    QLineEdit* marginWidth_;
    QLineEdit* name_;
    CFileReferenceField* src_;
};

}  // namespace vesk
