#pragma once
// A host board scripted on the recording server: components with designator texts and pads,
// answering iterations, classification and the property reads of components, designator texts
// and pads. The test decides everything a host may decide for itself: the order the board lists
// its components in, on which layers a pad is listed, and which components the board holds at
// all (a component whose adding failed is on no side).

#include "RecordingServer.h"
#include "pcbmodel/PcbComponent.h"
#include "pcbmodel/PcbPad.h"
#include "pcbmodel/PcbText.h"
#include "serverclient/LayerNumbering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace corvane::testing {

inline constexpr HostHandle ScriptedBoardHandle = 0xB0A4D;

struct FakePad {
    HostHandle Handle;
    std::string Name;
    std::vector<TLayer> Layers; // the layers the host lists the pad on, in layer order or not
};

struct FakeComponent {
    HostHandle Handle;
    TLayer Side;         // the layer the host reports for it; the board lists it on that side
    HostHandle NameText; // the designator text object
    std::string Designator;
    std::vector<FakePad> Pads; // in the order the host lists them on a layer
    bool OnBoard = true;       // false: the board does not hold it (its adding failed)
};

struct OpenedIterator {
    HostHandle Container;
    std::uint8_t Kind;
    TLayerId Layer;
};

class ScriptedBoard {
public:
    /// Components in the order the board lists them.
    explicit ScriptedBoard(std::vector<FakeComponent> components)
        : Components(std::move(components)) {
        recording::SetHandler("PcbApi_CreateIterator",
                              [this](const recording::Call& call) { return Open(call); });
        recording::SetHandler("PcbApi_GetFirstObject",
                              [this](const recording::Call& call) { return Step(call, true); });
        recording::SetHandler("PcbApi_GetNextObject",
                              [this](const recording::Call& call) { return Step(call, false); });
        recording::SetHandler("PcbApi_DestroyIterator", [this](const recording::Call& call) {
            EXPECT_EQ(Live.erase(static_cast<HostHandle>(call.Value(0))), 1u)
                << "destroying an iterator that is not open";
            return std::int64_t{0};
        });
        recording::SetHandler("PcbApi_GetObjectIdFromObjectHandle",
                              [this](const recording::Call& call) {
                                  return KindOf(static_cast<HostHandle>(call.Value(0)));
                              });
        recording::SetHandler("PcbApi_QueryComponent", [this](const recording::Call& call) {
            if (const FakeComponent* c = ComponentAt(static_cast<HostHandle>(call.Value(1)))) {
                *call.Ptr<TLayer>(4) = c->Side;
                *call.Ptr<HostHandle>(6) = c->NameText;
            }
            return std::int64_t{0};
        });
        recording::SetHandler("PcbApi_QueryText", [this](const recording::Call& call) {
            for (const FakeComponent& c : Components) {
                if (c.NameText == call.Value(1)) {
                    *call.Ptr<String254>(14) = String254(c.Designator);
                }
            }
            return std::int64_t{0};
        });
        recording::SetHandler("PcbApi_QueryPad", [this](const recording::Call& call) {
            if (const FakePad* pad = PadAt(static_cast<HostHandle>(call.Value(1)))) {
                *call.Ptr<String20>(20) = String20(pad->Name);
            }
            return std::int64_t{0};
        });
    }

    std::vector<FakeComponent> Components;
    std::vector<OpenedIterator> Opened;
    std::set<HostHandle> Live;

    /// Layers of the iterations opened on one container, in order.
    std::vector<TLayerId> LayersOpenedOn(HostHandle container) const {
        std::vector<TLayerId> layers;
        for (const auto& opened : Opened) {
            if (opened.Container == container) {
                layers.push_back(opened.Layer);
            }
        }
        return layers;
    }

    /// Iterations of the board's components opened so far.
    std::size_t BoardWalks() const { return LayersOpenedOn(ScriptedBoardHandle).size(); }

private:
    struct Walk {
        std::vector<HostHandle> Objects;
        std::size_t Next = 0;
    };

    std::int64_t Open(const recording::Call& call) {
        const OpenedIterator opened{static_cast<HostHandle>(call.Value(0)),
                                    static_cast<std::uint8_t>(call.Value(1)),
                                    static_cast<TLayerId>(call.Value(3))};
        EXPECT_EQ(call.Value(2), 0u) << "iteration mode";
        Walk walk;
        for (const FakeComponent& c : Components) {
            if (opened.Container == ScriptedBoardHandle && opened.Kind == 9 && c.OnBoard &&
                LayerToLayerId(c.Side) == opened.Layer) {
                walk.Objects.push_back(c.Handle);
            }
            if (opened.Container == c.Handle && opened.Kind == 2) {
                for (const FakePad& pad : c.Pads) {
                    for (const TLayer layer : pad.Layers) {
                        if (LayerToLayerId(layer) == opened.Layer) {
                            walk.Objects.push_back(pad.Handle);
                        }
                    }
                }
            }
        }
        Opened.push_back(opened);
        const HostHandle iterator = 0x1000 + static_cast<HostHandle>(Opened.size());
        Walks[iterator] = walk;
        Live.insert(iterator);
        return iterator;
    }

    std::int64_t Step(const recording::Call& call, bool first) {
        const auto iterator = static_cast<HostHandle>(call.Value(0));
        EXPECT_EQ(Live.count(iterator), 1u) << "walking an iterator that is not open";
        Walk& walk = Walks[iterator];
        walk.Next = first ? 0 : walk.Next + 1;
        return walk.Next < walk.Objects.size() ? walk.Objects[walk.Next] : 0;
    }

    std::int64_t KindOf(HostHandle handle) const {
        if (ComponentAt(handle) != nullptr) {
            return 9;
        }
        if (PadAt(handle) != nullptr) {
            return 2;
        }
        for (const FakeComponent& c : Components) {
            if (c.NameText == handle) {
                return 5;
            }
        }
        return 0;
    }

    const FakeComponent* ComponentAt(HostHandle handle) const {
        for (const FakeComponent& c : Components) {
            if (c.Handle == handle) {
                return &c;
            }
        }
        return nullptr;
    }

    const FakePad* PadAt(HostHandle handle) const {
        for (const FakeComponent& c : Components) {
            for (const FakePad& pad : c.Pads) {
                if (pad.Handle == handle) {
                    return &pad;
                }
            }
        }
        return nullptr;
    }

    std::map<HostHandle, Walk> Walks;
};

} // namespace corvane::testing
