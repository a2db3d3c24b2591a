#include "SvgWriter.h"

#include "LayerStyle.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <vector>

namespace halvex::cli {
namespace {

// The picture is drawn in mils; the host's unit is 1/10000 mil.
constexpr double UnitsPerMil = 10000.0;
constexpr double PictureLongSidePx = 1200.0;
// A capital letter fills about this part of the font size.
constexpr double CapitalHeightPerEm = 0.72;
constexpr double CharacterWidthPerHeight = 0.75;

double Mils(std::int32_t units) {
    return units / UnitsPerMil;
}

// Two decimals at most, no trailing zeros: small, exact enough, the same on every platform.
std::string Num(double value) {
    const double rounded = std::round(value * 100.0) / 100.0;
    if (rounded == 0 || !std::isfinite(rounded)) {
        return "0";
    }
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), rounded,
                                      std::chars_format::fixed, 2);
    std::string text(buffer.data(), result.ptr);
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

// Text for XML: markup characters escaped, bytes 128..255 taken as ISO 8859-1, control
// characters (which XML 1.0 forbids) shown as '?'.
std::string XmlText(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '&':
            out += "&amp;";
            continue;
        case '<':
            out += "&lt;";
            continue;
        case '>':
            out += "&gt;";
            continue;
        case '"':
            out += "&quot;";
            continue;
        default:
            break;
        }
        if (byte < 0x20 || byte == 0x7F) {
            out += '?';
        } else if (byte >= 0x80) {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        } else {
            out += c;
        }
    }
    return out;
}

struct Point {
    double X = 0, Y = 0;
};

// The picture's y axis points down; the board's points up.
Point ToPicture(double xMils, double yMils) {
    return {xMils, -yMils};
}

class Bounds {
public:
    void Add(Point p, double reach = 0) {
        minX_ = std::min(minX_, p.X - reach);
        maxX_ = std::max(maxX_, p.X + reach);
        minY_ = std::min(minY_, p.Y - reach);
        maxY_ = std::max(maxY_, p.Y + reach);
    }
    bool Empty() const { return minX_ > maxX_; }
    double MinX() const { return minX_; }
    double MinY() const { return minY_; }
    double Width() const { return maxX_ - minX_; }
    double Height() const { return maxY_ - minY_; }

private:
    double minX_ = std::numeric_limits<double>::max();
    double maxX_ = std::numeric_limits<double>::lowest();
    double minY_ = std::numeric_limits<double>::max();
    double maxY_ = std::numeric_limits<double>::lowest();
};

std::string RotateAbout(double degrees, Point centre) {
    if (std::fmod(degrees, 360.0) == 0) {
        return {};
    }
    // Counter-clockwise on the board is counter-clockwise on the screen: a negative SVG angle.
    return " transform=\"rotate(" + Num(-degrees) + " " + Num(centre.X) + " " + Num(centre.Y) +
           ")\"";
}

// A rectangle of the given size centred on c, corners rounded by the radius.
std::string CentredRect(const char* cls, Point c, double w, double h, double radius,
                        const std::string& extra) {
    std::string e = "<rect class=\"" + std::string(cls) + "\" x=\"" + Num(c.X - w / 2) + "\" y=\"" +
                    Num(c.Y - h / 2) + "\" width=\"" + Num(w) + "\" height=\"" + Num(h) + "\"";
    if (radius > 0) {
        e += " rx=\"" + Num(radius) + "\"";
    }
    return e + extra + "/>";
}

std::string Circle(const char* cls, Point c, double radius, const std::string& extra) {
    return "<circle class=\"" + std::string(cls) + "\" cx=\"" + Num(c.X) + "\" cy=\"" + Num(c.Y) +
           "\" r=\"" + Num(radius) + "\"" + extra + "/>";
}

// An octagon of the given size centred on c: each corner cut as in a regular octagon across
// the smaller side.
std::string Octagon(Point c, double w, double h, const std::string& extra) {
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
    std::string points;
    for (const Point& p : corners) {
        points += (points.empty() ? "" : " ") + Num(p.X) + "," + Num(p.Y);
    }
    return "<polygon class=\"pad\" points=\"" + points + "\"" + extra + "/>";
}

// The elements of the picture, per layer, with the extent they cover.
class Picture {
public:
    void AddPrimitives(const Primitives& p) {
        for (const Track& t : p.Tracks) {
            AddTrack(t);
        }
        for (const Arc& a : p.Arcs) {
            AddArc(a);
        }
        for (const Fill& f : p.Fills) {
            AddFill(f);
        }
        for (const Pad& pad : p.Pads) {
            AddPad(pad);
        }
        for (const Via& v : p.Vias) {
            AddVia(v);
        }
        for (const Text& t : p.Texts) {
            AddText(t);
        }
    }

    void AddText(const Text& t) {
        const Point at = ToPicture(Mils(t.X), Mils(t.Y));
        const double height = Mils(t.Height);
        std::string transform = "translate(" + Num(at.X) + " " + Num(at.Y) + ")";
        if (std::fmod(t.Rotation, 360.0) != 0) {
            transform += " rotate(" + Num(-t.Rotation) + ")";
        }
        if (t.Mirror) {
            transform += " scale(-1 1)";
        }
        Layer(t.Layer).push_back("<text class=\"text\" transform=\"" + transform +
                                 "\" font-size=\"" + Num(height / CapitalHeightPerEm) + "\">" +
                                 XmlText(t.Content) + "</text>");
        // The text's box, turned about its anchor.
        const double width =
            height * CharacterWidthPerHeight * static_cast<double>(t.Content.size());
        const double angle = t.Rotation * std::numbers::pi / 180;
        const double sign = t.Mirror ? -1 : 1;
        for (const Point corner :
             {Point{0, 0}, Point{sign * width, 0}, Point{0, height}, Point{sign * width, height}}) {
            const double x = corner.X * std::cos(angle) - corner.Y * std::sin(angle);
            const double y = corner.X * std::sin(angle) + corner.Y * std::cos(angle);
            bounds_.Add(ToPicture(Mils(t.X) + x, Mils(t.Y) + y));
        }
    }

    std::string Document(const std::string& title) const;

private:
    std::vector<std::string>& Layer(const std::string& name) { return layers_[name]; }

    void AddTrack(const Track& t) {
        const Point a = ToPicture(Mils(t.X1), Mils(t.Y1));
        const Point b = ToPicture(Mils(t.X2), Mils(t.Y2));
        const double width = Mils(t.Width);
        Layer(t.Layer).push_back("<line class=\"track\" x1=\"" + Num(a.X) + "\" y1=\"" + Num(a.Y) +
                                 "\" x2=\"" + Num(b.X) + "\" y2=\"" + Num(b.Y) +
                                 "\" stroke-width=\"" + Num(width) + "\"/>");
        bounds_.Add(a, width / 2);
        bounds_.Add(b, width / 2);
    }

    void AddArc(const Arc& a) {
        const double r = Mils(a.Radius);
        const double width = Mils(a.Width);
        const Point centre = ToPicture(Mils(a.X), Mils(a.Y));
        double sweep = std::fmod(a.EndAngle - a.StartAngle, 360.0);
        if (sweep <= 0) {
            sweep += 360; // equal angles: the whole circle
        }
        const std::string stroke = " fill=\"none\" stroke-width=\"" + Num(width) + "\"";
        if (sweep >= 360) {
            Layer(a.Layer).push_back(Circle("arc", centre, r, stroke));
        } else {
            const auto at = [&](double degrees) {
                const double radians = degrees * std::numbers::pi / 180;
                return ToPicture(Mils(a.X) + r * std::cos(radians),
                                 Mils(a.Y) + r * std::sin(radians));
            };
            const Point from = at(a.StartAngle);
            const Point to = at(a.StartAngle + sweep);
            // Counter-clockwise on the board, which the picture's flipped y turns into sweep 0.
            Layer(a.Layer).push_back("<path class=\"arc\" d=\"M " + Num(from.X) + " " +
                                     Num(from.Y) + " A " + Num(r) + " " + Num(r) + " 0 " +
                                     (sweep > 180 ? "1" : "0") + " 0 " + Num(to.X) + " " +
                                     Num(to.Y) + "\"" + stroke + "/>");
        }
        bounds_.Add(centre, r + width / 2);
    }

    void AddFill(const Fill& f) {
        const Point a = ToPicture(Mils(f.X1), Mils(f.Y1));
        const Point b = ToPicture(Mils(f.X2), Mils(f.Y2));
        const Point centre{(a.X + b.X) / 2, (a.Y + b.Y) / 2};
        const double w = std::abs(b.X - a.X), h = std::abs(b.Y - a.Y);
        Layer(f.Layer).push_back(CentredRect("fill", centre, w, h, 0,
                                             " stroke=\"none\"" + RotateAbout(f.Rotation, centre)));
        bounds_.Add(centre, std::hypot(w, h) / 2);
    }

    void AddPad(const Pad& p) {
        const Point c = ToPicture(Mils(p.X), Mils(p.Y));
        const double w = Mils(p.XSize), h = Mils(p.YSize);
        const std::string extra = " stroke=\"none\"" + RotateAbout(p.Rotation, c);
        std::string element;
        switch (p.ShapeCode) {
        case 1: // round: a circle, or a stadium when the sides differ
            element = w == h ? Circle("pad", c, w / 2, extra)
                             : CentredRect("pad", c, w, h, std::min(w, h) / 2, extra);
            break;
        case 3:
            element = Octagon(c, w, h, extra);
            break;
        case 9:
            element = CentredRect("pad", c, w, h, std::min(w, h) / 4, extra);
            break;
        default: // rectangle, and shapes the picture has no drawing of
            element = CentredRect("pad", c, w, h, 0, extra);
            break;
        }
        Layer(p.Layer).push_back(element);
        AddHole(c, Mils(p.Hole));
        bounds_.Add(c, std::hypot(w, h) / 2);
    }

    void AddVia(const Via& v) {
        const Point c = ToPicture(Mils(v.X), Mils(v.Y));
        vias_.push_back(Circle("via", c, Mils(v.Size) / 2, " stroke=\"none\""));
        AddHole(c, Mils(v.Hole));
        bounds_.Add(c, Mils(v.Size) / 2);
    }

    void AddHole(Point c, double diameter) {
        if (diameter > 0) {
            holes_.push_back(Circle("hole", c, diameter / 2, ""));
        }
    }

    // Layers in drawing order, bottom side first.
    std::vector<std::string> LayerOrder() const {
        std::vector<std::string> names;
        for (const auto& [name, elements] : layers_) {
            names.push_back(name);
        }
        std::stable_sort(names.begin(), names.end(),
                         [](const std::string& a, const std::string& b) {
                             return StyleOfLayer(a).Order < StyleOfLayer(b).Order;
                         });
        return names;
    }

    std::string Legend(const std::vector<std::string>& names, Point at, double unit) const;

    std::map<std::string, std::vector<std::string>> layers_;
    std::vector<std::string> vias_;
    std::vector<std::string> holes_;
    Bounds bounds_;
};

std::string Picture::Legend(const std::vector<std::string>& names, Point at, double unit) const {
    std::string out =
        "<g class=\"legend\" font-family=\"sans-serif\" font-size=\"" + Num(unit * 0.8) + "\">\n";
    double y = at.Y;
    const auto row = [&](const std::string& label, const std::string& colour) {
        out += "<rect class=\"swatch\" x=\"" + Num(at.X) + "\" y=\"" + Num(y) + "\" width=\"" +
               Num(unit) + "\" height=\"" + Num(unit * 0.8) + "\" fill=\"" + colour + "\"/>\n";
        out += "<text class=\"label\" x=\"" + Num(at.X + unit * 1.4) + "\" y=\"" +
               Num(y + unit * 0.75) + "\" fill=\"#e0e0e0\">" + XmlText(label) + "</text>\n";
        y += unit * 1.2;
    };
    for (const std::string& name : names) {
        row(name, StyleOfLayer(name).Colour);
    }
    if (!vias_.empty()) {
        row("Vias", ViaColour);
    }
    return out + "</g>\n";
}

std::string Picture::Document(const std::string& title) const {
    // An empty board still gets a small square picture.
    const double margin =
        bounds_.Empty() ? 100 : std::max(20.0, 0.04 * std::max(bounds_.Width(), bounds_.Height()));
    const double minX = (bounds_.Empty() ? 0 : bounds_.MinX()) - margin;
    const double minY = (bounds_.Empty() ? 0 : bounds_.MinY()) - margin;
    const double boardWidth = (bounds_.Empty() ? 0 : bounds_.Width()) + 2 * margin;
    const double boardHeight = (bounds_.Empty() ? 0 : bounds_.Height()) + 2 * margin;

    const std::vector<std::string> names = LayerOrder();
    const std::size_t legendRows = names.size() + (vias_.empty() ? 0 : 1);
    const double unit = std::max(boardWidth, boardHeight) / 45;
    const double legendHeight =
        legendRows == 0 ? 0 : unit * (1.2 * static_cast<double>(legendRows) + 0.6);
    const double width = boardWidth;
    const double height = boardHeight + legendHeight;
    const double scale = PictureLongSidePx / std::max(width, height);

    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" + Num(minX) + " " + Num(minY) +
           " " + Num(width) + " " + Num(height) + "\" width=\"" + Num(std::round(width * scale)) +
           "\" height=\"" + Num(std::round(height * scale)) + "\">\n";
    out += "<title>" + XmlText(title) + "</title>\n";
    out += "<rect class=\"background\" x=\"" + Num(minX) + "\" y=\"" + Num(minY) + "\" width=\"" +
           Num(width) + "\" height=\"" + Num(height) + "\" fill=\"" + BackgroundColour + "\"/>\n";
    for (const std::string& name : names) {
        const std::string colour = StyleOfLayer(name).Colour;
        out += "<g class=\"layer\" id=\"layer-" + XmlText(name) + "\" fill=\"" + colour +
               "\" stroke=\"" + colour +
               "\" stroke-linecap=\"round\" font-family=\"sans-serif\">\n";
        for (const std::string& element : layers_.at(name)) {
            out += element + "\n";
        }
        out += "</g>\n";
    }
    if (!vias_.empty()) {
        out += std::string("<g class=\"vias\" fill=\"") + ViaColour + "\">\n";
        for (const std::string& element : vias_) {
            out += element + "\n";
        }
        out += "</g>\n";
    }
    if (!holes_.empty()) {
        out += std::string("<g class=\"holes\" fill=\"") + BackgroundColour +
               "\" stroke=\"#000000\" stroke-width=\"" + Num(unit * 0.02) + "\">\n";
        for (const std::string& element : holes_) {
            out += element + "\n";
        }
        out += "</g>\n";
    }
    if (legendRows > 0) {
        out += Legend(names, {minX + unit * 0.5, minY + boardHeight}, unit);
    }
    return out + "</svg>\n";
}

} // namespace

std::string BoardToSvg(const Board& board) {
    Picture picture;
    picture.AddPrimitives(board.Free);
    for (const Component& component : board.Components) {
        picture.AddPrimitives(component.Children);
        for (const auto& text : {component.DesignatorText, component.CommentText}) {
            if (text && !text->Content.empty()) {
                picture.AddText(*text);
            }
        }
    }
    return picture.Document(board.File);
}

} // namespace halvex::cli
