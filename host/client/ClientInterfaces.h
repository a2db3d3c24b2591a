#pragma once
// The host client interface, its options manager and its options readers (the interfaces of
// src/contract/HostClient.h). Each object handed out lives until its Release.

#include "IniFile.h"

#include "contract/HostClient.h"

namespace halvex::client {

class OptionsReader final : public corvane::IHostOptionsReader {
public:
    explicit OptionsReader(IniFile file);
    ~OptionsReader();
    /// Status 0 and the file's integer, or the default when there is none; -1 for a null section,
    /// key or value pointer.
    std::int32_t PCBAPI_CALL ReadInteger(const char* section, const char* key,
                                         std::int32_t defaultValue, std::int32_t* value) override;
    void PCBAPI_CALL Release() override;

private:
    IniFile file_;
};

class OptionsManager final : public corvane::IHostOptionsManager {
public:
    OptionsManager();
    ~OptionsManager();
    /// Status 0 and a reader of the file (any options name; a file that cannot be read reads as
    /// empty); -1 for a null reader pointer.
    std::int32_t PCBAPI_CALL GetOptionsReader(const char* optionsName, const char* fileName,
                                              corvane::IHostOptionsReader** reader) override;
    void PCBAPI_CALL Release() override;
};

class HostClient final : public corvane::IHostClient {
public:
    HostClient();
    ~HostClient();
    /// Status 0 and a new options manager; -1 for a null manager pointer.
    std::int32_t PCBAPI_CALL GetOptionsManager(corvane::IHostOptionsManager** manager) override;
    void PCBAPI_CALL Release() override;
};

} // namespace halvex::client
