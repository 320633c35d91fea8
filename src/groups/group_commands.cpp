// The file group commands.

#include "groups/group_commands.h"

#include "core/command_target.h"
#include "groups/group_dialogs.h"
#include "groups/group_list.h"
#include "platform/dialog_seam.h"
#include "platform/message_seam.h"
#include "platform/settings_store.h"

namespace vesk::groups {

namespace {

// clang-format off
const CommandInfo kGroupCommands[] = {
    {kOpenGroupsCommand, "開く (&O)... \tCtrl+G", "Ctrl+G", "ファイルグループを一括して開く\nファイルグループを開く"},
    {kEditGroupsCommand, "設定 (&E)...", "", "ファイルグループの設定\nファイルグループの設定"},
    {kCloseGroupsCommand, "閉じる (&C)...", "", "ファイルグループを一括して閉じる\nファイルグループを閉じる"},
};
// clang-format on

QWidget* ParentOf(const GroupHost& host) {
    return host.parent ? host.parent() : nullptr;
}

QStringList OpenPaths(const GroupHost& host) {
    QStringList paths;
    if (host.documents) {
        for (const GroupDocument& document : host.documents()) {
            if (!document.path.isEmpty()) {
                paths << document.path;
            }
        }
    }
    return paths;
}

std::function<QStringList()> OpenPathsOf(const GroupHost& host) {
    return [host] { return OpenPaths(host); };
}

void OpenOrReport(CFileGroup& list, int index, const GroupHost& host) {
    if (!OpenGroup(list, index, host)) {
        ShowMessage(QString::fromUtf8(kListFailed), group_texts::kCaption, MsgIcon::Error,
                    MsgButtons::Ok, ParentOf(host));
    }
}

}  // namespace

std::span<const CommandInfo> FileGroupCommandInfos() {
    return kGroupCommands;
}

QString CannotOpenQuestion(const QString& path, const QString& group) {
    return QStringLiteral("ファイル [ ") + path +
           QStringLiteral(" ] を開く事ができませんでした。\r\nこのファイルの登録をグループ [ ") +
           group + QStringLiteral(" ] から削除しますか?");
}

bool OpenGroup(CFileGroup& list, int index, const GroupHost& host) {
    if (!list.IsValidIndex(index)) {
        return false;
    }
    const QString name = QString::fromStdString(list.At(index).name);
    // Indexes stay valid: blanking keeps the positions until the end.
    const int count = static_cast<int>(list.At(index).files.size());
    for (int i = 0; i < count; ++i) {
        const std::string path = list.At(index).files[i];
        if (path.empty()) {
            continue;
        }
        const QString qpath = QString::fromStdString(path);
        if (host.openFile && host.openFile(qpath)) {
            continue;
        }
        if (ShowMessage(CannotOpenQuestion(qpath, name), group_texts::kCaption, MsgIcon::Question,
                        MsgButtons::YesNo, ParentOf(host)) == MsgAnswer::Yes) {
            list.BlankFile(index, i);
        }
    }
    list.RemoveBlankFiles(index);
    return true;
}

void RunOpenGroups(const GroupHost& host) {
    QWidget* parent = ParentOf(host);
    CFileGroup list;
    LoadGroupList(list, parent);
    CGroupOpenDlg dialog(list, OpenPathsOf(host), parent);
    if (RunDialog(dialog) != QDialog::Accepted) {
        return;
    }
    const std::vector<int> chosen = dialog.SelectedGroups();
    if (chosen.empty()) {
        return;
    }
    const std::string before = list.Serialize();
    for (int index : chosen) {
        OpenOrReport(list, index, host);
    }
    // Only removed paths change the list; leaving it unwritten otherwise keeps a
    // list file we could not read from being replaced.
    if (list.Serialize() != before) {
        SaveGroupList(list, parent);
    }
}

void RunEditGroups(const GroupHost& host) {
    QWidget* parent = ParentOf(host);
    CFileGroup list;
    LoadGroupList(list, parent);
    CGroupEditDlg dialog(list, OpenPathsOf(host), CGroupEditDlg::Options{}, parent);
    const int result = RunDialog(dialog);
    if (result == QDialog::Accepted) {
        SaveGroupList(list, parent);
    } else if (result == CGroupEditDlg::kSaveAndOpen) {
        const int group = dialog.SelectedGroup();
        SaveGroupList(list, parent);
        const std::string before = list.Serialize();
        OpenOrReport(list, group, host);
        // Paths the user chose to remove while opening.
        if (list.Serialize() != before) {
            SaveGroupList(list, parent);
        }
    }
}

void RunCloseGroups(const GroupHost& host) {
    QWidget* parent = ParentOf(host);
    const std::vector<GroupDocument> documents =
        host.documents ? host.documents() : std::vector<GroupDocument>{};
    std::vector<OpenDocumentInfo> infos;
    for (const GroupDocument& document : documents) {
        infos.push_back({document.path.toStdString(), document.openedByGroup});
    }
    // One read of the list serves every document.
    CFileGroup list;
    LoadGroupList(list, parent);
    const std::vector<OpenGroupDocuments> groups = CollectOpenGroups(
        infos, [&list](const std::string& path) { return GroupOfFile(list, path); });

    ISettingsStore& store = AppStore();
    const bool only = store.GetProfileInt("EditorSettings", "g_close_OnlyGroupFilse", 0) != 0;
    CGroupCloseDlg dialog(groups, only, parent);
    if (RunDialog(dialog) != QDialog::Accepted) {
        return;
    }
    const bool onlyGroupFiles = dialog.OnlyGroupFiles();
    const std::vector<int> toClose =
        DocumentsToClose(groups, infos, dialog.ChosenGroups(), onlyGroupFiles);
    store.WriteProfileInt("EditorSettings", "g_close_OnlyGroupFilse", onlyGroupFiles ? 1 : 0);
    for (int index : toClose) {
        if (documents[index].close) {
            documents[index].close();
        }
    }
}

void RegisterFileGroupCommands(CCommandTarget& target, GroupHost host) {
    target.AddCommand(kOpenGroupsCommand, [host] { RunOpenGroups(host); });
    target.AddCommand(kEditGroupsCommand, [host] { RunEditGroups(host); });
    target.AddCommand(
        kCloseGroupsCommand, [host] { RunCloseGroups(host); },
        [host](CommandState& state) {
            if (host.anyDocumentOpen) {
                state.enabled = host.anyDocumentOpen();
            } else {
                state.enabled = host.documents && !host.documents().empty();
            }
        });
}

}  // namespace vesk::groups
