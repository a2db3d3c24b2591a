#include "pcbmodel/lookups/ScratchComponent.h"

#include <memory>

namespace corvane {
namespace {

std::unique_ptr<TPcbComponent>& Scratch() {
    static std::unique_ptr<TPcbComponent> scratch;
    return scratch;
}

} // namespace

void CreateScratchComponent() {
    Scratch() = std::make_unique<TPcbComponent>(0);
}

void FreeScratchComponent() {
    Scratch().reset();
}

void ForgetScratchComponent() {
    CreateScratchComponent(); // a new one on handle 0 keeps nothing of the earlier component
}

const TPcbComponent& ScratchComponentAt(HostHandle component) {
    auto& scratch = Scratch();
    if (scratch == nullptr) {
        CreateScratchComponent();
    }
    if (scratch->Handle != component) {
        scratch->Handle = component;
        scratch->Exchange(ExchangeRead);
    }
    return *scratch;
}

} // namespace corvane
