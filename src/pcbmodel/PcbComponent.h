#pragma once
// Model of a host component: the owner of its primitives and of its designator and comment
// texts. Position in host units of 1/10000 mil, rotation in degrees.

#include "pcbmodel/PcbGroupObject.h"

#include <array>
#include <cstdint>

namespace corvane {

class TPcbComponent : public TPcbGroupObject {
public:
    /// The host kind code of every object of this class (PcbApi_CreateObject's argument).
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Component);

    static constexpr std::size_t SourceLinkCount = 8;

    /// Stores the handle and the component kind code; never calls the host.
    explicit TPcbComponent(HostHandle handle);

    /// Exchanges the channel offset, kind, main properties (the layer travelling as a classic
    /// byte), extra values, source links and default 3D model; answers the main call's result.
    std::int32_t Exchange(std::uint8_t mode) override;
    /// Exchanges the main properties alone (the one call that carries the designator and comment
    /// text handles, the pattern, the position and the layer); answers its result. A part of
    /// Exchange, for a reader that needs no more.
    std::int32_t ExchangeProperties(std::uint8_t mode);

    /// Makes a host object one of the component's children. Handle 0 answers 1 without calling
    /// the host.
    std::int32_t AddPrimitive(HostHandle objectHandle);

    /// The current text of the designator object; empty when there is none.
    void GetName(String255& out) const override;
    double GetRotation() const override;

    std::int32_t ChannelOffset = 0;
    std::uint32_t ComponentKind = 0;
    HostHandle NameText = 0;    // the designator text object; 0 = none
    HostHandle CommentText = 0; // the comment text object; 0 = none
    String250 Pattern;
    std::uint8_t ComponentOption1 = 0;
    std::uint8_t ComponentOption2 = 0;
    std::int32_t ComponentValue = 0;
    double Rotation = 0.0;
    std::uint8_t ComponentOption3 = 0;
    std::int32_t ExValue1 = 0;
    std::uint8_t ExOption1 = 0;
    std::uint8_t ExOption2 = 0;
    std::int32_t ExValue2 = 0;
    std::array<String255, SourceLinkCount> SourceLinks{}; // exchanged first to last
    String255 DefaultModel;
};

} // namespace corvane
