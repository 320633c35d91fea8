#pragma once
// Named groups of file paths, kept in list files in the UsersData folder.

#include <QString>
#include <string>
#include <vector>

struct FileGroupEntry {
    std::string name;                // unique in the list, compared byte for byte
    std::vector<std::string> files;  // full paths (UTF-8), no path twice
};

class CFileGroup {
  public:
    enum class LoadStatus { Loaded, Missing, Damaged };

    int Count() const { return static_cast<int>(groups_.size()); }
    const FileGroupEntry& At(int index) const { return groups_.at(index); }
    const std::vector<FileGroupEntry>& Groups() const { return groups_; }
    bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }
    int FindGroup(const std::string& name) const;  // -1 when absent

    int AddGroup(const std::string& name);  // at the end; returns its index
    void RenameGroup(int index, const std::string& name);
    void DeleteGroup(int index);
    // Adds paths not already in the group, in order; returns how many were added.
    int AddFiles(int index, const std::vector<std::string>& paths);
    // Appends a path as it is, blank or repeated (the previous-run list keeps one line per window).
    void AppendFile(int group, const std::string& path) { groups_.at(group).files.push_back(path); }
    void BlankFile(int group, int file);
    void RemoveBlankFiles(int group);
    void Clear() { groups_.clear(); }

    // The list-file bytes, and reading them back. A damaged file gives false and an empty list.
    std::string Serialize() const;
    bool Deserialize(std::string_view bytes);

    // Load and save a file inside UsersData (fileName is e.g. "filelst.vkd").
    // Load: a missing file gives Missing and an empty list; a damaged one Damaged
    // and an empty list (the caller shows the message). Save creates UsersData
    // when missing and writes atomically; false with the reason in *error on failure.
    LoadStatus Load(const QString& fileName);
    bool Save(const QString& fileName, QString* error = nullptr) const;

  private:
    std::vector<FileGroupEntry> groups_;
};

// Name of the first group in "filelst.vkd" that holds exactly this path, or empty.
std::string FindGroupOfFile(const std::string& path);
