// JSON text as every platform writes it: numbers, strings and compact objects.

#include "textformat/JsonText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace corvane::cli {
namespace {

TEST(JsonNumbers, AreTheShortestFormThatReadsBack) {
    EXPECT_EQ(json::Number(90.0), "90");
    EXPECT_EQ(json::Number(22.5), "22.5");
    EXPECT_EQ(json::Number(0.1), "0.1");
    EXPECT_EQ(json::Number(-270.0), "-270");
    EXPECT_EQ(json::Number(-0.0), "0");
    EXPECT_EQ(json::Number(std::int64_t{-2147483647 - 1}), "-2147483648");
}

TEST(JsonNumbers, ValuesJsonCannotHoldBecomeNull) {
    EXPECT_EQ(json::Number(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(json::Number(std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(json::Number(-std::numeric_limits<double>::infinity()), "null");
}

TEST(JsonStrings, EscapeWhatJsonRequiresAndTurnLatin1IntoUtf8) {
    EXPECT_EQ(json::Quote("plain"), "\"plain\"");
    EXPECT_EQ(json::Quote("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(json::Quote(std::string("\x01\t\n\r\x7f", 5)), "\"\\u0001\\t\\n\\r\\u007f\"");
    EXPECT_EQ(json::Quote("\xb5\xff"), "\"\xC2\xB5\xC3\xBF\"");
    EXPECT_EQ(json::Quote(std::string("a\0b", 3)), "\"a\\u0000b\"");
}

TEST(JsonObjects, AreAppendedInTheOrderTheFieldsWereGiven) {
    std::string text = "[";
    json::CompactObject(text)
        .Field("z", std::int32_t{1})
        .Field("a", "text")
        .Field("net", std::optional<std::string>())
        .Field("on", true)
        .End();
    EXPECT_EQ(text, "["
                    "{\"z\": 1, \"a\": \"text\", \"net\": null, \"on\": true}");
}

} // namespace
} // namespace corvane::cli
