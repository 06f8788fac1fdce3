// What the host's objects are, behind the opaque fmx:: classes: shared by the host library's
// FM_ calls and by the host's own side. Never seen by a plug-in.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "FMWrapper/FMXBinaryData.h"
#include "FMWrapper/FMXCalcEngine.h"
#include "FMWrapper/FMXData.h"
#include "FMWrapper/FMXText.h"
#include "FMWrapper/FMXTypes.h"
#include "host_api/fmx_host.h"

namespace fmxhost::detail {

struct TextImpl {
    std::u16string units;
};

struct LocaleImpl {
    fmx::int32 type = fmx::Locale::kType_System;
};

struct QuadCharImpl {
    char chars[4] = {};
};

// A container: its streams in the order they were added, each a four-character type and bytes.
struct BinaryDataImpl {
    struct Stream {
        char type[4];
        std::vector<unsigned char> bytes;
    };
    std::vector<Stream> streams;
};

struct DataImpl {
    TextImpl text;
    BinaryDataImpl binary;
    LocaleImpl locale;
    fmx::int32 type = fmx::Data::kDTInvalid;
};

struct DataVectImpl {
    std::vector<DataImpl> items;
};

struct ExprEnvImpl {};

template <typename Impl, typename T>
Impl& impl(T* self) {
    return *static_cast<Impl*>(const_cast<void*>(static_cast<const void*>(self)));
}

template <typename T, typename Impl>
T* as(Impl& object) {
    return reinterpret_cast<T*>(&object);
}

struct RegistrationTable {
    std::mutex mutex;
    std::vector<Registration> rows;
    int fail_countdown = 0;
};

// The host's state, kept in the host's side so that the host program and the library see one.
FMX_HOST_API RegistrationTable& Registrations();
// Objects made by the FM_..._Constructor calls and not yet deleted: what a plug-in owns.
FMX_HOST_API std::atomic<long>& LiveCount();
// Counts down the calls that create or change an object until one is made to fail (0: none).
FMX_HOST_API std::atomic<int>& FailCountdown();

}  // namespace fmxhost::detail
