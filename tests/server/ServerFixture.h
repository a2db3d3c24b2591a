#pragma once
// The fixture of the server tests: a server without boards, objects or progress sink, the module's
// entries declared as the plug-in's contract gives them, and short names for the field types.

#include "contract/HalvexHost.h"
#include "entries/ServerEntries.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace servertest {

using corvane::Bool8;
using corvane::HostHandle;
using corvane::TLayer;
using corvane::TLayerId;
using U8 = std::uint8_t;
using U16 = std::uint16_t;
using U32 = std::uint32_t;
using U64 = std::uint64_t;
using I32 = std::int32_t;
using S20 = corvane::String20;
using S250 = corvane::String250;
using S254 = corvane::String254;
using S255 = corvane::String255;
template <std::size_t N> using Block = corvane::OpaqueBytes<N>;

/// Host units of a whole number of mils.
constexpr I32 Mils(I32 mils) {
    return mils * 10000;
}

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Halvex_CloseAllBoards();
        Halvex_SetProgressSink(nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override { Halvex_CloseAllBoards(); }

    /// A new object of the kind; fails the test when the server gives none.
    static HostHandle Create(U8 kind) {
        const HostHandle handle = PcbApi_CreateObject(kind);
        EXPECT_NE(0u, handle) << "kind " << int(kind);
        return handle;
    }
};

} // namespace servertest
