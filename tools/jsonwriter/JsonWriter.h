#pragma once
// The board as a JSON document (docs/board-json.md describes it), written while the board is
// walked: free objects, components and nets go to their sections as they come, and the sections
// are joined in the document's order at the end.

#include "boardmodel/BoardVisitor.h"
#include "safeoutput/OutputStream.h"

#include <array>
#include <string>

namespace corvane::cli {

class JsonDocumentWriter final : public BoardVisitor {
public:
    /// The document goes to out; it is complete, ending with a line end, after OnBoardEnd.
    JsonDocumentWriter(OutputStream& out, DocumentHeader header);

    void OnPlanes(const std::vector<Plane>& planes) override;
    void OnTrack(const Track& track) override;
    void OnVia(const Via& via) override;
    void OnPad(const Pad& pad) override;
    void OnArc(const Arc& arc) override;
    void OnFill(const Fill& fill) override;
    void OnText(const Text& text) override;
    void OnComponentBegin(const Component& component) override;
    void OnComponentEnd() override;
    void OnNet(const Net& net) override;
    void OnBoardEnd() override;

private:
    // The board's lists after the planes, in the document's order.
    enum Section : std::size_t { Tracks, Vias, Pads, Arcs, Fills, Texts, Components, Nets, Count };
    static constexpr std::size_t PrimitiveKinds = Components;

    // One list being filled: its items so far, one per line.
    struct List {
        std::string Items;
        bool Empty = true;
    };

    /// Adds the object in line_ to its list: the board's section or the open component's.
    void AddItem(Section kind);
    void CloseList(std::string& out, std::string_view name, const std::string& items, bool empty,
                   int indent) const;

    OutputStream& out_;
    const DocumentHeader header_;
    std::vector<SpillBuffer> sections_;
    std::array<bool, Count> sectionEmpty_{};
    // The component being read, built in memory: its own fields and its primitives by kind.
    bool inComponent_ = false;
    std::string componentFields_;
    std::array<List, PrimitiveKinds> componentLists_;
    std::string line_;
};

} // namespace corvane::cli
