#pragma once
// The user-visible texts of the side pane (VeskView), in one place.

#include <QString>

namespace veskview_text {

// Pane and tabs.
inline constexpr char kPaneTitle[] = "VeskView";
inline constexpr char kFileBrowserTab[] = "ﾌｧｲﾙﾌﾞﾗｳｻﾞ";
inline constexpr char kLinkBrowserTab[] = "ﾘﾝｸﾌﾞﾗｳｻﾞ";

// File browser filters, in the order of their index.
inline constexpr char kFilterHtml[] = "HTMLファイル ( htm html shtm shtml )";
inline constexpr char kFilterImages[] = "画像ファイル ( jpg jpeg png gif )";
inline constexpr char kFilterHtmlAndImages[] =
    "HTML + 画像ファイル ( htm html shtm shtml jpg jpeg png gif )";
inline constexpr char kFilterAll[] = "すべてのファイル";

// Context menu of the file browser.
inline constexpr char kOpenInEditor[] = "VeskHtmlで開く (&O)";
inline constexpr char kOpenWithApplication[] = "ｱﾌﾟﾘｹｰｼｮﾝで開く (&A)";
inline constexpr char kOpenWithFavourite[] = "お気に入りで開く (&F)";
inline constexpr char kInsertImage[] = "画像の挿入... (&I)";
inline constexpr char kInsertLink[] = "リンクを挿入... (&L)";
inline constexpr char kGetRelativePath[] = "相対パスの取得... (&P)";
inline constexpr char kRefresh[] = "最新の情報に更新 (&R)";
inline constexpr char kShowCurrentDocument[] = "現在の文書を表示 (&D)";
inline constexpr char kFileOperations[] = "ファイル操作 (&H)";
inline constexpr char kCopy[] = "コピー (&C)";
inline constexpr char kCut[] = "切り取り (&T)";
inline constexpr char kPaste[] = "貼り付け (&P)";
inline constexpr char kDelete[] = "削除 (&D)";
inline constexpr char kRename[] = "名前の変更 (&M)";
inline constexpr char kNewFolder[] = "新規フォルダ (&F)";

// Context menu of the link browser (with kOpenInEditor, kOpenWithApplication,
// kOpenWithFavourite and kRefresh).
inline constexpr char kShowLinkPosition[] = "ﾘﾝｸ位置の表示 (&J)";

// Link groups.
inline constexpr char kInlineGroup[] = "インラインデータ";
inline constexpr char kAnchorGroup[] = "文書内リンク";
inline constexpr char kInternalGroup[] = "内部リンク";
inline constexpr char kExternalGroup[] = "外部リンク";
inline constexpr char kMailGroup[] = "Eメール";

// The relative-path dialog.
inline constexpr char kPathCopyTitle[] = "相対パスの取得";
inline constexpr char kPathCopyGroup[] = "この文字列をクリップボードにコピーします";
inline constexpr char kPathOnly[] = "相対パスのみ(&N)";
inline constexpr char kPathAndSize[] = "相対パスと画像サイズ(&S)";

// Messages and their captions.
inline constexpr char kCaption[] = "VeskHtml";
inline constexpr char kErrorCaption[] = "エラー";
inline constexpr char kLinkMismatchCaption[] = "Vesk Html";
inline constexpr char kFavouriteNotFound[] =
    "アプリケーションが見つかりません。\r\nパスが正しく設定されているか確認してください。";
inline constexpr char kApplicationNotFound[] =
    "アプリケーションが見つかりません。\r\n外部アプリケーションの設定を確認して下さい。";
inline constexpr char kClipboardFailed[] =
    "クリップボードの処理に失敗しました\r\nもう一度操作をやり直してみて下さい。";
inline constexpr char kCannotCopy[] = "ファイルをコピーできませんでした";
inline constexpr char kCannotMove[] = "ファイルを移動できませんでした";
inline constexpr char kCannotDelete[] = "ファイルを削除できませんでした";
inline constexpr char kCannotRename[] = "ファイル名を変更できませんでした";
inline constexpr char kCannotCreateFolder[] = "フォルダを作成できませんでした";
inline constexpr char kNewFolderName[] = "新しいフォルダ";
inline constexpr char kLinkMismatch[] =
    "リンク内容が一致しないため、リンク元を表示できません。\r\n[最新の情報に更新]"
    "コマンドを実行して、もう一度やり直してみて下さい";
inline QString LinkTargetMissing(const QString& path) {
    return QString::fromUtf8("ファイル　\"") + path +
           QString::fromUtf8(
               "\"　が見つかりません。\r\nファイルのリンクが通っていないか、パスが間違っている可能"
               "性があります。");
}

// Asked before a copy or move replaces what is already at its destination,
// and before a file goes to the trash.
inline QString ReplaceQuestion(const QString& name) {
    return QString::fromUtf8("「") + name +
           QString::fromUtf8("」は既に存在します。\n置き換えますか?");
}
inline QString TrashQuestion(const QString& name) {
    return QString::fromUtf8("「") + name + QString::fromUtf8("」をごみ箱に移動しますか?");
}

}  // namespace veskview_text
