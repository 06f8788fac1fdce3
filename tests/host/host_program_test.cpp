#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include <unistd.h>

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
    EXPECT_EQ(orbx("PluginVersion").out, "2013\n");
    EXPECT_EQ(orbx("PluginVersion long").out, "Orbelantrix 2013\n");
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
    EXPECT_EQ(r.out,
              "204 65 66 199 44 66 88 110 89 206\n"
              "203 105 105 206\n"
              "50 48 49 51\n"
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
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 37);  // and the picture function
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

}  // namespace
}  // namespace orbx
