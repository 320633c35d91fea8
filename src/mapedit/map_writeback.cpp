#include "mapedit/map_writeback.h"

#include <QString>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "editor/text_control.h"
#include "editor/undo_journal.h"
#include "editor/veskhtml_view.h"
#include "platform/message_seam.h"
#include "tools/conversions.h"

namespace vesk {

namespace {

MapEditorRunner& RunnerSlot() {
    static MapEditorRunner runner;
    return runner;
}

std::optional<CMapData> RunEditor(CVeskHtmlView& view, MapImagePair* pair) {
    if (!RunnerSlot())
        return std::nullopt;
    return RunnerSlot()(view, pair);
}

int Length(std::string_view text) {
    return static_cast<int>(text.size());
}

void ShowMapMessage(CVeskHtmlView& view, const char* text) {
    ShowMessage(QString::fromUtf8(text), QStringLiteral("VeskHtml"), MsgIcon::Exclamation,
                MsgButtons::Ok, &view);
}

// The selection is not shown while the editor is open; every way out shows it again.
class SelectionHidden {
  public:
    explicit SelectionHidden(CTextControl& control) : control_(control) {
        control_.HideSelection(true);
    }
    ~SelectionHidden() { control_.HideSelection(false); }
    SelectionHidden(const SelectionHidden&) = delete;
    SelectionHidden& operator=(const SelectionHidden&) = delete;

  private:
    CTextControl& control_;
};

}  // namespace

void SetMapEditorRunner(MapEditorRunner runner) {
    RunnerSlot() = std::move(runner);
}

void WriteNewMap(CVeskHtmlView& view, const CMapData& data) {
    const std::string text = ApplyTagCaseSetting(BuildImgTag(data) + "\r\n" + BuildMapText(data),
                                                 view.Snapshot().sizeLower);
    // Behind the selection, which stays in the text; the caret behind the map.
    view.InsertBehindSelection(text, Length(text));
}

void WriteExistingMap(CVeskHtmlView& view, const CMapData& data) {
    CTextControl& control = view.Control();
    std::vector<MapTextChange> changes = ExistingMapChanges(data, control.WholeTextView());
    if (changes.empty())
        return;
    CTextControl::FreezePainting freeze(control);
    const int sizeLower = view.Snapshot().sizeLower;
    for (MapTextChange& change : changes) change.text = ApplyTagCaseSetting(change.text, sizeLower);

    // Both replacements lie inside this stretch, so undo takes them back as one step.
    control.SetSel(changes.front().start, changes.back().end);
    view.Journal().RememberState(true);

    // The later change first: it moves nothing in front of it.
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        control.SetSel(change->start, change->end);
        control.ReplaceSel(change->text);
        const int length = Length(change->text);
        view.ColourRange(control.WholeTextView().substr(change->start, length), change->start,
                         change->start + length);
    }
    const int caret = changes.front().start + Length(changes.front().text);
    control.SetSel(caret, caret);
    view.SetTextStyleAtCaret();
    view.Journal().AddStep(0, kUndoTagRewrite, false);
    emit view.StatusChanged();
}

void InsertNewMap(CVeskHtmlView& view) {
    if (std::optional<CMapData> data = RunEditor(view, nullptr))
        WriteNewMap(view, *data);
}

bool EditMapOfImage(CVeskHtmlView& view, std::string_view name) {
    CTextControl& control = view.Control();
    SelectionHidden hidden(control);

    const std::string text = view.GetAllText();
    int selStart = 0;
    int selEnd = 0;
    control.GetSel(selStart, selEnd);
    if (selStart > selEnd)
        std::swap(selStart, selEnd);
    std::vector<MapImagePair> pairs = ReadImageMaps(text);

    auto named = [name](const MapImagePair& pair) { return pair.name == name; };
    const auto found = std::find_if(pairs.begin(), pairs.end(), named);
    if (found == pairs.end()) {
        ShowMapMessage(view, map_texts::kSyntaxErrorMessage);
        return false;
    }
    if (std::count_if(pairs.begin(), pairs.end(), named) > 1) {
        ShowMapMessage(view, map_texts::kDuplicateNameMessage);
        return false;
    }
    MapImagePair pair = std::move(*found);
    const bool insideImage = selStart > pair.imageStart && selEnd < pair.imageEnd;
    const bool insideMap = selStart > pair.mapStart && selEnd < pair.mapEnd;
    // An image and a MAP that share text cannot be rewritten one beside the other.
    if ((!insideImage && !insideMap) || !PairCanBeRewritten(pair)) {
        ShowMapMessage(view, map_texts::kSyntaxErrorMessage);
        return false;
    }

    {
        CTextControl::FreezePainting freeze(control);
        control.SetSel(std::min(pair.imageStart, pair.mapStart),
                       std::max(pair.imageEnd, pair.mapEnd));
        view.Journal().RememberState(true);
        control.SetSel(pair.mapStart, pair.mapStart);
    }

    std::optional<CMapData> data = RunEditor(view, &pair);
    if (!data) {
        // Only the caret moved.
        view.Journal().AddStep(0, kUndoNoChange, false);
        return false;
    }
    // The places to rewrite are those the pair was read from.
    data->existing = true;
    data->imageStart = pair.imageStart;
    data->imageEnd = pair.imageEnd;
    data->mapStart = pair.mapStart;
    data->mapEnd = pair.mapEnd;
    data->mapTagEnd = pair.mapTagEnd;
    WriteExistingMap(view, *data);
    return true;
}

void InstallMapCommands(CVeskHtmlView& view) {
    view.AddCommand(kNewMapCommand, [&view] { InsertNewMap(view); });
}

}  // namespace vesk
