#pragma once
// The one table of commands: menu label, shortcut and status-bar text per id.

#include <span>

struct CommandInfo {
    int id;
    const char* label;       // menu label, UTF-8; a tab separates the shown shortcut text
    const char* shortcut;    // key sequences in Qt's portable form separated by ";", "" for none
    const char* statusText;  // status-bar prompt, "" for none
};

std::span<const CommandInfo> CommandTable();
// nullptr when the id is not in the table.
const CommandInfo* FindCommandInfo(int id);
