#pragma once
// "画像 <IMG>": the picture's URL with a browse button and a preview, its
// size taken from the picture, and the layout attributes.

#include <QString>

#include "tags/dialog_fields.h"
#include "tags/text_tags.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vesk {

class CFilePreviewWnd;

namespace image_texts {
inline constexpr char kImageFilter[] =
    "画像ファイル(*.jpg *.jpeg *png *gif *bmp)|*.jpg;*.jpeg;*png;*.gif;*.bmp|JPEGファイル(*.jpg "
    "*.jpeg)|*.jpg;*.jpeg|PNGファイル(*.png)|*.png|GIFファイル(*gif)|*.gif|BMPファイル(*.bmp)|*."
    "bmp|全てのファイル(*.*)|*.*||";
inline constexpr char kSizeButton[] = "サイズ";
inline constexpr char kSizeTip[] = "画像のサイズを取り込みます";
inline constexpr char kBrowseButton[] = "参照...";
}  // namespace image_texts

class CImageDlg : public CTagDialog {
    Q_OBJECT
  public:
    // documentPath: the document's full path (empty when untitled), the base
    // of relative references.
    CImageDlg(const ImageData& data, const QString& documentPath, QWidget* parent = nullptr);
    ImageData Data() const;

    // "サイズ": WIDTH and HEIGHT from the picture in the preview.
    void ImportSize();

    QLineEdit* AltEdit() const { return alt_; }
    QComboBox* AlignCombo() const { return align_; }
    QLineEdit* HeightEdit() const { return height_; }
    CFileReferenceField* SrcField() const { return src_; }
    QLineEdit* WidthEdit() const { return width_; }
    QLineEdit* HspaceEdit() const { return hspace_; }
    QLineEdit* VspaceEdit() const { return vspace_; }
    QComboBox* BorderCombo() const { return border_; }
    QPushButton* SizeButton() const { return sizeButton_; }
    CFilePreviewWnd* Preview() const { return preview_; }

  private:
    void OnChosen(const ReferenceFileChoice& choice);

    QLineEdit* alt_;
    QComboBox* align_;
    QLineEdit* height_;
    CFileReferenceField* src_;
    QLineEdit* width_;
    QLineEdit* hspace_;
    QLineEdit* vspace_;
    QComboBox* border_;
    QPushButton* sizeButton_;
    CFilePreviewWnd* preview_;
};

}  // namespace vesk
