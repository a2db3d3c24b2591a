#pragma once
// A picture of the board as SVG: each layer's copper, overlay, keep-out and mechanical objects in
// its own colour, pads in their shapes with their holes, vias, arcs, fills and texts, seen from
// the top with y pointing up, fitted to the board (its bulk: boardmodel/BoardBulk.h, so that an
// object far from the rest lies outside the picture), with a legend of the layers present.
//
// Written while the board is walked: the extent of the picture, which heads the document, is known
// only at the end, and each layer's elements form one group, so the elements are put aside per
// layer (in scratch files beside the picture once they grow) and joined at the end.

#include "boardmodel/BoardBulk.h"
#include "boardmodel/BoardVisitor.h"
#include "safeoutput/OutputStream.h"

#include <array>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

class SvgDocumentWriter final : public BoardVisitor {
public:
    /// Every drawn object carries its kind as its class ("track", "via", "pad", "arc", "fill",
    /// "text"; holes "hole"), so that tools can find and count them. The document goes to out and
    /// is complete after OnBoardEnd.
    SvgDocumentWriter(OutputStream& out, std::string title);

    void OnTrack(const Track& track, Owner owner) override;
    void OnVia(const Via& via, Owner owner) override;
    void OnPad(const Pad& pad, Owner owner) override;
    void OnArc(const Arc& arc, Owner owner) override;
    void OnFill(const Fill& fill, Owner owner) override;
    void OnText(const Text& text, Owner owner) override;
    void OnComponentBegin(const Component& component) override;
    void OnComponentEnd() override;
    void OnBoardEnd() override;

    /// The extent of the drawn objects, in picture units (mils, y pointing down).
    class Bounds {
    public:
        void Add(double x, double y, double reach = 0);
        bool Empty() const { return minX_ > maxX_; }
        double MinX() const { return minX_; }
        double MinY() const { return minY_; }
        double MaxX() const { return maxX_; }
        double MaxY() const { return maxY_; }
        double Width() const { return maxX_ - minX_; }
        double Height() const { return maxY_ - minY_; }

    private:
        double minX_ = std::numeric_limits<double>::max();
        double maxX_ = std::numeric_limits<double>::lowest();
        double minY_ = std::numeric_limits<double>::max();
        double maxY_ = std::numeric_limits<double>::lowest();
    };

private:
    // Within a layer, a board's (or component's) elements go by kind in this order; the
    // components' elements follow the free ones, one component after the other.
    enum Part : std::size_t { TrackPart, ArcPart, FillPart, PadPart, TextPart, ComponentPart };
    static constexpr std::size_t KindParts = ComponentPart;

    struct LayerElements {
        std::array<std::unique_ptr<SpillBuffer>, ComponentPart + 1> Parts;
    };

    /// What an object covers and the points that place it, for the picture's frame.
    void Place(const Bounds& covers, std::initializer_list<BulkPoint> anchors);
    /// Puts the element in element_ on its layer, among the free objects' or the component's.
    void AddToLayer(const std::string& layer, Part part, bool inComponent);
    SpillBuffer& PartOf(const std::string& layer, Part part);
    void AddHole(double x, double y, double diameter, bool ofVia, bool inComponent);
    void DrawText(const Text& text, bool inComponent);
    void WriteDocument();
    void WriteGroup(const std::string& start, std::initializer_list<SpillBuffer*> parts);
    std::string Legend(double x, double y, double unit) const;

    OutputStream& out_;
    const std::string title_;
    BulkFinder bulk_; // in mils, y down
    std::map<std::string, LayerElements> layers_;
    std::vector<std::string> names_; // the layers in drawing order, once the board has ended
    SpillBuffer freeVias_;
    SpillBuffer componentVias_;
    SpillBuffer freePadHoles_;
    SpillBuffer freeViaHoles_;
    SpillBuffer componentHoles_;
    bool anyVia_ = false;
    bool anyHole_ = false;

    // The component being read, in memory until it ends.
    std::map<std::string, std::array<std::string, KindParts>> componentLayers_;
    std::string componentViaElements_;
    std::string componentPadHoles_;
    std::string componentViaHoles_;
    std::array<std::optional<Text>, 2> componentTexts_;

    std::string element_;
};

} // namespace corvane::cli
