#pragma once
// The order in which document windows were activated, for Back and Forward.
// Lists are most recent first.

#include <algorithm>
#include <deque>
#include <optional>

template <typename View>
class WindowHistory {
  public:
    // Every activation of a document view passes through here.
    void Activated(View view) {
        if (current_ == view)
            return;
        if (!current_) {
            current_ = view;
        } else {
            Erase(back_, view);
            Erase(forward_, view);
            if (movingBack_)
                forward_.push_front(*current_);
            else
                back_.push_front(*current_);
            current_ = view;
        }
        movingBack_ = false;
        movingForward_ = false;
    }

    // The view to activate for Back / Forward, taken out of its list; the
    // following activation files the old current view on the other side.
    std::optional<View> TakeBack() {
        if (back_.empty())
            return std::nullopt;
        View view = back_.front();
        back_.pop_front();
        movingBack_ = true;
        return view;
    }
    std::optional<View> TakeForward() {
        if (forward_.empty())
            return std::nullopt;
        View view = forward_.front();
        forward_.pop_front();
        movingForward_ = true;
        return view;
    }

    // A destroyed view leaves the history.
    void Removed(View view) {
        if (current_ == view) {
            current_.reset();
        } else if (!Erase(forward_, view)) {
            Erase(back_, view);
        }
    }

    std::optional<View> Current() const { return current_; }
    const std::deque<View>& BackList() const { return back_; }
    const std::deque<View>& ForwardList() const { return forward_; }
    bool CanGoBack() const { return !back_.empty(); }
    bool CanGoForward() const { return !forward_.empty(); }

  private:
    static bool Erase(std::deque<View>& list, View view) {
        auto it = std::remove(list.begin(), list.end(), view);
        const bool found = it != list.end();
        list.erase(it, list.end());
        return found;
    }

    std::optional<View> current_;
    std::deque<View> back_;
    std::deque<View> forward_;
    bool movingBack_ = false;
    bool movingForward_ = false;
};
