// The host side: loads the plug-in the way FileMaker does (load, options string, start-up
// message, registered functions, shut-down, unload) and evaluates its functions. Used by the
// `orbx` program and the tests.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "FMWrapper/FMXData.h"
#include "FMWrapper/FMXExtern.h"
#include "host_api/fmx_host.h"

namespace orbx::host {

class HostError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The plug-in file built beside this host, or the one the environment variable ORBX_PLUGIN
// names (the macOS bundle, say: the host runs its x86-64 code).
std::string DefaultPluginPath();

// What the host says of itself in the call record: its extension version (extnVersion) and the
// application it is (parm1 of start-up, with its version text in parm2).
struct HostIdentity {
    fmx::int16 extension_version = kCurrentExtnVersion;
    FMX_Application application = kFMXT_SASE;
};

// The language the host asks for strings in (parm2 of the string message): US English.
inline constexpr fmx::ptrtype kHostLanguage = 1033;

// Whether a plug-in whose options string is `options` is sent `message`: start-up and shut-down
// when its character 8 is "Y", idle when character 9 is, the session, file and schema messages
// when character 10 is, the preferences message when character 6 is. The string message is
// always sent.
bool HostSends(std::u16string_view options, FMX_ExternCallSwitch message);

// A start-up reply that enables the plug-in: an extension version the host knows.
inline bool Enables(long reply) {
    return reply >= kMinExtnVersion && reply <= kMaxExtnVersion;
}

class Plugin {
  public:
    // Loads the plug-in file, finds its entry point and asks for its options string; throws
    // HostError when it cannot.
    explicit Plugin(const std::string& path, HostIdentity identity = {});
    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    // Sends the start-up message (if the options string asks for it) and returns the plug-in's
    // reply, 0 when it was not sent. The version, when given, is the host's from now on.
    long StartUp(std::optional<fmx::int16> extension_version = std::nullopt);
    // Sends the shut-down message, if the options string asks for it.
    void ShutDown();
    // Sends the get-string message with a buffer of `buffer_units` UTF-16 units.
    std::u16string GetString(FMX_UChar which, fmx::uint32 buffer_units = 1024);
    // Sends any message with its parameters, if the options string asks for it; returns the
    // record as the plug-in left it, or nothing when the message was not sent.
    std::optional<FMX_ExternCallStruct> Send(FMX_ExternCallSwitch which, FMX_UChar parm1 = 0,
                                             fmx::ptrtype parm2 = 0, fmx::ptrtype parm3 = 0);

    const std::u16string& Options() const { return options_; }
    // The module handle the host passes as instanceID.
    fmx::ptrtype Instance() const;
    FMX_ExternCallProc Entry() const { return entry_; }

  private:
    FMX_ExternCallStruct record(FMX_ExternCallSwitch which) const;

    void* handle_ = nullptr;
    FMX_ExternCallProc entry_ = nullptr;
    HostIdentity identity_;
    std::u16string version_text_;
    std::u16string options_;
};

// The registered function called `name`, with or without its "Orbx_" prefix.
std::optional<fmxhost::Registration> FindFunction(std::string_view name);

// Evaluates a registered function as the host does: the parameter as text data (or no parameter
// at all), and the result's text.
std::u16string Evaluate(const fmxhost::Registration& function, const std::u16string* parameter);

// A container result: its streams in order, and what its 'FNAM' and 'SIZE' streams say.
struct Container {
    struct Stream {
        std::string type;  // 'PNGf', 'PDF ', 'FNAM', 'SIZE'
        std::vector<unsigned char> bytes;
    };
    std::vector<Stream> streams;
    std::u16string file_name;
    bool has_size = false;
    short width = 0;
    short height = 0;

    // The content: the first stream that is neither the file name nor the size.
    const Stream* Main() const;
};

struct Result {
    std::u16string text;
    std::optional<Container> container;
};

// Evaluates a function with any number of text parameters; the result's text, and its streams
// when it is a container.
Result EvaluateAll(const fmxhost::Registration& function,
                   const std::vector<std::u16string>& parameters);

// The streams of a container data value, if it holds any.
std::optional<Container> ContainerOf(const fmx::Data& data);

// One line saying what a container holds: "Code128.png: PNGf 1893 bytes, FNAM 11 bytes, SIZE
// 4 bytes (480 x 150 pixels)".
std::string Describe(const Container& container);

// Disables and enables the plug-in while the server keeps running, as FileMaker Server's console
// does: `threads` threads evaluate NAME( parameter ) and stay alive (holding whatever per-thread
// buffers the plug-in made for them) while the plug-in is shut down and unloaded; then they end,
// and the plug-in is loaded, started and evaluated again, from new threads and this one.
struct ReloadReport {
    std::vector<std::u16string> before;  // each first thread's result
    std::vector<std::u16string> after;   // each new thread's result, then this thread's
    long live_objects = 0;               // host objects made and not released
};
ReloadReport ReloadWithLiveThreads(const std::string& path, const HostIdentity& identity,
                                   std::string_view name, const std::u16string& parameter,
                                   int threads);

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace orbx::host
