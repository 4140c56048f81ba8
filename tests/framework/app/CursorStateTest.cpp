// The cursor state on its own, over the fake window system: which cursor a number shows, when
// the window system is asked again, and the changes other threads ask for.

#include "framework/app/CursorState.h"

#include "support/FakeWindowSystem.h"

#include <gtest/gtest.h>

#include <thread>

namespace Vuro::Test {
namespace {

std::string What(const Platform::Cursor* cursor) {
    return cursor != nullptr ? static_cast<const FakeCursor*>(cursor)->mWhat : "none";
}

TEST(CursorStateTest, ANumberShowsItsShapeAndPlaybackTheNoEntryCursor) {
    FakeWindowSystem windows;
    struct Case {
        int number;
        bool playing;
        const char* shown;
    };
    const Case kCases[] = {{0, false, "arrow"}, {1, false, "mask 11,4"}, {2, false, "mask 15,10"},
                           {3, false, "ibeam"}, {4, false, "no"},        {5, false, "none"},
                           {9, false, "arrow"}, {5, true, "no"},         {1, true, "no"}};
    CursorState state;
    for (const Case& c : kCases) {
        state.mCursorNum = c.number;
        EXPECT_EQ(What(state.ChooseClientCursor(c.playing, nullptr)), c.shown) << c.number;
    }
    EXPECT_EQ(What(state.ArrowCursor()), "arrow");

    // An image shows only with custom cursors on or while a demo plays back.
    Image* image = reinterpret_cast<Image*>(&state); // never read
    state.mCursorImages[3] = image;
    state.mCursorNum = 3;
    EXPECT_EQ(state.CursorImageToShow(false), nullptr);
    EXPECT_EQ(state.CursorImageToShow(true), image);
    state.mCustomCursorsEnabled = true;
    EXPECT_EQ(state.CursorImageToShow(false), image);
    state.mCursorNum = 6;
    EXPECT_EQ(state.CursorImageToShow(true), nullptr);
}

TEST(CursorStateTest, OnlyAChangedChoiceIsShownAgain) {
    FakeWindowSystem windows;
    CursorState state;
    const Platform::Cursor* arrow = state.ArrowCursor();
    state.mCursorNum = 3;
    const Platform::Cursor* beam = state.ChooseClientCursor(false, nullptr);
    const std::pair<const Platform::Cursor*, bool> kSteps[] = {
        {arrow, true}, {arrow, false}, {beam, true}, {nullptr, true}, {nullptr, false}};
    for (const auto& [choice, shows] : kSteps) {
        EXPECT_EQ(state.MarkShown(choice), shows) << What(choice);
    }
}

TEST(CursorStateTest, RequestsFromAnotherThreadComeBackOnceInOrder) {
    CursorState state;
    EXPECT_TRUE(state.TakeCursorRequests().empty());
    std::thread worker([&state] {
        for (int number = 0; number < 100; ++number) {
            state.QueueCursorRequest({-1, nullptr, number});
        }
    });
    worker.join();
    std::vector<CursorState::CursorRequest> requests = state.TakeCursorRequests();
    ASSERT_EQ(requests.size(), 100u);
    for (int number = 0; number < 100; ++number) {
        EXPECT_EQ(requests[number].mNumber, number);
    }
    EXPECT_TRUE(state.TakeCursorRequests().empty());
}

} // namespace
} // namespace Vuro::Test
