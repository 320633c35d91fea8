#pragma once
// The user-visible texts of find and replace in files, in one place.

namespace findfiles_text {

inline constexpr char kCaption[] = "VeskHtml";

// The dialog.
inline constexpr char kDialogTitle[] = "ファイルから検索";
inline constexpr char kWhat[] = "検索する文字列(&N)";
inline constexpr char kReplacement[] = "置換後の文字列(&P)";
inline constexpr char kFolder[] = "フォルダ(&D)";
inline constexpr char kBrowse[] = "参照(&B)...";
inline constexpr char kPatterns[] = "ファイルの種類(&T)";
inline constexpr char kSubfolders[] = "サブフォルダも検索する(&S)";
inline constexpr char kMatchCase[] = "大文字と小文字を区別する(&C)";
inline constexpr char kFindButton[] = "検索(&F)";
inline constexpr char kReplaceButton[] = "置換(&R)";
inline constexpr char kCancelButton[] = "キャンセル";
inline constexpr char kFolderDialogTitle[] = "フォルダの参照";
inline constexpr char kDefaultPatterns[] = "*.html;*.htm;*.shtml";

// The result pane.
inline constexpr char kPaneTitle[] = "検索結果";
inline constexpr char kFileColumn[] = "ファイル";
inline constexpr char kLineColumn[] = "行";
inline constexpr char kTextColumn[] = "内容";
inline constexpr char kStopButton[] = "中止";
inline constexpr char kListing[] = "ファイルを探しています...";
inline constexpr char kSearching[] = "検索中: %1 / %2 ファイル";
inline constexpr char kReplacing[] = "置換中: %1 / %2 ファイル";
inline constexpr char kFoundSummary[] = "「%1」: %2 個のファイルに %3 箇所";
inline constexpr char kNothingFound[] = "「%1」は見つかりませんでした (%2 個のファイルを検索)";
inline constexpr char kStopped[] = " (中止しました)";
inline constexpr char kListCut[] = " (一覧には最初の %1 箇所を表示)";
inline constexpr char kReplacedSummary[] = "「%1」を「%2」に置換: %3 個のファイルの %4 箇所";
inline constexpr char kSkippedSummary[] = "、%1 個のファイルはそのまま";

// Notes on files in the list.
inline constexpr char kUnreadable[] = "読み込めませんでした: %1";
inline constexpr char kTooLarge[] = "64MB を超えるため検索しませんでした";
inline constexpr char kNotClean[] = "文字コードを判別できないため置換しません";
inline constexpr char kCannotHold[] = "文字コード %1 では「%2」を表せないため置換しません";
inline constexpr char kOtherBytes[] = "書き直すと置換箇所以外のバイトが変わるため置換しません (%1)";
inline constexpr char kWriteFailed[] = "保存できませんでした: %1";
inline constexpr char kReplacedFile[] = "%1 箇所を置換しました";
inline constexpr char kReplacedOpen[] = "%1 箇所を置換しました (開いている文書。未保存)";

// Messages.
inline constexpr char kNotFound[] = "検索文字列が見つかりません";
inline constexpr char kFolderMissing[] = "フォルダ [ %1 ] が見つかりません。";
inline constexpr char kConfirmReplace[] =
    "%1 個のファイルの %2 箇所を「%3」に置換します。よろしいですか?";
inline constexpr char kConfirmSkipped[] = "\r\n\r\n次の %1 個のファイルはそのままにします:\r\n%2";
inline constexpr char kConfirmOpen[] =
    "\r\n\r\n開いている文書は文書の中で置換します (保存はしません)。";
inline constexpr char kNoneReplaceable[] =
    "置換できるファイルがありません。理由は検索結果の一覧を参照してください。";
inline constexpr char kReplaceDone[] = "%1 個のファイルの %2 箇所を置換しました。";
inline constexpr char kReplaceSkipped[] = "\r\n\r\n次のファイルは置換しませんでした:\r\n%1";
inline constexpr char kMoreFiles[] = "ほか %1 個のファイル";

}  // namespace findfiles_text
