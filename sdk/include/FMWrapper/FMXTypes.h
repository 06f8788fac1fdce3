// FileMaker plug-in SDK, as far as this project uses it: the basic types, the exception holder
// that every FM_ call fills in, QuadChar and Locale. The FM_ functions are the host library's
// extern "C" exports: each takes the wrapped object as `self` and ends with the holder.
#pragma once

#include <exception>
#include <memory>
#include <new>

// The host library's exports: imported by plug-ins, defined by the library itself.
#if defined(_WIN32)
#if defined(FMX_BUILDING_WRAPPER)
#define FMX_API __declspec(dllexport)
#else
#define FMX_API __declspec(dllimport)
#endif
#elif defined(FMX_BUILDING_WRAPPER)
#define FMX_API __attribute__((visibility("default")))
#else
#define FMX_API
#endif

namespace fmx {

typedef short int16;
typedef unsigned short uint16;
typedef int int32;
typedef unsigned int uint32;
typedef long long int64;
typedef unsigned long long uint64;
typedef unsigned short unichar16;
typedef unsigned long long ptrtype;
typedef short errcode;
// The call record's unused identifier: 16 bits in the host's Windows (MSVC) build, 32 elsewhere.
#if defined(_WIN32)
typedef int16 unusedid;
#else
typedef int32 unusedid;
#endif

// Carries an error out of the host library: a version (1), then the error code it fills in.
class _fmxcpt {
  public:
    enum { kNoErr = 0, kBadAlloc = 1, kUnknown = 2 };

    _fmxcpt() : m_vers(1), m_code(kNoErr) {}
    // Turns a reported error into a C++ exception on the plug-in's side of the call.
    void Check() {
        if (m_code == kBadAlloc) throw std::bad_alloc();
        if (m_code != kNoErr) throw std::exception();
    }

    int32 m_vers;
    int32 m_code;
};

class QuadChar;
class Locale;
class Text;
class Data;
class DataVect;
class BinaryData;
class ExprEnv;

}  // namespace fmx

extern "C" {
FMX_API fmx::QuadChar* FM_QuadChar_Constructor2(char c0, char c1, char c2, char c3,
                                                fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_QuadChar_Delete(void* self, fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::Locale* FM_Locale_Constructor1(fmx::int32 inputType, fmx::_fmxcpt& _x) noexcept;
FMX_API void FM_Locale_Delete(void* self, fmx::_fmxcpt& _x) noexcept;
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
    enum Type {
        kType_None = 0,
        kType_System = 1,
        kType_UnicodeRaw = 2,
        kType_UnicodeStandard = 3,
        kType_Catalog = 4
    };
    Locale() = delete;
    Locale(const Locale&) = delete;
    void operator delete(void* obj) {
        _fmxcpt x;
        FM_Locale_Delete(obj, x);
    }
};

class LocaleUniquePtr : public std::unique_ptr<Locale> {
  public:
    explicit LocaleUniquePtr(Locale::Type inputType = Locale::kType_System) {
        _fmxcpt x;
        reset(FM_Locale_Constructor1(inputType, x));
        x.Check();
    }
};

}  // namespace fmx
