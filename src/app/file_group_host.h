#pragma once
// What the file-group commands need of the application: its documents, and
// opening and closing them.

#include "groups/group_commands.h"

class CVeskHtmlApp;

vesk::groups::GroupHost MakeGroupHost(CVeskHtmlApp& app);
