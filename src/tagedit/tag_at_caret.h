#pragma once
// The view's record of the tag at the caret.

class CVeskHtmlView;

// Fills view.tagAtCaret_ with the tag around the start of the selection, its
// range and its kind (kind -2 and an empty text when the caret is in no tag).
void RefreshTagAtCaret(CVeskHtmlView& view);
