#pragma once
// The records of the file as the readers read them: file units (whole mils; the text orientation
// as its code) and file codes (layers 1..13, pad shapes, plane codes, arc quadrant flags), before
// any conversion. RecordConverters.h turns each into the values the host takes.

#include "contract/ShortString.h"

#include <array>
#include <cstdint>

namespace corvane {

/// Of a file layer, shape or plane code only the low 8 bits count.
using FileCode = std::uint8_t;

/// A record's values beyond the host's coordinate range, each with the line it was read on, so
/// that a clamp is reported at the line of its value. Most records have none; none has more than
/// five values in mils.
struct FarValueLines {
    static constexpr std::size_t Capacity = 5;
    std::array<std::int32_t, Capacity> Mils{};
    std::array<std::uint64_t, Capacity> Lines{};
    std::uint8_t Count = 0;
};

/// "FT" / "CT": X1 Y1 X2 Y2 Width Layer (mils).
struct FileTrack {
    std::int32_t X1 = 0;
    std::int32_t Y1 = 0;
    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    std::int32_t Width = 0;
    FileCode Layer = 0;
    FarValueLines Far;
};

/// "FV" / "CV": X Y Size HoleSize (mils); a via has no layer of its own.
struct FileVia {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Size = 0;
    std::int32_t HoleSize = 0;
    FarValueLines Far;
};

/// "FP" / "CP": X Y XSize YSize ShapeCode HoleSize PlaneCode Layer (mils), then the name line.
struct FilePad {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t XSize = 0;
    std::int32_t YSize = 0;
    FileCode ShapeCode = 0;
    std::int32_t HoleSize = 0;
    FileCode PlaneCode = 0;
    FileCode Layer = 0;
    String20 Name;
    FarValueLines Far;
};

/// "FA" / "CA": X Y (the centre) Radius QuadrantFlags Width Layer (mils).
struct FileArc {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Radius = 0;
    std::int32_t QuadrantFlags = 0;
    std::int32_t Width = 0;
    FileCode Layer = 0;
    FarValueLines Far;
};

/// "FF" / "CF": X1 Y1 X2 Y2 (opposite corners, mils) Layer.
struct FileFill {
    std::int32_t X1 = 0;
    std::int32_t Y1 = 0;
    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    FileCode Layer = 0;
    FarValueLines Far;
};

/// "FS" / "CS", and a component's designator and comment: X Y Height (mils) OrientationCode Spare
/// Layer, and the string. The spare number is read and not kept.
struct FileText {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Height = 0;
    double OrientationCode = 0;
    FileCode Layer = 0;
    String254 Text;
    FarValueLines Far;
};

/// The position line of a "COMP" record: X Y (mils) Option1 Option2, and an optional fifth value.
struct FilePosition {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Option1 = 0;
    std::int32_t Option2 = 0;
    bool HasFifthValue = false;
    std::int32_t FifthValue = 0;
    FarValueLines Far;
};

} // namespace corvane
