#pragma once
// Folders of the program: its own folder and "UsersData", where the list files live.

#include <QString>

namespace vesk {

// The folder of the executable.
QString ProgramFolder();

// "UsersData": the environment variable VESKHTML_DATA_DIR when set (tests use it);
// else "UsersData" beside the executable when that folder can be written;
// else "UsersData" in the per-user data folder. Not created here.
QString UsersDataFolder();

// Full path of a file inside UsersData.
QString UsersDataFile(const QString& name);

// Creates UsersData when missing; false when it cannot be created.
bool EnsureUsersDataFolder();

}  // namespace vesk
