// The JSON document of a board built by hand, walked as the host link walks one: exact text.

#include "jsonwriter/JsonWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace corvane::cli {
namespace {

TEST(JsonDocument, OneTrackAndOneNetGiveThisText) {
    StringOutputStream out(std::filesystem::temp_directory_path().string());
    JsonDocumentWriter writer(out);
    writer.OnBoardBegin(DocumentHeader{"hand.PCB", 5, true});
    writer.OnPlanes({});
    Track track;
    track.X1 = 10000, track.Y1 = 20000, track.X2 = 30000, track.Y2 = 20000, track.Width = 8000;
    track.Layer = "TopLayer";
    track.Net = "GND";
    writer.OnTrack(track, BoardOwner);
    Net net;
    net.Name = "GND";
    writer.OnNet(net);
    writer.OnBoardEnd();
    EXPECT_EQ(out.Text(), R"({
  "file": "hand.PCB",
  "version": 5,
  "imported": true,
  "mayHaveLostData": false,
  "planes": [],
  "tracks": [
    {"x1": 10000, "y1": 20000, "x2": 30000, "y2": 20000, "width": 8000, "layer": "TopLayer", "net": "GND"}
  ],
  "vias": [],
  "pads": [],
  "arcs": [],
  "fills": [],
  "texts": [],
  "components": [],
  "nets": [
    {"name": "GND", "pads": []}
  ]
}
)");
}

} // namespace
} // namespace corvane::cli
