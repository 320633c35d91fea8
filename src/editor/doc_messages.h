#pragma once
// Texts the document shows the user.

#include <QString>

namespace doc_text {

inline const char kCaption[] = "VeskHtml";
inline const char kOpenDialogFilter[] =
    "HTMLファイル(*.htm* *.shtm*)|*.htm*;*.shtm*|すべてのファイル(*.*)|*.*||";
inline const char kSaveDialogFilter[] =
    "HTMLファイル(*.htm* *.shtm*)|*.htm*;*.shtm*|テキストファイル(*.txt)|*.txt|"
    "すべてのファイル(*.*)|*.*||";

inline QString CannotOpen(const QString& path) {
    return "ファイル [ " + path + " ] を開く事ができませんでした。";
}
inline QString AlreadyExists(const QString& name) {
    return "ファイル [ " + name + " ] は、すでに存在します。\r\n上書きしますか？";
}
inline QString CannotSave(const QString& path, const QString& reason) {
    return "ファイル [ " + path + " ] を保存できませんでした。\r\n" + reason;
}
inline QString CannotEncode(const QString& character, const QString& encoding) {
    return "文字 [ " + character + " ] は " + encoding +
           " では保存できません。\r\nUTF-8 で保存しますか?";
}
inline QString SaveChanges(const QString& title) {
    return title + " への変更を保存しますか?";
}
inline QString GuessedEncoding(const QString& path) {
    return "ファイル [ " + path +
           " ] の文字コードを判別できませんでした。\r\nバイト列をそのまま Windows-1252 (Latin-1) "
           "として開きます。";
}
inline QString CannotDecode(const QString& encoding) {
    return "このファイルは " + encoding + " として読み込めません。";
}
inline QString RewriteDeclaration(const QString& declared, const QString& label) {
    return "文書の META タグは文字コードを [ " + declared + " ] と宣言しています。\r\n[ " + label +
           " ] に書き換えてから保存しますか?\r\n(書き換えないと、ブラウザは保存した文字コードとは"
           "違う文字コードで読みます)";
}
inline const char kReloadLosesEdits[] =
    "ファイルを開き直すと、編集中の変更は失われます。\r\nよろしいですか?";

}  // namespace doc_text
