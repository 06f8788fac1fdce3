// FileMaker plug-in SDK, as far as this project uses it: binary data, the content of a container
// field. A container holds streams, each named by a four-character type ('PNGf', 'PDF ', and the
// 'FNAM' file name and 'SIZE' picture size that the host reads to show a picture); the host shows
// the first stream it knows how to draw. Relies on the headers before it, as the SDK's does.
#pragma once

#include "FMWrapper/FMXData.h"
#include "FMWrapper/FMXText.h"
#include "FMWrapper/FMXTypes.h"

extern "C" {
FMX_API fmx::BinaryData* FM_BinaryData_Constructor1(fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::BinaryData* FM_BinaryData_Constructor2(const fmx::BinaryData& sourceData,
                                                    fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_BinaryData_Delete(void* _self, fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::int32 FM_BinaryData_GetCount(const void* _self, fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::int32 FM_BinaryData_GetIndex(const void* _self, const fmx::QuadChar& dataType,
                                          fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::uint32 FM_BinaryData_GetTotalSize(const void* _self, fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_BinaryData_GetType(const void* _self, fmx::int32 index, fmx::QuadChar& dataType,
                                   fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::uint32 FM_BinaryData_GetSize(const void* _self, fmx::int32 index,
                                          fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::errcode FM_BinaryData_GetData(const void* _self, fmx::int32 index, fmx::uint32 offset,
                                           fmx::uint32 amount, void* buffer,
                                           fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::errcode FM_BinaryData_Add(void* _self, const fmx::QuadChar& dataType,
                                       fmx::uint32 amount, void* buffer, fmx::_fmxcpt& _x) noexcept;
FMX_API bool FM_BinaryData_Remove(void* _self, const fmx::QuadChar& dataType,
                                  fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_BinaryData_RemoveAll(void* _self, fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::errcode FM_BinaryData_GetFNAMData(const void* _self, fmx::Text& filepathlist,
                                               fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::errcode FM_BinaryData_AddFNAMData(void* _self, const fmx::Text& filepathlist,
                                               fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::errcode FM_BinaryData_GetSIZEData(const void* _self, short& width, short& height,
                                               fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::errcode FM_BinaryData_AddSIZEData(void* _self, short width, short height,
                                               fmx::_fmxcpt& _x) noexcept;
}

namespace fmx {

class BinaryData {
  public:
    BinaryData() = delete;
    BinaryData(const BinaryData&) = delete;

    // The number of streams, and the index of the stream of a type (-1 when there is none).
    int32 GetCount() const {
        _fmxcpt x;
        const int32 count = FM_BinaryData_GetCount(this, x);
        x.Check();
        return count;
    }
    int32 GetIndex(const QuadChar& dataType) const {
        _fmxcpt x;
        const int32 index = FM_BinaryData_GetIndex(this, dataType, x);
        x.Check();
        return index;
    }
    uint32 GetTotalSize() const {
        _fmxcpt x;
        const uint32 size = FM_BinaryData_GetTotalSize(this, x);
        x.Check();
        return size;
    }
    void GetType(int32 index, QuadChar& dataType) const {
        _fmxcpt x;
        FM_BinaryData_GetType(this, index, dataType, x);
        x.Check();
    }
    uint32 GetSize(int32 index) const {
        _fmxcpt x;
        const uint32 size = FM_BinaryData_GetSize(this, index, x);
        x.Check();
        return size;
    }
    // Copies `amount` bytes of stream `index` from `offset` into `buffer`.
    errcode GetData(int32 index, uint32 offset, uint32 amount, void* buffer) const {
        _fmxcpt x;
        const errcode error = FM_BinaryData_GetData(this, index, offset, amount, buffer, x);
        x.Check();
        return error;
    }
    // Adds a stream of `amount` bytes (the host copies them).
    errcode Add(const QuadChar& dataType, uint32 amount, void* buffer) {
        _fmxcpt x;
        const errcode error = FM_BinaryData_Add(this, dataType, amount, buffer, x);
        x.Check();
        return error;
    }
    bool Remove(const QuadChar& dataType) {
        _fmxcpt x;
        const bool removed = FM_BinaryData_Remove(this, dataType, x);
        x.Check();
        return removed;
    }
    void RemoveAll() {
        _fmxcpt x;
        FM_BinaryData_RemoveAll(this, x);
        x.Check();
    }
    errcode GetFNAMData(Text& filepathlist) const {
        _fmxcpt x;
        const errcode error = FM_BinaryData_GetFNAMData(this, filepathlist, x);
        x.Check();
        return error;
    }
    // The 'FNAM' stream: the file name the host shows and exports the container's content under.
    errcode AddFNAMData(const Text& filepathlist) {
        _fmxcpt x;
        const errcode error = FM_BinaryData_AddFNAMData(this, filepathlist, x);
        x.Check();
        return error;
    }
    errcode GetSIZEData(short& width, short& height) const {
        _fmxcpt x;
        const errcode error = FM_BinaryData_GetSIZEData(this, width, height, x);
        x.Check();
        return error;
    }
    // The 'SIZE' stream: a picture's width and height in pixels.
    errcode AddSIZEData(short width, short height) {
        _fmxcpt x;
        const errcode error = FM_BinaryData_AddSIZEData(this, width, height, x);
        x.Check();
        return error;
    }
    void operator delete(void* obj) {
        _fmxcpt x;
        FM_BinaryData_Delete(obj, x);
    }
};

class BinaryDataUniquePtr : public std::unique_ptr<BinaryData> {
  public:
    BinaryDataUniquePtr() {
        _fmxcpt x;
        reset(FM_BinaryData_Constructor1(x));
        x.Check();
    }
    explicit BinaryDataUniquePtr(const BinaryData& sourceData) {
        _fmxcpt x;
        reset(FM_BinaryData_Constructor2(sourceData, x));
        x.Check();
    }
};

}  // namespace fmx
