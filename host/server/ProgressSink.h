#pragma once
// Where the progress calls of an import go: the functions a host program sets (none by default).

#include "contract/HalvexHost.h"

#include <cstdint>
#include <string>

namespace halvex {

class ProgressSink {
public:
    void Set(HalvexProgressInit init, HalvexProgressStep update, HalvexProgressStep finish,
             void* userData) {
        init_ = init;
        update_ = update;
        finish_ = finish;
        userData_ = userData;
    }

    void Init(const std::string& caption, std::int32_t steps) const {
        if (init_ != nullptr) {
            init_(userData_, caption.c_str(), steps);
        }
    }
    void Update() const {
        if (update_ != nullptr) {
            update_(userData_);
        }
    }
    void Finish() const {
        if (finish_ != nullptr) {
            finish_(userData_);
        }
    }

private:
    HalvexProgressInit init_ = nullptr;
    HalvexProgressStep update_ = nullptr;
    HalvexProgressStep finish_ = nullptr;
    void* userData_ = nullptr;
};

} // namespace halvex
