// The plug-in driven through call records built byte by byte at the host's documented offsets,
// not through the stand-in's struct: a layout mistake on either side fails here.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "host/host.h"

namespace orbx {
namespace {

// Offsets of the fields of the host's packed call record.
struct Layout {
    std::size_t extnVersion, unusedID, entryPoint, unusedFlag, whichCall, unsafeCalls, parm1, parm2,
        parm3, instanceID, result, unused, cStartScript, cCurrentEnv, size;
    std::size_t unusedID_bytes;
};
#if defined(_WIN32)
constexpr Layout kLayout = {0, 2, 4, 12, 13, 14, 15, 16, 24, 32, 40, 48, 56, 64, 72, 2};
#else
constexpr Layout kLayout = {0, 2, 6, 14, 15, 16, 17, 18, 26, 34, 42, 50, 58, 66, 74, 4};
#endif

TEST(CallRecord, TheStandInDeclaresTheHostsLayout) {
    EXPECT_EQ(sizeof(FMX_ExternCallStruct), kLayout.size);
    EXPECT_EQ(alignof(FMX_ExternCallStruct), 1u);
    const std::size_t offsets[] = {
        offsetof(FMX_ExternCallStruct, extnVersion),  offsetof(FMX_ExternCallStruct, unusedID),
        offsetof(FMX_ExternCallStruct, entryPoint),   offsetof(FMX_ExternCallStruct, unusedFlag),
        offsetof(FMX_ExternCallStruct, whichCall),    offsetof(FMX_ExternCallStruct, unsafeCalls),
        offsetof(FMX_ExternCallStruct, parm1),        offsetof(FMX_ExternCallStruct, parm2),
        offsetof(FMX_ExternCallStruct, parm3),        offsetof(FMX_ExternCallStruct, instanceID),
        offsetof(FMX_ExternCallStruct, result),       offsetof(FMX_ExternCallStruct, unused),
        offsetof(FMX_ExternCallStruct, cStartScript), offsetof(FMX_ExternCallStruct, cCurrentEnv)};
    const std::size_t expected[] = {kLayout.extnVersion,  kLayout.unusedID,   kLayout.entryPoint,
                                    kLayout.unusedFlag,   kLayout.whichCall,  kLayout.unsafeCalls,
                                    kLayout.parm1,        kLayout.parm2,      kLayout.parm3,
                                    kLayout.instanceID,   kLayout.result,     kLayout.unused,
                                    kLayout.cStartScript, kLayout.cCurrentEnv};
    for (std::size_t i = 0; i < std::size(offsets); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(offsets[i], expected[i]);
    }
}

// A call record as the host lays it out in memory, filled as FileMaker fills it.
class RawRecord {
  public:
    RawRecord(const host::Plugin& plugin, int which, std::int16_t version = 77) {
        put(kLayout.extnVersion, version);
        if (kLayout.unusedID_bytes == 2) {
            put(kLayout.unusedID, std::int16_t{-1});
        } else {
            put(kLayout.unusedID, std::int32_t{-1});
        }
        put(kLayout.entryPoint, plugin.Entry());
        bytes_[kLayout.whichCall] = static_cast<unsigned char>(which);
        put(kLayout.instanceID, plugin.Instance());
    }
    template <typename T>
    void put(std::size_t offset, T value) {
        std::memcpy(bytes_.data() + offset, &value, sizeof value);
    }
    template <typename T>
    T get(std::size_t offset) const {
        T value;
        std::memcpy(&value, bytes_.data() + offset, sizeof value);
        return value;
    }
    void send(const host::Plugin& plugin) {
        plugin.Entry()(reinterpret_cast<FMX_ExternCallPtr>(bytes_.data()));
    }
    const auto& bytes() const { return bytes_; }

  private:
    std::array<unsigned char, kLayout.size> bytes_{};
};

class RawCalls : public ::testing::Test {
  protected:
    void SetUp() override { plugin_->ShutDown(); }
    void TearDown() override { plugin_->ShutDown(); }

    long start_up(std::int16_t version) {
        RawRecord call(*plugin_, kFMXT_Init, version);
        call.put(kLayout.parm1, static_cast<unsigned char>(kFMXT_SASE));
        call.put(kLayout.parm2, reinterpret_cast<std::uint64_t>(version_text_.c_str()));
        call.send(*plugin_);
        return static_cast<long>(call.get<std::int64_t>(kLayout.result));
    }
    std::u16string string(int which, std::uint64_t units = 256) {
        std::vector<char16_t> buffer(units + 1, u'#');
        RawRecord call(*plugin_, kFMXT_GetString);
        call.put(kLayout.parm1, static_cast<unsigned char>(which));
        call.put(kLayout.parm2, std::uint64_t{1033});
        call.put(kLayout.parm3, units);
        call.put(kLayout.result, reinterpret_cast<std::uint64_t>(buffer.data()));
        call.send(*plugin_);
        std::u16string text;
        for (std::size_t i = 0; i < units && buffer[i] != u'\0'; ++i)
            text += buffer[i];
        // Untouched (no zero written) is not the empty string.
        if (buffer[0] == u'#') return u"(untouched)";
        return text;
    }
    static std::size_t registered() { return fmxhost::Registrations().size(); }

    std::unique_ptr<host::Plugin> plugin_ =
        std::make_unique<host::Plugin>(host::DefaultPluginPath());
    const std::u16string version_text_ = u"Server 22.1.1";
};

TEST_F(RawCalls, StartUpStringsAndShutDown) {
    ASSERT_EQ(start_up(77), 52);
    EXPECT_EQ(registered(), 40u);
    EXPECT_EQ(string(kFMXT_NameStr), u"Orbelantrix");
    EXPECT_EQ(string(kFMXT_AppConfigStr),
              u"This plug-in extends FileMaker applications by adding external functions.");
    EXPECT_EQ(string(kFMXT_OptionsStr), u"Orbx1nnYnnn");
    EXPECT_EQ(string(kFMXT_OptionsStr, 12), u"Orbx1nnYnnn");
    EXPECT_EQ(string(130), u"(untouched)");
    RawRecord shut_down(*plugin_, kFMXT_Shutdown);
    shut_down.send(*plugin_);
    EXPECT_EQ(registered(), 0u);
}

TEST_F(RawCalls, StartUpRepliesByTheHostsExtensionVersion) {
    const std::pair<std::int16_t, long> rows[] = {{49, -1},  {50, 52},  {62, 52}, {77, 52},
                                                  {255, 52}, {256, -1}, {-1, -1}};
    for (const auto& [version, reply] : rows) {
        SCOPED_TRACE(version);
        EXPECT_EQ(start_up(version), reply);
        EXPECT_EQ(registered(), reply == 52 ? 40u : 0u);
        plugin_->ShutDown();
    }
}

TEST_F(RawCalls, OtherMessagesDoNothing) {
    for (const bool started : {false, true}) {
        if (started) {
            ASSERT_EQ(start_up(77), 52);
        }
        for (const int which : std::initializer_list<int>{
                 kFMXT_Idle, 2, 3, kFMXT_DoAppPreferences, 6, kFMXT_SessionShutdown,
                 kFMXT_FileShutdown, kFMXT_SchemaChange, 11, 200}) {
            SCOPED_TRACE(which);
            RawRecord call(*plugin_, which);
            call.put(kLayout.parm1, static_cast<unsigned char>(3));
            call.put(kLayout.parm2, std::uint64_t{12345});
            call.put(kLayout.parm3, std::uint64_t{678});
            call.put(kLayout.result, std::uint64_t{0x5A5A5A5A});
            const auto before = call.bytes();
            const long live = fmxhost::LiveObjects();
            call.send(*plugin_);
            EXPECT_EQ(call.bytes(), before);
            EXPECT_EQ(registered(), started ? 40u : 0u);
            EXPECT_EQ(fmxhost::LiveObjects(), live);
        }
    }
}

// The host sends only what the options string asks for.
TEST(HostOptions, MessagesFollowTheOptionsString) {
    struct Row {
        std::u16string_view options;
        int message;
        bool sent;
    };
    const Row rows[] = {
        {u"Orbx1nnYnnn", kFMXT_Init, true},
        {u"Orbx1nnYnnn", kFMXT_Shutdown, true},
        {u"Orbx1nnYnnn", kFMXT_Idle, false},
        {u"Orbx1nnYnnn", kFMXT_SessionShutdown, false},
        {u"Orbx1nnYnnn", kFMXT_GetString, true},
        {u"Orbx1nnYnnn", kFMXT_DoAppPreferences, false},
        {u"Orbx1nnnnnn", kFMXT_Init, false},
        {u"Orbx1nnnYnn", kFMXT_Idle, true},
        {u"Orbx1nnnnYn", kFMXT_FileShutdown, true},
        {u"Orbx1nnnnYn", kFMXT_SchemaChange, true},
        {u"Orbx1YnnnnN", kFMXT_DoAppPreferences, true},
        {u"", kFMXT_Init, false},
        {u"", kFMXT_GetString, true},
        {u"Orbx1YYYYYY", 3, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(host::Utf16ToUtf8(row.options) + " " + std::to_string(row.message));
        EXPECT_EQ(host::HostSends(row.options, static_cast<FMX_ExternCallSwitch>(row.message)),
                  row.sent);
    }
}

// FileMaker Server's console disables and enables a plug-in while the server runs: shut-down and
// unload while threads that called its functions (and hold its per-thread buffers) live on,
// then load and start-up again.
TEST(Reload, DisableAndEnableWithLiveThreads) {
    struct Row {
        const char* function;
        std::u16string parameter;
        std::u16string expected;  // empty: the result must only agree across the reload
    };
    const Row rows[] = {
        {"Code128", u"AB12345678", u"\u00CCAB\u00C7,BXnY\u00CE"},
        {"Uni_C128", u"Invoice 2013-0042", u""},
        {"Code39", u"CODE-39", u""},
        {"DataBarExpanded", u"(01)98898765432106(3202)012345(15)991231|4", u""},
        {"USPS_IntelligentMail", u"01234567094987654321", u""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.function);
        const host::ReloadReport report = host::ReloadWithLiveThreads(
            host::DefaultPluginPath(), {}, row.function, row.parameter, 4);
        ASSERT_EQ(report.before.size(), 4u);
        ASSERT_EQ(report.after.size(), 5u);
        const std::u16string& first = report.before.front();
        EXPECT_FALSE(first.empty());
        if (!row.expected.empty()) {
            EXPECT_EQ(first, row.expected);
        }
        for (const auto& result : report.before)
            EXPECT_EQ(result, first);
        for (const auto& result : report.after)
            EXPECT_EQ(result, first);
        EXPECT_EQ(report.live_objects, 0);
        EXPECT_TRUE(fmxhost::Registrations().empty());
    }
}

}  // namespace
}  // namespace orbx
