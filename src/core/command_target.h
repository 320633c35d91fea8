#pragma once
// Objects that handle commands: each registers a handler (and optionally an
// update handler) per command id. The router asks the active view, its
// document, its child frame, the main frame and the application in turn.

#include <functional>
#include <unordered_map>
#include <vector>

struct CommandState {
    bool enabled = true;
    bool checked = false;
};

class CCommandTarget {
  public:
    using Handler = std::function<void()>;
    using UpdateHandler = std::function<void(CommandState&)>;
    using RangeHandler = std::function<void(int id)>;
    using RangeUpdateHandler = std::function<void(int id, CommandState&)>;

    virtual ~CCommandTarget() = default;

    bool HandlesCommand(int id) const;
    // Runs the handler; false when this target has none for the id.
    bool ExecuteCommand(int id);
    // Fills the state; false when this target has no handler for the id.
    // A handler without update handler leaves the command enabled.
    bool UpdateCommand(int id, CommandState& state) const;

    // Commands added from outside (modules that give a view more commands).
    void AddCommand(int id, Handler handler, UpdateHandler update = {}) {
        OnCommand(id, std::move(handler), std::move(update));
    }

  protected:
    void OnCommand(int id, Handler handler, UpdateHandler update = {});
    void OnCommandRange(int first, int last, RangeHandler handler, RangeUpdateHandler update = {});

  private:
    struct Entry {
        Handler handler;
        UpdateHandler update;
    };
    struct RangeEntry {
        int first;
        int last;
        RangeHandler handler;
        RangeUpdateHandler update;
    };
    const RangeEntry* FindRange(int id) const;

    std::unordered_map<int, Entry> commands_;
    std::vector<RangeEntry> ranges_;
};
