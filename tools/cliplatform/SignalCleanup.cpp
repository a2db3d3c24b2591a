// The registry of cleanup steps and guarded files: fixed slots and lock-free atomics, so that a
// signal handler (or the console's control thread) reads it safely while the program changes it.

#include "cliplatform/SignalCleanup.h"

#include <array>
#include <atomic>
#include <cstring>

namespace corvane::cli {
namespace {

constexpr std::size_t MaxPath = 4096;

enum SlotState : int { Free = 0, Filling = 1, Active = 2 };

struct FileSlot {
    std::atomic<int> State{Free};
    char Path[MaxPath] = {};
};

// A handful of outputs, and the copy of standard input, per import; imports run one at a time.
std::array<FileSlot, 16>& FileSlots() {
    static std::array<FileSlot, 16> slots;
    return slots;
}

std::array<std::atomic<CleanupStep>, 8>& Steps() {
    static std::array<std::atomic<CleanupStep>, 8> steps{};
    return steps;
}

static_assert(std::atomic<int>::is_always_lock_free &&
                  std::atomic<CleanupStep>::is_always_lock_free,
              "the registry is read from signal handlers");

} // namespace

void AddCleanupStep(CleanupStep step) {
    for (std::atomic<CleanupStep>& slot : Steps()) {
        CleanupStep expected = nullptr;
        if (slot.load() == step || slot.compare_exchange_strong(expected, step)) {
            return;
        }
    }
}

void RunCleanup() {
    for (FileSlot& slot : FileSlots()) {
        if (slot.State.load() == Active) {
            RemoveFileNow(slot.Path);
        }
    }
    for (const std::atomic<CleanupStep>& step : Steps()) {
        if (const CleanupStep run = step.load()) {
            run();
        }
    }
}

GuardedTemporaryFile::GuardedTemporaryFile(const std::string& path) {
    if (path.size() >= MaxPath) {
        return;
    }
    auto& slots = FileSlots();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        int expected = Free;
        if (slots[i].State.compare_exchange_strong(expected, Filling)) {
            std::memcpy(slots[i].Path, path.c_str(), path.size() + 1);
            slots[i].State.store(Active);
            slot_ = static_cast<int>(i);
            return;
        }
    }
}

GuardedTemporaryFile::~GuardedTemporaryFile() {
    if (slot_ >= 0) {
        FileSlots()[static_cast<std::size_t>(slot_)].State.store(Free);
    }
}

} // namespace corvane::cli
