#pragma once
// Loading the program's list files with a message when one is damaged.

#include <QString>

#include "groups/file_group.h"

// Loads a list file of UsersData; a damaged file is reported and gives an empty list.
CFileGroup::LoadStatus LoadListFile(CFileGroup& list, const QString& fileName);
