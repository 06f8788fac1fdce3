// The host side: loads the plug-in the way FileMaker does (dlopen, start-up message, registered
// functions, shut-down) and evaluates its functions. Used by the `orbx` program and the tests.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "FMWrapper/FMXExtern.h"
#include "host_api/fmx_host.h"

namespace orbx::host {

class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The plug-in file built beside this host.
std::string DefaultPluginPath();

class Plugin {
public:
    // Loads the plug-in file and finds its entry point; throws HostError when it cannot.
    explicit Plugin(const std::string& path);
    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    // Sends the start-up message and returns the plug-in's reply.
    long StartUp(fmx::int16 extension_version = kCurrentExtnVersion);
    // Sends the shut-down message.
    void ShutDown();
    // Sends the get-string message with a buffer of `buffer_units` UTF-16 units.
    std::u16string GetString(fmx::uchar which, fmx::uint32 buffer_units = 1024);

private:
    void* handle_ = nullptr;
    FMX_ExternCallProc entry_ = nullptr;
};

// The registered function called `name`, with or without its "Orbx_" prefix.
std::optional<fmxhost::Registration> FindFunction(std::string_view name);

// Evaluates a registered function as the host does: the parameter as text data (or no parameter
// at all), and the result's text.
std::u16string Evaluate(const fmxhost::Registration& function, const std::u16string* parameter);

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace orbx::host
