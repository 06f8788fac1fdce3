// FileMaker plug-in SDK, as far as this project uses it: text objects (UTF-16 inside the host).
#pragma once

#include "FMWrapper/FMXTypes.h"

extern "C" {
FMX_API fmx::Text* FM_Text_Constructor1(fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::uint32 FM_Text_GetSize(const void* self, fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_Text_SetText(void* self, const fmx::Text& other, fmx::uint32 position,
                             fmx::uint32 size, fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_Text_AssignWithLength(void* self, const char* s, fmx::uint32 strlength,
                                      fmx::int32 encoding, fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_Text_Assign(void* self, const char* s, fmx::int32 encoding,
                            fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_Text_AssignUnicode(void* self, const fmx::uint16* s, fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_Text_GetUnicode(const void* self, fmx::uint16* s, fmx::uint32 position,
                                fmx::uint32 size, fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::uint32 FM_Text_Find(const void* self, const fmx::Text& other, fmx::uint32 position,
                                 fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_Text_DeleteText(void* self, fmx::uint32 position, fmx::uint32 size,
                                fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_Text_AppendText(void* self, const fmx::Text& other, fmx::uint32 position,
                                fmx::uint32 size, fmx::_fmxcpt& _x) noexcept;
FMX_API bool FM_Text_operatorEQ(const void* self, const fmx::Text& that, fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_Text_Delete(void* self, fmx::_fmxcpt& _x) noexcept;
}

namespace fmx {

class Text {
  public:
    enum Encoding {
        kEncoding_Native = 0,
        kEncoding_UTF8 = 1,
        kEncoding_ASCII_DOS = 2,
        kEncoding_ASCII_Windows = 3,
        kEncoding_ASCII_Mac = 4,
        kEncoding_ISO_8859_1 = 5
    };
    enum { kSize_Invalid = 0xFFFFFFFF, kSize_End = 0xFFFFFFFF };

    Text() = delete;
    Text(const Text&) = delete;

    uint32 GetSize() const {
        _fmxcpt x;
        const uint32 size = FM_Text_GetSize(this, x);
        x.Check();
        return size;
    }
    void SetText(const Text& other, uint32 position = 0, uint32 size = kSize_End) {
        _fmxcpt x;
        FM_Text_SetText(this, other, position, size, x);
        x.Check();
    }
    void AssignWithLength(const char* s, uint32 strlength, Encoding encoding = kEncoding_Native) {
        _fmxcpt x;
        FM_Text_AssignWithLength(this, s, strlength, encoding, x);
        x.Check();
    }
    void Assign(const char* s, Encoding encoding = kEncoding_Native) {
        _fmxcpt x;
        FM_Text_Assign(this, s, encoding, x);
        x.Check();
    }
    void AssignUnicode(const uint16* s) {
        _fmxcpt x;
        FM_Text_AssignUnicode(this, s, x);
        x.Check();
    }
    // Copies `size` UTF-16 units from `position`; writes no terminator.
    void GetUnicode(uint16* s, uint32 position, uint32 size) const {
        _fmxcpt x;
        FM_Text_GetUnicode(this, s, position, size, x);
        x.Check();
    }
    // Position of `other` at or after `position`, kSize_Invalid when absent.
    uint32 Find(const Text& other, uint32 position) const {
        _fmxcpt x;
        const uint32 at = FM_Text_Find(this, other, position, x);
        x.Check();
        return at;
    }
    void DeleteText(uint32 position, uint32 size = kSize_End) {
        _fmxcpt x;
        FM_Text_DeleteText(this, position, size, x);
        x.Check();
    }
    void AppendText(const Text& other, uint32 position = 0, uint32 size = kSize_End) {
        _fmxcpt x;
        FM_Text_AppendText(this, other, position, size, x);
        x.Check();
    }
    bool operator==(const Text& that) const {
        _fmxcpt x;
        const bool equal = FM_Text_operatorEQ(this, that, x);
        x.Check();
        return equal;
    }
    void operator delete(void* obj) {
        _fmxcpt x;
        FM_Text_Delete(obj, x);
    }
};

class TextUniquePtr : public std::unique_ptr<Text> {
  public:
    TextUniquePtr() {
        _fmxcpt x;
        reset(FM_Text_Constructor1(x));
        x.Check();
    }
};

}  // namespace fmx
