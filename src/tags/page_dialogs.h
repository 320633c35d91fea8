#pragma once
// The dialogs of the page skeletons, the document type, BODY and META.

#include <QFont>
#include <QString>
#include <string>

#include "tags/body_preview.h"
#include "tags/dialog_fields.h"
#include "tags/page_tags.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vesk {

class CRadioGroup;

namespace page_texts {
inline constexpr char kPageSkeletonCaption[] = "一般ﾍﾟｰｼﾞのスケルトン";
inline constexpr char kMetaGroup[] = "<META>　付加情報";
inline constexpr char kBodyGroup[] = "<BODY> 本文";
inline constexpr char kPageTitle[] = "<TITL&E> タイトル";
inline constexpr char kHtml5[] = "HTML5";
inline constexpr char kHtml5Tip[] = "<!DOCTYPE html> で始まる HTML5 のページを作ります";
inline constexpr char kReplyTo[] = "連絡先(&R)";
inline constexpr char kKeywords[] = "検索ｷｰﾜｰﾄﾞ(&K)";
inline constexpr char kBuild[] = "制作年月日(&W)";
inline constexpr char kCopyright[] = "著作権者名(&N)";
inline constexpr char kBackground[] = "背景画像　&BACKGROUND=";
inline constexpr char kAuthor[] = "制作者名(&S)";
inline constexpr char kSkeletonText[] = "ベーステキスト色　&TEXT=";
inline constexpr char kBgcolor[] = "背景色 BG&COLOR=";
inline constexpr char kSkeletonLink[] = "未アクセスリンク色　&LINK=";
inline constexpr char kSkeletonVlink[] = "アクセス済みリンク色　&VLINK=";
inline constexpr char kAlink[] = "アクティブリンク色 &ALINK=";
inline constexpr char kDescription[] = "検索結果の文(&D)";
inline constexpr char kSkeletonRobots[] = "検索制限(&L)";
inline constexpr char kRobotsAll[] = "すべての検索を許可";
inline constexpr char kRobotsIndex[] = "このﾍﾟｰｼﾞの検索を許可";
inline constexpr char kRobotsNoindex[] = "このﾍﾟｰｼﾞの検索を禁止";
inline constexpr char kRobotsNofollow[] = "ﾘﾝｸﾍﾟｰｼﾞの検索を禁止";
inline constexpr char kRobotsNone[] = "すべての検索を禁止";
inline constexpr char kSkeletonCharset[] = "漢字コード(&M)";
inline constexpr char kBodyCaption[] = "本文の設定　<BODY>";
inline constexpr char kBodyText[] = "ベーステキスト色 &TEXT=";
inline constexpr char kBodyLink[] = "未アクセスリンク色 &LINK=";
inline constexpr char kBodyVlink[] = "アクセス済みリンク色 &VLINK=";
inline constexpr char kFrameSkeletonCaption[] = "フレームページのスケルトン作成";
inline constexpr char kFramesetGroup[] = "<FRAMESET> フレームの分割指定";
inline constexpr char kFrameTitle[] = "<&TITLE> タイトル";
inline constexpr char kColsPercent[] = "すべて％で指定(&H)";
inline constexpr char kRowsPercent[] = "すべて％で指定(&V)";
inline constexpr char kBorder[] = "境界線の太さ &BORDER=";
inline constexpr char kCols[] = "左右の分割サイズ &COLS=";
inline constexpr char kRows[] = "上下の分割サイズ R&OWS=";
inline constexpr char kSizesTip[] = "フレームの分割サイズをあらわす数値を改行で区切って入力します";
inline constexpr char kVersion[] = "&HTML文書のバージョン";
inline constexpr char kMetaCaption[] = "付加情報 <META>";
inline constexpr char kMetaKindGroup[] = "付加情報の種類 HTTP-EQUIV=";
inline constexpr char kKindAuthor[] = "製作者名 &author";
inline constexpr char kKindReplyTo[] = "連絡先 &reply-to";
inline constexpr char kKindCopyright[] = "著作権者名 &copyright";
inline constexpr char kKindBuild[] = "制作年月日 &build";
inline constexpr char kKindKeywords[] = "検索キーワード &keywords";
inline constexpr char kKindDescription[] = "検索結果の文 &description";
inline constexpr char kKindRobots[] = "検索制限 &robots";
inline constexpr char kKindContentType[] = "文字コード c&ontent-type";
inline constexpr char kKindRefresh[] = "自動ジャンプ refres&h";
inline constexpr char kBrowse[] = "参照...";
inline constexpr char kMetaRobots[] = "検索制限(&E)";
inline constexpr char kFullWidthBlank[] = "　";
inline constexpr char kMetaCharset[] = "文字コード(&E)";
inline constexpr char kSeconds[] = "ジャンプするまでの時間(&T)";
inline constexpr char kSecondsNote[] = "（秒）";
inline constexpr char kTextAuthor[] = "制作者名";
inline constexpr char kTextReplyTo[] = "連絡先";
inline constexpr char kTextCopyright[] = "著作権者名";
inline constexpr char kTextBuild[] = "制作年月日";
inline constexpr char kTextKeywords[] = "検索キーワード";
inline constexpr char kTextDescription[] = "検索結果の文";
inline constexpr char kTextRefresh[] = "ジャンプ先のURL";
inline constexpr char kJumpTitle[] = "ジャンプ先の選択";
inline constexpr char kJumpFilter[] =
    "htmlファイル(*.htm* *.shtm*)|*.htm*;*.shtm*|全てのファイル(*.*)|*.*||";
inline constexpr char kHalfWidthBlank[] = " ";
inline constexpr char kUtf8[] = "UTF-8";
}  // namespace page_texts

// The COLS and ROWS sizes, one a line, with their percent boxes, and BORDER:
// the frame-page skeleton and the FRAMESET dialog share them.
class CDivisionFields : public QWidget {
    Q_OBJECT
  public:
    explicit CDivisionFields(QWidget* parent = nullptr);

    // Sizes come and go with "\r\n" between the lines.
    void SetFields(const std::string& cols, int colsPercent, const std::string& rows,
                   int rowsPercent, const std::string& border);
    std::string Cols() const;
    std::string Rows() const;
    int ColsPercent() const;
    int RowsPercent() const;
    std::string Border() const;

    // Only digits, "*", "%" and line breaks; else the numeric-data message.
    bool Check(QWidget* parent);
    // At confirmation: a size field whose box is checked loses its "%" signs
    // (they are written back per size).
    void DropPercentSigns();

    QPlainTextEdit* ColsEdit() const { return cols_; }
    QPlainTextEdit* RowsEdit() const { return rows_; }
    QCheckBox* ColsPercentBox() const { return colsPercent_; }
    QCheckBox* RowsPercentBox() const { return rowsPercent_; }
    QLineEdit* BorderEdit() const { return border_; }

  private:
    QPlainTextEdit* cols_;
    QCheckBox* colsPercent_;
    QPlainTextEdit* rows_;
    QCheckBox* rowsPercent_;
    QLineEdit* border_;
};

// What the general-page skeleton and the BODY dialog share: the five colour
// fields, the background picture and the preview of the colours.
class CBodyColoursDlg : public CTagDialog {
    Q_OBJECT
  public:
    CColourField* TextField() const { return text_; }
    CColourField* LinkField() const { return link_; }
    CColourField* VlinkField() const { return vlink_; }
    CColourField* AlinkField() const { return alink_; }
    CColourField* BgcolorField() const { return bgcolor_; }
    CFileReferenceField* BackgroundField() const { return background_; }
    CBodyPreview* Preview() const { return preview_; }

  protected:
    // colourLength: the character limit of the colour fields other than TEXT
    // (0: none); TEXT always holds at most 7.
    CBodyColoursDlg(const QString& caption, int colourLength, const QFont& sampleFont,
                    const QString& documentPath, QWidget* parent, ISettingsStore& store);
    // The preview follows the fields' current colours.
    void ShowColours();

  private:
    CColourField* text_;
    CColourField* link_;
    CColourField* vlink_;
    CColourField* alink_;
    CColourField* bgcolor_;
    CFileReferenceField* background_;
    CBodyPreview* preview_;
};

// The META lines both skeletons share.
struct MetaFields {
    QLineEdit* author;
    QLineEdit* copyright;
    QLineEdit* replyTo;
    QLineEdit* build;
    QLineEdit* keywords;
    QLineEdit* description;
    QComboBox* robots;
    QComboBox* charset;
};

class CPageSkeletonDlg : public CBodyColoursDlg {
    Q_OBJECT
  public:
    // documentPath: the document's full path (empty when untitled), the base
    // of the background reference; sampleFont: the preview font of the settings.
    CPageSkeletonDlg(const PageSkeletonData& data, const QFont& sampleFont,
                     const QString& documentPath, QWidget* parent = nullptr,
                     ISettingsStore& store = AppStore());
    PageSkeletonData Data() const;

    QLineEdit* TitleEdit() const { return title_; }
    QLineEdit* ReplyToEdit() const { return meta_.replyTo; }
    QLineEdit* KeywordsEdit() const { return meta_.keywords; }
    QLineEdit* BuildEdit() const { return meta_.build; }
    QLineEdit* CopyrightEdit() const { return meta_.copyright; }
    QLineEdit* AuthorEdit() const { return meta_.author; }
    QLineEdit* DescriptionEdit() const { return meta_.description; }
    QComboBox* RobotsCombo() const { return meta_.robots; }
    QComboBox* CharsetCombo() const { return meta_.charset; }
    QCheckBox* Html5Box() const { return html5_; }

  private:
    QLineEdit* title_;
    QCheckBox* html5_;
    MetaFields meta_{};
};

class CFrameSkeletonDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CFrameSkeletonDlg(const FrameSkeletonData& data, QWidget* parent = nullptr,
                               ISettingsStore& store = AppStore());
    FrameSkeletonData Data() const;

    QLineEdit* TitleEdit() const { return title_; }
    QLineEdit* ReplyToEdit() const { return meta_.replyTo; }
    QLineEdit* KeywordsEdit() const { return meta_.keywords; }
    QLineEdit* BuildEdit() const { return meta_.build; }
    QLineEdit* CopyrightEdit() const { return meta_.copyright; }
    QLineEdit* AuthorEdit() const { return meta_.author; }
    QLineEdit* DescriptionEdit() const { return meta_.description; }
    QComboBox* RobotsCombo() const { return meta_.robots; }
    QComboBox* CharsetCombo() const { return meta_.charset; }
    CDivisionFields* Division() const { return division_; }

  protected:
    bool CheckFields() override;
    void SaveFields() override;

  private:
    QLineEdit* title_;
    MetaFields meta_{};
    CDivisionFields* division_;
};

class CDoctypeDlg : public CTagDialog {
    Q_OBJECT
  public:
    explicit CDoctypeDlg(const DoctypeData& data, QWidget* parent = nullptr);
    DoctypeData Data() const;

    QComboBox* VersionCombo() const { return version_; }

  private:
    QComboBox* version_;
};

class CBodyDlg : public CBodyColoursDlg {
    Q_OBJECT
  public:
    CBodyDlg(const BodyData& data, const QFont& sampleFont, const QString& documentPath,
             QWidget* parent = nullptr, ISettingsStore& store = AppStore());
    BodyData Data() const;
};

class CMetaDlg : public CTagDialog {
    Q_OBJECT
  public:
    // documentPath: where the jump-target chooser opens (the document's folder).
    CMetaDlg(const MetaData& data, const QString& documentPath, QWidget* parent = nullptr);
    MetaData Data() const;

    // "参照...": the file's name, without its folder, into the text field.
    bool BrowseJumpTarget();

    CRadioGroup* KindGroup() const { return kind_; }
    QLabel* TextLabel() const { return textLabel_; }
    QLineEdit* TextEdit() const { return text_; }
    QPushButton* BrowseButton() const { return browse_; }
    QLabel* RobotsLabel() const { return robotsLabel_; }
    QComboBox* RobotsCombo() const { return robots_; }
    QLabel* CharsetLabel() const { return charsetLabel_; }
    QComboBox* CharsetCombo() const { return charset_; }
    QLabel* SecondsLabel() const { return secondsLabel_; }
    QLineEdit* SecondsEdit() const { return seconds_; }

  private:
    void OnKind(int kind);
    void ShowKind(int kind);

    QString documentPath_;
    int shownKind_;
    CRadioGroup* kind_;
    QLabel* textLabel_;
    QLineEdit* text_;
    QPushButton* browse_;
    QLabel* robotsLabel_;
    QComboBox* robots_;
    QLabel* charsetLabel_;
    QComboBox* charset_;
    QLabel* secondsLabel_;
    QLineEdit* seconds_;
    QLabel* secondsNote_;
};

}  // namespace vesk
