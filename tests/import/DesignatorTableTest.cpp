// The designator table of the node index against a std::map of the same insertions: many
// designators (the table grows many times), repeats that must keep their first value, names that
// differ only in case or in a NUL, and the empty name.

#include "importer/DesignatorTable.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <string_view>

namespace {

using corvane::DesignatorTable;

TEST(DesignatorTable, AgreesWithAMapOverManyInsertionsAndRepeats) {
    DesignatorTable<int> table;
    std::map<std::string, int> first;
    std::mt19937 random(3);
    for (int i = 0; i < 20000; ++i) {
        // About one in three names is a repeat of an earlier one.
        const std::string name = "U" + std::to_string(random() % 14000);
        const auto [value, added] = table.TryEmplace(name, i);
        const auto [known, inserted] = first.try_emplace(name, i);
        ASSERT_EQ(added, inserted) << name;
        ASSERT_NE(value, nullptr);
        ASSERT_EQ(*value, known->second) << name;
    }
    for (const auto& [name, value] : first) {
        const int* found = table.Find(name);
        ASSERT_NE(found, nullptr) << name;
        EXPECT_EQ(*found, value) << name;
    }
    for (const char* absent : {"U14000", "u1", "U", "", "U01", "U1 "}) {
        EXPECT_EQ(table.Find(absent), nullptr) << absent;
    }
}

TEST(DesignatorTable, NamesAreExactBytes) {
    using namespace std::string_view_literals;
    DesignatorTable<int> table;
    EXPECT_EQ(table.Find("R1"), nullptr); // nothing yet
    EXPECT_TRUE(table.TryEmplace("R1", 1).second);
    EXPECT_TRUE(table.TryEmplace("r1", 2).second);
    EXPECT_TRUE(table.TryEmplace("", 3).second);
    EXPECT_TRUE(table.TryEmplace("R1\0X"sv, 4).second);
    EXPECT_FALSE(table.TryEmplace("R1", 5).second);
    EXPECT_EQ(*table.Find("R1"), 1);
    EXPECT_EQ(*table.Find("r1"), 2);
    EXPECT_EQ(*table.Find(""), 3);
    EXPECT_EQ(*table.Find("R1\0X"sv), 4);
    EXPECT_EQ(table.Find("R1\0"sv), nullptr);
}

} // namespace
