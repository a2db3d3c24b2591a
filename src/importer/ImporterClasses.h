#pragma once
// The importer's own classes: one per record kind, derived from the model class of its host
// object kind, with no behaviour of their own.

#include "pcbmodel/PcbArc.h"
#include "pcbmodel/PcbFill.h"
#include "pcbmodel/PcbPad.h"
#include "pcbmodel/PcbText.h"
#include "pcbmodel/PcbTrack.h"
#include "pcbmodel/PcbVia.h"

#include <cstdint>

namespace corvane {

class TArc final : public TPcbArc {
public:
    using TPcbArc::TPcbArc;
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Arc);
};

class TPad final : public TPcbPad {
public:
    using TPcbPad::TPcbPad;
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Pad);
};

class TVia final : public TPcbVia {
public:
    using TPcbVia::TPcbVia;
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Via);
};

class TTrack final : public TPcbTrack {
public:
    using TPcbTrack::TPcbTrack;
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Track);
};

class TText final : public TPcbText {
public:
    using TPcbText::TPcbText;
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Text);
};

class TFill final : public TPcbFill {
public:
    using TPcbFill::TPcbFill;
    static constexpr std::uint8_t KindCode = KindCodeOf(ObjectKind::Fill);
};

} // namespace corvane
