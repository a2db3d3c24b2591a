// The progress calls reach the sink the host set, with the caption and the number of steps.

#include "ServerFixture.h"

#include <string>
#include <vector>

namespace servertest {
namespace {

struct Recorded {
    std::vector<std::string> Events;
};

void OnInit(void* user, const char* caption, std::int32_t steps) {
    static_cast<Recorded*>(user)->Events.push_back("init " + std::string(caption) + " " +
                                                   std::to_string(steps));
}
void OnUpdate(void* user) {
    static_cast<Recorded*>(user)->Events.push_back("update");
}
void OnFinish(void* user) {
    static_cast<Recorded*>(user)->Events.push_back("finish");
}

using ProgressTest = ServerTest;

TEST_F(ProgressTest, CallsReachTheSinkInOrder) {
    Recorded recorded;
    Halvex_SetProgressSink(OnInit, OnUpdate, OnFinish, &recorded);
    const S255 caption("Loading x.pcb (Corvane)");
    PcbApi_Percent_Init(&caption, 3);
    PcbApi_Percent_Update();
    PcbApi_Percent_Update();
    PcbApi_Percent_Finish();
    EXPECT_EQ(
        (std::vector<std::string>{"init Loading x.pcb (Corvane) 3", "update", "update", "finish"}),
        recorded.Events);
}

TEST_F(ProgressTest, WithoutASinkTheCallsDoNothing) {
    const S255 caption("nobody listens");
    PcbApi_Percent_Init(&caption, 1);
    PcbApi_Percent_Update();
    PcbApi_Percent_Finish();
    Recorded recorded;
    Halvex_SetProgressSink(nullptr, OnUpdate, nullptr, &recorded);
    PcbApi_Percent_Init(nullptr, 5);
    PcbApi_Percent_Update();
    PcbApi_Percent_Finish();
    EXPECT_EQ(std::vector<std::string>{"update"}, recorded.Events);
}

TEST_F(ProgressTest, ALongCaptionArrivesWhole) {
    Recorded recorded;
    Halvex_SetProgressSink(OnInit, nullptr, nullptr, &recorded);
    const S255 caption(std::string(255, 'c'));
    PcbApi_Percent_Init(&caption, 0);
    EXPECT_EQ("init " + std::string(255, 'c') + " 0", recorded.Events.at(0));
}

TEST_F(ProgressTest, ClosingBoardsKeepsTheSink) {
    Recorded recorded;
    Halvex_SetProgressSink(nullptr, OnUpdate, nullptr, &recorded);
    Halvex_CloseAllBoards();
    PcbApi_Percent_Update();
    EXPECT_EQ(1u, recorded.Events.size());
}

} // namespace
} // namespace servertest
