#pragma once
// A map editor run reaching the document: the new-map command and the entry
// point Edit tag uses for an image with USEMAP, a MAP or an AREA.

#include <functional>
#include <optional>
#include <string_view>

#include "mapedit/map_data.h"

class CVeskHtmlView;

namespace vesk {

namespace map_texts {
inline constexpr char kDuplicateNameMessage[] =
    "マップの名前(USEMAP=/NAME=)が複数のマップで重複している為、編集作業を続行できません。\r\n"
    "マップの名前がそれぞれ重複しないように設定してください。";
inline constexpr char kSyntaxErrorMessage[] =
    "編集対象のタグに構文エラーがあるため、編集作業を続行できません。\r\n"
    "記述を修正してから編集を実行してください。";
}  // namespace map_texts

// Opens the map editor on a pair (nullptr: a new map) and gives what it made,
// or nothing when it was cancelled. The editor window installs itself here.
using MapEditorRunner =
    std::function<std::optional<CMapData>(CVeskHtmlView& view, MapImagePair* pair)>;
void SetMapEditorRunner(MapEditorRunner runner);

// The texts of a confirmed editor into the document, one undo step each.
void WriteNewMap(CVeskHtmlView& view, const CMapData& data);
void WriteExistingMap(CVeskHtmlView& view, const CMapData& data);

// The new-map command: "クリッカブルマップ <MAP><AREA> (&M)...".
inline constexpr int kNewMapCommand = 32873;

// Command 32873: the editor on a new map.
void InsertNewMap(CVeskHtmlView& view);
// The editor on the map of that name; false after a message or a cancel.
bool EditMapOfImage(CVeskHtmlView& view, std::string_view name);

// Gives the view the new-map command.
void InstallMapCommands(CVeskHtmlView& view);

}  // namespace vesk
