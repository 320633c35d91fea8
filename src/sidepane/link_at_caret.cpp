#include "sidepane/link_at_caret.h"

#include <algorithm>
#include <utility>

#include "editor/veskhtml_view.h"
#include "sidepane/links.h"
#include "tagedit/tag_scanner.h"

void RefreshLinkAtCaret(CVeskHtmlView& view) {
    CaretRecord& record = view.linkAtCaret_;
    const CaretRecord& tag = view.tagAtCaret_;
    if (tag.kind == vesk::kKindNoTag) {
        record = CaretRecord{};
        return;
    }
    int start = 0;
    int end = 0;
    view.Control().GetSel(start, end);
    vesk::LinkAtCaretResult link = vesk::LinkAtCaret(tag.text, tag.start, std::min(start, end));
    record.text = std::move(link.value);
    record.start = link.start;
    record.end = link.end;
    record.kind = link.kind;
}
