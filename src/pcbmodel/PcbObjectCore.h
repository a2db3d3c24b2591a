#pragma once
// Root of the model classes: a short-lived mirror of one host board object, named by its handle.
// The host owns the object; the model copies its properties in and out through Exchange. This is
// the core the import works with; the rest of the host's surface is TPCBObject (PcbObject.h).

#include "contract/HostTypes.h"
#include "contract/ObjectKindCodes.h"

#include <cstdint>

namespace corvane {

/// The fields every object has and their exchange with the host. Coordinates are in host units of
/// 1/10000 mil. The host reads and writes each field through a pointer at its own width, so the
/// field types and their order are part of the contract with the host.
class TPcbObjectCore {
public:
    /// Stores the handle and leaves every other field zero; never calls the host.
    explicit TPcbObjectCore(HostHandle handle);
    virtual ~TPcbObjectCore();

    TPcbObjectCore(const TPcbObjectCore&) = delete;
    TPcbObjectCore& operator=(const TPcbObjectCore&) = delete;

    /// Moves the properties from the host (ExchangeRead) or to it (ExchangeWrite); returns the
    /// host's status.
    virtual std::int32_t Exchange(std::uint8_t mode);

    /// The classic number of Layer (the fallback of the conversion for extended identifiers).
    TLayer GetClassicLayer() const;
    /// Stores the identifier of a classic layer; numbers above 82 store no layer.
    void SetClassicLayer(TLayer layer);

    // --- Fields, in the order and at the widths the host exchanges them ---------------------

    HostHandle Handle = 0;
    std::uint8_t ObjectId = 0;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::uint16_t Flags = 0;
    std::uint8_t BitField2 = 0;
    std::uint16_t BitField3 = 0;
    std::uint16_t Tag = 0;
    Bool8 ObjectFlag = 0;
    std::uint32_t Net = 0;
    std::uint32_t OwnerHandle = 0;
    TLayerId Layer = 0;

protected:
    /// The two bit-field calls every kind's exchange makes before its own entry point.
    void ExchangeBitFields(std::uint8_t mode);
};

} // namespace corvane
