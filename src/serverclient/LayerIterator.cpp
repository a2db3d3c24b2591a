#include "serverclient/LayerIterator.h"

#include "serverclient/LayerNumbering.h"
#include "serverclient/PcbApi.h"

namespace corvane {
namespace {

/// Owns one host iterator and destroys it on every way out.
class IteratorGuard {
public:
    explicit IteratorGuard(HostHandle iterator) : Iterator(iterator) {}
    ~IteratorGuard() {
        if (Iterator != 0) {
            PcbApi_DestroyIterator(Iterator);
        }
    }
    IteratorGuard(const IteratorGuard&) = delete;
    IteratorGuard& operator=(const IteratorGuard&) = delete;

    const HostHandle Iterator;
};

} // namespace

HostHandle CreateLayerIterator(HostHandle container, std::uint8_t kind, std::uint8_t mode,
                               TLayer layer) {
    return PcbApi_CreateIterator(container, kind, mode, LayerToLayerId(layer));
}

// An iterator handle of 0 names nothing to walk or destroy, so no further call is made for it.
HostHandle FindFirstOnLayer(HostHandle container, std::uint8_t kind, TLayer layer,
                            const std::function<bool(HostHandle)>& matches, bool* capped) {
    const IteratorGuard guard(CreateLayerIterator(container, kind, 0, layer));
    if (guard.Iterator == 0) {
        return 0;
    }
    HostHandle object = PcbApi_GetFirstObject(guard.Iterator);
    for (std::int32_t seen = 0; object != 0 && seen < MaxObjectsPerWalk; ++seen) {
        if (matches(object)) {
            return object;
        }
        object = PcbApi_GetNextObject(guard.Iterator);
    }
    if (object != 0 && capped != nullptr) {
        *capped = true;
    }
    return 0;
}

} // namespace corvane
