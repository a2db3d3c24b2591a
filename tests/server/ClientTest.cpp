// The substitute host client: the file-existence test, the options manager and the ini-file
// options readers, the test hooks, and the exports of an executable linked with it.

#include "HalvexClient.h"
#include "contract/HostClient.h"
#include "modules/ModuleLookup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using corvane::IHostClient;
using corvane::IHostOptionsManager;
using corvane::IHostOptionsReader;

class ClientTest : public ::testing::Test {
protected:
    fs::path folder_;

    void SetUp() override {
        HalvexClient_ResetTestHooks();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() / ("halvex-client-" + std::string(info->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        HalvexClient_ResetTestHooks();
        fs::remove_all(folder_);
        EXPECT_EQ(0, HalvexClient_LiveInterfaces()) << "interfaces not released";
    }

    std::string WriteFile(const std::string& name, const std::string& content) const {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    // Reads one integer through client -> manager -> reader, releasing them all.
    static std::int32_t ReadInteger(const std::string& file, const char* section, const char* key,
                                    std::int32_t defaultValue, std::int32_t* status = nullptr) {
        IHostClient* client = nullptr;
        ClientAPI_GetClientInterface(&client);
        EXPECT_NE(nullptr, client);
        IHostOptionsManager* manager = nullptr;
        EXPECT_EQ(0, client->GetOptionsManager(&manager));
        IHostOptionsReader* reader = nullptr;
        EXPECT_EQ(0, manager->GetOptionsReader("Halvex", file.c_str(), &reader));
        std::int32_t value = -12345;
        const std::int32_t result = reader->ReadInteger(section, key, defaultValue, &value);
        if (status != nullptr) {
            *status = result;
        } else {
            EXPECT_EQ(0, result);
        }
        reader->Release();
        manager->Release();
        client->Release();
        return value;
    }
};

TEST_F(ClientTest, ExistSpecificIsTrueForRegularFilesOnly) {
    const std::string file = WriteFile("board.pcb", "PCB FILE 4\r\n");
    EXPECT_EQ(1, ClientAPI_ExistSpecific(file.c_str()));
    EXPECT_EQ(0, ClientAPI_ExistSpecific((folder_ / "missing.pcb").string().c_str()));
    EXPECT_EQ(0, ClientAPI_ExistSpecific(folder_.string().c_str()));
    EXPECT_EQ(0, ClientAPI_ExistSpecific(""));
    EXPECT_EQ(0, ClientAPI_ExistSpecific(nullptr));
}

TEST_F(ClientTest, ReadsIntegersFromTheIniFile) {
    const std::string ini = WriteFile("HALVEX.INI", "[Other]\r\nFractionalDigits_mm=9\r\n"
                                                    "[SystemOptions]\r\n"
                                                    "; a comment\r\n"
                                                    "  FractionalDigits_mm = 4 \r\n"
                                                    "Negative=-17\r\n");
    EXPECT_EQ(4, ReadInteger(ini, "SystemOptions", "FractionalDigits_mm", 5));
    EXPECT_EQ(-17, ReadInteger(ini, "SystemOptions", "Negative", 5));
    EXPECT_EQ(9, ReadInteger(ini, "Other", "FractionalDigits_mm", 5));
}

TEST_F(ClientTest, SectionsAndKeysIgnoreCaseAndLineEndsMayBePlain) {
    const std::string ini = WriteFile("h.ini", "[systemoptions]\nFRACTIONALDIGITS_MM=2\n");
    EXPECT_EQ(2, ReadInteger(ini, "SystemOptions", "FractionalDigits_mm", 5));
}

TEST_F(ClientTest, MissingFileSectionKeyOrANonNumberGiveTheDefault) {
    const std::string ini = WriteFile("h.ini", "\xEF\xBB\xBF[SystemOptions]\r\nText=abc\r\n"
                                               "Mixed=12abc\r\nHuge=99999999999\r\nEmpty=\r\n");
    EXPECT_EQ(5, ReadInteger((folder_ / "none.ini").string(), "SystemOptions", "X", 5));
    EXPECT_EQ(5, ReadInteger(ini, "NoSuchSection", "Text", 5));
    EXPECT_EQ(5, ReadInteger(ini, "SystemOptions", "NoSuchKey", 5));
    EXPECT_EQ(5, ReadInteger(ini, "SystemOptions", "Text", 5));
    EXPECT_EQ(5, ReadInteger(ini, "SystemOptions", "Mixed", 5));
    EXPECT_EQ(5, ReadInteger(ini, "SystemOptions", "Huge", 5));
    EXPECT_EQ(5, ReadInteger(ini, "SystemOptions", "Empty", 5));
}

TEST_F(ClientTest, TheFirstOfTwoEqualKeysCounts) {
    const std::string ini = WriteFile("h.ini", "[S]\nk=1\nK=2\n[s]\nk=3\n");
    EXPECT_EQ(1, ReadInteger(ini, "S", "k", 5));
}

TEST_F(ClientTest, ForcedStatusesAreReturnedOnceEach) {
    IHostClient* client = nullptr;
    ClientAPI_GetClientInterface(&client);
    ASSERT_NE(nullptr, client);

    HalvexClient_FailNextStatus(HALVEX_CLIENT_GET_OPTIONS_MANAGER, -3);
    IHostOptionsManager* manager = reinterpret_cast<IHostOptionsManager*>(1);
    EXPECT_EQ(-3, client->GetOptionsManager(&manager));
    EXPECT_EQ(nullptr, manager);
    ASSERT_EQ(0, client->GetOptionsManager(&manager));

    HalvexClient_FailNextStatus(HALVEX_CLIENT_GET_OPTIONS_READER, -4);
    IHostOptionsReader* reader = reinterpret_cast<IHostOptionsReader*>(1);
    EXPECT_EQ(-4, manager->GetOptionsReader("Halvex", "x.ini", &reader));
    EXPECT_EQ(nullptr, reader);
    ASSERT_EQ(0, manager->GetOptionsReader("Halvex", "x.ini", &reader));

    HalvexClient_FailNextStatus(HALVEX_CLIENT_READ_INTEGER, -5);
    std::int32_t value = 77;
    EXPECT_EQ(-5, reader->ReadInteger("SystemOptions", "FractionalDigits_mm", 5, &value));
    EXPECT_EQ(77, value);
    EXPECT_EQ(0, reader->ReadInteger("SystemOptions", "FractionalDigits_mm", 5, &value));
    EXPECT_EQ(5, value);

    EXPECT_EQ(3, HalvexClient_LiveInterfaces());
    reader->Release();
    manager->Release();
    client->Release();
}

TEST_F(ClientTest, NullArgumentsGetANegativeStatus) {
    IHostClient* client = nullptr;
    ClientAPI_GetClientInterface(&client);
    ClientAPI_GetClientInterface(nullptr);
    EXPECT_LT(client->GetOptionsManager(nullptr), 0);
    IHostOptionsManager* manager = nullptr;
    ASSERT_EQ(0, client->GetOptionsManager(&manager));
    EXPECT_LT(manager->GetOptionsReader("Halvex", "x.ini", nullptr), 0);
    IHostOptionsReader* reader = nullptr;
    ASSERT_EQ(0, manager->GetOptionsReader(nullptr, nullptr, &reader));
    EXPECT_LT(reader->ReadInteger("S", "K", 1, nullptr), 0);
    std::int32_t value = 0;
    EXPECT_LT(reader->ReadInteger(nullptr, "K", 1, &value), 0);
    reader->Release();
    manager->Release();
    client->Release();
}

TEST_F(ClientTest, TheLastReaderRequestIsRecorded) {
    EXPECT_EQ(0, HalvexClient_LastReaderRequest(nullptr, 0, nullptr, 0));
    ReadInteger("C:\\Users\\x\\Kelvora2004\\HALVEX.INI", "SystemOptions", "FractionalDigits_mm", 5);
    char name[16];
    char file[8];
    ASSERT_EQ(1, HalvexClient_LastReaderRequest(name, sizeof(name), file, sizeof(file)));
    EXPECT_STREQ("Halvex", name);
    EXPECT_STREQ("C:\\User", file); // cut to the buffer
}

TEST(ClientExportsTest, TheExecutableExportsTheClientEntriesByTheirPlainNames) {
    const auto self = corvane::modules::HostExecutableModule();
#define HALVEX_TEST_CLIENT_ENTRY(name)                                                             \
    EXPECT_EQ(reinterpret_cast<void*>(&name), corvane::modules::FindModuleSymbol(self, #name));
    CORVANE_CLIENT_ENTRIES(HALVEX_TEST_CLIENT_ENTRY)
#undef HALVEX_TEST_CLIENT_ENTRY
}

} // namespace
