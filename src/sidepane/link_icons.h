#pragma once
// The eight 16 x 16 icons of the link browser's tree.

#include <QIcon>

namespace vesk {

enum class LinkIcon {
    kInlineGroup,
    kAnchorGroup,
    kInternalGroup,
    kExternalGroup,
    kMailGroup,
    kLink,
    kMissing,
    kDocument,
};

// Drawn once per process, on first use.
const QIcon& LinkIconOf(LinkIcon icon);

}  // namespace vesk
