// The host functions of HalvexHost.h: board documents, the progress sink and the read-only view.

#include "contract/HalvexHost.h"

#include "GroupRecords.h"
#include "OtherRecords.h"
#include "PadRecord.h"
#include "PrimitiveRecords.h"
#include "Server.h"
#include "Status.h"
#include "TextRecord.h"

#include <algorithm>
#include <cstring>
#include <string_view>

using namespace halvex;

namespace {

// Copies text into a zero-terminated array, cut to fit.
template <std::size_t N> void CopyText(char (&target)[N], std::string_view text) {
    const std::size_t n = std::min(text.size(), N - 1);
    if (n != 0) {
        std::memcpy(target, text.data(), n);
    }
    target[n] = '\0';
}

std::string_view TextOf(const ObjectStore& objects, std::uint32_t handle) {
    const auto* text = objects.Find<TextRecord>(handle);
    return text == nullptr ? std::string_view() : std::string_view(text->Text);
}

void FillLayerInfo(const BoardRecord& board, TLayer layer, HalvexLayerInfo& info) {
    const BoardLayer& stored = board.Layers[layer];
    info = HalvexLayerInfo{};
    info.Layer = layer;
    CopyText(info.Name, stored.Name);
    info.IsPlane = IsClassicPlane(layer) ? 1 : 0;
    CopyText(info.PlaneNetName, info.IsPlane != 0 ? std::string_view(stored.PlaneNetName) : "");
    info.CopperThickness = stored.CopperThickness;
    info.PrevLayer = stored.PrevLayer;
    info.NextLayer = stored.NextLayer;
    CopyText(info.DielectricMaterial, stored.LayerDielectric.Material);
    info.DielectricType = stored.LayerDielectric.Type;
    info.DielectricConstant = stored.LayerDielectric.Constant;
    info.DielectricHeight = stored.LayerDielectric.Height;
}

void FillPadInfo(const PadRecord& pad, HalvexObjectInfo& info) {
    info.TopXSize = pad.Top.XSize;
    info.TopYSize = pad.Top.YSize;
    info.MidXSize = pad.Mid.XSize;
    info.MidYSize = pad.Mid.YSize;
    info.BotXSize = pad.Bottom.XSize;
    info.BotYSize = pad.Bottom.YSize;
    info.TopShape = pad.Top.Shape;
    info.MidShape = pad.Mid.Shape;
    info.BotShape = pad.Bottom.Shape;
    info.TopCRPercent = pad.Top.CRPercent;
    info.MidCRPercent = pad.Mid.CRPercent;
    info.BotCRPercent = pad.Bottom.CRPercent;
    info.StackMode = pad.StackMode();
    info.HoleSize = pad.HoleSize;
    info.Rotation = pad.Rotation;
    CopyText(info.Name, pad.Name);
}

void FillKindInfo(const ObjectStore& objects, ObjectRecord& object, HalvexObjectInfo& info) {
    if (const auto* track = As<TrackRecord>(&object)) {
        info.X2 = track->X2;
        info.Y2 = track->Y2;
        info.Width = track->Width;
        info.Aux1 = track->Aux1;
        info.Aux2 = track->Aux2;
        info.Aux3 = track->Aux3;
    } else if (const auto* via = As<ViaRecord>(&object)) {
        info.Size = via->Size;
        info.HoleSize = via->HoleSize;
        info.StartLayer = via->StartLayer;
        info.EndLayer = via->EndLayer;
    } else if (const auto* arc = As<ArcRecord>(&object)) {
        info.Radius = arc->Radius;
        info.StartAngle = arc->StartAngle;
        info.EndAngle = arc->EndAngle;
        info.Width = arc->LineWidth;
        info.Aux1 = arc->Aux1;
    } else if (const auto* fill = As<FillRecord>(&object)) {
        info.X2 = fill->X2;
        info.Y2 = fill->Y2;
        info.Rotation = fill->Rotation;
        info.Aux1 = fill->Aux1;
    } else if (const auto* pad = As<PadRecord>(&object)) {
        FillPadInfo(*pad, info);
    } else if (const auto* text = As<TextRecord>(&object)) {
        info.Size = text->Size;
        info.Width = text->Width;
        info.Rotation = text->Rotation;
        info.Mirror = text->Mirror;
        info.FontId = text->FontId;
        info.Aux2 = text->Aux2;
        info.Aux3 = text->Aux3;
        CopyText(info.Text, text->DisplayString());
        CopyText(info.FontName, text->FontName);
    } else if (const auto* component = As<ComponentRecord>(&object)) {
        info.Rotation = component->Rotation;
        info.NameText = component->NameText;
        info.CommentText = component->CommentText;
        CopyText(info.Name, TextOf(objects, component->NameText));
        CopyText(info.Comment, TextOf(objects, component->CommentText));
        CopyText(info.Pattern, component->Pattern);
        info.ChildCount = static_cast<std::int32_t>(component->Children.Size());
    } else if (const auto* net = As<NetRecord>(&object)) {
        CopyText(info.Name, net->Name);
        info.ChildCount = static_cast<std::int32_t>(net->Members.Size());
    } else if (const auto* polygon = As<PolygonRecord>(&object)) {
        info.SegmentCount = polygon->Segments.Count;
    } else if (const auto* plane = As<SplitPlaneRecord>(&object)) {
        info.SegmentCount = plane->Segments.Count;
    } else if (const auto* fromTo = As<FromToRecord>(&object)) {
        info.X2 = fromTo->X2;
        info.Y2 = fromTo->Y2;
    } else if (const auto* objectClass = As<ClassRecord>(&object)) {
        CopyText(info.Name, objectClass->ClassName);
        info.ChildCount = static_cast<std::int32_t>(objectClass->Members.size());
    } else if (const auto* embeddedBoard = As<EmbeddedBoardRecord>(&object)) {
        info.Mirror = embeddedBoard->Mirror;
        CopyText(info.Text, embeddedBoard->Text);
    }
}

} // namespace

extern "C" {

std::uint32_t Halvex_OpenBoard(const char* fileName) {
    return fileName == nullptr ? 0 : Server::Instance().OpenBoard(fileName);
}

std::uint32_t Halvex_FindBoard(const char* fileName) {
    if (fileName == nullptr) {
        return 0;
    }
    const BoardRecord* board = Server::Instance().FindBoardByName(fileName);
    return board == nullptr ? 0 : board->Handle;
}

void Halvex_CloseAllBoards(void) {
    Server::Instance().Reset();
}

std::uint32_t Halvex_SetHostRules(std::uint32_t rules) {
    Server& server = Server::Instance();
    const std::uint32_t before = HostRuleFlags(server.Rules());
    server.SetRules(HostRulesFromFlags(rules));
    return before;
}

void Halvex_SetProgressSink(HalvexProgressInit init, HalvexProgressStep update,
                            HalvexProgressStep finish, void* userData) {
    Server::Instance().Progress().Set(init, update, finish, userData);
}

std::int32_t Halvex_GetBoardInfo(std::uint32_t board, HalvexBoardInfo* info) {
    const BoardRecord* record = Server::Instance().FindBoard(board);
    if (record == nullptr || info == nullptr) {
        return record == nullptr ? StatusNoSuchObject : StatusBadArgument;
    }
    *info = HalvexBoardInfo{};
    info->Handle = record->Handle;
    CopyText(info->FileName, record->FileName);
    info->CurrentLayer = record->CurrentLayer;
    info->SplitPlaneMode = record->SplitPlaneMode;
    info->LayerPairCount = static_cast<std::int32_t>(record->LayerPairs.size());
    info->ObjectCount = static_cast<std::int32_t>(record->Objects.Size());
    info->StackLayerCount = static_cast<std::int32_t>(record->StackLayers().size());
    return StatusOk;
}

std::int32_t Halvex_GetMemberCount(std::uint32_t container) {
    const Container* members = Server::Instance().MembersOf(container);
    return members == nullptr ? 0 : static_cast<std::int32_t>(members->Size());
}

std::uint32_t Halvex_GetMemberAt(std::uint32_t container, std::int32_t index) {
    const Container* members = Server::Instance().MembersOf(container);
    if (members == nullptr || index < 0 || static_cast<std::size_t>(index) >= members->Size()) {
        return 0;
    }
    return members->At(static_cast<std::size_t>(index)).Handle;
}

std::int32_t Halvex_GetLayerInfo(std::uint32_t board, std::uint8_t layer, HalvexLayerInfo* info) {
    const BoardRecord* record = Server::Instance().FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    if (info == nullptr || !BoardRecord::IsBoardLayer(layer)) {
        return StatusBadArgument;
    }
    FillLayerInfo(*record, layer, *info);
    return StatusOk;
}

std::int32_t Halvex_GetStackLayer(std::uint32_t board, std::int32_t index, HalvexLayerInfo* info) {
    const BoardRecord* record = Server::Instance().FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    const auto stack = record->StackLayers();
    if (info == nullptr || index < 0 || static_cast<std::size_t>(index) >= stack.size()) {
        return StatusBadArgument;
    }
    FillLayerInfo(*record, stack[static_cast<std::size_t>(index)], *info);
    return StatusOk;
}

std::int32_t Halvex_GetLayerPair(std::uint32_t board, std::int32_t index, std::uint32_t* firstLayer,
                                 std::uint32_t* secondLayer) {
    const BoardRecord* record = Server::Instance().FindBoard(board);
    if (record == nullptr) {
        return StatusNoSuchObject;
    }
    if (index < 0 || static_cast<std::size_t>(index) >= record->LayerPairs.size()) {
        return StatusBadArgument;
    }
    const LayerPair& pair = record->LayerPairs[static_cast<std::size_t>(index)];
    if (firstLayer != nullptr) {
        *firstLayer = pair.FirstLayer;
    }
    if (secondLayer != nullptr) {
        *secondLayer = pair.SecondLayer;
    }
    return StatusOk;
}

std::int32_t Halvex_GetObjectInfo(std::uint32_t object, HalvexObjectInfo* info) {
    const ObjectStore& objects = Server::Instance().Objects();
    ObjectRecord* record = objects.Find(object);
    if (record == nullptr || info == nullptr) {
        return record == nullptr ? StatusNoSuchObject : StatusBadArgument;
    }
    *info = HalvexObjectInfo{};
    info->Handle = record->Handle;
    info->Kind = static_cast<std::uint8_t>(record->Kind);
    info->Holder = record->Holder;
    info->Layer = record->Layer;
    info->Net = record->Net;
    info->OwnerHandle = record->OwnerHandle;
    info->Flags = record->Flags;
    info->BitField2 = record->BitField2;
    info->BitField3 = record->BitField3;
    info->Tag = record->Tag;
    info->ObjectFlag = record->ObjectFlag;
    info->X = record->X;
    info->Y = record->Y;
    FillKindInfo(objects, *record, *info);
    return StatusOk;
}

const char* Halvex_LayerName(std::uint32_t layerId) {
    // The names table holds views of string literals, so the data is zero-terminated.
    return layerId <= MaxClassicLayer ? ClassicLayerName(static_cast<TLayer>(layerId)).data() : "";
}

} // extern "C"
