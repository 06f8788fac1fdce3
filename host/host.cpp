#include "host/host.h"

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "FMWrapper/FMXBinaryData.h"
#include "FMWrapper/FMXData.h"
#include "FMWrapper/FMXText.h"
#include "common/utf8.h"
#include "host/platform.h"

namespace orbx::host {

std::string DefaultPluginPath() {
    // Another plug-in file for the host and the tests, such as the macOS bundle.
    if (const char* path = std::getenv("ORBX_PLUGIN"); path != nullptr && *path != '\0')
        return path;
    return ORBX_PLUGIN_PATH;
}

namespace {

// The version text the host passes with start-up, as FileMaker 2025 (22.1) gives it.
std::u16string version_text(FMX_Application application) {
    return application == kFMXT_Pro ? u"Pro 22.1.1" : u"Server 22.1.1";
}

// The options string's character `position` (1 is the first) is "Y".
bool flag(std::u16string_view options, std::size_t position) {
    return options.size() >= position && options[position - 1] == u'Y';
}

}  // namespace

bool HostSends(std::u16string_view options, FMX_ExternCallSwitch message) {
    switch (message) {
        case kFMXT_GetString:
            return true;
        case kFMXT_Init:
        case kFMXT_Shutdown:
            return flag(options, 8);
        case kFMXT_Idle:
            return flag(options, 9);
        case kFMXT_SessionShutdown:
        case kFMXT_FileShutdown:
        case kFMXT_SchemaChange:
            return flag(options, 10);
        case kFMXT_DoAppPreferences:
            return flag(options, 6);
        default:
            return false;
    }
}

Plugin::Plugin(const std::string& path, HostIdentity identity)
    : identity_(identity), version_text_(version_text(identity.application)) {
    std::string why;
    handle_ = platform::LoadModule(path, why);
    if (handle_ == nullptr) throw HostError("cannot load plug-in " + path + ": " + why);
    entry_ =
        reinterpret_cast<FMX_ExternCallProc>(platform::FindExport(handle_, "FMExternCallProc"));
    if (entry_ == nullptr) {
        platform::UnloadModule(handle_);
        throw HostError("plug-in " + path + " has no FMExternCallProc entry point");
    }
    // The host asks for the options string first: it says which messages to send.
    options_ = GetString(kFMXT_OptionsStr);
}

Plugin::~Plugin() {
    if (handle_ != nullptr) platform::UnloadModule(handle_);
}

fmx::ptrtype Plugin::Instance() const {
    return reinterpret_cast<fmx::ptrtype>(handle_);
}

FMX_ExternCallStruct Plugin::record(FMX_ExternCallSwitch which) const {
    FMX_ExternCallStruct call{};
    call.extnVersion = identity_.extension_version;
    call.unusedID = -1;
    call.entryPoint = entry_;
    call.unusedFlag = 0;
    call.whichCall = which;
    call.unsafeCalls = 0;
    call.instanceID = Instance();
    return call;
}

std::optional<FMX_ExternCallStruct> Plugin::Send(FMX_ExternCallSwitch which, FMX_UChar parm1,
                                                 fmx::ptrtype parm2, fmx::ptrtype parm3) {
    if (!HostSends(options_, which)) return std::nullopt;
    FMX_ExternCallStruct call = record(which);
    call.parm1 = parm1;
    call.parm2 = parm2;
    call.parm3 = parm3;
    entry_(&call);
    return call;
}

long Plugin::StartUp(std::optional<fmx::int16> extension_version) {
    if (extension_version) identity_.extension_version = *extension_version;
    const auto call = Send(kFMXT_Init, identity_.application,
                           reinterpret_cast<fmx::ptrtype>(version_text_.c_str()));
    if (!call) return 0;
    return static_cast<long>(static_cast<fmx::int64>(call->result));
}

void Plugin::ShutDown() {
    Send(kFMXT_Shutdown);
}

std::u16string Plugin::GetString(FMX_UChar which, fmx::uint32 buffer_units) {
    // One unit more than the host says, so that a string the plug-in leaves unterminated is
    // still read within the buffer.
    std::vector<fmx::unichar16> buffer(buffer_units + 1, 0);
    FMX_ExternCallStruct call = record(kFMXT_GetString);
    call.parm1 = which;
    call.parm2 = kHostLanguage;
    call.parm3 = buffer_units;
    call.result = reinterpret_cast<fmx::ptrtype>(buffer.data());
    entry_(&call);
    std::u16string text;
    for (fmx::uint32 i = 0; i < buffer_units && buffer[i] != 0; ++i)
        text += buffer[i];
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
    // Any UTF-16 units, U+0000 and lone surrogates included, as a field can hold them.
    if (parameter != nullptr) fmxhost::PushTextParameter(*parms, *parameter);
    fmx::DataUniquePtr result;
    function.callback(function.functionId, fmxhost::Environment(), *parms, *result);
    return fmxhost::Units(result->GetAsText());
}

const Container::Stream* Container::Main() const {
    for (const Stream& s : streams) {
        if (s.type != "FNAM" && s.type != "SIZE") return &s;
    }
    return nullptr;
}

std::optional<Container> ContainerOf(const fmx::Data& data) {
    const fmx::BinaryData& binary = data.GetBinaryData();
    const fmx::int32 count = binary.GetCount();
    if (count <= 0) return std::nullopt;
    Container c;
    fmx::QuadCharUniquePtr type(' ', ' ', ' ', ' ');
    for (fmx::int32 i = 0; i < count; ++i) {
        binary.GetType(i, *type);
        Container::Stream stream{fmxhost::QuadCharText(*type), {}};
        stream.bytes.resize(binary.GetSize(i));
        if (!stream.bytes.empty() &&
            binary.GetData(i, 0, static_cast<fmx::uint32>(stream.bytes.size()),
                           stream.bytes.data()) != 0) {
            throw HostError("stream " + stream.type + " cannot be read");
        }
        c.streams.push_back(std::move(stream));
    }
    fmx::TextUniquePtr name;
    if (binary.GetFNAMData(*name) == 0) c.file_name = fmxhost::Units(*name);
    c.has_size = binary.GetSIZEData(c.width, c.height) == 0;
    return c;
}

Result EvaluateAll(const fmxhost::Registration& function,
                   const std::vector<std::u16string>& parameters) {
    fmx::DataVectUniquePtr parms;
    for (const std::u16string& p : parameters)
        fmxhost::PushTextParameter(*parms, p);
    fmx::DataUniquePtr result;
    function.callback(function.functionId, fmxhost::Environment(), *parms, *result);
    return Result{fmxhost::Units(result->GetAsText()), ContainerOf(*result)};
}

std::string Describe(const Container& c) {
    std::string line = Utf16ToUtf8(c.file_name) + ":";
    for (std::size_t i = 0; i < c.streams.size(); ++i) {
        line += (i == 0 ? " " : ", ") + c.streams[i].type + " " +
                std::to_string(c.streams[i].bytes.size()) + " bytes";
    }
    if (c.has_size) {
        line += " (" + std::to_string(c.width) + " x " + std::to_string(c.height) + " pixels)";
    }
    return line;
}

ReloadReport ReloadWithLiveThreads(const std::string& path, const HostIdentity& identity,
                                   std::string_view name, const std::u16string& parameter,
                                   int threads) {
    const long live_at_start = fmxhost::LiveObjects();
    ReloadReport report;
    report.before.resize(static_cast<std::size_t>(threads));
    std::mutex mutex;
    std::condition_variable changed;
    int evaluated = 0;
    bool released = false;
    std::vector<std::thread> first;
    {
        Plugin plugin(path, identity);
        if (!Enables(plugin.StartUp())) throw HostError("the plug-in did not start");
        const auto function = FindFunction(name);
        if (!function) throw HostError("unknown function " + std::string(name));
        for (int t = 0; t < threads; ++t) {
            first.emplace_back([&, t] {
                std::u16string result = Evaluate(*function, &parameter);
                std::unique_lock lock(mutex);
                report.before[static_cast<std::size_t>(t)] = std::move(result);
                ++evaluated;
                changed.notify_all();
                // Alive, with the plug-in's per-thread buffers, until the plug-in is gone.
                changed.wait(lock, [&] { return released; });
            });
        }
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return evaluated == threads; });
        lock.unlock();
        plugin.ShutDown();
    }  // unloaded here, while the threads live on
    {
        std::lock_guard lock(mutex);
        released = true;
    }
    changed.notify_all();
    for (std::thread& thread : first)
        thread.join();

    Plugin plugin(path, identity);
    if (!Enables(plugin.StartUp())) throw HostError("the plug-in did not start again");
    const auto function = FindFunction(name);
    if (!function) throw HostError("unknown function " + std::string(name) + " after reload");
    report.after.resize(static_cast<std::size_t>(threads));
    std::vector<std::thread> second;
    for (int t = 0; t < threads; ++t) {
        second.emplace_back([&, t] {
            report.after[static_cast<std::size_t>(t)] = Evaluate(*function, &parameter);
        });
    }
    for (std::thread& thread : second)
        thread.join();
    report.after.push_back(Evaluate(*function, &parameter));
    plugin.ShutDown();
    report.live_objects = fmxhost::LiveObjects() - live_at_start;
    return report;
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
    std::string out(kUtf8BytesPerUnit * text.size(), '\0');
    out.resize(orbx::Utf16ToUtf8(text.data(), text.size(), out.data()));
    return out;
}

}  // namespace orbx::host
