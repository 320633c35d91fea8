#include "app/command_table.h"

#include <algorithm>

#include "app/command_ids.h"

namespace {

// clang-format off
const CommandInfo kCommands[] = {
    {cmd::kFileNew, "新規作成 (&N)\tCtrl + N", "Ctrl+N", "新しいファイルを作成します"},
    {cmd::kFileOpen, "開く (&O)...\tCtrl + O", "Ctrl+O", "既存のファイルを開きます"},
    {cmd::kFileClose, "閉じる (&C)", "", "作業中のファイルを閉じます"},
    {cmd::kFileSave, "上書き保存 (&S)\tCtrl + S", "Ctrl+S", "作業中のファイルを上書きして保存します"},
    {cmd::kFileSaveAs, "名前を付けて保存 (&A)...", "", "作業中のファイルを新しい名前で保存します"},
    {cmd::kSaveAll, "すべて保存 (&L)", "", "開いているすべてのファイルを保存します"},
    {cmd::kCloseAll, "すべて閉じる (&K)", "", "開いているすべてのファイルを閉じます"},
    {cmd::kAppExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了 (&X)", "", "VeskHtml を終了します"},
    {cmd::kAppAbout, "ﾊﾞｰｼﾞｮﾝ情報 (&A)...", "", "プログラムのバージョン情報を表示します"},
    {cmd::kHelp, "VeskHtmlヘルプ (&H)", "F1", "VeskHtml のヘルプを表示します"},
    {cmd::kReadMe, "ReadMeファイルを読む (&R)", "", "ReadMe ファイルを開きます"},
    {cmd::kFilePrint, "印刷 (&P)...\tCtrl + P", "Ctrl+P", "作業中のファイルを印刷します"},
    {cmd::kFilePrintSetup, "ﾌﾟﾘﾝﾀの設定 (&R)...", "", "プリンタと印刷オプションを設定します"},
    {cmd::kEditUndo, "元に戻す (&U)\tCtrl + Z", "Ctrl+Z;Alt+Backspace", "直前の操作を元に戻します"},
    {cmd::kEditRedo, "やり直す (&R)\tCtrl + Y", "Ctrl+Y", "元に戻した操作をやり直します"},
    {cmd::kRedraw, "再描画 (&R)", "", "コードの色分けをやり直します"},
    {cmd::kFind, "検索 (&F)...\tCtrl + F", "Ctrl+F", "文字列を検索します"},
    {cmd::kReplace, "置換 (&E)...\tCtrl + H", "Ctrl+H", "文字列を置換します"},
    {cmd::kEditCut, "切り取り (&T)\tCtrl + X", "Ctrl+X;Shift+Del", "選択範囲を切り取ってクリップボードに移します"},
    {cmd::kEditCopy, "ｺﾋﾟｰ (&C)\tCtrl + C", "Ctrl+C;Ctrl+Ins", "選択範囲をクリップボードにコピーします"},
    {cmd::kEditPaste, "貼り付け (&P)\tCtrl + V", "Ctrl+V;Shift+Ins", "クリップボードの内容を貼り付けます"},
    {cmd::kEditClear, "選択範囲を削除 (&D)\tDel", "", "選択範囲を削除します"},
    {cmd::kEditSelectAll, "すべて選択 (&A)\tCtrl + A", "Ctrl+A", "文書全体を選択します"},
    {cmd::kWindowCascade, "重ねて表示 (&C)", "", "ウィンドウを重ねて表示します"},
    {cmd::kWindowTile, "並べて表示 (&T)", "", "ウィンドウを並べて表示します"},
    {cmd::kReloadUtf8, "UTF-8", "", "UTF-8 として開き直します"},
    {cmd::kReloadShiftJis, "Shift-JIS", "", "Shift-JIS として開き直します"},
    {cmd::kReloadEucJp, "EUC-JP", "", "EUC-JP として開き直します"},
    {cmd::kReloadIso2022Jp, "ISO-2022-JP (JIS)", "", "ISO-2022-JP として開き直します"},
    {cmd::kSaveUtf8, "UTF-8", "", "UTF-8 で保存します"},
    {cmd::kSaveShiftJis, "Shift-JIS", "", "Shift-JIS で保存します"},
    {cmd::kSaveEucJp, "EUC-JP", "", "EUC-JP で保存します"},
    {cmd::kSaveIso2022Jp, "ISO-2022-JP (JIS)", "", "ISO-2022-JP で保存します"},
};
// clang-format on

}  // namespace

std::span<const CommandInfo> CommandTable() {
    return kCommands;
}

const CommandInfo* FindCommandInfo(int id) {
    auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                           [id](const CommandInfo& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}
