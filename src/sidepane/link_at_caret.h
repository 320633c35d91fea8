#pragma once
// The view's record of the link at the caret.

class CVeskHtmlView;

// Fills view.linkAtCaret_ from view.tagAtCaret_ (refreshed first) and the start
// of the selection: the SRC, HREF or BACKGROUND value the caret stands in, its
// document offsets (first and last byte) and its link kind; kind -2 and an
// empty text when there is none.
void RefreshLinkAtCaret(CVeskHtmlView& view);
