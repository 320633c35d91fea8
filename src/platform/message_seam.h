#pragma once
// Message boxes, behind a seam that tests script: when a script is set, no box
// is shown; the script answers and every message is logged.

#include <QString>
#include <functional>
#include <vector>

#include "platform/script_seam.h"

class QWidget;

namespace vesk {

enum class MsgIcon { None, Information, Exclamation, Question, Error };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MessageRecord {
    QString text;
    QString caption;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
};

MsgAnswer ShowMessage(const QString& text, const QString& caption, MsgIcon icon,
                      MsgButtons buttons = MsgButtons::Ok, QWidget* parent = nullptr);

namespace message_seam {
using Seam = ScriptSeam<MsgAnswer(const MessageRecord&)>;
using Script = Seam::Script;
inline void SetScript(Script script) {
    Seam::Set(std::move(script));
}
inline void ClearScript() {
    Seam::Clear();
}
inline bool IsScripted() {
    return static_cast<bool>(Seam::Get());
}
std::vector<MessageRecord>& Log();
}  // namespace message_seam

}  // namespace vesk
