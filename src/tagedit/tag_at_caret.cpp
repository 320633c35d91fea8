#include "tagedit/tag_at_caret.h"

#include <algorithm>
#include <utility>

#include "editor/veskhtml_view.h"
#include "tagedit/tag_scanner.h"

void RefreshTagAtCaret(CVeskHtmlView& view) {
    int start = 0;
    int end = 0;
    view.Control().GetSel(start, end);
    vesk::TagAtCaret tag =
        vesk::FindTagAtCaret(view.Control().SplitTextView(), std::min(start, end));
    CaretRecord& record = view.tagAtCaret_;
    record.text = std::move(tag.text);
    record.start = tag.start;
    record.end = tag.end;
    record.kind = tag.kind;
}
