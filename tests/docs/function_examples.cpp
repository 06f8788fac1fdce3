// orbx_function_examples: keeps the examples of the function reference (docs/functions.md) true
// to the plug-in. It loads the real plug-in file as the host does, evaluates every example
// calculation on the page and either compares the results written there with the plug-in's
// (--check, the test) or writes the plug-in's results into the page (--update).
//
// An example on the page is a calculation in backquotes followed by " returns" and its result:
//
//   `Orbx_Code128 ( "AB12345678" )` returns
//
//   ```text
//   ÌABÇ,BXnYÎ
//   ```
//
//   UTF-16 code units: `204 65 66 199 44 66 88 110 89 206`
//
// A line break in the text block is a carriage return. The code-unit line is written whenever
// the text alone is not exact: characters outside the printable ASCII range, a line feed, a space
// at the start or end of a line. Other control characters show as their control pictures (U+2400
// and up), C1 controls as <U+0080> and the like. An empty result reads
// "`...` returns the empty text." A container result reads "`...` returns a container" with a
// text block of what it holds, as orbx shows it. The calculation is FileMaker syntax: one
// function applied to parameters separated by ";", each text literals ("...", with \" \\ \¶
// and ¶ for a return) and Char ( code ) joined with &.
//
// An example that holds for some editions of the plug-in only follows a line that names them
// by their Orbx_PluginVersion ( "platform" ) answers, "<!-- edition: Linux Windows -->"; the
// other editions leave it as it stands.
#include <cctype>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "host/host.h"

namespace {

using orbx::host::HostError;

constexpr std::string_view kEmptyResult = " the empty text.";
constexpr std::string_view kCodesPrefix = "UTF-16 code units: `";
constexpr std::string_view kPendingMarker = "<!-- examples pending -->";
constexpr std::string_view kEditionMarker = "<!-- edition: ";
constexpr std::string_view kFence = "```";
constexpr std::size_t kMinimumExamples = 2;

struct Calculation {
    std::string function;
    std::vector<std::u16string> parameters;  // separated by ";" in the calculation
};

// Reads a FileMaker calculation of the form Name ( term & term ... ).
class CalculationParser {
  public:
    explicit CalculationParser(std::string_view text) : s_(text) {}

    Calculation Parse() {
        Calculation c;
        c.function = Name();
        Expect('(');
        for (;;) {
            std::u16string parameter = Term();
            while (Peek() == '&') {
                ++i_;
                parameter += Term();
            }
            c.parameters.push_back(std::move(parameter));
            if (Peek() != ';') break;
            ++i_;
        }
        Expect(')');
        SkipSpace();
        if (i_ != s_.size()) Fail("text after the closing parenthesis");
        return c;
    }

  private:
    [[noreturn]] void Fail(const std::string& why) const {
        throw HostError("calculation `" + std::string(s_) + "`: " + why);
    }

    void SkipSpace() {
        while (i_ < s_.size() && s_[i_] == ' ')
            ++i_;
    }

    char Peek() {
        SkipSpace();
        return i_ < s_.size() ? s_[i_] : '\0';
    }

    void Expect(char c) {
        if (Peek() != c) Fail(std::string("expected '") + c + "'");
        ++i_;
    }

    std::string Name() {
        SkipSpace();
        const std::size_t start = i_;
        while (i_ < s_.size() &&
               (std::isalnum(static_cast<unsigned char>(s_[i_])) != 0 || s_[i_] == '_')) {
            ++i_;
        }
        if (i_ == start) Fail("expected a function name");
        return std::string(s_.substr(start, i_ - start));
    }

    std::u16string Term() {
        if (Peek() == '"') return Literal();
        if (Name() != "Char") Fail("a term is a text literal or Char ( code )");
        Expect('(');
        SkipSpace();
        unsigned long code = 0;
        const std::size_t start = i_;
        while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9')
            code = code * 10 + static_cast<unsigned long>(s_[i_++] - '0');
        if (i_ == start || code == 0 || code > 0xFFFF) Fail("Char needs a code from 1 to 65535");
        Expect(')');
        return std::u16string(1, static_cast<char16_t>(code));
    }

    // A text literal: \" is a quote, \\ a backslash, \¶ a pilcrow, ¶ a return.
    std::u16string Literal() {
        static constexpr std::string_view kPilcrow = "\xC2\xB6";
        ++i_;
        std::string utf8;
        while (true) {
            if (i_ >= s_.size()) Fail("unterminated text literal");
            if (s_[i_] == '"') {
                ++i_;
                break;
            }
            if (s_.substr(i_, kPilcrow.size()) == kPilcrow) {
                utf8 += '\r';
                i_ += kPilcrow.size();
            } else if (s_[i_] == '\\') {
                if (s_.substr(i_ + 1, kPilcrow.size()) == kPilcrow) {
                    utf8 += kPilcrow;
                    i_ += 1 + kPilcrow.size();
                } else if (i_ + 1 < s_.size() && (s_[i_ + 1] == '"' || s_[i_ + 1] == '\\')) {
                    utf8 += s_[i_ + 1];
                    i_ += 2;
                } else {
                    Fail("unknown escape in a text literal");
                }
            } else {
                utf8 += s_[i_++];
            }
        }
        return orbx::host::Utf8ToUtf16(utf8);
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

std::string CodeUnits(const std::u16string& text) {
    std::string line;
    for (char16_t u : text) {
        if (!line.empty()) line += ' ';
        line += std::to_string(static_cast<unsigned>(u));
    }
    return line;
}

// True when the text block alone shows the result exactly: printable ASCII in lines broken by
// carriage returns, no line beginning or ending with a space.
bool IsPlain(const std::u16string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (u == u'\r') continue;
        if (u < 32 || u > 126) return false;
        const bool line_edge =
            i == 0 || i + 1 == text.size() || text[i - 1] == u'\r' || text[i + 1] == u'\r';
        if (u == u' ' && line_edge) return false;
    }
    return text.find(u"```") == std::u16string::npos;
}

// The result as lines of the text block.
std::vector<std::string> Render(const std::u16string& text) {
    std::vector<std::string> lines(1);
    std::u16string pending;
    const auto flush = [&]() {
        lines.back() += orbx::host::Utf16ToUtf8(pending);
        pending.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (u == u'\r' || (u == u'\n' && (i == 0 || text[i - 1] != u'\r'))) {
            flush();
            lines.emplace_back();
        } else if (u == u'\n') {
            // The line feed of a CR LF pair: the return already broke the line.
        } else if (u < 32 || u == 127) {
            pending += static_cast<char16_t>(u == 127 ? 0x2421 : 0x2400 + u);
        } else if (u >= 128 && u < 160) {
            flush();
            char name[16];
            std::snprintf(name, sizeof name, "<U+%04X>", static_cast<unsigned>(u));
            lines.back() += name;
        } else {
            pending += u;
        }
    }
    flush();
    return lines;
}

std::vector<std::string> ExampleLines(const std::string& calculation,
                                      const orbx::host::Result& evaluated) {
    const std::u16string& result = evaluated.text;
    const std::string head = "`" + calculation + "` returns";
    // A container: what it holds, as orbx shows it.
    if (evaluated.container) {
        return {head + " a container", "", "```text", orbx::host::Describe(*evaluated.container),
                std::string(kFence)};
    }
    if (result.empty()) return {head + std::string(kEmptyResult)};
    std::vector<std::string> lines = {head, "", "```text"};
    for (const std::string& line : Render(result))
        lines.push_back(line);
    lines.emplace_back(kFence);
    if (!IsPlain(result)) {
        lines.emplace_back();
        lines.push_back(std::string(kCodesPrefix) + CodeUnits(result) + "`");
    }
    return lines;
}

// How many lines the example written at `first` takes on the page.
std::size_t ExampleExtent(const std::vector<std::string>& page, std::size_t first,
                          std::string_view rest) {
    if (!rest.empty()) return 1;
    std::size_t i = first + 1;
    if (i + 1 >= page.size() || !page[i].empty() || page[i + 1] != "```text") return 1;
    i += 2;
    while (i < page.size() && page[i] != kFence)
        ++i;
    if (i == page.size()) return 1;
    ++i;
    if (i + 1 < page.size() && page[i].empty() && page[i + 1].starts_with(kCodesPrefix)) i += 2;
    return i - first;
}

struct Section {
    std::string name;
    std::size_t line;
    std::size_t examples = 0;
    bool pending = false;
    bool has_prototype = false;
};

// `reference`: the page is the function reference, with a section for every function; otherwise
// it is a page of examples (the user's guide), checked example by example.
int Run(const std::string& mode, const std::string& path, const std::string& plugin_path,
        bool reference) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw HostError("cannot read " + path);
    std::vector<std::string> page;
    for (std::string line; std::getline(in, line);)
        page.push_back(line);
    in.close();

    orbx::host::Plugin plugin(plugin_path);
    if (!orbx::host::Enables(plugin.StartUp())) throw HostError("the plug-in did not start");
    struct ShutDown {
        orbx::host::Plugin& p;
        ~ShutDown() { p.ShutDown(); }
    } shut_down{plugin};
    const auto registered = fmxhost::Registrations();
    const auto version = orbx::host::FindFunction("Orbx_PluginVersion");
    const std::u16string platform_keyword = u"platform";
    const std::string edition =
        version ? orbx::host::Utf16ToUtf8(orbx::host::Evaluate(*version, &platform_keyword)) : "";
    std::optional<std::string> editions;  // those of the next example, when a line names them
    std::map<std::string, std::string> prototypes;
    for (const auto& f : registered) {
        prototypes[orbx::host::Utf16ToUtf8(f.name)] = orbx::host::Utf16ToUtf8(f.prototype);
    }

    int problems = 0;
    const auto report = [&problems, &path](std::size_t line, const std::string& what) {
        std::cerr << path << ":" << line + 1 << ": " << what << '\n';
        ++problems;
    };

    std::vector<Section> sections;
    std::vector<std::string> updated;
    std::size_t total_examples = 0;
    for (std::size_t i = 0; i < page.size();) {
        const std::string& line = page[i];
        if (line.starts_with("## ")) {
            sections.push_back({line.substr(3), i});
        } else if (!sections.empty()) {
            Section& s = sections.back();
            if (line.find(kPendingMarker) != std::string::npos) s.pending = true;
            const auto proto = prototypes.find(s.name);
            if (proto != prototypes.end() &&
                line.find("`" + proto->second + "`") != std::string::npos) {
                s.has_prototype = true;
            }
        }
        if (line.starts_with(kEditionMarker)) editions = " " + line.substr(kEditionMarker.size());
        std::size_t returns = line.find("` returns");
        if (!line.starts_with("`Orbx_") || returns == std::string::npos) {
            updated.push_back(line);
            ++i;
            continue;
        }
        const std::string calculation = line.substr(1, returns - 1);
        std::string rest = line.substr(returns + 9);
        if (rest == " a container") rest.clear();
        const std::size_t extent = ExampleExtent(page, i, rest);
        ++total_examples;
        if (!sections.empty()) ++sections.back().examples;
        const bool for_this_edition =
            !editions || editions->find(" " + edition + " ") != std::string::npos;
        editions.reset();
        if (!for_this_edition) {
            updated.insert(updated.end(), page.begin() + static_cast<std::ptrdiff_t>(i),
                           page.begin() + static_cast<std::ptrdiff_t>(i + extent));
            i += extent;
            continue;
        }

        const Calculation c = CalculationParser(calculation).Parse();
        const auto function = orbx::host::FindFunction(c.function);
        if (!function || !c.function.starts_with("Orbx_")) {
            report(i, "unknown function " + c.function);
            updated.insert(updated.end(), page.begin() + static_cast<std::ptrdiff_t>(i),
                           page.begin() + static_cast<std::ptrdiff_t>(i + extent));
            i += extent;
            continue;
        }
        const std::vector<std::string> expected =
            ExampleLines(calculation, orbx::host::EvaluateAll(*function, c.parameters));
        const std::vector<std::string> written(
            page.begin() + static_cast<std::ptrdiff_t>(i),
            page.begin() + static_cast<std::ptrdiff_t>(i + extent));
        if (written != expected && mode == "--check") {
            std::ostringstream what;
            what << "the plug-in disagrees with the page for `" << calculation << "`\n  page:";
            for (const std::string& l : written)
                what << "\n    " << l;
            what << "\n  plug-in:";
            for (const std::string& l : expected)
                what << "\n    " << l;
            report(i, what.str());
        }
        updated.insert(updated.end(), expected.begin(), expected.end());
        i += extent;
    }

    // Every registered function has its section, in the order of the function IDs, with its
    // prototype and its examples.
    std::size_t next = 0;
    for (const Section& s : reference ? sections : std::vector<Section>{}) {
        if (!s.name.starts_with("Orbx_")) continue;
        if (next >= registered.size() || orbx::host::Utf16ToUtf8(registered[next].name) != s.name) {
            report(s.line, "section " + s.name + " is not function " + std::to_string(next + 1) +
                               " of the plug-in");
        }
        ++next;
        if (!s.has_prototype) report(s.line, "section " + s.name + " does not give its prototype");
        if (s.examples < kMinimumExamples && !s.pending) {
            report(s.line, "section " + s.name + " has fewer than " +
                               std::to_string(kMinimumExamples) + " examples");
        }
    }
    if (reference && next != registered.size()) {
        report(page.size() - 1, "the page describes " + std::to_string(next) + " functions; the " +
                                    "plug-in registers " + std::to_string(registered.size()));
    }

    if (mode == "--update") {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (const std::string& l : updated)
            out << l << '\n';
        if (!out) throw HostError("cannot write " + path);
        std::cout << path << ": " << total_examples << " examples written from the plug-in\n";
    } else if (problems == 0) {
        std::cout << path << ": " << total_examples << " examples agree with the plug-in\n";
    }
    return problems == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        std::string mode;
        std::string path;
        std::string plugin = orbx::host::DefaultPluginPath();
        bool reference = true;
        for (int i = 1; i < argc; ++i) {
            const std::string a = argv[i];
            if (a == "--examples-only") {
                reference = false;
            } else if ((a == "--check" || a == "--update") && i + 1 < argc) {
                mode = a;
                path = argv[++i];
            } else if (a == "--plugin" && i + 1 < argc) {
                plugin = argv[++i];
            } else {
                throw HostError(
                    "usage: orbx_function_examples [--plugin PATH] [--examples-only] "
                    "(--check | --update) PAGE.md");
            }
        }
        if (mode.empty()) throw HostError("--check or --update is needed");
        return Run(mode, path, plugin, reference);
    } catch (const std::exception& e) {
        std::cerr << "orbx_function_examples: " << e.what() << '\n';
        return 2;
    }
}
