// "NETDEF": the net name, a skipped line (the "("), node lines up to ")", then an optional
// "{" ... "}" block that is passed over.

#include "importer/CompoundReaders.h"
#include "importer/ImportReport.h"
#include "importer/ImporterClasses.h"
#include "importer/Keywords.h"
#include "importer/LayerMapping.h"
#include "importer/RecordSkeleton.h"
#include "pcbmodel/lookups/PinReference.h"
#include "serverclient/LayerNumbering.h"
#include "serverclient/PcbApi.h"

namespace corvane {
namespace {

constexpr std::size_t NetNameLimit = 255;

// Gives the internal plane that the pad's plane code names the net's name, through the board.
void NamePlaneAfterNet(ImportState& state, std::uint8_t planeCode, const String255& netName) {
    TPcbBoard& board = *state.Board;
    board.Exchange(ExchangeRead);
    switch (PlaneOfCode(planeCode)) {
    case InternalPlane::Plane1:
        board.SetPlaneNetName1(netName);
        break;
    case InternalPlane::Plane2:
        board.SetPlaneNetName2(netName);
        break;
    case InternalPlane::Plane3:
        board.SetPlaneNetName3(netName);
        break;
    case InternalPlane::Plane4:
        board.SetPlaneNetName4(netName);
        break;
    case InternalPlane::None:
        break;
    }
    board.Exchange(ExchangeWrite);
}

void JoinNode(ImportState& state, const TNet& net, const std::string& reference,
              std::uint64_t lineNumber) {
    const String255 pinReference(reference);
    bool capped = false;
    const HostHandle padHandle =
        state.Nodes != nullptr
            ? state.Nodes->FindPad(pinReference, &capped)
            : FindPadByPinReference(state.Board->BoardHandle, pinReference, &capped);
    if (capped) {
        state.RecordLine = lineNumber;
        NoteWalkCapped(state, "objects in a walk of the board or a component: the node's pad "
                              "was looked for among the first ones");
    }
    if (padHandle == 0) {
        // Nothing to join: no host call is made with a handle that names no pad.
        if (state.Report != nullptr) {
            state.Report->Add(ReportKind::NodeNotFound, lineNumber, reference);
        }
        return;
    }
    // A net the host did not make still names the pad's plane and clears its code: only what
    // needs the net's handle is left out.
    TPad pad(padHandle);
    pad.Exchange(ExchangeRead);
    if (net.Handle != 0) {
        pad.SetNet(net.Handle);
    }
    const auto planeCode = static_cast<std::uint8_t>(pad.Tag & 0xFF);
    if (planeCode != 0) {
        NamePlaneAfterNet(state, planeCode, net.Name);
    }
    pad.Tag = 0; // the plane code never stays on the board
    pad.Exchange(ExchangeWrite);
    if (net.Handle != 0) {
        PcbApi_AddObjectToContainer(net.Handle, padHandle);
    }
}

// Without a board the node lines are read past: no pad is looked for, read or changed.
void ReadNodes(ImportState& state, const TNet& net, RecordUse use) {
    InputFile& input = *state.Input;
    std::string line;
    while (!input.AtEnd()) {
        const std::uint64_t lineNumber = input.LineNumber();
        input.ReadWholeLine(InputFile::KeywordLineLimit, line);
        if (line == keyword::NodeListClose) {
            return;
        }
        PcbApi_Percent_Update();
        if (use == RecordUse::Import) {
            JoinNode(state, net, line, lineNumber);
        }
    }
}

// Only a "{" right after the node list opens a block; any other line stays for the main loop.
void SkipBlock(ImportState& state) {
    InputFile& input = *state.Input;
    if (input.AtEnd() || input.PeekLine(InputFile::KeywordLineLimit) != keyword::BlockOpen) {
        return;
    }
    std::string line = input.ReadWholeLine(InputFile::KeywordLineLimit);
    while (!input.AtEnd() && line != keyword::BlockClose) {
        PcbApi_Percent_Update();
        line = input.ReadWholeLine(InputFile::KeywordLineLimit);
    }
}

} // namespace

HostHandle ReadNetRecord(ImportState& state, RecordUse use) {
    InputFile& input = *state.Input;
    const std::uint64_t netLine = input.LineNumber() - 1;
    TNet net(use == RecordUse::Import ? PcbApi_CreateObject(TNet::KindCode) : 0);
    if (net.Handle != 0) {
        net.Exchange(ExchangeRead);
    } else if (use == RecordUse::Import) {
        NoteNoHostObject(state, netLine,
                         "the host made no net: its pads were not joined to it (their plane codes "
                         "still name planes)");
    }
    StepAndPollAbort(state);

    net.Name.Assign(input.ReadWholeLine(NetNameLimit));
    input.SkipLine(); // the "(" that opens the node list
    if (input.AtEnd()) {
        if (state.Report != nullptr) {
            state.Report->Add(ReportKind::NetCutByEndOfFile, netLine,
                              "net definition ends after its name");
        }
        return 0;
    }
    ReadNodes(state, net, use);
    SkipBlock(state);

    net.SetClassicLayer(layer::MultiLayer);
    if (net.Handle != 0) {
        net.Exchange(ExchangeWrite);
    }
    return net.Handle;
}

} // namespace corvane
