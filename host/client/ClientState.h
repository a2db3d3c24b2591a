#pragma once
// State the client's test hooks steer and read: statuses forced on the next call of a kind, the
// number of interfaces alive, and the last options-reader request.

#include <cstdint>
#include <optional>
#include <string>

namespace halvex::client {

enum class ClientCall { GetOptionsManager = 1, GetOptionsReader = 2, ReadInteger = 3 };

struct ReaderRequest {
    std::string OptionsName;
    std::string FileName;
};

class ClientState {
public:
    static ClientState& Instance();

    void ForceNextStatus(ClientCall call, std::int32_t status);
    /// The status forced on this call, once (it is forgotten as it is taken).
    std::optional<std::int32_t> TakeForcedStatus(ClientCall call);

    void InterfaceMade() { ++liveInterfaces_; }
    void InterfaceReleased() { --liveInterfaces_; }
    std::int32_t LiveInterfaces() const { return liveInterfaces_; }

    void RecordReaderRequest(ReaderRequest request) { lastRequest_ = std::move(request); }
    const std::optional<ReaderRequest>& LastReaderRequest() const { return lastRequest_; }

    void ResetHooks();

private:
    std::optional<std::int32_t> forced_[3];
    std::int32_t liveInterfaces_ = 0;
    std::optional<ReaderRequest> lastRequest_;
};

} // namespace halvex::client
