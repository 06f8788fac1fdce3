#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "host/host.h"
#if !defined(_WIN32)
#include "host/macho_loader.h"
#endif

namespace orbx {
namespace {

using host::Plugin;
using host::Utf16ToUtf8;

class Lifecycle : public ::testing::Test {
  protected:
    void SetUp() override {
        plugin_ = std::make_unique<Plugin>(host::DefaultPluginPath());
        plugin_->ShutDown();  // whatever an earlier test left registered
        fmxhost::FailRegistrationAt(0);
    }
    void TearDown() override {
        plugin_->ShutDown();
        fmxhost::FailRegistrationAt(0);
    }
    std::size_t registered() const { return fmxhost::Registrations().size(); }

    std::unique_ptr<Plugin> plugin_;
};

TEST_F(Lifecycle, StartUpChecksTheExtensionVersion) {
    const std::pair<int, long> rows[] = {{49, -1},  {50, 52},  {52, 52}, {77, 52},
                                         {255, 52}, {256, -1}, {0, -1},  {-5, -1}};
    for (const auto& [version, reply] : rows) {
        SCOPED_TRACE(version);
        EXPECT_EQ(plugin_->StartUp(static_cast<fmx::int16>(version)), reply);
        EXPECT_EQ(registered(), reply == 52 ? 40u : 0u);
        plugin_->ShutDown();
        EXPECT_EQ(registered(), 0u);
    }
}

TEST_F(Lifecycle, RegistersTheFunctionsInOrder) {
    ASSERT_EQ(plugin_->StartUp(), 52);
    const auto functions = fmxhost::Registrations();
    // The 36 functions, then the picture function, then the three 2D functions.
    ASSERT_EQ(functions.size(), 40u);
    const auto& image = functions[36];
    EXPECT_EQ(image.functionId, 37);
    EXPECT_EQ(image.prototype, u"Orbx_Image( symbology ; data {; settings } )");
    EXPECT_EQ(image.name, u"Orbx_Image");
    EXPECT_EQ(image.minArgs, 2);
    EXPECT_EQ(image.maxArgs, 3);
    EXPECT_EQ(image.flags, 0xFF01u);
    for (std::size_t i = 0; i < 36; ++i) {
        const auto& f = functions[i];
        SCOPED_TRACE(Utf16ToUtf8(f.prototype));
        EXPECT_EQ(f.functionId, static_cast<short>(i + 1));
        EXPECT_EQ(std::string(f.pluginId, 4), "Orbx");
        EXPECT_EQ(f.flags, 0xFF01u);
        EXPECT_EQ(f.minArgs, i == 0 ? 0 : 1);
        EXPECT_EQ(f.maxArgs, 1);
        EXPECT_NE(f.callback, nullptr);
        // The name is the prototype up to its "(".
        EXPECT_EQ(f.prototype, f.name + u"( parameter )");
    }
    const char16_t* const matrix[] = {u"Orbx_QRCode", u"Orbx_DataMatrix", u"Orbx_PDF417"};
    for (std::size_t i = 37; i < 40; ++i) {
        const auto& f = functions[i];
        SCOPED_TRACE(Utf16ToUtf8(f.prototype));
        EXPECT_EQ(f.functionId, static_cast<short>(i + 1));
        EXPECT_EQ(std::string(f.pluginId, 4), "Orbx");
        EXPECT_EQ(f.name, matrix[i - 37]);
        EXPECT_EQ(f.prototype, f.name + u"( data {; settings } )");
        EXPECT_EQ(f.minArgs, 1);
        EXPECT_EQ(f.maxArgs, 2);
        EXPECT_EQ(f.flags, 0xFF01u);
        EXPECT_NE(f.callback, nullptr);
    }
    EXPECT_EQ(functions.front().prototype, u"Orbx_PluginVersion( parameter )");
    EXPECT_EQ(functions[1].name, u"Orbx_Code128");
    EXPECT_EQ(functions[29].name, u"Orbx_Uni_OneCode");
    EXPECT_EQ(functions[30].name, u"Orbx_USPS_IntelligentMail");
    EXPECT_EQ(functions[35].prototype, u"Orbx_DataBarStackedOmniDirectional( parameter )");
}

TEST_F(Lifecycle, TheNamesOfAllFunctions) {
    ASSERT_EQ(plugin_->StartUp(), 52);
    std::string names;
    for (const auto& f : fmxhost::Registrations())
        names += Utf16ToUtf8(f.name) + " ";
    EXPECT_EQ(names,
              "Orbx_PluginVersion Orbx_Code128 Orbx_Code128HR Orbx_Code128a Orbx_Code128b "
              "Orbx_Code128c Orbx_I2of5 Orbx_I2of5Mod10 Orbx_Codabar Orbx_Code39 "
              "Orbx_Code39Mod43 Orbx_Postnet Orbx_EAN8 Orbx_EAN13 Orbx_UPCa Orbx_MSI Orbx_UPCe "
              "Orbx_Uni_C128 Orbx_Uni_C128A Orbx_Uni_C128B Orbx_Uni_C128C Orbx_Uni_UCC128 "
              "Orbx_Uni_Postnet Orbx_Uni_Planet Orbx_Uni_C128HR Orbx_Uni_C39 Orbx_Uni_I2of5 "
              "Orbx_Uni_MSI Orbx_Uni_Codabar Orbx_Uni_OneCode Orbx_USPS_IntelligentMail "
              "Orbx_DataBar Orbx_DataBarExpanded Orbx_DataBarLimited Orbx_DataBarStacked "
              "Orbx_DataBarStackedOmniDirectional Orbx_Image Orbx_QRCode Orbx_DataMatrix "
              "Orbx_PDF417 ");
}

TEST_F(Lifecycle, AFailedRegistrationTakesBackEverything) {
    for (int failing : {1, 20, 36, 37, 38, 40}) {
        SCOPED_TRACE(failing);
        fmxhost::FailRegistrationAt(failing);
        EXPECT_EQ(plugin_->StartUp(), -2);
        EXPECT_EQ(registered(), 0u);
    }
}

TEST_F(Lifecycle, ShutDownLeavesNothingRegistered) {
    ASSERT_EQ(plugin_->StartUp(), 52);
    EXPECT_EQ(registered(), 40u);
    plugin_->ShutDown();
    EXPECT_EQ(registered(), 0u);
    // The plug-in can start again after a shut-down.
    EXPECT_EQ(plugin_->StartUp(), 52);
    EXPECT_EQ(registered(), 40u);
}

TEST_F(Lifecycle, StartUpAndShutDownReleaseWhatTheyCreate) {
    const long before = fmxhost::LiveObjects();
    ASSERT_EQ(plugin_->StartUp(), 52);
    EXPECT_EQ(fmxhost::LiveObjects(), before);
    plugin_->ShutDown();
    EXPECT_EQ(fmxhost::LiveObjects(), before);
    fmxhost::FailRegistrationAt(20);
    ASSERT_EQ(plugin_->StartUp(), -2);
    EXPECT_EQ(fmxhost::LiveObjects(), before);
}

TEST_F(Lifecycle, StringsInAnyState) {
    EXPECT_EQ(plugin_->GetString(128), u"Orbelantrix");
    EXPECT_EQ(plugin_->GetString(129),
              u"This plug-in extends FileMaker applications by adding external functions.");
    EXPECT_EQ(plugin_->GetString(131), u"Orbx1nnYnnn");
    EXPECT_EQ(plugin_->GetString(130), u"");
    EXPECT_EQ(plugin_->GetString(0), u"");
    // A buffer too small for a string gets none of it rather than a cut copy.
    EXPECT_EQ(plugin_->GetString(131, 11), u"");
    EXPECT_EQ(plugin_->GetString(131, 12), u"Orbx1nnYnnn");
    EXPECT_EQ(plugin_->GetString(128, 5), u"");
    ASSERT_EQ(plugin_->StartUp(), 52);
    EXPECT_EQ(plugin_->GetString(128), u"Orbelantrix");
}

// An ELF file's dynamic symbols; the Windows DLL's exports are checked by
// tests/package/check_dll.sh, the macOS bundle's by tests/package/check_macos_bundle.py.
#if !defined(_WIN32)
TEST(PluginFile, ExportsOnlyTheEntryPoint) {
    if (host::macho::IsMachO(host::DefaultPluginPath())) {
        GTEST_SKIP() << "a macOS bundle: tests/package/check_macos_bundle.py checks its exports";
    }
    const std::string command =
        std::string("'") + ORBX_NM + "' -D --defined-only '" + host::DefaultPluginPath() + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string symbols;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string s(line);
        symbols += s.substr(s.rfind(' ') + 1);
    }
    ASSERT_EQ(pclose(pipe), 0);
    EXPECT_EQ(symbols, "FMExternCallProc\n");
}
#endif

}  // namespace
}  // namespace orbx
