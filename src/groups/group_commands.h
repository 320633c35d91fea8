#pragma once
// The file group commands: open groups, edit groups, close groups. They act on
// the application's open documents through a small host interface.

#include <QString>
#include <QStringList>
#include <functional>
#include <span>
#include <vector>

#include "core/command_table.h"
#include "groups/file_group.h"

class CCommandTarget;
class QWidget;

namespace vesk::groups {

constexpr int kOpenGroupsCommand = 32834;
constexpr int kEditGroupsCommand = 32835;
constexpr int kCloseGroupsCommand = 32894;

// Labels, shortcut and status texts of the three commands, for the command table.
std::span<const CommandInfo> FileGroupCommandInfos();

inline constexpr char kListFailed[] = "ドキュメントリストの処理に失敗しました。";
QString CannotOpenQuestion(const QString& path, const QString& group);

// An open HTML document that has a path.
struct GroupDocument {
    QString path;
    bool openedByGroup = false;  // opened through a group
    // The save-if-modified prompt, then closing; false when the user cancelled.
    std::function<bool()> close;
};

struct GroupHost {
    // The open HTML documents that have a path, in window order.
    std::function<std::vector<GroupDocument>()> documents;
    // Opens the file the normal way (activates it when open already) and marks
    // the document as opened by a group. Shows no message of its own; false
    // when the file could not be opened.
    std::function<bool(const QString&)> openFile;
    // Whether any document is open (enables "close groups").
    std::function<bool()> anyDocumentOpen;
    // Owner of the dialogs and message boxes; may return nullptr.
    std::function<QWidget*()> parent;
};

// Opens every file of the group; files that cannot be opened may be removed
// from the group (the question decides). False for an invalid index.
bool OpenGroup(CFileGroup& list, int index, const GroupHost& host);

void RunOpenGroups(const GroupHost& host);
void RunEditGroups(const GroupHost& host);
void RunCloseGroups(const GroupHost& host);

// Adds the three commands, with the update handler of "close groups".
void RegisterFileGroupCommands(CCommandTarget& target, GroupHost host);

}  // namespace vesk::groups
