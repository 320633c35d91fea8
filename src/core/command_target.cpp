#include "core/command_target.h"

void CCommandTarget::OnCommand(int id, Handler handler, UpdateHandler update) {
    commands_[id] = Entry{std::move(handler), std::move(update)};
}

void CCommandTarget::OnCommandRange(int first, int last, RangeHandler handler,
                                    RangeUpdateHandler update) {
    ranges_.push_back(RangeEntry{first, last, std::move(handler), std::move(update)});
}

const CCommandTarget::RangeEntry* CCommandTarget::FindRange(int id) const {
    for (const RangeEntry& r : ranges_) {
        if (id >= r.first && id <= r.last)
            return &r;
    }
    return nullptr;
}

bool CCommandTarget::HandlesCommand(int id) const {
    return commands_.count(id) != 0 || FindRange(id) != nullptr;
}

bool CCommandTarget::ExecuteCommand(int id) {
    if (auto it = commands_.find(id); it != commands_.end()) {
        // Copy: the handler may replace its own registration or destroy this target.
        Handler handler = it->second.handler;
        handler();
        return true;
    }
    if (const RangeEntry* r = FindRange(id)) {
        RangeHandler handler = r->handler;
        handler(id);
        return true;
    }
    return false;
}

bool CCommandTarget::UpdateCommand(int id, CommandState& state) const {
    if (auto it = commands_.find(id); it != commands_.end()) {
        state = CommandState{};
        if (it->second.update)
            it->second.update(state);
        return true;
    }
    if (const RangeEntry* r = FindRange(id)) {
        state = CommandState{};
        if (r->update)
            r->update(id, state);
        return true;
    }
    return false;
}
