// FileMaker plug-in SDK, as far as this project uses it: data values and the parameter vector.
// The binary data (container) calls are declared here as in the SDK; the BinaryData class itself
// is FMXBinaryData.h's.
#pragma once

#include "FMWrapper/FMXFixPt.h"
#include "FMWrapper/FMXText.h"
#include "FMWrapper/FMXTypes.h"

extern "C" {
FMX_API fmx::Data* FM_Data_Constructor1(fmx::_fmxcpt& _x) noexcept;
FMX_API const fmx::Locale* FM_Data_GetLocale(const void* self, fmx::_fmxcpt& _x) noexcept;
FMX_API const fmx::Text* FM_Data_GetAsText(const void* self, fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::errcode FM_Data_SetAsText(void* self, const fmx::Text& textData,
                                       const fmx::Locale& sourceLocale, fmx::int32 nativeType,
                                       fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_Data_Delete(void* self, fmx::_fmxcpt& _x) noexcept;
FMX_API const fmx::BinaryData* FM_Data_GetBinaryData(const void* _self, fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::errcode FM_Data_SetBinaryData(void* _self, const fmx::BinaryData& binaryData,
                                           bool forceBinaryNativeType, fmx::_fmxcpt& _x) noexcept;

FMX_API fmx::DataVect* FM_DataVect_Constructor1(fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::uint32 FM_DataVect_Size(const void* self, fmx::_fmxcpt& _x) noexcept;
FMX_API const fmx::Text* FM_DataVect_AtAsText(const void* self, fmx::uint32 position,
                                              fmx::_fmxcpt& _x) noexcept;
FMX_API const fmx::Data* FM_DataVect_At(const void* self, fmx::uint32 position,
                                        fmx::_fmxcpt& _x) noexcept;
FMX_API const fmx::BinaryData* FM_DataVect_AtAsBinaryData(const void* _self, fmx::uint32 position,
                                                          fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_DataVect_PushBack(void* self, const fmx::Data& data, fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_DataVect_Delete(void* self, fmx::_fmxcpt& _x) noexcept;
}

namespace fmx {

class Data {
  public:
    enum DataType {
        kDTInvalid = 0,
        kDTText = 1,
        kDTNumber = 2,
        kDTDate = 3,
        kDTTime = 4,
        kDTTimeStamp = 5,
        kDTBinary = 6,
        kDTBoolean = 7
    };

    Data() = delete;
    Data(const Data&) = delete;

    // The host library hands back pointers; the wrappers turn them into references.
    const Locale& GetLocale() const {
        _fmxcpt x;
        const Locale* locale = FM_Data_GetLocale(this, x);
        x.Check();
        return *locale;
    }
    const Text& GetAsText() const {
        _fmxcpt x;
        const Text* text = FM_Data_GetAsText(this, x);
        x.Check();
        return *text;
    }
    errcode SetAsText(const Text& textData, const Locale& sourceLocale,
                      const DataType nativeType = kDTText) {
        _fmxcpt x;
        const errcode error = FM_Data_SetAsText(this, textData, sourceLocale, nativeType, x);
        x.Check();
        return error;
    }
    const BinaryData& GetBinaryData() const {
        _fmxcpt x;
        const BinaryData* binary = FM_Data_GetBinaryData(this, x);
        x.Check();
        return *binary;
    }
    // Stores a container; with `forceBinaryNativeType` the data's type becomes kDTBinary.
    errcode SetBinaryData(const BinaryData& binaryData, bool forceBinaryNativeType = true) {
        _fmxcpt x;
        const errcode error = FM_Data_SetBinaryData(this, binaryData, forceBinaryNativeType, x);
        x.Check();
        return error;
    }
    void operator delete(void* obj) {
        _fmxcpt x;
        FM_Data_Delete(obj, x);
    }
};

class DataUniquePtr : public std::unique_ptr<Data> {
  public:
    DataUniquePtr() {
        _fmxcpt x;
        reset(FM_Data_Constructor1(x));
        x.Check();
    }
};

class DataVect {
  public:
    DataVect() = delete;
    DataVect(const DataVect&) = delete;

    uint32 Size() const {
        _fmxcpt x;
        const uint32 size = FM_DataVect_Size(this, x);
        x.Check();
        return size;
    }
    const Text& AtAsText(uint32 position) const {
        _fmxcpt x;
        const Text* text = FM_DataVect_AtAsText(this, position, x);
        x.Check();
        return *text;
    }
    const Data& At(uint32 position) const {
        _fmxcpt x;
        const Data* data = FM_DataVect_At(this, position, x);
        x.Check();
        return *data;
    }
    const BinaryData& AtAsBinaryData(uint32 position) const {
        _fmxcpt x;
        const BinaryData* binary = FM_DataVect_AtAsBinaryData(this, position, x);
        x.Check();
        return *binary;
    }
    void PushBack(const Data& data) {
        _fmxcpt x;
        FM_DataVect_PushBack(this, data, x);
        x.Check();
    }
    void operator delete(void* obj) {
        _fmxcpt x;
        FM_DataVect_Delete(obj, x);
    }
};

class DataVectUniquePtr : public std::unique_ptr<DataVect> {
  public:
    DataVectUniquePtr() {
        _fmxcpt x;
        reset(FM_DataVect_Constructor1(x));
        x.Check();
    }
};

}  // namespace fmx
