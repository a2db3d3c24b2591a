// The picture's layer colours, told apart where it matters.

#include "svgwriter/LayerStyle.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace corvane::cli {
namespace {

// CIE 1976 colour difference of two "#rrggbb" colours: about 2 is the least a person sees, and
// colours 40 apart are told apart at a glance.
double ColourDifference(const std::string& a, const std::string& b) {
    const auto lab = [](const std::string& hex) {
        std::array<double, 3> linear{};
        for (int i = 0; i < 3; ++i) {
            const double c = std::stoi(hex.substr(1 + 2 * i, 2), nullptr, 16) / 255.0;
            linear[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        const double x = (0.4124 * linear[0] + 0.3576 * linear[1] + 0.1805 * linear[2]) / 0.95047;
        const double y = 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2];
        const double z = (0.0193 * linear[0] + 0.1192 * linear[1] + 0.9505 * linear[2]) / 1.08883;
        const auto f = [](double t) {
            return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0;
        };
        return std::array<double, 3>{116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
    };
    const auto p = lab(a);
    const auto q = lab(b);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

TEST(LayerColours, SetViasApartFromMultiLayerPadsAndInnerLayersFromOverlays) {
    constexpr double Apart = 40;
    EXPECT_GE(ColourDifference(ViaColour, StyleOfLayer("MultiLayer").Colour), Apart);
    std::vector<std::string> inner;
    for (int n = 1; n <= 30; ++n) {
        inner.push_back("MidLayer" + std::to_string(n));
    }
    for (int n = 1; n <= 16; ++n) {
        inner.push_back("InternalPlane" + std::to_string(n));
    }
    for (const std::string& layer : inner) {
        for (const char* overlay : {"TopOverlay", "BottomOverlay"}) {
            EXPECT_GE(ColourDifference(StyleOfLayer(layer).Colour, StyleOfLayer(overlay).Colour),
                      Apart)
                << layer << " and " << overlay;
        }
    }
    // The inner layers a Corvane file uses differ from one another.
    const std::vector<std::string> used = {"MidLayer2", "MidLayer3", "MidLayer4", "MidLayer14"};
    for (std::size_t i = 0; i < used.size(); ++i) {
        for (std::size_t j = i + 1; j < used.size(); ++j) {
            EXPECT_GE(ColourDifference(StyleOfLayer(used[i]).Colour, StyleOfLayer(used[j]).Colour),
                      20)
                << used[i] << " and " << used[j];
        }
    }
}

} // namespace
} // namespace corvane::cli
