#include "host/host.h"

#include <dlfcn.h>

#include <vector>

#include "FMWrapper/FMXData.h"
#include "FMWrapper/FMXText.h"

namespace orbx::host {

std::string DefaultPluginPath() { return ORBX_PLUGIN_PATH; }

Plugin::Plugin(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* why = dlerror();
        throw HostError("cannot load plug-in " + path + ": " + (why ? why : "unknown error"));
    }
    entry_ = reinterpret_cast<FMX_ExternCallProc>(dlsym(handle_, "FMExternCallProc"));
    if (entry_ == nullptr) {
        dlclose(handle_);
        throw HostError("plug-in " + path + " has no FMExternCallProc entry point");
    }
}

Plugin::~Plugin() {
    if (handle_ != nullptr) dlclose(handle_);
}

long Plugin::StartUp(fmx::int16 extension_version) {
    FMX_ExternCallStruct call{};
    call.extnVersion = extension_version;
    call.whichCall = kFMXT_Init;
    call.instanceID = reinterpret_cast<fmx::ptrtype>(handle_);
    entry_(&call);
    return static_cast<long>(static_cast<std::intptr_t>(call.result));
}

void Plugin::ShutDown() {
    FMX_ExternCallStruct call{};
    call.extnVersion = kCurrentExtnVersion;
    call.whichCall = kFMXT_Shutdown;
    call.instanceID = reinterpret_cast<fmx::ptrtype>(handle_);
    entry_(&call);
}

std::u16string Plugin::GetString(fmx::uchar which, fmx::uint32 buffer_units) {
    std::vector<fmx::uint16> buffer(buffer_units + 1, 0);
    FMX_ExternCallStruct call{};
    call.extnVersion = kCurrentExtnVersion;
    call.whichCall = kFMXT_GetString;
    call.parm1 = which;
    call.parm3 = buffer_units;
    call.instanceID = reinterpret_cast<fmx::ptrtype>(handle_);
    call.result = reinterpret_cast<fmx::ptrtype>(buffer.data());
    entry_(&call);
    std::u16string text;
    for (fmx::uint32 i = 0; i < buffer_units && buffer[i] != 0; ++i) text += buffer[i];
    return text;
}

std::optional<fmxhost::Registration> FindFunction(std::string_view name) {
    const std::u16string wanted = Utf8ToUtf16(name);
    for (const auto& row : fmxhost::Registrations()) {
        if (row.name == wanted || row.name == u"Orbx_" + wanted) return row;
    }
    return std::nullopt;
}

std::u16string Evaluate(const fmxhost::Registration& function, const std::u16string* parameter) {
    fmx::DataVectUniquePtr parms;
    if (parameter != nullptr) {
        // Any UTF-16 units, U+0000 and lone surrogates included, as a field can hold them.
        fmx::TextUniquePtr text;
        fmxhost::AssignUnits(*text, *parameter);
        fmx::DataUniquePtr data;
        fmx::LocaleUniquePtr locale(fmx::Locale::kType_System);
        data->SetAsText(*text, *locale, fmx::Data::kDTText);
        parms->PushBack(*data);
    }
    fmx::DataUniquePtr result;
    function.callback(function.functionId, fmxhost::Environment(), *parms, *result);
    const fmx::Text& text = result->GetAsText();
    std::vector<fmx::uint16> units(text.GetSize());
    text.GetUnicode(units.data(), 0, static_cast<fmx::uint32>(units.size()));
    return std::u16string(units.begin(), units.end());
}

std::u16string Utf8ToUtf16(std::string_view text) {
    fmx::TextUniquePtr decoded;
    decoded->AssignWithLength(text.data(), static_cast<fmx::uint32>(text.size()),
                              fmx::Text::kEncoding_UTF8);
    std::vector<fmx::uint16> units(decoded->GetSize());
    decoded->GetUnicode(units.data(), 0, static_cast<fmx::uint32>(units.size()));
    return std::u16string(units.begin(), units.end());
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;  // a lone surrogate has no UTF-8 form
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace orbx::host
