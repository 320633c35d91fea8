// Named file groups and their list files.

#include "groups/file_group.h"

#include <QFileInfo>
#include <algorithm>
#include <unordered_set>

#include "groups/archive.h"
#include "platform/file_io.h"
#include "platform/program_folders.h"

int CFileGroup::FindGroup(const std::string& name) const {
    for (int i = 0; i < Count(); ++i) {
        if (groups_[i].name == name) {
            return i;
        }
    }
    return -1;
}

int CFileGroup::AddGroup(const std::string& name) {
    groups_.push_back(FileGroupEntry{name, {}});
    return Count() - 1;
}

void CFileGroup::RenameGroup(int index, const std::string& name) {
    if (IsValidIndex(index)) {
        groups_[index].name = name;
    }
}

void CFileGroup::DeleteGroup(int index) {
    if (IsValidIndex(index)) {
        groups_.erase(groups_.begin() + index);
    }
}

int CFileGroup::AddFiles(int index, const std::vector<std::string>& paths) {
    if (!IsValidIndex(index)) {
        return 0;
    }
    std::vector<std::string>& files = groups_[index].files;
    // A set keeps adding thousands of paths from turning quadratic.
    std::unordered_set<std::string> present(files.begin(), files.end());
    int added = 0;
    for (const std::string& path : paths) {
        if (present.insert(path).second) {
            files.push_back(path);
            ++added;
        }
    }
    return added;
}

void CFileGroup::BlankFile(int group, int file) {
    if (!IsValidIndex(group)) {
        return;
    }
    std::vector<std::string>& files = groups_[group].files;
    if (file >= 0 && file < static_cast<int>(files.size())) {
        files[file].clear();
    }
}

void CFileGroup::RemoveBlankFiles(int group) {
    if (!IsValidIndex(group)) {
        return;
    }
    std::vector<std::string>& files = groups_[group].files;
    files.erase(std::remove(files.begin(), files.end(), std::string()), files.end());
}

std::string CFileGroup::Serialize() const {
    vesk::ArchiveWriter writer;
    writer.WriteUInt32(static_cast<std::uint32_t>(groups_.size()));
    for (const FileGroupEntry& group : groups_) {
        writer.WriteString(group.name);
        writer.WriteCount(static_cast<std::uint32_t>(group.files.size()));
        for (const std::string& path : group.files) {
            writer.WriteString(path);
        }
    }
    return writer.Bytes();
}

bool CFileGroup::Deserialize(std::string_view bytes) {
    groups_.clear();
    vesk::ArchiveReader reader(bytes);
    // Read into a scratch list so that a damaged file leaves the list empty,
    // never half filled.
    std::vector<FileGroupEntry> groups;
    const auto groupCount = reader.ReadUInt32();
    if (!groupCount) {
        return false;
    }
    // Every group takes at least 3 bytes (empty name, 16-bit count) and every
    // path at least 1, so larger counts are damage. Nothing is reserved from a
    // count: the vectors grow with what is actually read.
    if (*groupCount > reader.Remaining() / 3) {
        return false;
    }
    for (std::uint32_t g = 0; g < *groupCount; ++g) {
        FileGroupEntry entry;
        auto name = reader.ReadString();
        const auto fileCount = name ? reader.ReadCount() : std::nullopt;
        if (!fileCount || *fileCount > reader.Remaining()) {
            return false;
        }
        entry.name = std::move(*name);
        for (std::uint32_t f = 0; f < *fileCount; ++f) {
            auto path = reader.ReadString();
            if (!path) {
                return false;
            }
            entry.files.push_back(std::move(*path));
        }
        groups.push_back(std::move(entry));
    }
    // The format has no trailer and we never write bytes after the list, so
    // leftovers mean the file is not what it seems.
    if (!reader.AtEnd()) {
        return false;
    }
    groups_ = std::move(groups);
    return true;
}

CFileGroup::LoadStatus CFileGroup::Load(const QString& fileName) {
    groups_.clear();
    const QString path = vesk::UsersDataFile(fileName);
    if (!QFileInfo::exists(path)) {
        return LoadStatus::Missing;
    }
    // An existing file we cannot read is reported like a damaged one, so the
    // user hears about it instead of silently getting an empty list.
    const vesk::FileReadResult read = vesk::ReadWholeFile(path);
    if (!read.ok || !Deserialize(read.bytes)) {
        return LoadStatus::Damaged;
    }
    return LoadStatus::Loaded;
}

bool CFileGroup::Save(const QString& fileName, QString* error) const {
    if (!vesk::EnsureUsersDataFolder()) {
        if (error) {
            *error = QStringLiteral("フォルダ %1 を作成できません。").arg(vesk::UsersDataFolder());
        }
        return false;
    }
    const vesk::FileWriteResult written =
        vesk::WriteFileAtomically(vesk::UsersDataFile(fileName), Serialize());
    if (!written.ok && error) {
        *error = written.error;
    }
    return written.ok;
}

std::string FindGroupOfFile(const std::string& path) {
    CFileGroup list;
    if (list.Load(QStringLiteral("filelst.vkd")) != CFileGroup::LoadStatus::Loaded) {
        return {};
    }
    for (const FileGroupEntry& group : list.Groups()) {
        if (std::find(group.files.begin(), group.files.end(), path) != group.files.end()) {
            return group.name;
        }
    }
    return {};
}
