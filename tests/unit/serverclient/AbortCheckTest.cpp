// CheckForAbort and ConfirmYesNo on the calling thread's message queue: the real queue, windows
// and message box on Windows (under wine), the desktop stand-in on POSIX. Which messages the poll
// takes, which it delivers, and what the box asks.

#include "serverclient/AbortCheck.h"
#include "TestDesktop.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using testdesktop::AskedBox;
using testdesktop::ReceivedMessage;
using testdesktop::RecordingWindow;

constexpr std::uint32_t KeyDown = platform::WM_KEYDOWN_CODE;
constexpr std::uint32_t SysKeyDown = platform::WM_SYSKEYDOWN_CODE;
constexpr std::uint32_t KeyUp = 0x0101;            // WM_KEYUP
constexpr std::uint32_t Character = 0x0102;        // WM_CHAR
constexpr std::uint32_t UserMessage = 0x0400 + 17; // WM_USER + 17
constexpr std::uintptr_t Escape = platform::VK_ESCAPE_CODE;
constexpr std::uintptr_t KeyA = 'A';

// A delivered message as (code, word parameter).
using Delivered = std::vector<std::pair<std::uint32_t, std::uintptr_t>>;

Delivered DeliveredTo(const RecordingWindow& window) {
    Delivered delivered;
    for (const ReceivedMessage& message : window.Received()) {
        delivered.emplace_back(message.Code, message.WParam);
    }
    return delivered;
}

class AbortCheck : public ::testing::Test {
protected:
    void SetUp() override {
        testdesktop::DrainQueue();
        testdesktop::AnswerBoxes(false);
    }
    void TearDown() override { testdesktop::DrainQueue(); }

    static bool QueueEmpty() {
        platform::WindowMessage message;
        return !platform::TakeThreadMessage(message);
    }

    static std::vector<std::string> BoxTexts() {
        std::vector<std::string> texts;
        for (const AskedBox& box : testdesktop::BoxesAsked()) {
            texts.push_back(box.Text);
        }
        return texts;
    }

    RecordingWindow window;
};

TEST_F(AbortCheck, FlagAlreadySetTakesNoMessage) {
    window.PostKeyDown(Escape);
    window.PostKeyDown(KeyA);
    bool abortRequested = true;

    CheckForAbort(abortRequested);

    EXPECT_TRUE(abortRequested);
    EXPECT_TRUE(testdesktop::BoxesAsked().empty());
    EXPECT_TRUE(window.Received().empty());

    // Both messages are still queued: a poll with the flag clear finds them.
    abortRequested = false;
    CheckForAbort(abortRequested);
    EXPECT_EQ(testdesktop::BoxesAsked().size(), 1u);
    EXPECT_EQ(DeliveredTo(window), (Delivered{{KeyDown, KeyA}}));
}

TEST_F(AbortCheck, EmptyQueueAsksNothing) {
    bool abortRequested = false;
    CheckForAbort(abortRequested);
    EXPECT_FALSE(abortRequested);
    EXPECT_TRUE(testdesktop::BoxesAsked().empty());
}

TEST_F(AbortCheck, EscapeAnsweredNoLeavesTheFlagClearAndReachesNoWindow) {
    testdesktop::AnswerBoxes(false);
    window.PostKeyDown(Escape);
    bool abortRequested = false;

    CheckForAbort(abortRequested);

    EXPECT_FALSE(abortRequested);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Confirm Abort Process"});
    EXPECT_TRUE(window.Received().empty());
    EXPECT_TRUE(QueueEmpty());
}

TEST_F(AbortCheck, EscapeAnsweredYesSetsTheFlagAndReachesNoWindow) {
    testdesktop::AnswerBoxes(true);
    window.PostKeyDown(Escape);
    bool abortRequested = false;

    CheckForAbort(abortRequested);

    EXPECT_TRUE(abortRequested);
    EXPECT_EQ(testdesktop::BoxesAsked().size(), 1u);
    EXPECT_TRUE(window.Received().empty());
}

TEST_F(AbortCheck, BoxAsksConfirmAbortProcessUnderTheCaptionConfirm) {
    window.PostKeyDown(Escape);
    bool abortRequested = false;

    CheckForAbort(abortRequested);

    const auto boxes = testdesktop::BoxesAsked();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Confirm Abort Process");
    EXPECT_EQ(boxes[0].Caption, "Confirm");
}

TEST_F(AbortCheck, SystemKeyDownOfEscapeAsksToo) {
    testdesktop::AnswerBoxes(true);
    window.Post(SysKeyDown, Escape);
    bool abortRequested = false;

    CheckForAbort(abortRequested);

    EXPECT_TRUE(abortRequested);
    EXPECT_EQ(testdesktop::BoxesAsked().size(), 1u);
    EXPECT_TRUE(window.Received().empty());
}

TEST_F(AbortCheck, OtherKeyDownIsDeliveredUnchanged) {
    window.PostKeyDown(KeyA);
    bool abortRequested = false;

    CheckForAbort(abortRequested);

    EXPECT_FALSE(abortRequested);
    EXPECT_TRUE(testdesktop::BoxesAsked().empty());
    EXPECT_EQ(DeliveredTo(window), (Delivered{{KeyDown, KeyA}}));
    EXPECT_TRUE(QueueEmpty());
}

TEST_F(AbortCheck, EscapeOtherThanKeyDownIsDeliveredLikeAnyMessage) {
    window.Post(KeyUp, Escape);
    window.Post(Character, Escape);
    window.Post(UserMessage, Escape);
    bool abortRequested = false;

    CheckForAbort(abortRequested);

    EXPECT_FALSE(abortRequested);
    EXPECT_TRUE(testdesktop::BoxesAsked().empty());
    EXPECT_EQ(DeliveredTo(window),
              (Delivered{{KeyUp, Escape}, {Character, Escape}, {UserMessage, Escape}}));
}

TEST_F(AbortCheck, MessagesAreDeliveredInQueueOrderToTheirOwnWindows) {
    RecordingWindow other;
    window.PostKeyDown('1');
    other.PostKeyDown('2');
    window.Post(UserMessage, 3);
    bool abortRequested = false;

    CheckForAbort(abortRequested);

    EXPECT_EQ(DeliveredTo(window), (Delivered{{KeyDown, '1'}, {UserMessage, 3}}));
    EXPECT_EQ(DeliveredTo(other), (Delivered{{KeyDown, '2'}}));
}

TEST_F(AbortCheck, YesStillDrainsTheQueue) {
    testdesktop::AnswerBoxes(true);
    window.PostKeyDown(KeyA);
    window.PostKeyDown(Escape);
    window.PostKeyDown('B');
    bool abortRequested = false;

    CheckForAbort(abortRequested);

    EXPECT_TRUE(abortRequested);
    EXPECT_EQ(DeliveredTo(window), (Delivered{{KeyDown, KeyA}, {KeyDown, 'B'}}));
    EXPECT_TRUE(QueueEmpty());
}

TEST_F(AbortCheck, SecondEscapeQueuedAsksAgainAfterYes) {
    testdesktop::AnswerBoxes(true);
    window.PostKeyDown(Escape);
    window.PostKeyDown(Escape);
    bool abortRequested = false;

    CheckForAbort(abortRequested);

    EXPECT_TRUE(abortRequested);
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{"Confirm Abort Process", "Confirm Abort Process"}));
    EXPECT_TRUE(window.Received().empty());
}

TEST_F(AbortCheck, SecondEscapeQueuedAsksAgainAfterNo) {
    testdesktop::AnswerBoxes(false);
    window.PostKeyDown(Escape);
    window.PostKeyDown(Escape);
    bool abortRequested = false;

    CheckForAbort(abortRequested);

    EXPECT_FALSE(abortRequested);
    EXPECT_EQ(testdesktop::BoxesAsked().size(), 2u);
    EXPECT_TRUE(window.Received().empty());
}

TEST_F(AbortCheck, LaterPollAfterYesTakesNothing) {
    testdesktop::AnswerBoxes(true);
    window.PostKeyDown(Escape);
    bool abortRequested = false;
    CheckForAbort(abortRequested);
    ASSERT_TRUE(abortRequested);

    window.PostKeyDown(Escape);
    window.PostKeyDown(KeyA);
    CheckForAbort(abortRequested);

    EXPECT_EQ(testdesktop::BoxesAsked().size(), 1u);
    EXPECT_TRUE(window.Received().empty());
    EXPECT_FALSE(QueueEmpty());
}

TEST(ConfirmYesNo, AnswersTrueExactlyOnYes) {
    testdesktop::AnswerBoxes(true);
    EXPECT_TRUE(ConfirmYesNo("Overwrite the board?"));
    testdesktop::AnswerBoxes(false);
    EXPECT_FALSE(ConfirmYesNo("Overwrite the board?"));
}

TEST(ConfirmYesNo, ShowsTheMessageUnderTheCaptionConfirm) {
    testdesktop::AnswerBoxes(false);
    ConfirmYesNo("Overwrite the board?");
    const auto boxes = testdesktop::BoxesAsked();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Overwrite the board?");
    EXPECT_EQ(boxes[0].Caption, "Confirm");
}

TEST(ConfirmYesNo, MessageIsAShortStringOfAtMost255Characters) {
    testdesktop::AnswerBoxes(false);
    ConfirmYesNo(std::string(300, 'x'));
    const auto boxes = testdesktop::BoxesAsked();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, std::string(255, 'x'));
}

} // namespace
} // namespace corvane
