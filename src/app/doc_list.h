#pragma once
// Lines of the document list bar.

#include <string>
#include <string_view>

#include "core/app_settings.h"  // the DoclistbarItems bits

// The line of one document: its path with every backslash shown as " /",
// then "  [ group ] " and " -title-" as the items setting asks.
std::string FormatDocumentLine(std::string_view shownPath, std::string_view pageTitle,
                               std::string_view groupName, int items);

// The text between the first "<TITLE>" and the first "</TITLE>" after it, in
// any letter case; empty when either is missing.
std::string PageTitleOf(std::string_view text);
