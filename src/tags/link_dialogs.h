#pragma once
// The dialogs of hyperlinks, mail links and link anchors.

#include <QString>

#include "tags/dialog_fields.h"
#include "tags/text_tags.h"

class QComboBox;
class QLineEdit;

namespace vesk {

class CFilePreviewWnd;

namespace link_texts {
inline constexpr char kLinkFilter[] =
    "htmlファイル(*.htm* *.shtm*)|*.htm*;*.shtm*|画像ファイル(*.jpg *.jpeg *.png *.gif "
    "*.bmp)|*.jpg;*.jpeg;*.png*;*.gif;*.bmp|アーカイブファイル(*.lzh *.zip)|*.lzh;*.zip|"
    "全てのファイル(*.*)|*.*||";
}  // namespace link_texts

// "ファイル又はウェブサイトへのリンク　<A HREF= >": the URL with its file
// button and a preview of its target, the anchor names of the document, the
// target window and the title.
class CLinkDlg : public CTagDialog {
    Q_OBJECT
  public:
    // documentPath: the document's full path (empty when untitled), the base
    // of relative references.
    CLinkDlg(const LinkData& data, const QString& documentPath, QWidget* parent = nullptr);
    LinkData Data() const;

    QComboBox* AnchorCombo() const { return anchor_; }
    QComboBox* TargetCombo() const { return target_; }
    QLineEdit* TitleEdit() const { return title_; }
    CFileReferenceField* HrefField() const { return href_; }
    CFilePreviewWnd* Preview() const { return preview_; }

  private:
    void ShowTarget();

    QString documentPath_;
    std::vector<std::string> anchorNames_;
    QComboBox* anchor_;
    QComboBox* target_;
    QLineEdit* title_;
    CFileReferenceField* href_;
    CFilePreviewWnd* preview_;
};

// "メールへのリンク <A HREF="mailto: ">": the address, offered from the five
// recent ones, and the title. Only the insert button confirms; the address is
// remembered then.
class CMailLinkDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CMailLinkDlg(const MailLinkData& data, QWidget* parent = nullptr,
                          ISettingsStore& store = AppStore());
    MailLinkData Data() const;

    QLineEdit* TitleEdit() const { return title_; }
    QComboBox* AddressCombo() const { return address_; }

  protected:
    void SaveFields() override;

  private:
    QLineEdit* title_;
    QComboBox* address_;
};

// "リンクアンカー <A NAME= >".
class CAnchorDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CAnchorDlg(const AnchorData& data, QWidget* parent = nullptr);
    AnchorData Data() const;

    QLineEdit* NameEdit() const { return name_; }

  private:
    QLineEdit* name_;
};

}  // namespace vesk
