#include "serverclient/LayerNumbering.h"

namespace corvane {
namespace {

constexpr std::uint32_t NumberOf(TLayerId id) {
    return id & 0xFFFFu;
}
constexpr std::uint32_t TagOf(TLayerId id) {
    return id >> 16;
}
constexpr std::uint32_t TopByteOf(TLayerId id) {
    return id >> 24;
}
constexpr std::uint32_t LowByteOf(TLayerId id) {
    return id & 0xFFu;
}

constexpr TLayerId MakeExtended(std::uint32_t tag, std::int64_t number) {
    return (tag << 16) | static_cast<std::uint32_t>(number);
}

[[noreturn]] void RaiseLayer(const char* constructor, std::int64_t number) {
    // The message shows the low 32 bits of the number read as a signed integer.
    const auto shown = static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
    throw ELayerException(std::string("Creating ") + constructor + "(" + std::to_string(shown) +
                          ")");
}

// An identifier with number 0 that is not 0 as a whole belongs to no class.
constexpr bool HasNoClass(TLayerId id) {
    return NumberOf(id) == 0 && id != 0;
}

} // namespace

const std::array<String20, 83> LayerNames = {
    String20("NoLayer"),         String20("TopLayer"),        String20("MidLayer1"),
    String20("MidLayer2"),       String20("MidLayer3"),       String20("MidLayer4"),
    String20("MidLayer5"),       String20("MidLayer6"),       String20("MidLayer7"),
    String20("MidLayer8"),       String20("MidLayer9"),       String20("MidLayer10"),
    String20("MidLayer11"),      String20("MidLayer12"),      String20("MidLayer13"),
    String20("MidLayer14"),      String20("MidLayer15"),      String20("MidLayer16"),
    String20("MidLayer17"),      String20("MidLayer18"),      String20("MidLayer19"),
    String20("MidLayer20"),      String20("MidLayer21"),      String20("MidLayer22"),
    String20("MidLayer23"),      String20("MidLayer24"),      String20("MidLayer25"),
    String20("MidLayer26"),      String20("MidLayer27"),      String20("MidLayer28"),
    String20("MidLayer29"),      String20("MidLayer30"),      String20("BottomLayer"),
    String20("TopOverlay"),      String20("BottomOverlay"),   String20("TopPaste"),
    String20("BottomPaste"),     String20("TopSolder"),       String20("BottomSolder"),
    String20("InternalPlane1"),  String20("InternalPlane2"),  String20("InternalPlane3"),
    String20("InternalPlane4"),  String20("InternalPlane5"),  String20("InternalPlane6"),
    String20("InternalPlane7"),  String20("InternalPlane8"),  String20("InternalPlane9"),
    String20("InternalPlane10"), String20("InternalPlane11"), String20("InternalPlane12"),
    String20("InternalPlane13"), String20("InternalPlane14"), String20("InternalPlane15"),
    String20("InternalPlane16"), String20("DrillGuide"),      String20("KeepOutLayer"),
    String20("Mechanical1"),     String20("Mechanical2"),     String20("Mechanical3"),
    String20("Mechanical4"),     String20("Mechanical5"),     String20("Mechanical6"),
    String20("Mechanical7"),     String20("Mechanical8"),     String20("Mechanical9"),
    String20("Mechanical10"),    String20("Mechanical11"),    String20("Mechanical12"),
    String20("Mechanical13"),    String20("Mechanical14"),    String20("Mechanical15"),
    String20("Mechanical16"),    String20("DrillDrawing"),    String20("MultiLayer"),
    String20("ConnectLayer"),    String20("BackGroundLayer"), String20("DRCErrorLayer"),
    String20("HighlightLayer"),  String20("GridColor1"),      String20("GridColor10"),
    String20("PadHoleLayer"),    String20("ViaHoleLayer"),
};

std::string LayerName(TLayer layer) {
    return layer <= MaxClassicLayer ? LayerNames[layer].Str() : LayerNames[0].Str();
}

TLayerId SignalLayer(std::int64_t number) {
    if (number == 1) {
        return TopLayer();
    }
    if (number == MaxLayerNumber) {
        return BottomLayer();
    }
    if (number >= 2 && number <= 31) {
        return static_cast<TLayerId>(number);
    }
    if (number >= 0 && number <= MaxLayerNumber) {
        return MakeExtended(SignalLayerTag, number);
    }
    RaiseLayer("SignalLayer", number);
}

TLayerId MidLayer(std::int64_t number) {
    if (number >= MaxLayerNumber) {
        // number + 1 would leave the signal range (or overflow): the signal constructor's error.
        RaiseLayer("SignalLayer", number == INT64_MAX ? number : number + 1);
    }
    return SignalLayer(number + 1);
}

TLayerId InternalPlaneLayer(std::int64_t number) {
    if (number >= 1 && number <= 16) {
        return static_cast<TLayerId>(number + 38);
    }
    if (number >= 1 && number <= MaxLayerNumber) {
        return MakeExtended(InternalPlaneTag, number);
    }
    RaiseLayer("InternalPlaneLayer", number);
}

TLayerId MechanicalLayer(std::int64_t number) {
    if (number >= 1 && number <= 16) {
        return static_cast<TLayerId>(number + 56);
    }
    if (number >= 1 && number <= MaxLayerNumber) {
        return MakeExtended(MechanicalLayerTag, number);
    }
    RaiseLayer("MechanicalLayer", number);
}

TLayerId LayerToLayerId(TLayer layer) {
    if (layer == 1) {
        return SignalLayer(1);
    }
    if (layer >= 2 && layer <= 31) {
        return MidLayer(layer - 1);
    }
    if (layer == 32) {
        return SignalLayer(MaxLayerNumber);
    }
    if (layer >= 39 && layer <= 54) {
        return InternalPlaneLayer(layer - 38);
    }
    if (layer >= 57 && layer <= 72) {
        return MechanicalLayer(layer - 56);
    }
    if ((layer >= 33 && layer <= 38) || layer == 55 || layer == 56 ||
        (layer >= 73 && layer <= MaxClassicLayer)) {
        return layer; // the fixed layers: their classic identifier
    }
    return NoLayer();
}

bool IsSignalLayer(TLayerId id) {
    if (HasNoClass(id)) {
        return false;
    }
    if (TagOf(id) != 0) {
        return TagOf(id) == SignalLayerTag;
    }
    const auto low = LowByteOf(id);
    return low >= 1 && low <= 32;
}

bool IsInternalPlaneLayer(TLayerId id) {
    if (HasNoClass(id)) {
        return false;
    }
    if (TagOf(id) != 0) {
        return TagOf(id) == InternalPlaneTag;
    }
    const auto low = LowByteOf(id);
    return low >= 39 && low <= 54;
}

bool IsMechanicalLayer(TLayerId id) {
    if (HasNoClass(id)) {
        return false;
    }
    if (TagOf(id) != 0) {
        return TagOf(id) == MechanicalLayerTag;
    }
    const auto low = LowByteOf(id);
    return low >= 57 && low <= 72;
}

TLayerKind GetLayerKind(TLayerId id) {
    if (IsSignalLayer(id)) {
        if (id == TopLayer()) {
            return 1;
        }
        return id == BottomLayer() ? 3 : 2;
    }
    if (IsInternalPlaneLayer(id)) {
        return 4;
    }
    if (IsMechanicalLayer(id)) {
        return 5;
    }
    if (TopByteOf(id) != 0) {
        return 0;
    }
    // Tag 0 (or an unknown tag below 256): the low byte selects a fixed layer.
    const auto low = LowByteOf(id);
    if (low >= 33 && low <= 38) {
        return static_cast<TLayerKind>(low - 27);
    }
    if (low == 55) {
        return 12;
    }
    if (low == 56) {
        return 13;
    }
    if (low >= 73 && low <= 82) {
        return static_cast<TLayerKind>(low - 59);
    }
    return 0;
}

std::int64_t LayerNumberInKind(TLayerId id) {
    if (TopByteOf(id) != 0) {
        return NumberOf(id);
    }
    const auto low = LowByteOf(id);
    if (IsMechanicalLayer(id) && TagOf(id) == 0) {
        return low - 56;
    }
    if (IsSignalLayer(id) && TagOf(id) == 0) {
        return low == 32 ? MaxLayerNumber : low;
    }
    if (IsInternalPlaneLayer(id) && TagOf(id) == 0) {
        return low - 38;
    }
    return GetLayerKind(id);
}

TLayer LayerIdToLayer(TLayerId id) {
    const TLayerKind kind = GetLayerKind(id);
    switch (kind) {
    case 0:
        return layer::NoLayer;
    case 1:
        return layer::TopLayer;
    case 3:
        return layer::BottomLayer;
    case 2: {
        const std::int64_t n = LayerNumberInKind(id);
        return n - 1 > 30 ? TLayer{31} : static_cast<TLayer>(n);
    }
    case 4: {
        const std::int64_t n = LayerNumberInKind(id);
        return n <= 16 ? static_cast<TLayer>(n + 38) : layer::InternalPlane16;
    }
    case 5: {
        const std::int64_t n = LayerNumberInKind(id);
        return n <= 16 ? static_cast<TLayer>(n + 56) : TLayer{72};
    }
    default:
        break;
    }
    if (kind >= 6 && kind <= 11) {
        return static_cast<TLayer>(kind + 27);
    }
    if (kind == 12) {
        return 55;
    }
    if (kind == 13) {
        return 56;
    }
    return static_cast<TLayer>(kind + 59); // 14..23 -> 73..82
}

} // namespace corvane
