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
    explicit JsonDocumentWriter(OutputStream& out);

    void OnBoardBegin(const DocumentHeader& header) override;
    void OnPlanes(const std::vector<Plane>& planes) override;
    void OnTrack(const Track& track, Owner owner) override;
    void OnVia(const Via& via, Owner owner) override;
    void OnPad(const Pad& pad, Owner owner) override;
    void OnArc(const Arc& arc, Owner owner) override;
    void OnFill(const Fill& fill, Owner owner) override;
    void OnText(const Text& text, Owner owner) override;
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
    void AddItem(Section kind, Owner owner);
    void CloseList(std::string& out, std::string_view name, const std::string& items, bool empty,
                   int indent) const;

    OutputStream& out_;
    std::vector<SpillBuffer> sections_;
    std::array<bool, Count> sectionEmpty_{};
    // The component being read, built in memory: its own fields and its primitives by kind.
    std::string componentFields_;
    std::array<List, PrimitiveKinds> componentLists_;
    std::string line_;
};

} // namespace corvane::cli
