#pragma once
// A place where tests put a script that stands in for a person (answering a
// message box, choosing a file...). One per kind of interaction.

#include <functional>
#include <utility>

namespace vesk {

template <typename Signature>
class ScriptSeam {
  public:
    using Script = std::function<Signature>;
    static void Set(Script script) { Slot() = std::move(script); }
    static void Clear() { Slot() = nullptr; }
    // Empty when no script is set: the real interaction takes place.
    static const Script& Get() { return Slot(); }

  private:
    static Script& Slot() {
        static Script script;
        return script;
    }
};

}  // namespace vesk
