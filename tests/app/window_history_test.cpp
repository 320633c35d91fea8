// The order of window activations behind Back and Forward.

#include "app/window_history.h"

#include <gtest/gtest.h>

namespace {

using History = WindowHistory<char>;

// Back or forward as the frame does it: take the view, then activate it.
char Back(History& h) {
    auto view = h.TakeBack();
    EXPECT_TRUE(view.has_value());
    h.Activated(*view);
    return *view;
}
char Forward(History& h) {
    auto view = h.TakeForward();
    EXPECT_TRUE(view.has_value());
    h.Activated(*view);
    return *view;
}

History AfterABC() {
    History h;
    for (char v : {'A', 'B', 'C'}) h.Activated(v);
    return h;
}

TEST(WindowHistory, BackAndForwardRetraceTheActivations) {
    History h = AfterABC();
    EXPECT_EQ(h.BackList(), (std::deque<char>{'B', 'A'}));
    EXPECT_FALSE(h.CanGoForward());
    EXPECT_EQ(Back(h), 'B');
    EXPECT_EQ(Back(h), 'A');
    EXPECT_FALSE(h.CanGoBack());
    EXPECT_EQ(h.ForwardList(), (std::deque<char>{'B', 'C'}));
    EXPECT_EQ(Forward(h), 'B');
    EXPECT_EQ(h.BackList(), (std::deque<char>{'A'}));
    EXPECT_EQ(h.ForwardList(), (std::deque<char>{'C'}));
}

TEST(WindowHistory, DirectActivationKeepsTheRemainingForwardEntries) {
    History h = AfterABC();
    Back(h);
    Back(h);
    Forward(h);  // at B, forward holds C
    h.Activated('C');
    EXPECT_EQ(h.Current(), 'C');
    EXPECT_EQ(h.BackList(), (std::deque<char>{'B', 'A'}));
    EXPECT_TRUE(h.ForwardList().empty());  // C left the list as it became current
    h.Activated('A');
    h.Activated('D');
    Back(h);  // back to A; D goes forward
    h.Activated('B');
    EXPECT_EQ(h.ForwardList(), (std::deque<char>{'D'}));
}

TEST(WindowHistory, ReactivatedViewAppearsOnlyOnce) {
    History h = AfterABC();
    h.Activated('C');  // the current one: nothing changes
    EXPECT_EQ(h.BackList(), (std::deque<char>{'B', 'A'}));
    h.Activated('A');
    EXPECT_EQ(h.BackList(), (std::deque<char>{'C', 'B'}));
}

TEST(WindowHistory, ClosedViewsLeaveTheHistory) {
    History h = AfterABC();
    h.Removed('B');  // in the back list: Back skips it
    EXPECT_EQ(Back(h), 'A');
    EXPECT_EQ(h.ForwardList(), (std::deque<char>{'C'}));
    h.Removed('C');
    EXPECT_FALSE(h.CanGoForward());
    h.Removed('A');  // the current one: no current view any more
    EXPECT_FALSE(h.Current().has_value());
    h.Activated('E');
    EXPECT_EQ(h.Current(), 'E');
    EXPECT_FALSE(h.CanGoBack());
}

TEST(WindowHistory, NothingToTakeFromEmptyLists) {
    History h;
    EXPECT_FALSE(h.TakeBack().has_value());
    EXPECT_FALSE(h.TakeForward().has_value());
    h.Activated('A');
    h.Activated('B');
    // A failed take must not leave a one-shot flag behind.
    EXPECT_FALSE(h.TakeForward().has_value());
    h.Activated('C');
    EXPECT_EQ(h.BackList(), (std::deque<char>{'B', 'A'}));
}

}  // namespace
