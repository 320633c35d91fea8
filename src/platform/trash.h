#pragma once
// The desktop's trash, as every freedesktop file manager keeps it: files go to the trash of
// the user's home ($XDG_DATA_HOME/Trash) or, on another volume, to that volume's own trash
// ($topdir/.Trash/$uid or $topdir/.Trash-$uid), each with an info file saying where it was and
// when it went. A file no trash can take stays where it is.

#include <QString>

#include "platform/script_seam.h"

namespace vesk {

struct TrashResult {
    bool ok = false;
    QString error;  // why the file is still where it was
};

TrashResult MoveToTrash(const QString& path);

// Tests replace the trash with a script.
struct TrashRequest {
    QString path;
};

namespace trash_seam {
using Seam = ScriptSeam<bool(const TrashRequest& request)>;
using Script = Seam::Script;
inline void SetScript(Script script) {
    Seam::Set(std::move(script));
}
inline void ClearScript() {
    Seam::Clear();
}
}  // namespace trash_seam

}  // namespace vesk
