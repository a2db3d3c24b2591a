#include "importer/RecordConverters.h"

#include "importer/GeometryRules.h"
#include "importer/LayerMapping.h"
#include "serverclient/LayerNumbering.h"
#include "serverclient/Units.h"

namespace corvane {
namespace {

constexpr std::int32_t Version5HoleSize = 32; // mils, of every via and of multi-layer pads
constexpr std::int32_t StrokeFontId = 1;
constexpr std::int32_t ObjectFlagOffValue = 2; // the fifth position value that sets no flag

} // namespace

bool MilsBeyondHostRange(std::int32_t mils) {
    return std::int64_t{ScaleMilsClamped(mils)} != std::int64_t{mils} * HostUnitsPerMil;
}

std::int32_t MilsToHostUnits(std::int32_t mils, ConversionNotes* notes) {
    if (notes != nullptr && MilsBeyondHostRange(mils)) {
        notes->ClampedMils.push_back(mils);
    }
    return ScaleMilsClamped(mils);
}

TLayer ClassicLayerOfFileLayer(FileCode fileLayer) {
    // Layers the file map does not cover go to "NoLayer" rather than outside the table.
    return ImportLayerMap(LegacyLayerIndexToLayer(fileLayer)).value_or(layer::NoLayer);
}

HostTrack ConvertTrack(const FileTrack& file, ConversionNotes* notes) {
    HostTrack host;
    host.Layer = ClassicLayerOfFileLayer(file.Layer);
    host.X = MilsToHostUnits(file.X1, notes);
    host.Y = MilsToHostUnits(file.Y1, notes);
    host.X2 = MilsToHostUnits(file.X2, notes);
    host.Y2 = MilsToHostUnits(file.Y2, notes);
    host.Width = MilsToHostUnits(file.Width, notes);
    return host;
}

HostVia ConvertVia(const FileVia& file, bool isVersion5File, ConversionNotes* notes) {
    HostVia host;
    host.StartLayer = layer::TopLayer;
    host.EndLayer = layer::BottomLayer;
    host.X = MilsToHostUnits(file.X, notes);
    host.Y = MilsToHostUnits(file.Y, notes);
    host.Size = MilsToHostUnits(file.Size, notes);
    host.HoleSize = MilsToHostUnits(isVersion5File ? Version5HoleSize : file.HoleSize, notes);
    return host;
}

HostPad ConvertPad(const FilePad& file, bool isVersion5File, ConversionNotes* notes) {
    HostPad host;
    host.Layer = ClassicLayerOfFileLayer(file.Layer);
    host.Tag = PlaneCodeMap(file.PlaneCode);
    const PadShapeRule rule = PadShapeOfCode(file.ShapeCode);
    host.Shape = rule.Shape;
    std::int32_t holeSize = file.HoleSize;
    if (isVersion5File) {
        holeSize = host.Layer == layer::MultiLayer ? Version5HoleSize : 0;
    }
    host.X = MilsToHostUnits(file.X, notes);
    host.Y = MilsToHostUnits(file.Y, notes);
    host.XSize = MilsToHostUnits(file.XSize, notes);
    host.YSize = MilsToHostUnits(rule.Square ? file.XSize : file.YSize, notes);
    host.HoleSize = MilsToHostUnits(holeSize, notes);
    return host;
}

HostArc ConvertArc(const FileArc& file, ConversionNotes* notes) {
    HostArc host;
    const ArcAngles angles = ArcQuadrantAngles(file.QuadrantFlags);
    host.StartAngle = angles.Start;
    host.EndAngle = angles.End;
    host.Layer = ClassicLayerOfFileLayer(file.Layer);
    host.X = MilsToHostUnits(file.X, notes);
    host.Y = MilsToHostUnits(file.Y, notes);
    host.Radius = MilsToHostUnits(file.Radius, notes);
    host.LineWidth = MilsToHostUnits(file.Width, notes);
    return host;
}

HostFill ConvertFill(const FileFill& file, ConversionNotes* notes) {
    HostFill host;
    host.Layer = ClassicLayerOfFileLayer(file.Layer);
    host.X = MilsToHostUnits(file.X1, notes);
    host.Y = MilsToHostUnits(file.Y1, notes);
    host.X2 = MilsToHostUnits(file.X2, notes);
    host.Y2 = MilsToHostUnits(file.Y2, notes);
    return host;
}

HostText ConvertText(const FileText& file, ConversionNotes* notes) {
    HostText host;
    host.Layer = ClassicLayerOfFileLayer(file.Layer);
    host.FontId = StrokeFontId;
    host.X = MilsToHostUnits(file.X, notes);
    host.Y = MilsToHostUnits(file.Y, notes);
    host.Size = MilsToHostUnits(file.Height, notes);
    host.StrokeWidth = TextStrokeWidth(host.Size);
    const TextOrientation orientation =
        DecodeTextOrientation(RoundOrientationCode(file.OrientationCode));
    host.Rotation = orientation.Angle;
    host.Mirrored = orientation.Mirrored;
    return host;
}

HostPosition ConvertPosition(const FilePosition& file, ConversionNotes* notes) {
    HostPosition host;
    host.X = MilsToHostUnits(file.X, notes);
    host.Y = MilsToHostUnits(file.Y, notes);
    host.Option1 = static_cast<std::uint8_t>(file.Option1);
    host.Option2 = static_cast<std::uint8_t>(file.Option2);
    host.ObjectFlag = file.HasFifthValue && file.FifthValue != ObjectFlagOffValue;
    return host;
}

} // namespace corvane
