#pragma once
// The view command that converts the selection, or the whole document when
// nothing is selected, to plain text.

class CAppSettings;
class CVeskHtmlView;

// Registers the command (cmd::kToPlainText) and its update handler on the view.
void InstallPlainTextCommand(CVeskHtmlView& view, CAppSettings& settings);
