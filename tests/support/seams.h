#pragma once
// Scripted answers for message boxes, file dialogs and modal dialogs.

#include <QString>
#include <deque>
#include <vector>

#include "platform/dialog_seam.h"
#include "platform/file_dialog_seam.h"
#include "platform/launcher.h"
#include "platform/trash.h"
#include "platform/message_seam.h"

namespace vesk::test {

// No test may ever wait for a person: unscripted boxes answer Cancel, dialogs are rejected.
inline void InstallNonBlockingSeams() {
    message_seam::SetScript([](const MessageRecord&) { return MsgAnswer::Cancel; });
    file_dialog_seam::SetScript([](const FileDialogRequest&) { return FileDialogResult{}; });
    launcher_seam::SetScript([](const QString&) { return true; });
    program_seam::SetScript([](const QString&, const QString&) { return true; });
    trash_seam::SetScript([](const TrashRequest&) { return true; });
    file_manager_seam::SetScript([](const FileManagerRequest&) { return true; });
    dialog_seam::SetScript([](QDialog&) { return 0; });
}

// While alive, message boxes are answered from a queue (then with the given
// default) and logged; file dialogs are answered from a queue (then cancelled).
class ScriptedSeams {
  public:
    explicit ScriptedSeams(MsgAnswer defaultAnswer = MsgAnswer::Ok) : default_(defaultAnswer) {
        message_seam::Log().clear();
        message_seam::SetScript([this](const MessageRecord&) {
            if (answers.empty())
                return default_;
            MsgAnswer a = answers.front();
            answers.pop_front();
            return a;
        });
        file_dialog_seam::SetScript([this](const FileDialogRequest& request) {
            requests.push_back(request);
            if (dialogs.empty())
                return FileDialogResult{};
            FileDialogResult r = dialogs.front();
            dialogs.pop_front();
            return r;
        });
        launcher_seam::SetScript([this](const QString& path) {
            launched.push_back(path);
            return true;
        });
    }
    ~ScriptedSeams() { InstallNonBlockingSeams(); }
    const std::vector<MessageRecord>& Messages() const { return message_seam::Log(); }

    std::deque<MsgAnswer> answers;
    std::deque<FileDialogResult> dialogs;
    std::vector<FileDialogRequest> requests;
    std::vector<QString> launched;

  private:
    MsgAnswer default_;
};

inline FileDialogResult Chosen(const QStringList& paths, int filterIndex = 1) {
    FileDialogResult r;
    r.accepted = true;
    r.paths = paths;
    r.filterIndex = filterIndex;
    return r;
}

}  // namespace vesk::test
