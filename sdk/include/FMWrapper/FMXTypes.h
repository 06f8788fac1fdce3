// Stand-in for the FileMaker plug-in SDK: basic types, the exception holder, QuadChar and Locale.
// The SDK's entry points are extern "C" functions that take the object as `void* self` and end
// with an exception holder; the classes of namespace fmx are opaque wrappers over them.
#pragma once

#include <cstdint>
#include <memory>
#include <new>

#if defined(FMX_BUILDING_WRAPPER)
#define FMX_API __attribute__((visibility("default")))
#else
#define FMX_API
#endif

namespace fmx {

typedef unsigned char uchar;
typedef short int16;
typedef unsigned short uint16;
typedef int int32;
typedef unsigned int uint32;
typedef long long int64;
typedef unsigned long long uint64;
typedef std::uintptr_t ptrtype;
typedef uint16 unichar16;
typedef short errcode;

// Carries an error out of the library: a version field (1), then the error code it fills in.
class _fmxcpt {
  public:
    enum { kNoErr = 0, kBadAlloc = 1, kUnknown = 2 };

    _fmxcpt() : m_vers(1), m_code(kNoErr) {}
    // Turns a reported error into a C++ exception on the plug-in's side of the call.
    void Check() const {
        if (m_code == kBadAlloc) throw std::bad_alloc();
        if (m_code != kNoErr) throw *this;
    }

    int32 m_vers;
    int32 m_code;
};

class QuadChar;
class Locale;
class Text;
class Data;
class DataVect;
class ExprEnv;

}  // namespace fmx

extern "C" {
FMX_API fmx::QuadChar* FM_QuadChar_Constructor2(char c0, char c1, char c2, char c3,
                                                fmx::_fmxcpt& x) noexcept;
FMX_API void FM_QuadChar_Delete(void* self, fmx::_fmxcpt& x) noexcept;
FMX_API fmx::Locale* FM_Locale_Constructor1(fmx::int32 inputType, fmx::_fmxcpt& x) noexcept;
FMX_API void FM_Locale_Delete(void* self, fmx::_fmxcpt& x) noexcept;
}

namespace fmx {

class QuadChar {
  public:
    QuadChar() = delete;
    QuadChar(const QuadChar&) = delete;
    void operator delete(void* obj) {
        _fmxcpt x;
        FM_QuadChar_Delete(obj, x);
    }
};

class QuadCharUniquePtr : public std::unique_ptr<QuadChar> {
  public:
    QuadCharUniquePtr(char c0, char c1, char c2, char c3) {
        _fmxcpt x;
        reset(FM_QuadChar_Constructor2(c0, c1, c2, c3, x));
        x.Check();
    }
};

class Locale {
  public:
    enum Type { kType_None = 0, kType_System = 1 };
    Locale() = delete;
    Locale(const Locale&) = delete;
    void operator delete(void* obj) {
        _fmxcpt x;
        FM_Locale_Delete(obj, x);
    }
};

class LocaleUniquePtr : public std::unique_ptr<Locale> {
  public:
    explicit LocaleUniquePtr(Locale::Type type = Locale::kType_System) {
        _fmxcpt x;
        reset(FM_Locale_Constructor1(type, x));
        x.Check();
    }
};

}  // namespace fmx
