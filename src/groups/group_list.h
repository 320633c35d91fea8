#pragma once
// Logic behind the file group commands that needs no window: group names,
// page titles of listed files, and which open documents belong to which group.

#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "groups/file_group.h"

namespace vesk::groups {

// The list file of the file groups, in UsersData.
inline const QString kGroupListFile = QStringLiteral("filelst.vkd");

enum class NameProblem { None, Empty, Taken };
// A new or changed group name must be non-empty and differ from every name in
// the list, the group being renamed included.
NameProblem CheckGroupName(const CFileGroup& list, const std::string& name);

// The title between <TITLE> and </TITLE> (any case) in the first 500 bytes of
// a page, decoded to UTF-8; empty when there is none.
std::string TitleFromHead(std::string_view bytes);
// The same, read from the file; empty when it cannot be read.
std::string ReadPageTitle(const std::string& path);
// How a path shows in the lists: every backslash becomes " /".
std::string DisplayPath(std::string_view path);

// The first group of the list (in order) holding exactly this path, or empty.
std::string GroupOfFile(const CFileGroup& list, const std::string& path);

// An open document as the close command sees it.
struct OpenDocumentInfo {
    std::string path;
    bool openedByGroup = false;
};

// The open documents of one group, in the order they were met.
struct OpenGroupDocuments {
    std::string name;
    std::vector<int> documents;  // indexes into the document list
    int openedByGroup = 0;
    int openedAlone = 0;
};

// Groups of the open documents in the order first met; documents without a
// group are left out.
std::vector<OpenGroupDocuments> CollectOpenGroups(
    const std::vector<OpenDocumentInfo>& documents,
    const std::function<std::string(const std::string&)>& groupOf);

struct CloseRow {
    int group;  // index into the collected groups
    int count;  // open files shown
};
// Every group with all its documents; or, when only group-opened files are to
// be closed, the groups having some, with their number.
std::vector<CloseRow> CloseRows(const std::vector<OpenGroupDocuments>& groups, bool onlyGroupFiles);
// The documents to close for the chosen groups, in order.
std::vector<int> DocumentsToClose(const std::vector<OpenGroupDocuments>& groups,
                                  const std::vector<OpenDocumentInfo>& documents,
                                  const std::vector<int>& chosenGroups, bool onlyGroupFiles);

}  // namespace vesk::groups
