#pragma once
// Preview in an external browser, opening the file a link at the caret points
// to (desktop application, favourite application, or the editor itself), and
// the file manager.

#include <QString>
#include <functional>

class CAppSettings;
class CVeskHtmlView;

namespace ext_text {

inline const char kCaption[] = "VeskHtml";
inline const char kErrorCaption[] = "エラー";
inline const char kWorkFileName[] = "VeskHtml_tmp.html";
inline QString WorkFileInTheWay(const QString& folder) {
    return "ファイル [ VeskHtml_tmp.html ] が [ " + folder +
           " ] に\r\nすでに存在するため、作業ファイルを作成できません。\r\n"
           "このファイルを別のフォルダに移動するか、削除する必要があります。\r\n"
           "ここでこのファイルをごみ箱に移動しますか?";
}
inline const char kCannotDelete[] = "ファイルを削除できませんでした。";
inline const char kBrowserNotFound[] =
    "ブラウザが見つかりません。\r\nブラウザのパスが正しく設定されているか確認してください。";
inline QString LinkTargetMissing(const QString& path) {
    return "ファイル　\"" + path +
           "\"　が見つかりません。\r\nファイルのリンクが通っていないか、"
           "パスが間違っている可能性があります。";
}
inline const char kApplicationNotFound[] =
    "アプリケーションが見つかりません。\r\n外部アプリケーションの設定を確認して下さい。";
inline const char kCannotStartFileManager[] = "エクスプローラーを起動できません";

}  // namespace ext_text

// The folder the preview work file of a document goes to, ending in "/": the
// document's folder, or for an untitled document the program's folder (the
// per-user data folder when the program's folder cannot be written).
QString PreviewWorkFolder(const QString& documentPath);

// Writes the view's text, encoded as a save would, to "VeskHtml_tmp.html" in the
// work folder, first deleting the previous work file recorded in the settings.
// Returns the work file's path, or empty when none was written (the user kept a
// foreign file of that name, or the write failed; the user has been told).
QString WritePreviewWorkFile(CVeskHtmlView& view, CAppSettings& settings);

// Writes the work file and opens it with the browser program.
void PreviewInBrowser(CVeskHtmlView& view, CAppSettings& settings, const QString& browser);

// The file the link at the caret points to (without its anchor, taken against
// the document's folder); empty after telling the user that it does not exist.
QString LinkTargetPath(const CVeskHtmlView& view);

// Gives the view the preview, link-opening and file-manager commands.
// openInEditor opens a path as a document.
void InstallExternalAppCommands(CVeskHtmlView& view, CAppSettings& settings,
                                std::function<void(const QString&)> openInEditor);
