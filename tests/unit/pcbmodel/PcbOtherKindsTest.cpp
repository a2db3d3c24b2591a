// Embedded boards, from-tos, manual from-tos, component bodies, differential pairs, object
// classes, embedded objects, rules and violations against the recording server: kind codes and
// defaults, each exchange's fields in the host's order and width, and the object class's member
// lists.

#include "RecordingServer.h"
#include "pcbmodel/PcbComponentBody.h"
#include "pcbmodel/PcbDifferentialPair.h"
#include "pcbmodel/PcbEmbedded.h"
#include "pcbmodel/PcbEmbeddedBoard.h"
#include "pcbmodel/PcbFromTo.h"
#include "pcbmodel/PcbManualFromTo.h"
#include "pcbmodel/PcbObjectClass.h"
#include "pcbmodel/PcbRule.h"
#include "pcbmodel/PcbViolation.h"
#include "serverclient/LayerNumbering.h"
#include "unit/ModelExchangeChecks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {
namespace {

using testing::Fields;
using testing::Placed;

constexpr HostHandle KindHandle = 0x7A11;

class PcbOtherKindsTest : public ::testing::Test {
protected:
    void SetUp() override { recording::Reset(); }
};

/// A read through the kind's one entry point: the calls, mode and handle, every field pointer,
/// that each field took exactly its own bytes, nothing else changed, and the entry's result.
template <typename T> void CheckRead(const char* entry, std::uint8_t kind, Fields (*fieldsOf)(T&)) {
    SCOPED_TRACE(entry);
    recording::Reset();
    Placed<T> object(KindHandle);
    EXPECT_EQ(object->ObjectId, kind);
    EXPECT_TRUE(recording::Calls().empty()) << "a constructor never calls the host";
    const testing::Bytes before = object.Snapshot();
    recording::SetHandler(entry, testing::Filling(0x21, 9));
    EXPECT_EQ(object->Exchange(ExchangeRead), 9);
    ASSERT_EQ(testing::RecordedNames(),
              (std::vector<std::string>{"PcbApi_GetObjectBitField2", "PcbApi_GetObjectBitField3",
                                        entry}));
    const recording::Call call = recording::Calls()[2];
    EXPECT_EQ(call.Value(0), ExchangeRead);
    EXPECT_EQ(call.Value(1), KindHandle);
    const Fields fields = fieldsOf(*object);
    testing::ExpectFieldPointers(call, 2, fields);
    testing::ExpectFilledInOrder(fields, 0x21);
    Fields touched = fields;
    touched.push_back(MODEL_FIELD(*object, BitField2));
    touched.push_back(MODEL_FIELD(*object, BitField3));
    object.ExpectUnchangedOutside(before, touched);

    // A write hands over the same fields with mode 0.
    recording::Reset();
    object->Exchange(ExchangeWrite);
    const recording::Call write = recording::CallsTo(entry).at(0);
    EXPECT_EQ(write.Value(0), ExchangeWrite);
    testing::ExpectFieldPointers(write, 2, fields);
}

// --- Kind codes and defaults ---------------------------------------------------------------------

TEST_F(PcbOtherKindsTest, NewObjectsCarryTheirKindCodesAndDefaultsAndCallNoHost) {
    const TPcbEmbeddedBoard embeddedBoard(KindHandle);
    const TPcbFromTo fromTo(KindHandle);
    const TPcbManualFromTo manual(KindHandle);
    const TPcbComponentBody body(KindHandle);
    const TPcbDifferentialPair pair(KindHandle);
    const TPCBObjectClass objectClass(KindHandle);
    const TPcbEmbedded embedded(KindHandle);
    const TPcbRule rule(KindHandle);
    const TPcbViolation violation(KindHandle);
    const std::vector<std::pair<const TPCBObject*, std::uint8_t>> kinds{
        {&embeddedBoard, 21}, {&fromTo, 7},    {&manual, 17}, {&body, 12},     {&pair, 18},
        {&objectClass, 15},   {&embedded, 20}, {&rule, 16},   {&violation, 19}};
    for (const auto& [object, kind] : kinds) {
        EXPECT_EQ(object->GetObjectId(), kind);
        EXPECT_EQ(object->GetHandle(), KindHandle);
    }
    EXPECT_EQ(embeddedBoard.GetLayer(), 1);
    EXPECT_EQ(embeddedBoard.Layer, LayerToLayerId(1));
    EXPECT_FALSE(embeddedBoard.GetMirror());
    EXPECT_EQ(fromTo.Tag, 0);
    EXPECT_EQ(manual.Tag, 0);
    EXPECT_TRUE(objectClass.ClassName.Empty());
    EXPECT_EQ(objectClass.ClassOption1 | objectClass.ClassOption2, 0);
    EXPECT_TRUE(objectClass.Members.empty());
    EXPECT_TRUE(embedded.EmbeddedText.Empty());
    EXPECT_NE(embedded.EmbeddedData, nullptr);
    EXPECT_TRUE(violation.ViolationText1.Empty());
    EXPECT_TRUE(violation.ViolationText2.Empty());
    EXPECT_EQ(violation.ViolationValue1 | violation.ViolationValue2 | violation.ViolationValue3, 0);
    EXPECT_TRUE(recording::Calls().empty());
}

// --- Exchanges ---------------------------------------------------------------------------------

Fields EmbeddedBoardFields(TPcbEmbeddedBoard& e) {
    return {MODEL_FIELD(e, Flags),
            MODEL_FIELD(e, Tag),
            MODEL_FIELD(e, ObjectFlag),
            MODEL_FIELD(e, X),
            MODEL_FIELD(e, Y),
            MODEL_FIELD(e, EmbeddedBoardText),
            MODEL_FIELD(e, EmbeddedValue1),
            MODEL_FIELD(e, EmbeddedValue2),
            MODEL_FIELD(e, EmbeddedValue3),
            MODEL_FIELD(e, EmbeddedValue4),
            MODEL_FIELD(e, EmbeddedValue64),
            MODEL_FIELD(e, Mirror),
            MODEL_FIELD(e, EmbeddedOption)};
}

Fields FromToFields(TPcbFromTo& f) {
    return {MODEL_FIELD(f, Tag), MODEL_FIELD(f, X),  MODEL_FIELD(f, Y),     MODEL_FIELD(f, FlagA),
            MODEL_FIELD(f, X2),  MODEL_FIELD(f, Y2), MODEL_FIELD(f, FlagB), MODEL_FIELD(f, Net)};
}

Fields ManualFromToFields(TPcbManualFromTo& m) {
    return {MODEL_FIELD(m, Tag), MODEL_FIELD(m, ManualText1), MODEL_FIELD(m, ManualText2),
            MODEL_FIELD(m, ManualText3), MODEL_FIELD(m, ManualValue)};
}

template <typename T> Fields PrimitiveFields(T& p) {
    return {MODEL_FIELD(p, Flags), MODEL_FIELD(p, Tag),         MODEL_FIELD(p, Layer),
            MODEL_FIELD(p, Net),   MODEL_FIELD(p, OwnerHandle), MODEL_FIELD(p, ObjectFlag)};
}

Fields RuleFields(TPcbRule& r) {
    return {MODEL_FIELD(r, RuleOption1), MODEL_FIELD(r, RuleOption2), MODEL_FIELD(r, RuleOption3),
            MODEL_FIELD(r, RuleOption4), MODEL_FIELD(r, RuleOption5), MODEL_FIELD(r, RuleOption6),
            MODEL_FIELD(r, RuleOption7), MODEL_FIELD(r, RuleText1),   MODEL_FIELD(r, RuleText2),
            MODEL_FIELD(r, RuleText3),   MODEL_FIELD(r, RuleText4),   MODEL_FIELD(r, RuleOption8),
            MODEL_FIELD(r, RuleOption9), MODEL_FIELD(r, RuleValue1),  MODEL_FIELD(r, RuleValue2),
            MODEL_FIELD(r, RuleValue3),  MODEL_FIELD(r, RuleValue4),  MODEL_FIELD(r, RuleText5),
            MODEL_FIELD(r, RuleText6),   MODEL_FIELD(r, RuleText7),   MODEL_FIELD(r, RuleText8),
            MODEL_FIELD(r, RuleText9),   MODEL_FIELD(r, RuleText10)};
}

Fields ViolationFields(TPcbViolation& v) {
    return {MODEL_FIELD(v, ViolationText1), MODEL_FIELD(v, ViolationText2),
            MODEL_FIELD(v, ViolationValue1), MODEL_FIELD(v, ViolationValue2),
            MODEL_FIELD(v, ViolationValue3)};
}

TEST_F(PcbOtherKindsTest, EachExchangePassesItsFieldsInTheHostsOrder) {
    CheckRead<TPcbEmbeddedBoard>("PcbApi_QueryEmbeddedBoard", 21, EmbeddedBoardFields);
    CheckRead<TPcbFromTo>("PcbApi_QueryFromTo", 7, FromToFields);
    CheckRead<TPcbManualFromTo>("PcbApi_QueryManualFromTo", 17, ManualFromToFields);
    CheckRead<TPcbComponentBody>("PcbApi_QueryPrimitive", 12, PrimitiveFields<TPcbComponentBody>);
    CheckRead<TPcbDifferentialPair>("PcbApi_QueryPrimitive", 18,
                                    PrimitiveFields<TPcbDifferentialPair>);
    CheckRead<TPcbRule>("PcbApi_QueryRule", 16, RuleFields);
    CheckRead<TPcbViolation>("PcbApi_QueryViolation", 19, ViolationFields);
}

TEST_F(PcbOtherKindsTest, EmbeddedBoardKeepsItsLayerThroughAnExchange) {
    TPcbEmbeddedBoard board(KindHandle);
    recording::SetDefaultHandler(testing::Filling(0x40));
    board.Exchange(ExchangeRead);
    EXPECT_EQ(board.GetLayer(), 1);
    board.SetClassicLayer(layer::BottomLayer);
    board.Exchange(ExchangeRead);
    EXPECT_EQ(board.GetLayer(), 32);
    board.Mirror = 0;
    board.SetMirror(true);
    EXPECT_TRUE(board.GetMirror());
    EXPECT_EQ(board.Mirror, 1);
    board.SetMirror(false);
    EXPECT_FALSE(board.GetMirror());
}

TEST_F(PcbOtherKindsTest, FromToAnswersItsOwnSecondPointAndFlags) {
    TPcbFromTo fromTo(KindHandle);
    fromTo.X = 10;
    fromTo.Y = 20;
    EXPECT_EQ(fromTo.GetX2(), 0) << "its own X2, not X as the base class answers";
    EXPECT_EQ(fromTo.GetY2(), 0);
    fromTo.SetX2(300);
    fromTo.SetY2(-400);
    fromTo.SetFlagA(true);
    fromTo.SetFlagB(false);
    EXPECT_EQ(fromTo.X2, 300);
    EXPECT_EQ(fromTo.GetX2(), 300);
    EXPECT_EQ(fromTo.GetY2(), -400);
    EXPECT_TRUE(fromTo.GetFlagA());
    EXPECT_FALSE(fromTo.GetFlagB());
    fromTo.SetFlagB(true);
    EXPECT_EQ(fromTo.FlagB, 1);
    EXPECT_EQ(fromTo.GetX(), 10);
    EXPECT_TRUE(recording::Calls().empty()) << "the setters change the model only";
}

TEST_F(PcbOtherKindsTest, EmbeddedObjectHandsOverItsBufferItself) {
    TPcbEmbedded embedded(KindHandle);
    recording::SetHandler("PcbApi_QueryEmbedded", [](const recording::Call& call) {
        std::uint8_t* data = call.Ptr<std::uint8_t>(3);
        data[0] = 0x5A;
        data[TPcbEmbedded::DataSize - 1] = 0xA5; // the host may use the whole block
        *call.Ptr<String255>(2) = String255("blob");
        return 4;
    });
    EXPECT_EQ(embedded.Exchange(ExchangeRead), 4);
    const recording::Call call = recording::CallsTo("PcbApi_QueryEmbedded").at(0);
    EXPECT_EQ(call.Value(0), ExchangeRead);
    EXPECT_EQ(call.Value(1), KindHandle);
    EXPECT_EQ(call.Address(2), &embedded.EmbeddedText);
    EXPECT_EQ(call.Address(3), embedded.EmbeddedData.get());
    EXPECT_NE(call.Address(3), static_cast<void*>(&embedded.EmbeddedData));
    EXPECT_EQ(embedded.EmbeddedText, "blob");
    EXPECT_EQ(embedded.EmbeddedData[0], 0x5A);
    EXPECT_EQ(embedded.EmbeddedData[TPcbEmbedded::DataSize - 1], 0xA5);
}

// --- Object class members ---------------------------------------------------------------------

/// A host class whose members are listed at indices 0.. and answered 1 past the end.
void ScriptMembers(std::vector<std::string> members) {
    recording::SetHandler("PcbApi_GetMemberFromClassAt", [members](const recording::Call& call) {
        const auto index = static_cast<std::size_t>(call.Value(1));
        if (index >= members.size()) {
            *call.Ptr<String255>(2) = String255("not a member");
            return std::int64_t{1};
        }
        *call.Ptr<String255>(2) = String255(members[index]);
        return std::int64_t{0};
    });
}

TEST_F(PcbOtherKindsTest, ObjectClassReadAppendsTheHostsMembersUntilItAnswersOne) {
    TPCBObjectClass objectClass(KindHandle);
    ScriptMembers({"A", "B"});
    EXPECT_EQ(objectClass.Exchange(ExchangeRead), 1);
    EXPECT_EQ(objectClass.Members, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(objectClass.Exchange(ExchangeRead), 1);
    EXPECT_EQ(objectClass.Members, (std::vector<std::string>{"A", "B", "A", "B"}));

    recording::Reset();
    ScriptMembers({"only"});
    objectClass.Exchange(ExchangeRead);
    EXPECT_EQ(testing::RecordedNames(),
              (std::vector<std::string>{"PcbApi_GetObjectBitField2", "PcbApi_GetObjectBitField3",
                                        "PcbApi_QueryClass", "PcbApi_GetMemberFromClassAt",
                                        "PcbApi_GetMemberFromClassAt"}));
    const auto& calls = recording::Calls();
    EXPECT_EQ(calls[2].Value(0), ExchangeRead);
    EXPECT_EQ(calls[2].Value(1), KindHandle);
    testing::ExpectFieldPointers(
        calls[2], 2,
        {MODEL_FIELD(objectClass, Tag), MODEL_FIELD(objectClass, ClassOption1),
         MODEL_FIELD(objectClass, ClassOption2), MODEL_FIELD(objectClass, ClassName)});
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(calls[3 + i].Value(0), KindHandle);
        EXPECT_EQ(calls[3 + i].Value(1), i);
    }
    EXPECT_EQ(objectClass.Members, (std::vector<std::string>{"A", "B", "A", "B", "only"}));
}

TEST_F(PcbOtherKindsTest, ObjectClassReadOfAnEmptyClassAddsNothing) {
    TPCBObjectClass objectClass(KindHandle);
    ScriptMembers({});
    EXPECT_EQ(objectClass.Exchange(ExchangeRead), 1);
    EXPECT_TRUE(objectClass.Members.empty());
    EXPECT_EQ(recording::CountOf("PcbApi_GetMemberFromClassAt"), 1u);
}

TEST_F(PcbOtherKindsTest, ObjectClassReadEndsEvenIfTheHostNeverAnswersOne) {
    TPCBObjectClass objectClass(KindHandle);
    recording::SetHandler("PcbApi_GetMemberFromClassAt", [](const recording::Call& call) {
        *call.Ptr<String255>(2) = String255("m");
        return std::int64_t{0};
    });
    EXPECT_EQ(objectClass.Exchange(ExchangeRead), 0);
    EXPECT_EQ(objectClass.Members.size(),
              static_cast<std::size_t>(TPCBObjectClass::MaxMembersPerRead));
    EXPECT_EQ(recording::CountOf("PcbApi_GetMemberFromClassAt"),
              static_cast<std::size_t>(TPCBObjectClass::MaxMembersPerRead));
}

TEST_F(PcbOtherKindsTest, AWriteAfterACappedReadKeepsTheHostsMembersAndAddsOnlyNewOnes) {
    TPCBObjectClass objectClass(KindHandle);
    recording::SetHandler("PcbApi_GetMemberFromClassAt", [](const recording::Call& call) {
        *call.Ptr<String255>(2) = String255("m");
        return std::int64_t{0};
    });
    recording::SetHandler("PcbApi_QueryClass",
                          [](const recording::Call&) { return std::int64_t{6}; });
    objectClass.Exchange(ExchangeRead); // stops at its cap: the host has more
    for (const std::uint8_t mode : {std::uint8_t{0}, std::uint8_t{2}}) {
        const std::size_t before = recording::Calls().size();
        EXPECT_EQ(objectClass.Exchange(mode), 6) << "no member call: the properties' result";
        EXPECT_EQ(recording::Calls().size() - before, 3u) << "bit fields and properties only";
    }
    objectClass.Members.push_back("new");
    std::vector<std::string> added;
    recording::SetHandler("PcbApi_AddMemberToClass", [&](const recording::Call& call) {
        added.push_back(call.Ptr<String255>(1)->Str());
        return std::int64_t{9};
    });
    EXPECT_EQ(objectClass.Exchange(ExchangeWrite), 9);
    EXPECT_EQ(added, std::vector<std::string>{"new"});
    EXPECT_EQ(recording::CountOf("PcbApi_RemoveAllMembersFromClass"), 0u);
    EXPECT_EQ(objectClass.Exchange(ExchangeWrite), 6) << "added once";
}

TEST_F(PcbOtherKindsTest, ObjectClassModesOtherThanZeroAndTwoRead) {
    for (const std::uint8_t mode : {std::uint8_t{1}, std::uint8_t{3}, std::uint8_t{255}}) {
        SCOPED_TRACE(static_cast<int>(mode));
        recording::Reset();
        TPCBObjectClass objectClass(KindHandle);
        ScriptMembers({"A"});
        EXPECT_EQ(objectClass.Exchange(mode), 1);
        EXPECT_EQ(objectClass.Members, std::vector<std::string>{"A"});
        EXPECT_EQ(recording::CallsTo("PcbApi_QueryClass").at(0).Value(0), mode);
        EXPECT_EQ(recording::CountOf("PcbApi_RemoveAllMembersFromClass"), 0u);
    }
}

TEST_F(PcbOtherKindsTest, ObjectClassWriteReplacesTheHostsMembersWithTheModels) {
    for (const std::uint8_t mode : {std::uint8_t{0}, std::uint8_t{2}}) {
        SCOPED_TRACE(static_cast<int>(mode));
        recording::Reset();
        TPCBObjectClass objectClass(KindHandle);
        recording::SetHandler("PcbApi_RemoveAllMembersFromClass",
                              [](const recording::Call&) { return std::int64_t{5}; });
        EXPECT_EQ(objectClass.Exchange(mode), 5) << "an empty list answers the removal";
        EXPECT_EQ(recording::CountOf("PcbApi_AddMemberToClass"), 0u);
        EXPECT_EQ(recording::CountOf("PcbApi_GetMemberFromClassAt"), 0u);

        recording::Reset();
        objectClass.Members = {"NetA", std::string(300, 'x'), ""};
        std::vector<std::string> added;
        std::int64_t answer = 10;
        recording::SetHandler("PcbApi_AddMemberToClass", [&](const recording::Call& call) {
            EXPECT_EQ(call.Value(0), KindHandle);
            added.push_back(call.Ptr<String255>(1)->Str());
            return ++answer;
        });
        EXPECT_EQ(objectClass.Exchange(mode), 13) << "the last addition's result";
        EXPECT_EQ(testing::RecordedNames(),
                  (std::vector<std::string>{
                      "PcbApi_GetObjectBitField2", "PcbApi_GetObjectBitField3", "PcbApi_QueryClass",
                      "PcbApi_RemoveAllMembersFromClass", "PcbApi_AddMemberToClass",
                      "PcbApi_AddMemberToClass", "PcbApi_AddMemberToClass"}));
        EXPECT_EQ(recording::Calls()[2].Value(0), mode);
        EXPECT_EQ(recording::Calls()[3].Value(0), KindHandle);
        EXPECT_EQ(added, (std::vector<std::string>{"NetA", std::string(255, 'x'), ""}));
        EXPECT_EQ(objectClass.Members.size(), 3u) << "a write keeps the model's list";
    }
}

} // namespace
} // namespace corvane
