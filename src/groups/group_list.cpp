// Logic behind the file group commands that needs no window.

#include "groups/group_list.h"

#include <QFile>
#include <algorithm>
#include <cctype>

#include "platform/encoding.h"

namespace vesk::groups {

NameProblem CheckGroupName(const CFileGroup& list, const std::string& name) {
    if (name.empty()) {
        return NameProblem::Empty;
    }
    return list.FindGroup(name) >= 0 ? NameProblem::Taken : NameProblem::None;
}

namespace {

constexpr std::size_t kTitleWindow = 500;

std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from) {
    if (what.size() > text.size()) {
        return std::string_view::npos;
    }
    for (std::size_t i = from; i + what.size() <= text.size(); ++i) {
        bool same = true;
        for (std::size_t k = 0; k < what.size() && same; ++k) {
            same = std::toupper(static_cast<unsigned char>(text[i + k])) ==
                   static_cast<unsigned char>(what[k]);
        }
        if (same) {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::string TitleFromHead(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, std::min(bytes.size(), kTitleWindow));
    const std::size_t open = FindNoCase(head, "<TITLE>", 0);
    if (open == std::string_view::npos) {
        return {};
    }
    const std::size_t start = open + 7;
    const std::size_t close = FindNoCase(head, "</TITLE>", start);
    if (close == std::string_view::npos) {
        return {};
    }
    const std::string_view title = head.substr(start, close - start);
    // The page's own charset first; the guess only when it does not fit.
    if (auto declared = EncodingFromCharset(DeclaredCharset(head))) {
        if (auto text = DecodeAs(title, *declared)) {
            return *text;
        }
    }
    return DecodeFileBytes(title).utf8;
}

std::string ReadPageTitle(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (path.empty() || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray head = file.read(kTitleWindow);
    return TitleFromHead(std::string_view(head.constData(), static_cast<std::size_t>(head.size())));
}

std::string DisplayPath(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        if (c == '\\') {
            out += " /";
        } else {
            out += c;
        }
    }
    return out;
}

std::string GroupOfFile(const CFileGroup& list, const std::string& path) {
    for (const FileGroupEntry& group : list.Groups()) {
        if (std::find(group.files.begin(), group.files.end(), path) != group.files.end()) {
            return group.name;
        }
    }
    return {};
}

std::vector<OpenGroupDocuments> CollectOpenGroups(
    const std::vector<OpenDocumentInfo>& documents,
    const std::function<std::string(const std::string&)>& groupOf) {
    std::vector<OpenGroupDocuments> groups;
    for (int i = 0; i < static_cast<int>(documents.size()); ++i) {
        const OpenDocumentInfo& document = documents[i];
        if (document.path.empty()) {
            continue;
        }
        const std::string name = groupOf(document.path);
        if (name.empty()) {
            continue;
        }
        auto it = std::find_if(groups.begin(), groups.end(),
                               [&](const OpenGroupDocuments& g) { return g.name == name; });
        if (it == groups.end()) {
            it = groups.insert(groups.end(), OpenGroupDocuments{name, {}, 0, 0});
        }
        it->documents.push_back(i);
        ++(document.openedByGroup ? it->openedByGroup : it->openedAlone);
    }
    return groups;
}

std::vector<CloseRow> CloseRows(const std::vector<OpenGroupDocuments>& groups,
                                bool onlyGroupFiles) {
    std::vector<CloseRow> rows;
    for (int i = 0; i < static_cast<int>(groups.size()); ++i) {
        const OpenGroupDocuments& group = groups[i];
        if (!onlyGroupFiles) {
            rows.push_back({i, group.openedByGroup + group.openedAlone});
        } else if (group.openedByGroup > 0) {
            rows.push_back({i, group.openedByGroup});
        }
    }
    return rows;
}

std::vector<int> DocumentsToClose(const std::vector<OpenGroupDocuments>& groups,
                                  const std::vector<OpenDocumentInfo>& documents,
                                  const std::vector<int>& chosenGroups, bool onlyGroupFiles) {
    std::vector<int> out;
    for (int g : chosenGroups) {
        if (g < 0 || g >= static_cast<int>(groups.size())) {
            continue;
        }
        for (int d : groups[g].documents) {
            if (!onlyGroupFiles || documents.at(d).openedByGroup) {
                out.push_back(d);
            }
        }
    }
    return out;
}

}  // namespace vesk::groups
