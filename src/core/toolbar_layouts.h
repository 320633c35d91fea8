#pragma once
// The eight toolbars' fixed button sets and the user's button layouts.

#include <array>
#include <span>
#include <vector>

class ISettingsStore;

enum ToolbarId {
    kToolbarMain = 0,
    kToolbarText,
    kToolbarChar,
    kToolbarPage,
    kToolbarFrame,
    kToolbarTools,
    kToolbarWindow,
    kToolbarHtmlTools,
    kToolbarCount
};

struct ToolbarButtonEntry {
    int commandId;
    const char* name;  // display name, UTF-8, begins with one blank
};

// Entry indexes into the toolbar's button set; -1 is a separator.
using ButtonLayout = std::vector<int>;
using ButtonLayouts = std::array<ButtonLayout, kToolbarCount>;

std::span<const ToolbarButtonEntry> ToolbarButtonSet(ToolbarId bar);
const ButtonLayout& DefaultButtonLayout(ToolbarId bar);
ButtonLayouts DefaultButtonLayouts();
// The bitmap resource number of a toolbar (128, 135, ...), which also names its icons.
int ToolbarResourceId(ToolbarId bar);

// Reads the layouts from section "ToolButonSetting"; defaults where the section says so.
ButtonLayouts LoadButtonLayouts(ISettingsStore& store);
// Deletes section "ToolButonSetting" and writes every layout anew, "ButtonSettings" = 1 last.
void SaveButtonLayouts(ISettingsStore& store, const ButtonLayouts& layouts);
