#pragma once
// The records of the file as the readers read them: file units (whole mils; the text orientation
// as its code) and file codes (layers 1..13, pad shapes, plane codes, arc quadrant flags), before
// any conversion. RecordConverters.h turns each into the values the host takes.

#include "contract/ShortString.h"

#include <cstdint>

namespace corvane {

/// Of a file layer, shape or plane code only the low 8 bits count.
using FileCode = std::uint8_t;

/// "FT" / "CT": X1 Y1 X2 Y2 Width Layer (mils).
struct FileTrack {
    std::int32_t X1 = 0;
    std::int32_t Y1 = 0;
    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    std::int32_t Width = 0;
    FileCode Layer = 0;
};

/// "FV" / "CV": X Y Size HoleSize (mils); a via has no layer of its own.
struct FileVia {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Size = 0;
    std::int32_t HoleSize = 0;
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
};

/// "FA" / "CA": X Y (the centre) Radius QuadrantFlags Width Layer (mils).
struct FileArc {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Radius = 0;
    std::int32_t QuadrantFlags = 0;
    std::int32_t Width = 0;
    FileCode Layer = 0;
};

/// "FF" / "CF": X1 Y1 X2 Y2 (opposite corners, mils) Layer.
struct FileFill {
    std::int32_t X1 = 0;
    std::int32_t Y1 = 0;
    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    FileCode Layer = 0;
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
};

/// The position line of a "COMP" record: X Y (mils) Option1 Option2, and an optional fifth value.
struct FilePosition {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Option1 = 0;
    std::int32_t Option2 = 0;
    bool HasFifthValue = false;
    std::int32_t FifthValue = 0;
};

} // namespace corvane
