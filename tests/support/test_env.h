#pragma once
// Per-process test environment: a temporary settings location and UsersData folder.

#include <QString>

namespace vesk::test {

// The temporary folder of this test process (removed at exit).
QString TempRoot();
// A fresh empty folder inside TempRoot.
QString MakeTempDir();
// Writes bytes to a file, creating folders; returns the path.
QString WriteTestFile(const QString& path, const std::string& bytes);
std::string ReadTestFile(const QString& path);
// Forgets every stored setting (the temporary store is emptied).
void ClearSettings();

}  // namespace vesk::test
