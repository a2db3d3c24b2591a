// Containers and iterators: free objects, components and nets on a board; primitives in their
// component; conducting objects in a net, whose Net and the net's members agree. Iteration by kind
// and by layer, in insertion order or newest first, with "MultiLayer" pads met on their own layer
// or on every copper layer.

#include "ExchangeChecks.h"
#include "ServerFixture.h"

#include <vector>

namespace servertest {
namespace {

class ContainerTest : public ServerTest {
protected:
    HostHandle board_ = 0;
    void SetUp() override {
        ServerTest::SetUp();
        board_ = Halvex_OpenBoard("containers.pcb");
    }

    // Every object the iterator meets, then destroys it.
    static std::vector<HostHandle> Iterate(HostHandle container, U8 kind, TLayerId layer) {
        const HostHandle iterator = PcbApi_CreateIterator(container, kind, 0, layer);
        EXPECT_NE(0u, iterator);
        std::vector<HostHandle> met;
        for (HostHandle h = PcbApi_GetFirstObject(iterator); h != 0;
             h = PcbApi_GetNextObject(iterator)) {
            met.push_back(h);
            if (met.size() > 10000) {
                break;
            }
        }
        EXPECT_EQ(0, PcbApi_DestroyIterator(iterator));
        return met;
    }

    static std::vector<HostHandle> Members(HostHandle container) {
        std::vector<HostHandle> members;
        for (I32 i = 0; i < Halvex_GetMemberCount(container); ++i) {
            members.push_back(Halvex_GetMemberAt(container, i));
        }
        return members;
    }

    static void SetLayer(HostHandle object, TLayerId layer) {
        auto f = ReadFields<U16, U16, TLayerId, U32, U32, Bool8>(PcbApi_QueryPrimitive, object);
        std::get<2>(f) = layer;
        ASSERT_EQ(0, Exchange(PcbApi_QueryPrimitive, Write, object, f));
    }
    static void SetComponentLayer(HostHandle component, TLayer layer) {
        auto f =
            ReadFields<U16, U16, TLayer, Bool8, U32, U32, S250, U8, U8, I32, I32, I32, double, U8>(
                PcbApi_QueryComponent, component);
        std::get<2>(f) = layer;
        ASSERT_EQ(0, Exchange(PcbApi_QueryComponent, Write, component, f));
    }
    static U32 NetOf(HostHandle object) {
        return std::get<3>(
            ReadFields<U16, U16, TLayerId, U32, U32, Bool8>(PcbApi_QueryPrimitive, object));
    }
    HostHandle Add(HostHandle container, U8 kind, TLayerId layer = 0) {
        const HostHandle object = Create(kind);
        if (layer != 0) {
            SetLayer(object, layer);
        }
        EXPECT_EQ(0, PcbApi_AddObjectToContainer(container, object));
        return object;
    }
};

TEST_F(ContainerTest, BoardHoldsItsObjectsInInsertionOrder) {
    const HostHandle track = Add(board_, 4);
    const HostHandle component = Add(board_, 9);
    const HostHandle net = Add(board_, 8);
    const HostHandle via = Add(board_, 3);
    const std::vector<HostHandle> all{track, component, net, via};
    EXPECT_EQ(all, Iterate(board_, 0, 0));
    EXPECT_EQ(all, Members(board_));
    EXPECT_EQ(std::vector<HostHandle>{component}, Iterate(board_, 9, 0));
    EXPECT_EQ(std::vector<HostHandle>{net}, Iterate(board_, 8, 0));
    EXPECT_TRUE(Iterate(board_, 2, 0).empty());
    HalvexObjectInfo info{};
    ASSERT_EQ(0, Halvex_GetObjectInfo(track, &info));
    EXPECT_EQ(board_, info.Holder);
}

TEST_F(ContainerTest, AddingTwiceKeepsOneEntry) {
    const HostHandle track = Add(board_, 4);
    EXPECT_EQ(0, PcbApi_AddObjectToContainer(board_, track));
    EXPECT_EQ(1, Halvex_GetMemberCount(board_));
}

TEST_F(ContainerTest, BoardComponentsAreFoundByTheirSide) {
    const HostHandle top1 = Add(board_, 9);
    const HostHandle bottom = Add(board_, 9);
    SetComponentLayer(bottom, 32);
    Add(board_, 4); // a track on the top layer is not a component
    const HostHandle top2 = Add(board_, 9);
    EXPECT_EQ((std::vector<HostHandle>{top1, top2}), Iterate(board_, 9, 1));
    EXPECT_EQ(std::vector<HostHandle>{bottom}, Iterate(board_, 9, 32));
}

TEST_F(ContainerTest, ComponentHoldsItsPrimitivesAndFindsPadsByLayer) {
    const HostHandle component = Add(board_, 9);
    const HostHandle padTop = Add(component, 2, 1);
    const HostHandle track = Add(component, 4, 33);
    const HostHandle padMulti = Add(component, 2, 74);
    const HostHandle padTop2 = Add(component, 2, 1);
    EXPECT_EQ((std::vector<HostHandle>{padTop, track, padMulti, padTop2}),
              Iterate(component, 0, 0));
    EXPECT_EQ((std::vector<HostHandle>{padTop, padTop2}), Iterate(component, 2, 1));
    EXPECT_EQ(std::vector<HostHandle>{padMulti}, Iterate(component, 2, 74));
    EXPECT_TRUE(Iterate(component, 2, 32).empty());
    EXPECT_EQ(std::vector<HostHandle>{track}, Iterate(component, 0, 33));
    // The primitives are the component's, not the board's; their owner is the component.
    EXPECT_EQ(std::vector<HostHandle>{component}, Iterate(board_, 0, 0));
    const auto f = ReadFields<U16, U16, TLayerId, U32, U32, Bool8>(PcbApi_QueryPrimitive, padTop);
    EXPECT_EQ(component, std::get<4>(f));
    HalvexObjectInfo info{};
    ASSERT_EQ(0, Halvex_GetObjectInfo(component, &info));
    EXPECT_EQ(4, info.ChildCount);
}

TEST_F(ContainerTest, AnObjectMovesBetweenHolders) {
    const HostHandle component = Add(board_, 9);
    const HostHandle track = Add(board_, 4);
    ASSERT_EQ(0, PcbApi_AddObjectToContainer(component, track));
    EXPECT_EQ(std::vector<HostHandle>{component}, Members(board_));
    EXPECT_EQ(std::vector<HostHandle>{track}, Members(component));
    ASSERT_EQ(0, PcbApi_AddObjectToContainer(board_, track));
    EXPECT_TRUE(Members(component).empty());
    const auto f = ReadFields<U16, U16, TLayerId, U32, U32, Bool8>(PcbApi_QueryPrimitive, track);
    EXPECT_EQ(0u, std::get<4>(f));
}

TEST_F(ContainerTest, ContainersRefuseKindsTheyDoNotTake) {
    const HostHandle component = Add(board_, 9);
    const HostHandle net = Add(board_, 8);
    const HostHandle other = Create(9);
    EXPECT_EQ(HALVEX_STATUS_BAD_ARGUMENT, PcbApi_AddObjectToContainer(component, other));
    EXPECT_EQ(HALVEX_STATUS_BAD_ARGUMENT, PcbApi_AddObjectToContainer(component, component));
    EXPECT_EQ(HALVEX_STATUS_BAD_ARGUMENT, PcbApi_AddObjectToContainer(component, net));
    EXPECT_EQ(HALVEX_STATUS_BAD_ARGUMENT, PcbApi_AddObjectToContainer(net, component));
    EXPECT_EQ(HALVEX_STATUS_BAD_ARGUMENT, PcbApi_AddObjectToContainer(net, Create(5)));
    EXPECT_NE(0, PcbApi_AddObjectToContainer(board_, board_));
    EXPECT_NE(0, PcbApi_AddObjectToContainer(Create(4), Create(4))); // a track is no container
    EXPECT_TRUE(Members(component).empty());
    EXPECT_TRUE(Members(net).empty());
    EXPECT_EQ((std::vector<HostHandle>{component, net}), Members(board_));
}

TEST_F(ContainerTest, AddingAPadToANetSetsItsNet) {
    const HostHandle net = Add(board_, 8);
    const HostHandle pad1 = Create(2);
    const HostHandle pad2 = Create(2);
    ASSERT_EQ(0, PcbApi_AddObjectToContainer(net, pad1));
    ASSERT_EQ(0, PcbApi_AddObjectToContainer(net, pad2));
    EXPECT_EQ(net, NetOf(pad1));
    EXPECT_EQ((std::vector<HostHandle>{pad1, pad2}), Iterate(net, 0, 0));
    EXPECT_EQ((std::vector<HostHandle>{pad1, pad2}), Iterate(net, 2, 1));
    // A pad added to a second net moves.
    const HostHandle net2 = Add(board_, 8);
    ASSERT_EQ(0, PcbApi_AddObjectToContainer(net2, pad1));
    EXPECT_EQ(net2, NetOf(pad1));
    EXPECT_EQ(std::vector<HostHandle>{pad2}, Members(net));
    EXPECT_EQ(std::vector<HostHandle>{pad1}, Members(net2));
}

TEST_F(ContainerTest, WritingAPadsNetMovesItBetweenNets) {
    const HostHandle net1 = Add(board_, 8);
    const HostHandle net2 = Add(board_, 8);
    const HostHandle pad = Create(2);
    // What the importer does: set the Net and write the pad, then add it to the net.
    auto f = ReadFields<U16, U16, TLayerId, U32, U32, Bool8>(PcbApi_QueryPrimitive, pad);
    std::get<3>(f) = net1;
    ASSERT_EQ(0, Exchange(PcbApi_QueryPrimitive, Write, pad, f));
    EXPECT_EQ(std::vector<HostHandle>{pad}, Members(net1));
    ASSERT_EQ(0, PcbApi_AddObjectToContainer(net1, pad));
    EXPECT_EQ(std::vector<HostHandle>{pad}, Members(net1));
    std::get<3>(f) = net2;
    ASSERT_EQ(0, Exchange(PcbApi_QueryPrimitive, Write, pad, f));
    EXPECT_TRUE(Members(net1).empty());
    EXPECT_EQ(std::vector<HostHandle>{pad}, Members(net2));
    std::get<3>(f) = 0;
    ASSERT_EQ(0, Exchange(PcbApi_QueryPrimitive, Write, pad, f));
    EXPECT_TRUE(Members(net2).empty());
    // A Net that names no net is kept as it is and joins no net.
    std::get<3>(f) = 0x12345;
    ASSERT_EQ(0, Exchange(PcbApi_QueryPrimitive, Write, pad, f));
    EXPECT_EQ(0x12345u, NetOf(pad));
}

TEST_F(ContainerTest, IteratorsMeetObjectsAddedWhileTheyRun) {
    const HostHandle first = Add(board_, 4);
    const HostHandle iterator = PcbApi_CreateIterator(board_, 0, 0, 0);
    EXPECT_EQ(first, PcbApi_GetFirstObject(iterator));
    const HostHandle second = Add(board_, 4);
    EXPECT_EQ(second, PcbApi_GetNextObject(iterator));
    EXPECT_EQ(0u, PcbApi_GetNextObject(iterator));
    EXPECT_EQ(0u, PcbApi_GetNextObject(iterator));
    EXPECT_EQ(first, PcbApi_GetFirstObject(iterator)); // from the start again
    EXPECT_EQ(0, PcbApi_DestroyIterator(iterator));
    EXPECT_EQ(0u, PcbApi_GetFirstObject(iterator));
    EXPECT_NE(0, PcbApi_DestroyIterator(iterator)); // harmless
}

TEST_F(ContainerTest, HostRulesChooseTheOrderAndWhereMultiLayerPadsAreMet) {
    const HostHandle component = Add(board_, 9);
    const HostHandle padTop = Add(component, 2, 1);
    const HostHandle padMulti = Add(component, 2, 74);
    const HostHandle viaMulti = Add(component, 3, 74);
    const HostHandle padBottom = Add(component, 2, 32);
    using Handles = std::vector<HostHandle>;
    struct Case {
        std::uint32_t Rules;
        TLayerId Layer;
        Handles Met; // pads and vias of the component on the layer
    };
    constexpr std::uint32_t newest = HALVEX_RULE_NEWEST_FIRST;
    constexpr std::uint32_t copper = HALVEX_RULE_MULTILAYER_PADS_ON_COPPER;
    for (const Case& c : std::vector<Case>{
             {0, 1, {padTop}},
             {0, 74, {padMulti, viaMulti}},
             {0, 0, {padTop, padMulti, viaMulti, padBottom}},
             {newest, 0, {padBottom, viaMulti, padMulti, padTop}},
             {newest, 74, {viaMulti, padMulti}},
             {copper, 1, {padTop, padMulti}}, // pads only, not the via
             {copper, 32, {padMulti, padBottom}},
             {copper, 40, {padMulti}}, // an internal plane is copper
             {copper, 33, {}},         // an overlay is not
             {copper, 74, {padMulti, viaMulti}},
             {newest | copper, 1, {padMulti, padTop}},
         }) {
        Halvex_SetHostRules(c.Rules);
        Handles met;
        for (const U8 kind : {U8{2}, U8{3}}) {
            const Handles some = Iterate(component, kind, c.Layer);
            met.insert(met.end(), some.begin(), some.end());
        }
        if (c.Layer == 0 || c.Layer == 74) {
            met = Iterate(component, 0, c.Layer);
        }
        EXPECT_EQ(c.Met, met) << "rules " << c.Rules << " layer " << c.Layer;
    }
    EXPECT_EQ(newest | copper, Halvex_SetHostRules(0)) << "the rules before";
    // An iterator keeps the rules it was made with; newest first it does not meet later objects.
    Halvex_SetHostRules(newest);
    const HostHandle iterator = PcbApi_CreateIterator(board_, 0, 0, 0);
    Halvex_SetHostRules(0);
    const HostHandle later = Add(board_, 4);
    EXPECT_EQ(component, PcbApi_GetNextObject(iterator)) << "next without first: the newest";
    EXPECT_EQ(0u, PcbApi_GetNextObject(iterator));
    EXPECT_EQ(later, PcbApi_GetFirstObject(iterator)) << "from the start again: now the newest";
    PcbApi_DestroyIterator(iterator);
}

TEST_F(ContainerTest, NextWithoutFirstStartsAtTheBeginning) {
    const HostHandle first = Add(board_, 4);
    const HostHandle iterator = PcbApi_CreateIterator(board_, 4, 0, 0);
    EXPECT_EQ(first, PcbApi_GetNextObject(iterator));
    PcbApi_DestroyIterator(iterator);
}

TEST_F(ContainerTest, IteratorHandlesAreUniqueAndDistinctFromObjects) {
    std::vector<HostHandle> iterators;
    for (int i = 0; i < 5; ++i) {
        iterators.push_back(PcbApi_CreateIterator(board_, 0, 0, 0));
        EXPECT_EQ(0, PcbApi_GetObjectIdFromObjectHandle(iterators.back()));
    }
    for (std::size_t i = 1; i < iterators.size(); ++i) {
        EXPECT_NE(iterators[i - 1], iterators[i]);
    }
    for (const HostHandle iterator : iterators) {
        EXPECT_EQ(0, PcbApi_DestroyIterator(iterator));
    }
}

TEST_F(ContainerTest, TheViewListsMembersOfEveryContainer) {
    EXPECT_EQ(0, Halvex_GetMemberCount(0));
    EXPECT_EQ(0u, Halvex_GetMemberAt(board_, 0));
    const HostHandle track = Add(board_, 4);
    EXPECT_EQ(track, Halvex_GetMemberAt(board_, 0));
    EXPECT_EQ(0u, Halvex_GetMemberAt(board_, 1));
    EXPECT_EQ(0u, Halvex_GetMemberAt(board_, -1));
    EXPECT_EQ(0, Halvex_GetMemberCount(track));
}

} // namespace
} // namespace servertest
