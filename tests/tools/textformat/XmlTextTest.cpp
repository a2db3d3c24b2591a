// XML text and elements as the picture and the page write them.

#include "textformat/XmlText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace corvane::cli {
namespace {

TEST(XmlText, EscapesMarkupTakesLatin1AsUtf8AndHidesControlCharacters) {
    EXPECT_EQ(xml::Text("R&D <\"x\"> 'y'"), "R&amp;D &lt;&quot;x&quot;&gt; 'y'");
    EXPECT_EQ(xml::Text("\xB5m\t\x7F"), "\xC2\xB5m??");
    EXPECT_EQ(xml::Text("\xC2\xB5m", xml::TextBytes::Utf8), "\xC2\xB5m");
}

TEST(XmlText, ElementsTakeTheirAttributesInOrderWithNumbersToTheHundredth) {
    std::string out;
    xml::Element(out, "rect")
        .Plain("class", "pad")
        .Number("x", 1.005)
        .Number("y", -0.001)
        .Number("width", 12.5)
        .Attribute("id", "a&b")
        .Empty();
    EXPECT_EQ(out, "<rect class=\"pad\" x=\"1\" y=\"0\" width=\"12.5\" id=\"a&amp;b\"/>");
    out.clear();
    xml::Element text(out, "text");
    text.Begin("transform").Put("rotate(").Put(-90.0).Space().Put(3.14159).Put(")").End();
    text.Number("font-size", std::numeric_limits<double>::quiet_NaN()).Open();
    EXPECT_EQ(out, "<text transform=\"rotate(-90 3.14)\" font-size=\"0\">");
}

} // namespace
} // namespace corvane::cli
