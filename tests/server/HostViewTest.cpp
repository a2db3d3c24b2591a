// The read-only view for host programs: every property of an object in a plain C struct.

#include "ExchangeChecks.h"
#include "ServerFixture.h"

namespace servertest {
namespace {

using HostViewTest = ServerTest;

HalvexObjectInfo Info(HostHandle object) {
    HalvexObjectInfo info{};
    EXPECT_EQ(0, Halvex_GetObjectInfo(object, &info));
    return info;
}

TEST_F(HostViewTest, TrackShowsItsGeometry) {
    const HostHandle track = Create(4);
    ExpectRoundTrip(PcbApi_QueryTrack, track,
                    std::make_tuple(U16{0x8001}, U16{7}, TLayerId{33}, U32{0}, Bool8{1}, U32{0},
                                    Mils(1), Mils(2), Mils(3), Mils(4), Mils(5), I32{11}, I32{12},
                                    I32{13}));
    const HalvexObjectInfo info = Info(track);
    EXPECT_EQ(track, info.Handle);
    EXPECT_EQ(HALVEX_KIND_TRACK, info.Kind);
    EXPECT_EQ(33u, info.Layer);
    EXPECT_EQ(0x8001, info.Flags);
    EXPECT_EQ(7, info.Tag);
    EXPECT_EQ(1, info.ObjectFlag);
    EXPECT_EQ(Mils(1), info.X);
    EXPECT_EQ(Mils(2), info.Y);
    EXPECT_EQ(Mils(3), info.X2);
    EXPECT_EQ(Mils(4), info.Y2);
    EXPECT_EQ(Mils(5), info.Width);
    EXPECT_EQ(11, info.Aux1);
    EXPECT_EQ(0u, info.Holder);
}

TEST_F(HostViewTest, PadShowsItsDescriptionAndName) {
    const HostHandle pad = Create(2);
    auto f = ReadFields<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, I32, I32, I32, I32,
                        I32, U8, U8, U8, S20, U8, U8, double, Block<21>, Block<21>, I32, Block<21>,
                        U8, U8, I32, U64, I32, I32, I32, Bool8, Bool8>(PcbApi_QueryPad, pad);
    std::get<18>(f).Assign("A7");
    std::get<14>(f) = Mils(32);
    std::get<15>(f) = 2;
    std::get<21>(f) = 45.0;
    ASSERT_EQ(0, Exchange(PcbApi_QueryPad, Write, pad, f));
    const HalvexObjectInfo info = Info(pad);
    EXPECT_STREQ("A7", info.Name);
    EXPECT_EQ(Mils(32), info.HoleSize);
    EXPECT_EQ(2, info.TopShape);
    EXPECT_EQ(1, info.MidShape);
    EXPECT_EQ(Mils(60), info.TopXSize);
    EXPECT_EQ(45.0, info.Rotation);
    EXPECT_EQ(0, info.StackMode);
    EXPECT_EQ(50, info.TopCRPercent);
}

TEST_F(HostViewTest, ComponentShowsItsDesignatorCommentAndPattern) {
    const HostHandle component = Create(9);
    auto c = ReadFields<U16, U16, TLayer, Bool8, U32, U32, S250, U8, U8, I32, I32, I32, double, U8>(
        PcbApi_QueryComponent, component);
    std::get<6>(c).Assign("DIP14");
    ASSERT_EQ(0, Exchange(PcbApi_QueryComponent, Write, component, c));
    const auto setText = [](HostHandle text, const char* value) {
        auto t = ReadFields<U16, U16, TLayerId, U32, Bool8, U32, I32, I32, I32, I32, double, Bool8,
                            S254, I32, I32, I32>(PcbApi_QueryText, text);
        std::get<12>(t).Assign(value);
        ASSERT_EQ(0, Exchange(PcbApi_QueryText, Write, text, t));
    };
    setText(std::get<4>(c), "U1");
    setText(std::get<5>(c), "74HC00");
    const HalvexObjectInfo info = Info(component);
    EXPECT_EQ(HALVEX_KIND_COMPONENT, info.Kind);
    EXPECT_STREQ("U1", info.Name);
    EXPECT_STREQ("74HC00", info.Comment);
    EXPECT_STREQ("DIP14", info.Pattern);
    EXPECT_EQ(std::get<4>(c), info.NameText);
    EXPECT_EQ(std::get<5>(c), info.CommentText);
    EXPECT_EQ(1u, info.Layer);
    EXPECT_STREQ("U1", Info(info.NameText).Text);
}

TEST_F(HostViewTest, NetShowsItsNameAndMemberCount) {
    const HostHandle net = Create(8);
    ExpectRoundTrip(PcbApi_QueryNet, net, std::make_tuple(U16{0}, S255("VCC"), U8{0}, U8{0}));
    ASSERT_EQ(0, PcbApi_AddObjectToContainer(net, Create(2)));
    const HalvexObjectInfo info = Info(net);
    EXPECT_STREQ("VCC", info.Name);
    EXPECT_EQ(1, info.ChildCount);
    EXPECT_EQ(74u, info.Layer);
}

TEST_F(HostViewTest, ViaArcTextAndFillShowTheirOwnFields) {
    const HalvexObjectInfo via = Info(Create(3));
    EXPECT_EQ(Mils(50), via.Size);
    EXPECT_EQ(Mils(28), via.HoleSize);
    EXPECT_EQ(1, via.StartLayer);
    EXPECT_EQ(32, via.EndLayer);
    const HalvexObjectInfo arc = Info(Create(1));
    EXPECT_EQ(Mils(50), arc.Radius);
    EXPECT_EQ(360.0, arc.EndAngle);
    EXPECT_EQ(Mils(10), arc.Width);
    const HalvexObjectInfo text = Info(Create(5));
    EXPECT_EQ(Mils(60), text.Size);
    EXPECT_EQ(1, text.FontId);
    EXPECT_STREQ("Arial", text.FontName);
    const HalvexObjectInfo fill = Info(Create(6));
    EXPECT_EQ(Mils(100), fill.X2);
}

TEST_F(HostViewTest, UnknownObjectsAndNullStructsAreRefused) {
    HalvexObjectInfo info{};
    info.Kind = 99;
    EXPECT_EQ(HALVEX_STATUS_NO_SUCH_OBJECT, Halvex_GetObjectInfo(0, &info));
    EXPECT_EQ(99, info.Kind);
    EXPECT_EQ(HALVEX_STATUS_BAD_ARGUMENT, Halvex_GetObjectInfo(Create(4), nullptr));
    EXPECT_EQ(HALVEX_STATUS_NO_SUCH_OBJECT, Halvex_GetBoardInfo(0, nullptr));
}

TEST_F(HostViewTest, LayerNamesOfClassicIdentifiers) {
    EXPECT_STREQ("NoLayer", Halvex_LayerName(0));
    EXPECT_STREQ("TopLayer", Halvex_LayerName(1));
    EXPECT_STREQ("MidLayer30", Halvex_LayerName(31));
    EXPECT_STREQ("BottomLayer", Halvex_LayerName(32));
    EXPECT_STREQ("InternalPlane16", Halvex_LayerName(54));
    EXPECT_STREQ("MultiLayer", Halvex_LayerName(74));
    EXPECT_STREQ("ViaHoleLayer", Halvex_LayerName(82));
    EXPECT_STREQ("", Halvex_LayerName(83));
    EXPECT_STREQ("", Halvex_LayerName(0x01010040));
}

} // namespace
} // namespace servertest
