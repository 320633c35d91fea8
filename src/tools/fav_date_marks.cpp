// The favourite date formats and their list file.

#include "tools/fav_date_marks.h"

#include <QFileInfo>
#include <algorithm>

#include "groups/archive.h"
#include "platform/file_io.h"
#include "platform/program_folders.h"

const char CFavDateMarks::kFileName[] = "favdmarks.vkd";

namespace {

template <typename T>
int AddUnique(std::vector<T>& list, const T& value) {
    const auto found = std::find(list.begin(), list.end(), value);
    if (found != list.end())
        return static_cast<int>(found - list.begin());
    list.push_back(value);
    return static_cast<int>(list.size()) - 1;
}

template <typename T>
void RemoveAt(std::vector<T>& list, int index) {
    if (index >= 0 && index < static_cast<int>(list.size()))
        list.erase(list.begin() + index);
}

}  // namespace

int CFavDateMarks::AddCode(std::uint32_t code) {
    return AddUnique(codes_, code);
}

int CFavDateMarks::AddFormat(const std::string& format) {
    return AddUnique(formats_, format);
}

void CFavDateMarks::RemoveCode(int index) {
    RemoveAt(codes_, index);
}

void CFavDateMarks::RemoveFormat(int index) {
    RemoveAt(formats_, index);
}

void CFavDateMarks::Clear() {
    codes_.clear();
    formats_.clear();
}

std::string CFavDateMarks::Serialize() const {
    vesk::ArchiveWriter writer;
    writer.WriteCount(static_cast<std::uint32_t>(codes_.size()));
    for (std::uint32_t code : codes_) writer.WriteUInt32(code);
    writer.WriteCount(static_cast<std::uint32_t>(formats_.size()));
    for (const std::string& format : formats_) writer.WriteString(format);
    return writer.Bytes();
}

bool CFavDateMarks::Deserialize(std::string_view bytes) {
    Clear();
    vesk::ArchiveReader reader(bytes);
    // Read into scratch lists so that a damaged file leaves nothing half filled.
    CFavDateMarks read;
    // Counts are checked against what is left before looping, so a damaged
    // count cannot make us loop billions of times.
    const auto codeCount = reader.ReadCount();
    if (!codeCount || *codeCount > reader.Remaining() / 4)
        return false;
    for (std::uint32_t i = 0; i < *codeCount; ++i) {
        const auto code = reader.ReadUInt32();
        if (!code)
            return false;
        read.AddCode(*code);
    }
    const auto formatCount = reader.ReadCount();
    if (!formatCount || *formatCount > reader.Remaining())
        return false;
    for (std::uint32_t i = 0; i < *formatCount; ++i) {
        const auto format = reader.ReadString();
        if (!format)
            return false;
        read.AddFormat(*format);
    }
    // We never write anything behind the lists.
    if (!reader.AtEnd())
        return false;
    *this = std::move(read);
    return true;
}

CFavDateMarks::LoadStatus CFavDateMarks::Load() {
    Clear();
    const QString path = vesk::UsersDataFile(QString::fromLatin1(kFileName));
    if (!QFileInfo::exists(path))
        return LoadStatus::Missing;
    const vesk::FileReadResult file = vesk::ReadWholeFile(path);
    if (!file.ok || !Deserialize(file.bytes))
        return LoadStatus::Damaged;
    return LoadStatus::Loaded;
}

bool CFavDateMarks::Save(QString* error) const {
    if (!vesk::EnsureUsersDataFolder()) {
        if (error)
            *error = QStringLiteral("フォルダ %1 を作成できません。").arg(vesk::UsersDataFolder());
        return false;
    }
    const vesk::FileWriteResult written =
        vesk::WriteFileAtomically(vesk::UsersDataFile(QString::fromLatin1(kFileName)), Serialize());
    if (!written.ok && error)
        *error = written.error;
    return written.ok;
}
