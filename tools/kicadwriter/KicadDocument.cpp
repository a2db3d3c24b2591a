#include "kicadwriter/KicadDocument.h"

#include "placement/UninferredParts.h"
#include "textformat/WrappedWords.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>

namespace corvane::cli {
namespace {

constexpr std::string_view EdgeLayerOption = "--edge-layer";
constexpr std::string_view NoDerivedNetsOption = "--no-derived-nets";

// "N objects WHAT (lines ...)": the first five lines known, in file order.
std::string ObjectsLine(const std::vector<StoredObject>& objects, const std::string& what) {
    std::vector<std::uint32_t> known;
    for (const StoredObject& object : objects) {
        if (object.Line != 0) {
            known.push_back(object.Line);
        }
    }
    std::sort(known.begin(), known.end());
    std::string text =
        std::to_string(objects.size()) + (objects.size() == 1 ? " object " : " objects ") + what;
    constexpr std::size_t shown = 5;
    for (std::size_t i = 0; i < known.size() && i < shown; ++i) {
        text += (i == 0 ? (known.size() == 1 ? " (line " : " (lines ") : ", ") +
                std::to_string(known[i]);
    }
    if (!known.empty()) {
        text += known.size() > shown ? ", ...)" : ")";
    }
    return text;
}

// Made from the board kept whole when the walk ends, and streamed to its output as it is made,
// with its own phase on the progress bar.
class KicadDocument final : public BoardVisitor {
public:
    KicadDocument(OutputStream& out, const DocumentContext& context)
        : out_(out), board_(context.Board), settings_(KicadSettingsOf(context.Settings)),
          notes_(context.Notes), progress_(context.Progress), name_(context.Name) {}

    // KiCad takes a net's pads from the pads themselves.
    bool NeedsNetPads() const override { return false; }

    void OnBoardEnd() override {
        progress_.Init("Writing " + name_,
                       std::int32_t(std::min<std::size_t>(KicadBoardSteps(board_), INT32_MAX)));
        const KicadBoardOutcome outcome = WriteKicadBoard(
            board_, settings_, [this](std::string_view text) { out_.Write(text); },
            [this](std::size_t steps) { progress_.Step(std::int32_t(steps)); });
        AddKicadNotes(outcome, settings_, notes_);
    }

private:
    OutputStream& out_;
    const BoardStore& board_;
    const KicadBoardSettings settings_;
    DocumentNotes& notes_;
    DocumentProgress& progress_;
    std::string name_;
};

std::unique_ptr<BoardVisitor> MakeKicadDocument(OutputStream& out, const DocumentContext& context) {
    return std::make_unique<KicadDocument>(out, context);
}

std::string EdgeLayerInItsCase(const std::string& given) {
    const std::string known = HostLayerNameInAnyCase(given);
    return known.empty() ? given : known;
}

std::string EdgeLayerProblem(const std::string& layer) {
    return IsHostLayerName(layer)
               ? std::string()
               : "--edge-layer takes a layer name such as KeepOutLayer or Mechanical1 (see "
                 "--help), not '" +
                     layer + "'";
}

} // namespace

KicadBoardSettings KicadSettingsOf(const DocumentSettings& settings) {
    KicadBoardSettings kicad;
    kicad.EdgeLayer = settings.ValueOr(EdgeLayerOption, kicad.EdgeLayer);
    kicad.DeriveNets = !settings.Has(NoDerivedNetsOption);
    return kicad;
}

void AddKicadNotes(const KicadBoardOutcome& outcome, const KicadBoardSettings& settings,
                   DocumentNotes& notes) {
    if (!outcome.Clamped.empty() || outcome.OriginClamped) {
        notes.AddLoss("kicad-beyond-reach");
    }
    notes.AddBoardLine("KiCad nets:  " + std::to_string(outcome.DerivedNets) +
                       " derived from the copper");
    if (!outcome.Clamped.empty()) {
        notes.AddBoardLine("KiCad board: " +
                           ObjectsLine(outcome.Clamped, "beyond KiCad's reach, clamped"));
    }
    if (outcome.OriginClamped) {
        notes.AddBoardLine("KiCad board: the board's origin lies beyond KiCad's reach: the "
                           "auxiliary origin, which manufacturing files measure from, is clamped");
    }
    if (!outcome.FarPlaced.empty()) {
        notes.AddBoardLine("KiCad board: " +
                           ObjectsLine(outcome.FarPlaced,
                                       "far outside the rest of the board, placed where the "
                                       "file says"));
    }
    if (outcome.MadeUpEdge) {
        notes.SetClosingLine("edge", "Edge:        no closed outline on " + settings.EdgeLayer +
                                         ": the KiCad board's edge is a rectangle around "
                                         "everything");
    }
    notes.SetClosingLine(UninferredPartsKey, UninferredPartsLine(outcome.UninferredParts));
}

DocumentKind KicadDocumentKind() {
    return {"--kicad",
            "write the board as a KiCad board file (KiCad 6 and later)",
            "kicad_pcb",
            false,
            true,
            true,
            false,
            {{EdgeLayerOption, "LAYER",
              "the layer whose closed outlines are the KiCad board's edge\n"
              "(default KeepOutLayer; without one, a rectangle around everything).\n"
              "LAYER is a host layer name, in any case:\n" +
                  WrappedWords(HostLayerNamesText(), 62),
              EdgeLayerInItsCase, EdgeLayerProblem},
             {NoDerivedNetsOption, "",
              "leave copper that no net of the board reaches without a net in the\n"
              "KiCad board (by default each connected group of copper that joins\n"
              "a pad gets a net of its own, named like Net-(R1-Pad1))",
              nullptr, nullptr}},
            MakeKicadDocument};
}

} // namespace corvane::cli
