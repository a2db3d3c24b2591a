#include "modules/Module.h"

#include <utility>

namespace corvane::modules {

Module::~Module() {
    Close();
}

Module::Module(Module&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), source_(std::move(other.source_)),
      error_(std::move(other.error_)) {}

Module& Module::operator=(Module&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, nullptr);
        source_ = std::move(other.source_);
        error_ = std::move(other.error_);
    }
    return *this;
}

} // namespace corvane::modules
