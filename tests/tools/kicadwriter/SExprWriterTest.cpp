// The formatter of the KiCad board's text: indents by depth at the start of a line, spaces
// between the atoms and lists of a line, quoting, lengths in millimetres, integers and angles.

#include "kicadwriter/SExpression.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace corvane::cli::kicad {
namespace {

struct WriterCase {
    const char* Name;
    int Depth;
    std::function<void(SExprWriter&)> Write;
    const char* Expected;
};

TEST(SExprWriter, IndentsByDepthAndSeparatesWhatSharesALine) {
    const std::vector<WriterCase> cases = {
        {"lists on one line", 1,
         [](SExprWriter& w) {
             w.Open("segment").Open("start").Length(1'270'000).Length(-500).Close();
             w.Open("layer").Quote("F.Cu").Close().Close().NewLine();
         },
         "  (segment (start 1.27 -0.0005) (layer \"F.Cu\"))\n"},
        {"nested lines indented by depth, closed at their own depth", 2,
         [](SExprWriter& w) {
             w.Open("poly").Open("pts").NewLine();
             w.Open("xy").Length(0).Length(2'000'000).Close().NewLine();
             w.Close().Atom("solid").Close().NewLine();
         },
         "    (poly (pts\n        (xy 0 2)\n      ) solid)\n"},
        {"quoting escapes", 0, [](SExprWriter& w) { w.Open("t").Quote("a\"b\\c\n").Close(); },
         "(t \"a\\\"b\\\\c\\n\")"},
        {"plain runs around escapes and 8-bit text", 0,
         [](SExprWriter& w) { w.Quote("ab\xb5xy\x01z\tw"); }, "\"ab\xC2\xB5xy?z\\tw\""},
        {"integers and angles", 0,
         [](SExprWriter& w) {
             w.Open("net").Integer(-42).Close().Open("at").Angle(-90).Angle(742.5);
         },
         "(net -42) (at 270 22.5"},
    };
    for (const WriterCase& c : cases) {
        std::string out;
        SExprWriter w(out, c.Depth);
        c.Write(w);
        EXPECT_EQ(out, c.Expected) << c.Name;
    }
}

} // namespace
} // namespace corvane::cli::kicad
