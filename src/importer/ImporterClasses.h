#pragma once
// The importer's own classes: one per record kind, derived from the model class of its host
// object kind, with no behaviour of their own.

#include "pcbmodel/PcbArc.h"
#include "pcbmodel/PcbFill.h"
#include "pcbmodel/PcbPad.h"
#include "pcbmodel/PcbText.h"
#include "pcbmodel/PcbTrack.h"
#include "pcbmodel/PcbVia.h"

namespace corvane {

class TArc final : public TPcbArc {
public:
    using TPcbArc::TPcbArc;
};

class TPad final : public TPcbPad {
public:
    using TPcbPad::TPcbPad;
};

class TVia final : public TPcbVia {
public:
    using TPcbVia::TPcbVia;
};

class TTrack final : public TPcbTrack {
public:
    using TPcbTrack::TPcbTrack;
};

class TText final : public TPcbText {
public:
    using TPcbText::TPcbText;
};

class TFill final : public TPcbFill {
public:
    using TPcbFill::TPcbFill;
};

} // namespace corvane
