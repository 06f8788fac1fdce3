// orbx: a host for the Orbelantrix plug-in. It loads the plug-in the way FileMaker does, sends
// start-up, evaluates calculations with the registered functions and sends shut-down on exit.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "host/batch.h"
#include "host/host.h"
#include "host/platform.h"
#include "picture/encode.h"
#include "picture/layout.h"
#include "picture/readable.h"
#include "render/raster.h"
#include "render/render.h"
#include "render/svg.h"

namespace {

using orbx::host::HostError;

const char kUsage[] =
    "usage: orbx [--plugin PATH] [--extension-version N] [--application N] [--codes] NAME "
    "[PARAMETER...]\n"
    "       orbx [options] --batch [--folder DIR]\n"
    "            read NAME<TAB>PARAMETER lines from standard input (further parameters of a\n"
    "            function that takes them in further tab-separated fields); with --folder, the\n"
    "            content of each container result goes into DIR as LINE-FILENAME\n"
    "       orbx [options] --save FILE NAME PARAMETER...  write a container result's content\n"
    "       orbx [options] --list       list the registered functions\n"
    "       orbx [options] --string N   ask the plug-in for string N\n"
    "       orbx [options] --svg FILE NAME PARAMETER   write the symbol the font draws as SVG\n"
    "       orbx [options] --svg FILE NAME PARAMETER SETTINGS\n"
    "            the same drawn as Orbx_Image draws its pictures, with those settings\n"
    "       orbx [options] --show NAME PARAMETER       draw the symbol with block characters\n"
    "       orbx [options] --reload [--threads N] NAME [PARAMETER]\n"
    "            disable and enable the plug-in while N threads (4) that called NAME live on, as\n"
    "            FileMaker Server's console does, then call it again\n"
    "PATH is a plug-in file (.fmx, .fmx64) or, on Linux, a macOS bundle (.fmplugin), whose\n"
    "code the host loads itself; ORBX_PLUGIN in the environment sets the default.\n"
    "The host plays FileMaker Server's scripting process (--application 7) by default, or\n"
    "FileMaker Pro (--application 1), with extension version 77 unless told otherwise.\n"
    "In --batch parameters and results, \\\\, \\t, \\n, \\r and \\uXXXX stand for those "
    "characters.\n";

std::string codes_of(const std::u16string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i > 0) line += ' ';
        line += std::to_string(static_cast<unsigned>(text[i]));
    }
    return line;
}

struct Options {
    std::string plugin = orbx::host::DefaultPluginPath();
    orbx::host::HostIdentity identity;
    bool codes = false;
    enum { evaluate, batch, list, string, svg, show, reload, save } mode = evaluate;
    int threads = 4;
    int string_id = 0;
    std::string svg_file;
    std::string save_file;
    std::string folder;
    std::vector<std::string> rest;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw HostError(a + " needs a value");
            return argv[++i];
        };
        if (a == "--plugin") {
            o.plugin = value();
        } else if (a == "--extension-version") {
            o.identity.extension_version = static_cast<fmx::int16>(std::stoi(value()));
        } else if (a == "--application") {
            o.identity.application = static_cast<FMX_Application>(std::stoi(value()));
        } else if (a == "--reload") {
            o.mode = Options::reload;
        } else if (a == "--threads") {
            o.threads = std::stoi(value());
        } else if (a == "--codes") {
            o.codes = true;
        } else if (a == "--batch") {
            o.mode = Options::batch;
        } else if (a == "--list") {
            o.mode = Options::list;
        } else if (a == "--string") {
            o.mode = Options::string;
            o.string_id = std::stoi(value());
        } else if (a == "--svg") {
            o.mode = Options::svg;
            o.svg_file = value();
        } else if (a == "--save") {
            o.mode = Options::save;
            o.save_file = value();
        } else if (a == "--folder") {
            o.folder = value();
        } else if (a == "--show") {
            o.mode = Options::show;
        } else if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            throw HostError("unknown option " + a);
        } else {
            o.rest.push_back(a);
        }
    }
    return o;
}

std::string result_line(const Options& o, const std::u16string& result) {
    if (o.codes) return codes_of(result);
    return orbx::host::Utf16ToUtf8(result);
}

// The number a tilde-flag field begins with, as the plug-in reads an option: spaces, a sign,
// digits; 0 for a field that begins otherwise, `fallback` for an empty one.
long option_number(std::string_view field, long fallback) {
    if (field.empty()) return fallback;
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r')))
        ++i;
    const bool negative = i < field.size() && field[i] == '-';
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) ++i;
    long value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9' && value < 100000000; ++i)
        value = value * 10 + (field[i] - '0');
    return negative ? -value : value;
}

// --svg with settings: the symbol laid out as the picture function lays it out (picture/), its
// readable line made from the parameter as the function's encoder is given it.
void draw_picture(const Options& o, const std::string& name, const std::string& bytes) {
    const auto* s = orbx::picture::FindSymbology(name.substr(5));
    if (s == nullptr) throw HostError(o.rest[0] + " draws no picture");
    orbx::render::Symbol symbol;
    std::string error;
    if (!orbx::render::RenderInto(s->font, bytes, symbol, &error)) throw HostError(error);
    if (s->matrix != orbx::picture::Matrix::none) {
        // The 2D font's last line may draw light rows below the symbol, whose last row always
        // has dark modules: the picture has none of them.
        while (!symbol.rows.empty() &&
               std::find(symbol.rows.back().modules.begin(), symbol.rows.back().modules.end(), 1) ==
                   symbol.rows.back().modules.end()) {
            symbol.rows.pop_back();
        }
    }
    // The parameter's units as bytes; a function whose option is the tilde flag takes the data
    // up to the first "|" and the flag from the field after it.
    std::string data;
    for (char16_t u : orbx::host::Utf8ToUtf16(o.rest[1]))
        data += static_cast<char>(u & 0xFF);
    long tilde = s->readable_tilde;
    if (tilde < 0) {
        const std::size_t bar = data.find('|');
        const std::string field =
            bar == std::string::npos ? "" : data.substr(bar + 1, data.find('|', bar + 1) - bar - 1);
        tilde = option_number(field, 1);
        if (bar != std::string::npos) data.resize(bar);
    }
    std::vector<char> line(2048);
    const std::string_view readable =
        orbx::picture::ReadableLine(*s, data.c_str(), tilde, symbol, line.data(), line.size());
    orbx::picture::Layout layout;
    if (!orbx::picture::Lay(*s, symbol, readable, orbx::picture::ParseSettings(o.rest[2]),
                            layout)) {
        throw HostError("the symbol does not fit a picture");
    }
    std::vector<unsigned char> svg;
    orbx::picture::WriteSvg(layout, svg);
    std::ofstream file(o.svg_file, std::ios::binary);
    file.write(reinterpret_cast<const char*>(svg.data()), static_cast<std::streamsize>(svg.size()));
    if (!file.flush()) throw HostError("cannot write " + o.svg_file);
}

// --svg and --show: evaluates NAME( PARAMETER ) and draws the symbol its font shows.
int draw(const Options& o) {
    const bool settings = o.mode == Options::svg && o.rest.size() == 3;
    if (o.rest.size() != 2 && !settings) throw HostError(std::string("bad arguments\n") + kUsage);
    const auto function = orbx::host::FindFunction(o.rest[0]);
    if (!function) throw HostError("unknown function " + o.rest[0]);
    const auto font = orbx::render::FontOf(orbx::host::Utf16ToUtf8(function->name));
    if (!font) throw HostError(o.rest[0] + " gives text, not a barcode");
    // A 2D function takes the settings as its own second parameter too.
    std::vector<std::u16string> parameters = {orbx::host::Utf8ToUtf16(o.rest[1])};
    if (settings && function->maxArgs >= 2)
        parameters.push_back(orbx::host::Utf8ToUtf16(o.rest[2]));
    const std::u16string result = orbx::host::EvaluateAll(*function, parameters).text;
    if (result.empty()) throw HostError(o.rest[0] + " gave the empty text");
    const auto bytes = orbx::render::FontBytes(result);
    if (!bytes) throw HostError("the result holds a character outside Windows-1252");
    if (settings) {
        draw_picture(o, orbx::host::Utf16ToUtf8(function->name), *bytes);
        return 0;
    }
    const orbx::render::Rendering drawn = orbx::render::Render(*font, *bytes);
    if (!drawn.symbol) throw HostError(drawn.error);
    if (o.mode == Options::show) {
        std::cout << orbx::render::Blocks(*drawn.symbol);
        return 0;
    }
    std::ofstream file(o.svg_file, std::ios::binary);
    file << orbx::render::Svg(*drawn.symbol);
    if (!file.flush()) throw HostError("cannot write " + o.svg_file);
    return 0;
}

// --reload: evaluates NAME( PARAMETER ) across a disable and enable of the plug-in and prints
// the result when every evaluation agreed and nothing was left alive.
int reload(const Options& o) {
    if (o.rest.empty() || o.rest.size() > 2 || o.threads < 1) {
        throw HostError(std::string("bad arguments\n") + kUsage);
    }
    const std::u16string parameter = o.rest.size() == 2 ? orbx::host::Utf8ToUtf16(o.rest[1]) : u"";
    const auto report =
        orbx::host::ReloadWithLiveThreads(o.plugin, o.identity, o.rest[0], parameter, o.threads);
    for (const auto& result : report.after) {
        if (result != report.before.front()) throw HostError("a result changed across the reload");
    }
    for (const auto& result : report.before) {
        if (result != report.before.front()) throw HostError("the threads' results differ");
    }
    if (report.live_objects != 0) {
        throw HostError(std::to_string(report.live_objects) + " host objects left alive");
    }
    std::cout << result_line(o, report.before.front()) << '\n';
    return 0;
}

// The parameters of NAME PARAMETER...: all the arguments after the name, as many as the function
// takes (as the host refuses a calculation with more).
std::vector<std::u16string> parameters_of(const Options& o, const fmxhost::Registration& function) {
    std::vector<std::u16string> parameters;
    for (std::size_t i = 1; i < o.rest.size(); ++i)
        parameters.push_back(orbx::host::Utf8ToUtf16(o.rest[i]));
    if (parameters.size() > static_cast<std::size_t>(std::max<short>(function.maxArgs, 1))) {
        throw HostError(o.rest[0] + " takes at most " + std::to_string(function.maxArgs) +
                        " parameters");
    }
    return parameters;
}

// --save: evaluates NAME( PARAMETER... ) and writes its container's content (the PNG or PDF).
int save(const Options& o) {
    if (o.rest.empty()) throw HostError(std::string("bad arguments\n") + kUsage);
    const auto function = orbx::host::FindFunction(o.rest[0]);
    if (!function) throw HostError("unknown function " + o.rest[0]);
    const orbx::host::Result result =
        orbx::host::EvaluateAll(*function, parameters_of(o, *function));
    const auto* content = result.container ? result.container->Main() : nullptr;
    if (content == nullptr) throw HostError(o.rest[0] + " gave no container");
    std::ofstream file(o.save_file, std::ios::binary);
    file.write(reinterpret_cast<const char*>(content->bytes.data()),
               static_cast<std::streamsize>(content->bytes.size()));
    if (!file.flush()) throw HostError("cannot write " + o.save_file);
    std::cout << orbx::host::Describe(*result.container) << '\n';
    return 0;
}

int run(const Options& o) {
    if (o.mode == Options::reload) return reload(o);
    orbx::host::Plugin plugin(o.plugin, o.identity);
    if (o.mode == Options::string) {
        std::cout << orbx::host::Utf16ToUtf8(plugin.GetString(static_cast<FMX_UChar>(o.string_id)))
                  << '\n';
        return 0;
    }
    const long reply = plugin.StartUp();
    if (!orbx::host::Enables(reply)) {
        throw HostError("the plug-in answered start-up with " + std::to_string(reply) +
                        " and is not enabled");
    }
    // On exit, as the server ends a session: the session's file is closed, then the session,
    // then the plug-in shuts down. Each message goes only to a plug-in that asked for it.
    struct ShutDownOnExit {
        orbx::host::Plugin& plugin;
        ~ShutDownOnExit() {
            constexpr fmx::ptrtype kSession = 1, kFile = 1;
            plugin.Send(kFMXT_FileShutdown, 0, kSession, kFile);
            plugin.Send(kFMXT_SessionShutdown, 0, kSession);
            plugin.ShutDown();
        }
    } shut_down{plugin};

    if (o.mode == Options::list) {
        for (const auto& f : fmxhost::Registrations()) {
            char flags[16];
            std::snprintf(flags, sizeof flags, "0x%04X", f.flags);
            std::cout << f.functionId << '\t' << orbx::host::Utf16ToUtf8(f.name) << '\t'
                      << orbx::host::Utf16ToUtf8(f.prototype) << '\t' << f.minArgs << '\t'
                      << f.maxArgs << '\t' << flags << '\n';
        }
        return 0;
    }
    if (o.mode == Options::batch) {
        orbx::host::RunBatch(stdin, stdout, o.codes, o.folder);
        return 0;
    }
    if (o.mode == Options::svg || o.mode == Options::show) return draw(o);
    if (o.mode == Options::save) return save(o);
    if (o.rest.empty()) throw HostError(std::string("bad arguments\n") + kUsage);
    const auto function = orbx::host::FindFunction(o.rest[0]);
    if (!function) throw HostError("unknown function " + o.rest[0]);
    if (o.rest.size() == 1) {
        std::cout << result_line(o, orbx::host::Evaluate(*function, nullptr)) << '\n';
        return 0;
    }
    const orbx::host::Result result =
        orbx::host::EvaluateAll(*function, parameters_of(o, *function));
    std::cout << (result.container ? orbx::host::Describe(*result.container)
                                   : result_line(o, result.text))
              << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        std::ios::sync_with_stdio(false);
        orbx::host::platform::UseBinaryStdio();
        return run(parse(argc, argv));
    } catch (const std::exception& e) {
        std::cerr << "orbx: " << e.what() << '\n';
        return 1;
    }
}
