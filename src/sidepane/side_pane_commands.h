#pragma once
// The view's commands that show its document, or the link at its caret, in
// the side pane.

#include <functional>

class CAppSettings;
class CVeskHtmlView;
class CVeskViewPane;

// pane gives the side pane (nullptr while there is none).
void InstallSidePaneCommands(CVeskHtmlView& view, CAppSettings& settings,
                             std::function<CVeskViewPane*()> pane);
