#pragma once
// The settings sheet run from the application: the frame's bars handed in,
// and what OK changed applied to the bars, the active view and the panes.

class CVeskHtmlApp;

void RunSettingsCommand(CVeskHtmlApp& app);
