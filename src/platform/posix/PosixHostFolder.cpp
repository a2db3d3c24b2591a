// The host executable's folder on POSIX: where /proc/self/exe lies.

#include "platform/Platform.h"

#include <unistd.h>

namespace corvane::platform {

std::string HostExecutableFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (n <= 0) {
        return {};
    }
    std::string folder(path, static_cast<std::size_t>(n));
    const auto slash = folder.rfind('/');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

} // namespace corvane::platform
