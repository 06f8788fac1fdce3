#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "support/host_call.h"

namespace orbx {
namespace {

struct ProgramRun {
    int status;
    std::string out;
};

// Runs the orbx program with `arguments` (and `input` on its standard input).
ProgramRun orbx(const std::string& arguments, const std::string& input = "") {
    // Tests run in parallel processes: each writes its own input file.
    static int calls = 0;
    const std::string in_path = testing::TempDir() + "orbx_input_" + std::to_string(getpid()) +
                                "_" + std::to_string(++calls) + ".txt";
    std::ofstream(in_path, std::ios::binary) << input;
    const std::string command = std::string(ORBX_HOST_RUNNER) + " '" + ORBX_HOST_PROGRAM + "' " +
                                arguments + " < '" + in_path + "' 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {-1, ""};
    std::string out;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    const int status = pclose(pipe);
    std::remove(in_path.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(HostProgram, EvaluatesOneCalculation) {
    const ProgramRun r = orbx("Orbx_Code128 AB12345678 --codes");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "204 65 66 199 44 66 88 110 89 206\n");
    // Without --codes the result is UTF-8: 204 is U+00CC, 206 U+00CE.
    EXPECT_EQ(orbx("Code128 1234").out, "\xC3\x8D,Br\xC3\x8E\n");
    const std::string version = host::Utf16ToUtf8(test::VersionAnswer());
    EXPECT_EQ(orbx("PluginVersion").out, version + "\n");
    EXPECT_EQ(orbx("PluginVersion long").out,
              test::PluginEdition() == test::Edition::macos ? "2014\n" : "Orbelantrix 2013\n");
    EXPECT_EQ(orbx("--codes Code128 ''").out, "\n");
}

TEST(HostProgram, BatchReadsEscapes) {
    const std::string input =
        "Orbx_Code128\tAB12345678\n"
        "Code128\t\\u0009\n"  // a tab by escape: Start A, 105, check, stop
        "PluginVersion\n"     // no parameter
        "Code128\tA\\\\B\n"   // a backslash in the data
        "Code128\t\n";        // an empty parameter
    const ProgramRun r = orbx("--batch --codes", input);
    EXPECT_EQ(r.status, 0);
    std::string version_codes;  // "50 48 49 51" for "2013"
    for (char16_t unit : test::VersionAnswer())
        version_codes += (version_codes.empty() ? "" : " ") + std::to_string(unit);
    EXPECT_EQ(r.out,
              "204 65 66 199 44 66 88 110 89 206\n"
              "203 105 105 206\n" +
                  version_codes +
                  "\n"
                  "204 65 92 66 82 206\n"
                  "\n");
    // Without --codes, characters that would break the line are escaped like the input.
    EXPECT_EQ(orbx("--batch", "Code128\tA\\\\\n").out,
              "\xC3\x8C"
              "A\\\\S\xC3\x8E\n");
}

TEST(HostProgram, ListsTheRegisteredFunctions) {
    const ProgramRun r = orbx("--list");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "1\tOrbx_PluginVersion\tOrbx_PluginVersion( parameter )\t0\t1\t0xFF01");
    // and the picture function and the three 2D functions
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 40);
}

TEST(HostProgram, Strings) {
    EXPECT_EQ(orbx("--string 128").out, "Orbelantrix\n");
    EXPECT_EQ(orbx("--string 131").out, "Orbx1nnYnnn\n");
    EXPECT_EQ(orbx("--string 130").out, "\n");
}

TEST(HostProgram, ErrorsGoToStandardErrorWithAFailingStatus) {
    const std::pair<std::string, std::string> rows[] = {
        {"NoSuchFunction X", "unknown function"},
        {"--plugin /nonexistent/Orbelantrix.fmx Code128 X", "cannot load plug-in"},
        {"--extension-version 49 Code128 X", "answered start-up with -1"},
        {"--batch", "unknown function"},
    };
    for (const auto& [arguments, message] : rows) {
        SCOPED_TRACE(arguments);
        const ProgramRun r = orbx(arguments, "Nope\tX\n");
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.out.find(message), std::string::npos) << r.out;
    }
}

// Containers: what orbx shows of them, --save, --batch's further fields and --folder, and --svg
// with settings drawn as the pictures are.
TEST(HostProgram, ShowsSavesAndDrawsPictures) {
    const std::string dir = testing::TempDir() + "orbx_pictures_" + std::to_string(getpid());
    std::filesystem::create_directories(dir);
    const ProgramRun shown = orbx("Orbx_Image Code128 ABC 'text=off; dpi=600'");
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.out.substr(0, 18), "Code128.png: PNGf ");
    EXPECT_NE(shown.out.find("(704 x 240 pixels)"), std::string::npos) << shown.out;
    EXPECT_EQ(orbx("Orbx_Code128 A B").status, 1);  // one parameter more than it takes

    const ProgramRun saved = orbx("--save '" + dir + "/a.pdf' Image EAN13 590123412345 format=pdf");
    EXPECT_EQ(saved.status, 0) << saved.out;
    std::ifstream pdf(dir + "/a.pdf", std::ios::binary);
    std::string head(5, '\0');
    pdf.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    EXPECT_EQ(orbx("--save '" + dir + "/b.png' Code128 ABC").status, 1);  // text, no container

    // Further fields are further parameters of the picture function only; a container line
    // says what it holds, the text lines stay as they are.
    const ProgramRun batch = orbx("--batch --folder '" + dir + "'",
                                  "Image\tCode128\tABC\ttext=off\nCode128\tA\tB\nImage\tNone\t1\n");
    EXPECT_EQ(batch.status, 0);
    const std::string first = batch.out.substr(0, batch.out.find('\n') + 1);
    EXPECT_EQ(first.substr(0, 18), "Code128.png: PNGf ") << first;
    // "A<tab>B" stays one parameter of Orbx_Code128, as before; no picture is the empty text.
    EXPECT_EQ(batch.out.substr(first.size()), orbx("--batch", "Code128\tA\tB\n").out + "\n");
    EXPECT_TRUE(std::filesystem::exists(dir + "/1-Code128.png"));

    const ProgramRun svg = orbx("--svg '" + dir + "/c.svg' Code128 ABC 'text=off; dpi=600'");
    EXPECT_EQ(svg.status, 0) << svg.out;
    std::ifstream in(dir + "/c.svg");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("width=\"704\" height=\"240\""), std::string::npos);

    // A 2D symbol as its picture is drawn: the settings are the function's too (version 2, 25
    // modules and 4 of quiet zone, 6 pixels each), and a 2D function's further field is its
    // settings.
    const ProgramRun qr = orbx("--svg '" + dir + "/d.svg' QRCode HELLO 'version=2; ecc=H'");
    EXPECT_EQ(qr.status, 0) << qr.out;
    std::ifstream qr_in(dir + "/d.svg");
    const std::string qr_text((std::istreambuf_iterator<char>(qr_in)),
                              std::istreambuf_iterator<char>());
    EXPECT_NE(qr_text.find("width=\"198\" height=\"198\""), std::string::npos);
    EXPECT_EQ(orbx("--batch", "QRCode\tHELLO\tversion=41\n").out, "\n");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orbx
