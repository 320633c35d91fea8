#pragma once
// Edit tag (F5): the tag at the caret reopened in the dialog that writes it,
// prefilled from its attributes, and rewritten from what the dialog gives.
// Attributes no dialog knows stay in the tag.

class CVeskHtmlView;

namespace vesk {

// Runs on the view's tag at the caret; false when nothing was written (a
// message, a cancelled dialog, or a tag that leads nowhere).
bool EditTag(CVeskHtmlView& view);

// Command 32893 with its update handler: enabled on a recognised tag.
void InstallEditTagCommand(CVeskHtmlView& view);

}  // namespace vesk
