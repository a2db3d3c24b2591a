#pragma once
// Moves one stored field through one pointer of a query entry, in the direction of the exchange:
// mode 1 (read) writes the stored value through the pointer, any other mode (write) stores the
// value found there. Each field moves at exactly its own width: the pointer's type and the stored
// field's type must be the same (a mismatch does not compile). Null pointers are passed over.

#include "HostLayerTable.h"

#include "contract/HostTypes.h"
#include "contract/ShortString.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <type_traits>

namespace halvex {

class FieldExchange {
public:
    explicit FieldExchange(std::uint8_t mode) : reading_(mode == corvane::ExchangeRead) {}

    /// True for mode 1: the server hands its values out.
    bool Reading() const { return reading_; }

    /// A value field (integers, Booleans, doubles, opaque blocks), copied byte for byte.
    template <typename T> void operator()(T* pointer, T& stored) const {
        static_assert(std::is_trivially_copyable_v<T>);
        if (pointer == nullptr) {
            return;
        }
        if (reading_) {
            std::memcpy(static_cast<void*>(pointer), &stored, sizeof(T));
        } else {
            std::memcpy(static_cast<void*>(&stored), pointer, sizeof(T));
        }
    }

    /// A short string kept as text: at most N characters are stored and handed out.
    template <std::size_t N>
    void operator()(corvane::ShortString<N>* pointer, std::string& stored) const {
        if (pointer == nullptr) {
            return;
        }
        if (reading_) {
            pointer->Assign(stored);
        } else {
            stored.assign(pointer->View());
        }
    }

    /// A layer kept as a TLayerId but exchanged as a one-byte classic layer.
    void ClassicLayer(TLayer* pointer, TLayerId& stored) const {
        if (pointer == nullptr) {
            return;
        }
        if (reading_) {
            *pointer = ToClassicLayer(stored);
        } else {
            stored = ToLayerId(*pointer);
        }
    }

private:
    bool reading_;
};

} // namespace halvex
