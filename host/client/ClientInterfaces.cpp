#include "ClientInterfaces.h"

#include "ClientState.h"

namespace halvex::client {
namespace {

constexpr std::int32_t StatusOk = 0;
constexpr std::int32_t StatusBadArgument = -1;

} // namespace

OptionsReader::OptionsReader(IniFile file) : file_(std::move(file)) {
    ClientState::Instance().InterfaceMade();
}

OptionsReader::~OptionsReader() {
    ClientState::Instance().InterfaceReleased();
}

std::int32_t OptionsReader::ReadInteger(const char* section, const char* key,
                                        std::int32_t defaultValue, std::int32_t* value) {
    if (const auto forced = ClientState::Instance().TakeForcedStatus(ClientCall::ReadInteger)) {
        return *forced;
    }
    if (section == nullptr || key == nullptr || value == nullptr) {
        return StatusBadArgument;
    }
    *value = file_.Integer(section, key).value_or(defaultValue);
    return StatusOk;
}

void OptionsReader::Release() {
    delete this;
}

OptionsManager::OptionsManager() {
    ClientState::Instance().InterfaceMade();
}

OptionsManager::~OptionsManager() {
    ClientState::Instance().InterfaceReleased();
}

std::int32_t OptionsManager::GetOptionsReader(const char* optionsName, const char* fileName,
                                              corvane::IHostOptionsReader** reader) {
    auto& state = ClientState::Instance();
    state.RecordReaderRequest(
        {optionsName != nullptr ? optionsName : "", fileName != nullptr ? fileName : ""});
    if (const auto forced = state.TakeForcedStatus(ClientCall::GetOptionsReader)) {
        if (reader != nullptr) {
            *reader = nullptr;
        }
        return *forced;
    }
    if (reader == nullptr) {
        return StatusBadArgument;
    }
    *reader = new OptionsReader(fileName != nullptr ? IniFile::Load(fileName) : IniFile());
    return StatusOk;
}

void OptionsManager::Release() {
    delete this;
}

HostClient::HostClient() {
    ClientState::Instance().InterfaceMade();
}

HostClient::~HostClient() {
    ClientState::Instance().InterfaceReleased();
}

std::int32_t HostClient::GetOptionsManager(corvane::IHostOptionsManager** manager) {
    if (const auto forced =
            ClientState::Instance().TakeForcedStatus(ClientCall::GetOptionsManager)) {
        if (manager != nullptr) {
            *manager = nullptr;
        }
        return *forced;
    }
    if (manager == nullptr) {
        return StatusBadArgument;
    }
    *manager = new OptionsManager();
    return StatusOk;
}

void HostClient::Release() {
    delete this;
}

} // namespace halvex::client
