#include "svgwriter/SvgWriter.h"

#include "boardfacts/PadShape.h"
#include "boardfacts/QuarterTurn.h"
#include "boardfacts/TextExtent.h"
#include "svgwriter/LayerStyle.h"
#include "textformat/TextEncoding.h"
#include "textformat/Units.h"
#include "textformat/XmlText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace corvane::cli {
namespace {

// The picture is drawn in mils; the host's unit is 1/10000 mil.
constexpr double UnitsPerMil = 10000.0;
constexpr double PictureLongSidePx = 1200.0;
// A capital letter fills about this part of the font size.
constexpr double CapitalHeightPerEm = 0.72;

double Mils(std::int32_t units) {
    return units / UnitsPerMil;
}

// A size, width, radius or height: a damaged file may hold a negative one, which SVG does not
// take; the picture draws its magnitude.
double SizeMils(std::int32_t units) {
    return std::fabs(Mils(units));
}

// Every length and coordinate the picture holds is in mils, to the hundredth.
std::string SvgLength(double mils) {
    return units::Hundredths(mils);
}

struct Point {
    double X = 0, Y = 0;
};

// What places an object among the others (boardmodel/BoardBulk.h).
BulkPoint Anchor(Point p) {
    return {p.X, p.Y};
}

// The picture's y axis points down; the board's points up.
Point ToPicture(double xMils, double yMils) {
    return {xMils, -yMils};
}

void RotateAbout(xml::Element& element, double degrees, Point centre) {
    if (std::fmod(degrees, 360.0) == 0) {
        return;
    }
    // Counter-clockwise on the board is counter-clockwise on the screen: a negative SVG angle.
    element.Begin("transform").Put("rotate(").Put(-degrees).Space().Put(centre.X).Space();
    element.Put(centre.Y).Put(")").End();
}

// The attributes every filled shape closes with: no outline, and its turn about its centre.
void ShapeEnd(xml::Element element, double rotation, Point centre) {
    element.Plain("stroke", "none");
    RotateAbout(element, rotation, centre);
    element.Empty();
}

// A rectangle of the given size centred on c, corners rounded by the radius; left open for the
// closing attributes.
xml::Element CentredRect(std::string& out, const char* cls, Point c, double w, double h,
                         double radius) {
    xml::Element rect(out, "rect");
    rect.Plain("class", cls).Number("x", c.X - w / 2).Number("y", c.Y - h / 2);
    rect.Number("width", w).Number("height", h);
    if (radius > 0) {
        rect.Number("rx", radius);
    }
    return rect;
}

// A circle; left open for the closing attributes.
xml::Element Circle(std::string& out, const char* cls, Point c, double radius) {
    xml::Element circle(out, "circle");
    circle.Plain("class", cls).Number("cx", c.X).Number("cy", c.Y).Number("r", radius);
    return circle;
}

// An octagon of the given size centred on c: each corner cut as in a regular octagon across
// the smaller side. Left open for the closing attributes.
xml::Element Octagon(std::string& out, Point c, double w, double h) {
    const double cut = std::min(w, h) * (1 - 1 / std::numbers::sqrt2);
    const double x0 = c.X - w / 2, x1 = c.X + w / 2, y0 = c.Y - h / 2, y1 = c.Y + h / 2;
    const std::array<Point, 8> corners = {{{x0 + cut, y0},
                                           {x1 - cut, y0},
                                           {x1, y0 + cut},
                                           {x1, y1 - cut},
                                           {x1 - cut, y1},
                                           {x0 + cut, y1},
                                           {x0, y1 - cut},
                                           {x0, y0 + cut}}};
    xml::Element polygon(out, "polygon");
    polygon.Plain("class", "pad").Begin("points");
    for (std::size_t i = 0; i < corners.size(); ++i) {
        if (i > 0) {
            polygon.Space();
        }
        polygon.Put(corners[i].X).Put(",").Put(corners[i].Y);
    }
    polygon.End();
    return polygon;
}

} // namespace

void SvgDocumentWriter::Bounds::Add(double x, double y, double reach) {
    minX_ = std::min(minX_, x - reach);
    maxX_ = std::max(maxX_, x + reach);
    minY_ = std::min(minY_, y - reach);
    maxY_ = std::max(maxY_, y + reach);
}

SvgDocumentWriter::SvgDocumentWriter(OutputStream& out, std::string title)
    : out_(out), title_(std::move(title)), bulk_(1 / UnitsPerMil), freeVias_(out),
      componentVias_(out), freePadHoles_(out), freeViaHoles_(out), componentHoles_(out) {}

void SvgDocumentWriter::Place(const Bounds& covers, std::initializer_list<BulkPoint> anchors) {
    bulk_.Add({covers.MinX(), covers.MinY(), covers.MaxX(), covers.MaxY()},
              {anchors.begin(), anchors.size()});
}

SpillBuffer& SvgDocumentWriter::PartOf(const std::string& layer, Part part) {
    std::unique_ptr<SpillBuffer>& spill = layers_[layer].Parts[part];
    if (!spill) {
        spill = std::make_unique<SpillBuffer>(out_);
    }
    return *spill;
}

void SvgDocumentWriter::AddToLayer(const std::string& layer, Part part, bool inComponent) {
    element_ += '\n';
    if (inComponent) {
        componentLayers_[layer][part] += element_;
        layers_[layer]; // the layer is present from its first element on
    } else {
        PartOf(layer, part).Append(element_);
    }
}

void SvgDocumentWriter::OnTrack(const Track& t, Owner owner) {
    const Point a = ToPicture(Mils(t.X1), Mils(t.Y1));
    const Point b = ToPicture(Mils(t.X2), Mils(t.Y2));
    const double width = SizeMils(t.Width);
    element_.clear();
    xml::Element(element_, "line")
        .Plain("class", "track")
        .Number("x1", a.X)
        .Number("y1", a.Y)
        .Number("x2", b.X)
        .Number("y2", b.Y)
        .Number("stroke-width", width)
        .Empty();
    AddToLayer(t.Layer, TrackPart, owner.InComponent());
    Bounds covers;
    covers.Add(a.X, a.Y, width / 2);
    covers.Add(b.X, b.Y, width / 2);
    Place(covers, {Anchor(a), Anchor(b)});
}

void SvgDocumentWriter::OnArc(const Arc& a, Owner owner) {
    const double r = SizeMils(a.Radius);
    const double width = SizeMils(a.Width);
    const Point centre = ToPicture(Mils(a.X), Mils(a.Y));
    double sweep = std::fmod(a.EndAngle - a.StartAngle, 360.0);
    if (sweep <= 0) {
        sweep += 360; // equal angles: the whole circle
    }
    element_.clear();
    const auto shape = [&]() {
        if (sweep >= 360) {
            return Circle(element_, "arc", centre, r);
        }
        const auto at = [&](double degrees) {
            const CosSin turn = CosSinOfDegrees(degrees);
            return ToPicture(Mils(a.X) + r * turn.Cos, Mils(a.Y) + r * turn.Sin);
        };
        const Point from = at(a.StartAngle);
        const Point to = at(a.StartAngle + sweep);
        // Counter-clockwise on the board, which the picture's flipped y turns into sweep 0.
        xml::Element path(element_, "path");
        path.Plain("class", "arc").Begin("d").Put("M ").Put(from.X).Space().Put(from.Y);
        path.Put(" A ").Put(r).Space().Put(r).Put(sweep > 180 ? " 0 1 0 " : " 0 0 0 ");
        path.Put(to.X).Space().Put(to.Y).End();
        return path;
    };
    shape().Plain("fill", "none").Number("stroke-width", width).Empty();
    AddToLayer(a.Layer, ArcPart, owner.InComponent());
    Bounds covers;
    covers.Add(centre.X, centre.Y, r + width / 2);
    Place(covers, {Anchor(centre)});
}

void SvgDocumentWriter::OnFill(const Fill& f, Owner owner) {
    const Point a = ToPicture(Mils(f.X1), Mils(f.Y1));
    const Point b = ToPicture(Mils(f.X2), Mils(f.Y2));
    const Point centre{(a.X + b.X) / 2, (a.Y + b.Y) / 2};
    const double w = std::abs(b.X - a.X), h = std::abs(b.Y - a.Y);
    element_.clear();
    ShapeEnd(CentredRect(element_, "fill", centre, w, h, 0), f.Rotation, centre);
    AddToLayer(f.Layer, FillPart, owner.InComponent());
    Bounds covers;
    covers.Add(centre.X, centre.Y, std::hypot(w, h) / 2);
    Place(covers, {Anchor(a), Anchor(b)});
}

void SvgDocumentWriter::OnPad(const Pad& p, Owner owner) {
    const Point c = ToPicture(Mils(p.X), Mils(p.Y));
    const double w = SizeMils(p.XSize), h = SizeMils(p.YSize);
    element_.clear();
    const auto shape = [&]() {
        switch (PadShape(p.ShapeCode)) {
        case PadShape::Round: // a circle, or a stadium when the sides differ
            return w == h ? Circle(element_, "pad", c, w / 2)
                          : CentredRect(element_, "pad", c, w, h, std::min(w, h) / 2);
        case PadShape::Octagon:
            return Octagon(element_, c, w, h);
        case PadShape::RoundedRectangle:
            return CentredRect(element_, "pad", c, w, h, std::min(w, h) / 4);
        default: // rectangle, and shapes the picture has no drawing of
            return CentredRect(element_, "pad", c, w, h, 0);
        }
    };
    ShapeEnd(shape(), p.Rotation, c);
    AddToLayer(p.Layer, PadPart, owner.InComponent());
    AddHole(c.X, c.Y, Mils(p.Hole), false, owner.InComponent()); // a negative hole is no hole
    Bounds covers;
    covers.Add(c.X, c.Y, std::hypot(w, h) / 2);
    Place(covers, {Anchor(c)});
}

void SvgDocumentWriter::OnVia(const Via& v, Owner owner) {
    const Point c = ToPicture(Mils(v.X), Mils(v.Y));
    element_.clear();
    Circle(element_, "via", c, SizeMils(v.Size) / 2).Plain("stroke", "none").Empty();
    element_ += '\n';
    if (owner.InComponent()) {
        componentViaElements_ += element_;
    } else {
        freeVias_.Append(element_);
    }
    anyVia_ = true;
    AddHole(c.X, c.Y, Mils(v.Hole), true, owner.InComponent());
    Bounds covers;
    covers.Add(c.X, c.Y, SizeMils(v.Size) / 2);
    Place(covers, {Anchor(c)});
}

void SvgDocumentWriter::AddHole(double x, double y, double diameter, bool ofVia, bool inComponent) {
    if (!(diameter > 0)) {
        return;
    }
    std::string hole;
    Circle(hole, "hole", {x, y}, diameter / 2).Empty();
    hole += '\n';
    anyHole_ = true;
    if (inComponent) {
        (ofVia ? componentViaHoles_ : componentPadHoles_) += hole;
    } else {
        (ofVia ? freeViaHoles_ : freePadHoles_).Append(hole);
    }
}

void SvgDocumentWriter::DrawText(const Text& t, bool inComponent) {
    const Point at = ToPicture(Mils(t.X), Mils(t.Y));
    const double height = SizeMils(t.Height);
    element_.clear();
    xml::Element text(element_, "text");
    text.Plain("class", "text").Begin("transform").Put("translate(").Put(at.X).Space().Put(at.Y);
    text.Put(")");
    if (std::fmod(t.Rotation, 360.0) != 0) {
        text.Put(" rotate(").Put(-t.Rotation).Put(")");
    }
    if (t.Mirror) {
        text.Put(" scale(-1 1)");
    }
    text.End().Number("font-size", height / CapitalHeightPerEm).Open();
    xml::AppendText(element_, t.Content);
    element_ += "</text>";
    AddToLayer(t.Layer, TextPart, inComponent);
    // The text's box, turned about its anchor.
    Bounds covers;
    for (const TextCorner& corner :
         TextBoxCorners(height, t.Content.size(), t.Rotation, t.Mirror)) {
        const Point p = ToPicture(Mils(t.X) + corner.X, Mils(t.Y) + corner.Y);
        covers.Add(p.X, p.Y);
    }
    Place(covers, {Anchor(at)});
}

void SvgDocumentWriter::OnText(const Text& text, Owner owner) {
    DrawText(text, owner.InComponent());
}

void SvgDocumentWriter::OnComponentBegin(const Component& component) {
    componentLayers_.clear();
    componentViaElements_.clear();
    componentPadHoles_.clear();
    componentViaHoles_.clear();
    componentTexts_ = {component.DesignatorText, component.CommentText};
}

void SvgDocumentWriter::OnComponentEnd() {
    // The designator and comment come after the component's own primitives.
    for (const std::optional<Text>& text : componentTexts_) {
        if (text && !text->Content.empty()) {
            DrawText(*text, true);
        }
    }
    std::string joined;
    for (const auto& [layer, parts] : componentLayers_) {
        joined.clear();
        for (const std::string& part : parts) {
            joined += part;
        }
        PartOf(layer, ComponentPart).Append(joined);
    }
    componentVias_.Append(componentViaElements_);
    componentHoles_.Append(componentPadHoles_);
    componentHoles_.Append(componentViaHoles_);
}

void SvgDocumentWriter::OnBoardEnd() {
    WriteDocument();
}

void SvgDocumentWriter::WriteGroup(const std::string& start,
                                   std::initializer_list<SpillBuffer*> parts) {
    out_.Write(start);
    for (SpillBuffer* part : parts) {
        if (part != nullptr) {
            part->MoveIntoDocument();
        }
    }
    out_.Write("</g>\n");
}

std::string SvgDocumentWriter::Legend(double x, double y, double unit) const {
    std::string out = "<g class=\"legend\" font-family=\"sans-serif\" font-size=\"" +
                      SvgLength(unit * 0.8) + "\">\n";
    const auto row = [&](const std::string& label, const std::string& colour) {
        out += "<rect class=\"swatch\" x=\"" + SvgLength(x) + "\" y=\"" + SvgLength(y) +
               "\" width=\"" + SvgLength(unit) + "\" height=\"" + SvgLength(unit * 0.8) +
               "\" fill=\"" + colour + "\"/>\n";
        out += "<text class=\"label\" x=\"" + SvgLength(x + unit * 1.4) + "\" y=\"" +
               SvgLength(y + unit * 0.75) + "\" fill=\"#e0e0e0\">" + xml::Text(label) + "</text>\n";
        y += unit * 1.2;
    };
    for (const auto& name : names_) {
        row(name, StyleOfLayer(name).Colour);
    }
    if (anyVia_) {
        row("Vias", ViaColour);
    }
    return out + "</g>\n";
}

void SvgDocumentWriter::WriteDocument() {
    // Layers in drawing order, bottom side first.
    names_.clear();
    for (const auto& [name, elements] : layers_) {
        names_.push_back(name);
    }
    std::stable_sort(names_.begin(), names_.end(), [](const std::string& a, const std::string& b) {
        return StyleOfLayer(a).Order < StyleOfLayer(b).Order;
    });

    // The picture shows the bulk of the board: an object far from the rest (a damaged value) lies
    // outside it rather than shrink the board to a dot. An empty board still gets a small square.
    const std::optional<BoardBulk> bulk = bulk_.Bulk();
    const BulkBox board = bulk ? bulk->Extent : BulkBox{};
    const double extentWidth = board.MaxX - board.MinX, extentHeight = board.MaxY - board.MinY;
    const double margin = !bulk ? 100 : std::max(20.0, 0.04 * std::max(extentWidth, extentHeight));
    const double minX = board.MinX - margin;
    const double minY = board.MinY - margin;
    const double boardWidth = extentWidth + 2 * margin;
    const double boardHeight = extentHeight + 2 * margin;

    const std::size_t legendRows = names_.size() + (anyVia_ ? 1 : 0);
    const double unit = std::max(boardWidth, boardHeight) / 45;
    const double legendHeight =
        legendRows == 0 ? 0 : unit * (1.2 * static_cast<double>(legendRows) + 0.6);
    const double width = boardWidth;
    const double height = boardHeight + legendHeight;
    const double scale = PictureLongSidePx / std::max(width, height);

    std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    head += "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" + SvgLength(minX) + " " +
            SvgLength(minY) + " " + SvgLength(width) + " " + SvgLength(height) + "\" width=\"" +
            units::Hundredths(std::round(width * scale)) + "\" height=\"" +
            units::Hundredths(std::round(height * scale)) + "\">\n";
    head += "<title>";
    xml::AppendText(head, FileNameAsUtf8(title_), xml::TextBytes::Utf8);
    head += "</title>\n";
    head += "<rect class=\"background\" x=\"" + SvgLength(minX) + "\" y=\"" + SvgLength(minY) +
            "\" width=\"" + SvgLength(width) + "\" height=\"" + SvgLength(height) + "\" fill=\"" +
            BackgroundColour + "\"/>\n";
    out_.Write(head);
    for (const std::string& name : names_) {
        const std::string colour = StyleOfLayer(name).Colour;
        LayerElements& elements = layers_.at(name);
        WriteGroup("<g class=\"layer\" id=\"layer-" + xml::Text(name) + "\" fill=\"" + colour +
                       "\" stroke=\"" + colour +
                       "\" stroke-linecap=\"round\" font-family=\"sans-serif\">\n",
                   {elements.Parts[TrackPart].get(), elements.Parts[ArcPart].get(),
                    elements.Parts[FillPart].get(), elements.Parts[PadPart].get(),
                    elements.Parts[TextPart].get(), elements.Parts[ComponentPart].get()});
    }
    if (anyVia_) {
        WriteGroup(std::string("<g class=\"vias\" fill=\"") + ViaColour + "\">\n",
                   {&freeVias_, &componentVias_});
    }
    if (anyHole_) {
        WriteGroup(std::string("<g class=\"holes\" fill=\"") + BackgroundColour +
                       "\" stroke=\"#000000\" stroke-width=\"" + SvgLength(unit * 0.02) + "\">\n",
                   {&freePadHoles_, &freeViaHoles_, &componentHoles_});
    }
    if (legendRows > 0) {
        out_.Write(Legend(minX + unit * 0.5, minY + boardHeight, unit));
    }
    out_.Write("</svg>\n");
}

} // namespace corvane::cli
