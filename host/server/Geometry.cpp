#include "Geometry.h"

#include "GroupRecords.h"
#include "PadRecord.h"
#include "PrimitiveRecords.h"
#include "TextRecord.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace halvex {
namespace {

constexpr double DegreesToRadians = 3.14159265358979323846 / 180.0;

std::int32_t Clamp(double value) {
    const double low = std::numeric_limits<std::int32_t>::min();
    const double high = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(std::nearbyint(value), low, high));
}

class Extent {
public:
    void Add(double x, double y) {
        left_ = std::min(left_, x);
        right_ = std::max(right_, x);
        bottom_ = std::min(bottom_, y);
        top_ = std::max(top_, y);
        empty_ = false;
    }
    void Add(const Rect& r) {
        Add(r.Left, r.Bottom);
        Add(r.Right, r.Top);
    }
    bool Empty() const { return empty_; }
    Rect ToRect() const { return {Clamp(left_), Clamp(bottom_), Clamp(right_), Clamp(top_)}; }

private:
    bool empty_ = true;
    double left_ = std::numeric_limits<double>::max();
    double bottom_ = std::numeric_limits<double>::max();
    double right_ = std::numeric_limits<double>::lowest();
    double top_ = std::numeric_limits<double>::lowest();
};

Rect Around(double x, double y, double halfX, double halfY) {
    Extent e;
    e.Add(x - halfX, y - halfY);
    e.Add(x + halfX, y + halfY);
    return e.ToRect();
}

// The corners (x0, y0)..(x1, y1) of a rectangle turned by degrees about (cx, cy).
Rect TurnedBox(double x0, double y0, double x1, double y1, double cx, double cy, double degrees) {
    const double c = std::cos(degrees * DegreesToRadians);
    const double s = std::sin(degrees * DegreesToRadians);
    Extent e;
    for (const double x : {x0, x1}) {
        for (const double y : {y0, y1}) {
            e.Add(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c);
        }
    }
    return e.ToRect();
}

} // namespace

Rect BoundingRectangle(const ObjectStore& objects, const ObjectRecord& object) {
    const double x = object.X;
    const double y = object.Y;
    switch (object.Kind) {
    case ObjectKind::Track: {
        const auto& track = static_cast<const TrackRecord&>(object);
        const double half = track.Width / 2.0;
        Extent e;
        e.Add(Around(x, y, half, half));
        e.Add(Around(track.X2, track.Y2, half, half));
        return e.ToRect();
    }
    case ObjectKind::Arc: {
        const auto& arc = static_cast<const ArcRecord&>(object);
        const double reach = std::abs(static_cast<double>(arc.Radius)) + arc.LineWidth / 2.0;
        return Around(x, y, reach, reach);
    }
    case ObjectKind::Via: {
        const double half = static_cast<const ViaRecord&>(object).Size / 2.0;
        return Around(x, y, half, half);
    }
    case ObjectKind::Pad: {
        const auto& pad = static_cast<const PadRecord&>(object);
        double halfX = 0;
        double halfY = 0;
        for (const PadLayer* part : {&pad.Top, &pad.Mid, &pad.Bottom}) {
            halfX = std::max(halfX, part->XSize / 2.0);
            halfY = std::max(halfY, part->YSize / 2.0);
        }
        return TurnedBox(x - halfX, y - halfY, x + halfX, y + halfY, x, y, pad.Rotation);
    }
    case ObjectKind::Fill: {
        const auto& fill = static_cast<const FillRecord&>(object);
        return TurnedBox(x, y, fill.X2, fill.Y2, (x + fill.X2) / 2.0, (y + fill.Y2) / 2.0,
                         fill.Rotation);
    }
    case ObjectKind::Text: {
        const auto& text = static_cast<const TextRecord&>(object);
        const double width = static_cast<double>(text.Text.size()) * text.Size * 2.0 / 3.0;
        const double right = text.Mirror != 0 ? x - width : x + width;
        return TurnedBox(x, y, right, y + text.Size, x, y, text.Rotation);
    }
    case ObjectKind::Component: {
        const auto& component = static_cast<const ComponentRecord&>(object);
        Extent e;
        for (std::size_t i = 0; i < component.Children.Size(); ++i) {
            if (const ObjectRecord* child = objects.Find(component.Children.At(i).Handle)) {
                e.Add(BoundingRectangle(objects, *child));
            }
        }
        for (const std::uint32_t text : {component.NameText, component.CommentText}) {
            if (const auto* record = objects.Find<TextRecord>(text)) {
                e.Add(BoundingRectangle(objects, *record));
            }
        }
        return e.Empty() ? Around(x, y, 0, 0) : e.ToRect();
    }
    default:
        return Around(x, y, 0, 0);
    }
}

} // namespace halvex
