// Benchmarks of the 36 functions, the pictures and the 2D symbols. For each of the 36, on its
// realistic parameter and on parameters of 16, 128, 512 and 2048 characters (as far as the function
// accepts them):
// - the whole adapter path: the parameter as UTF-16 text data in the host's parameter vector,
//   the adapter the host calls, the result stored as text in the host's result data;
// - the encoder alone, on the data string and options the adapter would pass it;
// - zint's encoding of the same content (one symbol reused through ZBarcode_Clear, no
//   rendering), for the realistic parameter, where zint has the symbology.
// After the run one table compares them, with the heap allocations per call.
//
//   orbx_bench [--markdown] [google benchmark flags]
//   orbx_bench --calls ID SIZE N [adapter|host|encoder|zint]
//                            N calls, nothing else (for callgrind; SIZE is "data" or a length)
//   orbx_bench --cases       one line per function: ID, name, longest length, what it runs
#include <benchmark/benchmark.h>
#include <zint.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FMWrapper/FMXData.h"
#include "FMWrapper/FMXText.h"
#include "bench/alloc_count.h"
#include "bench/cases.h"
#include "encoders/matrix/pdf417.h"
#include "host_api/fmx_host.h"
#include "picture/matrix.h"
#include "picture/picture.h"
#include "plugin/function_table.h"
#include "plugin/image.h"
#include "plugin/matrix.h"
#include "plugin/options.h"
#include "render/render.h"

namespace orbx::bench {

namespace {

constexpr int kRealistic = 0;  // "length" of the realistic parameter
constexpr std::string_view kMixed20Picture = "INV-2024/0815 ab Q17";  // 20 mixed characters

std::string size_label(int length) {
    return length == kRealistic ? "data" : std::to_string(length);
}

// The parameter of a case at a length: its realistic parameter repeated and cut to the length.
std::string parameter_of(const Case& c, int length) {
    if (length == kRealistic) return std::string(c.parameter);
    std::string p;
    p.reserve(static_cast<std::size_t>(length));
    while (p.size() < static_cast<std::size_t>(length))
        p += c.parameter;
    p.resize(static_cast<std::size_t>(length));
    return p;
}

bool has_encoder(const Case& c) {
    return FunctionRowById(c.id).encode != nullptr;
}

std::vector<int> lengths_of(const Case& c) {
    std::vector<int> lengths;
    if (c.id == 1) return lengths;  // the version function reads a keyword
    for (int n : kLengths)
        if (static_cast<fmx::uint32>(n) <= FunctionRowById(c.id).input_limit) lengths.push_back(n);
    return lengths;
}

// One call through the adapter, as the host makes it: the parameter vector and the result data
// belong to the host and live across calls.
class AdapterCall {
  public:
    AdapterCall(const Case& c, const std::string& parameter) : row_(FunctionRowById(c.id)) {
        std::u16string units;
        for (char ch : parameter)
            units += static_cast<char16_t>(static_cast<unsigned char>(ch));
        fmxhost::PushTextParameter(*parms_, units);
    }

    // The host's error code, always 0.
    fmx::errcode operator()() {
        return row_.adapter(row_.id, fmxhost::Environment(), *parms_, *result_);
    }

    const fmx::DataVect& Parameters() const { return *parms_; }
    fmx::Data& Result() { return *result_; }

    std::u16string ResultText() const {
        const fmx::Text& text = result_->GetAsText();
        std::vector<fmx::uint16> units(text.GetSize());
        text.GetUnicode(units.data(), 0, static_cast<fmx::uint32>(units.size()));
        return std::u16string(units.begin(), units.end());
    }

  private:
    const FunctionRow& row_;
    fmx::DataVectUniquePtr parms_;
    fmx::DataUniquePtr result_;
};

// The encoder alone, with the data string and option fields that the adapter would give it.
class EncoderCall {
  public:
    EncoderCall(const Case& c, const std::string& parameter)
        : row_(FunctionRowById(c.id)),
          data_(parameter.begin(), parameter.end()),
          out_(row_.output_size, '\0') {
        data_.push_back('\0');
        if (row_.options == OptionRule::single) options_ = SplitSingleOption(data_.data());
        if (row_.options == OptionRule::counted) {
            options_ = SplitCountedOptions(data_.data(), row_.max_options);
        }
    }

    int operator()() {
        return row_.encode(data_.data(), options_, out_.data(), static_cast<long>(out_.size()));
    }

    std::string Result() const { return std::string(out_.data()); }
    const std::vector<char>& Data() const { return data_; }

  private:
    const FunctionRow& row_;
    std::vector<char> data_;
    OptionFields options_;
    std::vector<char> out_;
};

// The host's share of an adapter call: the same SDK calls on the same texts as the adapter makes
// (the parameter read and copied, the result text made and stored), without the plug-in's own
// work in between.
class HostCall {
  public:
    HostCall(const Case& c, const std::string& parameter, std::string result)
        : adapter_(c, parameter), result_(std::move(result)) {}

    fmx::errcode operator()() {
        const fmx::DataVect& parms = adapter_.Parameters();
        const fmx::Text& parameter = parms.AtAsText(0);
        const fmx::uint32 size = parameter.GetSize();
        {
            fmx::TextUniquePtr text;
            text->SetText(parameter, 0, size);
            text->GetUnicode(units_, 0, size);
        }
        fmx::TextUniquePtr text;
        text->AssignWithLength(result_.data(), static_cast<fmx::uint32>(result_.size()),
                               fmx::Text::kEncoding_ASCII_Windows);
        return adapter_.Result().SetAsText(*text, parms.At(0).GetLocale(), fmx::Data::kDTText);
    }

  private:
    AdapterCall adapter_;
    std::string result_;
    fmx::uint16 units_[kLargestInput];
};

// zint's encoding of the same content into one reused symbol.
class ZintCall {
  public:
    explicit ZintCall(const Case& c) : data_(c.zint.data), symbol_(ZBarcode_Create()) {
        symbol_->symbology = c.zint.symbology;
        symbol_->option_2 = c.zint.option_2;
        symbol_->input_mode = c.zint.input_mode;
    }
    ~ZintCall() { ZBarcode_Delete(symbol_); }
    ZintCall(const ZintCall&) = delete;
    ZintCall& operator=(const ZintCall&) = delete;

    int operator()() {
        ZBarcode_Clear(symbol_);
        return ZBarcode_Encode(symbol_, reinterpret_cast<const unsigned char*>(data_.data()),
                               static_cast<int>(data_.size()));
    }

    const char* Error() const { return symbol_->errtxt; }
    int Width() const { return symbol_->width; }

  private:
    std::string_view data_;
    zint_symbol* symbol_;
};

// Heap allocations per call, counted over calls after two warm-up calls (which may fill
// per-thread buffers once).
template <typename F>
double allocations_per_call(F& call) {
    call();
    call();
    constexpr int kCalls = 64;
    const std::uint64_t before = Allocations();
    for (int i = 0; i < kCalls; ++i)
        call();
    return static_cast<double>(Allocations() - before) / kCalls;
}

template <typename F>
void run_benchmark(benchmark::State& state, F& call) {
    const std::uint64_t before = Allocations();
    for (auto _ : state) {
        benchmark::DoNotOptimize(call());
        benchmark::ClobberMemory();
    }
    state.counters["allocs"] = benchmark::Counter(static_cast<double>(Allocations() - before),
                                                  benchmark::Counter::kAvgIterations);
}

// The function's name without "Orbx_", from its row.
std::string function_name(const Case& c) {
    return std::string(FunctionRowById(c.id).name.substr(5));
}

std::string bench_name(const char* path, const Case& c, int length) {
    char id[8];
    std::snprintf(id, sizeof id, "%02d", c.id);
    return std::string(path) + "/" + id + "_" + function_name(c) + "/" + size_label(length);
}

// What the table needs besides the timings.
struct Checked {
    std::map<std::string, double> allocations;  // by benchmark name
    std::vector<std::string> problems;
};

void register_case(const Case& c, Checked& checked) {
    std::vector<int> sizes = {kRealistic};
    for (int n : lengths_of(c))
        sizes.push_back(n);
    for (int length : sizes) {
        const std::string parameter = parameter_of(c, length);
        auto adapter = std::make_shared<AdapterCall>(c, parameter);
        const std::string adapter_name = bench_name("adapter", c, length);
        checked.allocations[adapter_name] = allocations_per_call(*adapter);
        if (length == kRealistic && adapter->ResultText().empty()) {
            checked.problems.push_back(adapter_name + ": empty result");
        }
        benchmark::RegisterBenchmark(adapter_name.c_str(), [adapter](benchmark::State& state) {
            run_benchmark(state, *adapter);
        })->Unit(benchmark::kNanosecond);

        if (!has_encoder(c)) continue;
        auto encoder = std::make_shared<EncoderCall>(c, parameter);
        const std::string encoder_name = bench_name("encoder", c, length);
        const std::vector<char> data_before = encoder->Data();
        checked.allocations[encoder_name] = allocations_per_call(*encoder);
        if (encoder->Data() != data_before) {
            checked.problems.push_back(encoder_name + ": the encoder changed its data");
        }
        benchmark::RegisterBenchmark(encoder_name.c_str(), [encoder](benchmark::State& state) {
            run_benchmark(state, *encoder);
        })->Unit(benchmark::kNanosecond);

        if (length != kRealistic) continue;
        auto host = std::make_shared<HostCall>(c, parameter, encoder->Result());
        benchmark::RegisterBenchmark(
            bench_name("host", c, length).c_str(),
            [host](benchmark::State& state) { run_benchmark(state, *host); })
            ->Unit(benchmark::kNanosecond);
    }

    if (c.zint.symbology == 0) return;
    auto zint = std::make_shared<ZintCall>(c);
    const std::string zint_name = bench_name("zint", c, kRealistic);
    const int rc = (*zint)();
    if (rc >= ZINT_ERROR) {
        checked.problems.push_back(zint_name + ": " + zint->Error());
        return;
    }
    checked.allocations[zint_name] = allocations_per_call(*zint);
    benchmark::RegisterBenchmark(zint_name.c_str(), [zint](benchmark::State& state) {
        run_benchmark(state, *zint);
    })->Unit(benchmark::kNanosecond);
}

// Collects the time per call of every benchmark (the median over repetitions) while the console
// reporter shows the runs as usual. CPU time: on a machine shared with other work it does not
// count the time the benchmark waited for a core.
class CollectingReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
            times_[run.run_name.str()].push_back(run.GetAdjustedCPUTime());
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::optional<double> Median(const std::string& name) const {
        const auto found = times_.find(name);
        if (found == times_.end() || found->second.empty()) return std::nullopt;
        std::vector<double> t = found->second;
        std::sort(t.begin(), t.end());
        const std::size_t n = t.size();
        return n % 2 == 1 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2;
    }

  private:
    std::map<std::string, std::vector<double>> times_;
};

std::string cpu_name() {
    std::ifstream info("/proc/cpuinfo");
    std::string line;
    while (std::getline(info, line)) {
        if (line.rfind("model name", 0) == 0) {
            const auto colon = line.find(':');
            if (colon != std::string::npos) return line.substr(colon + 2);
        }
    }
    return "unknown CPU";
}

std::string format_ns(std::optional<double> ns) {
    if (!ns) return "-";
    char text[32];
    std::snprintf(text, sizeof text, *ns < 10 ? "%.1f" : "%.0f", *ns);
    return text;
}

std::string format_count(const Checked& checked, const std::string& name) {
    const auto found = checked.allocations.find(name);
    if (found == checked.allocations.end()) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%g", found->second);
    return text;
}

// Scaling bound for a length series that ends at `longest` characters: 20 times the time at 128
// characters for 16 times the length; for the functions limited to 512 characters, 4 times the
// length, proportionally 5 times the time.
double scaling_bound(int longest) {
    return 20.0 * longest / 2048.0;
}

// Prints rows of cells as a Markdown table, or as aligned columns.
void print_rows(const std::vector<std::vector<std::string>>& rows, bool markdown) {
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows)
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::string line = markdown ? "|" : "";
        for (std::size_t i = 0; i < rows[r].size(); ++i) {
            std::string cell = rows[r][i];
            if (!markdown) cell.resize(widths[i], ' ');
            line += markdown ? " " + cell + " |" : cell + "  ";
        }
        std::printf("%s\n", line.c_str());
        if (markdown && r == 0) {
            std::string rule = "|";
            for (std::size_t i = 0; i < rows[r].size(); ++i)
                rule += "---|";
            std::printf("%s\n", rule.c_str());
        }
    }
}

void print_table(const CollectingReporter& times, const Checked& checked, bool markdown) {
    std::vector<std::string> misses;
    std::vector<std::vector<std::string>> rows = {
        {"ID", "Function", "Data", "ours", "host", "encoder", "zint", "ours/zint", "plug-in/zint",
         "scaling 128->max", "allocs 16/max", "zint allocs"}};

    for (const Case& c : kCases) {
        const std::string name = function_name(c);
        const auto ours = times.Median(bench_name("adapter", c, kRealistic));
        const auto host = times.Median(bench_name("host", c, kRealistic));
        const auto encoder = times.Median(bench_name("encoder", c, kRealistic));
        const auto zint = times.Median(bench_name("zint", c, kRealistic));
        std::string ratio = "-";
        std::string plugin_ratio = "-";
        if (ours && zint) {
            char text[32];
            std::snprintf(text, sizeof text, "%.3f", *ours / *zint);
            ratio = text;
            if (*ours * 3 > *zint) misses.push_back(name + ": ours/zint " + ratio);
            if (host) {
                // The plug-in's own share: the adapter path without the host's calls.
                std::snprintf(text, sizeof text, "%.3f", (*ours - *host) / *zint);
                plugin_ratio = text;
                if ((*ours - *host) * 5 > *zint) {
                    misses.push_back(name + ": plug-in/zint " + plugin_ratio);
                }
            }
        }
        const std::vector<int> lengths = lengths_of(c);
        std::string scaling = "-";
        std::string allocs = format_count(checked, bench_name("adapter", c, kRealistic));
        if (!lengths.empty()) {
            const int longest = lengths.back();
            const auto t128 = times.Median(bench_name("adapter", c, 128));
            const auto tmax = times.Median(bench_name("adapter", c, longest));
            if (t128 && tmax) {
                char text[48];
                std::snprintf(text, sizeof text, "%.2f (to %d)", *tmax / *t128, longest);
                scaling = text;
                if (*tmax / *t128 > scaling_bound(longest)) {
                    misses.push_back(name + ": scaling " + scaling);
                }
            }
            // Constant: no more allocations at the longest length than at a quarter of it. At 16
            // characters a count can be lower still, where a short text fits inside its string
            // object, or higher, where a long one is refused before it is built.
            const auto count = [&](int length) {
                const auto found = checked.allocations.find(bench_name("adapter", c, length));
                return found == checked.allocations.end() ? 0.0 : found->second;
            };
            allocs = format_count(checked, bench_name("adapter", c, 16)) + " / " +
                     format_count(checked, bench_name("adapter", c, longest));
            const int quarter = lengths.size() > 1 ? lengths[lengths.size() - 2] : longest;
            if (count(longest) > count(quarter)) {
                misses.push_back(name + ": allocations " + allocs);
            }
        }
        if (!has_encoder(c) && c.id != 1) misses.push_back(name + ": no encoder in this build");
        rows.push_back({std::to_string(c.id), name, std::string(c.what), format_ns(ours),
                        format_ns(host), format_ns(encoder), format_ns(zint), ratio, plugin_ratio,
                        scaling, allocs, format_count(checked, bench_name("zint", c, kRealistic))});
    }

    const std::time_t now = std::time(nullptr);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%d", std::localtime(&now));
    std::printf("\nOrbelantrix benchmarks, %s, %s\n\n", date, cpu_name().c_str());
    print_rows(rows, markdown);
    std::printf(
        "\nCPU time in ns per call, the median of the repetitions. ours: the whole adapter path "
        "on the realistic parameter; host: the SDK stand-in's share of it (the same host calls "
        "on the same texts); encoder: the encoder alone; zint: ZBarcode_Clear and "
        "ZBarcode_Encode of the same content. plug-in/zint: (ours - host) / zint. scaling: adapter "
        "time at the longest accepted "
        "length over the time at 128 characters. allocs: heap allocations per adapter call at "
        "16 characters and at the longest length (operator new and malloc).\n");
    std::printf(
        "Targets: ours/zint at most 0.333; plug-in/zint at most 0.2; scaling at most 20 from 128 "
        "to 2048 characters "
        "(5 from 128 to 512); no more allocations at the longest length than at a quarter of "
        "it.\n");
    for (const std::string& p : checked.problems)
        std::printf("PROBLEM %s\n", p.c_str());
    if (misses.empty()) std::printf("All targets met.\n");
    for (const std::string& m : misses)
        std::printf("MISSED %s\n", m.c_str());
}

// ---- Pictures: Orbx_Image through its adapter against zint writing the same symbol as a PNG.

struct PictureCase {
    const char* name;       // the benchmark's name
    const char* symbology;  // Orbx_Image's first parameter
    std::string_view data;
    int zint_symbology;
    float zint_height;  // modules, the height our picture draws
};

// A 20-character Code 128 and an EAN-13, at 300 dpi: 4 pixels a module (zint's scale 2), the
// readable line and the quiet zones in both.
const PictureCase kPictures[] = {
    {"Code128_20", "Code128", kMixed20Picture, BARCODE_CODE128, 30},
    {"EAN13", "EAN13", "400638133393", BARCODE_EANX, 50},
};

class ImageCall {
  public:
    explicit ImageCall(const PictureCase& c) {
        for (std::string_view p :
             {std::string_view(c.symbology), c.data, std::string_view("dpi=300")}) {
            fmxhost::PushTextParameter(*parms_, std::u16string(p.begin(), p.end()));
        }
        const auto& rows = fmxhost::Registrations();
        (void)rows;
    }
    fmx::errcode operator()() {
        return Do_Orbx_Image(37, fmxhost::Environment(), *parms_, *result_);
    }
    std::size_t Bytes() const {
        const fmx::BinaryData& binary = result_->GetBinaryData();
        return binary.GetCount() > 0 ? binary.GetSize(0) : 0;
    }

  private:
    fmx::DataVectUniquePtr parms_;
    fmx::DataUniquePtr result_;
};

class ZintPngCall {
  public:
    explicit ZintPngCall(const PictureCase& c) : data_(c.data), symbol_(ZBarcode_Create()) {
        symbology_ = c.zint_symbology;
        height_ = c.zint_height;
    }
    ~ZintPngCall() { ZBarcode_Delete(symbol_); }
    ZintPngCall(const ZintPngCall&) = delete;
    ZintPngCall& operator=(const ZintPngCall&) = delete;

    int operator()() {
        ZBarcode_Clear(symbol_);
        symbol_->symbology = symbology_;
        symbol_->scale = 2;  // 4 pixels a module
        symbol_->height = height_;
        symbol_->output_options = BARCODE_QUIET_ZONES;
        std::snprintf(symbol_->outfile, sizeof symbol_->outfile, "/dev/shm/orbx-bench-zint.png");
        return ZBarcode_Encode_and_Print(symbol_,
                                         reinterpret_cast<const unsigned char*>(data_.data()),
                                         static_cast<int>(data_.size()), 0);
    }
    const char* Error() const { return symbol_->errtxt; }

  private:
    std::string_view data_;
    zint_symbol* symbol_;
    int symbology_ = 0;
    float height_ = 0;
};

// The plug-in's own share of a picture, without the host's objects: the encoder, the symbol
// its text draws, and the PNG (the readable line of a Code 128 symbol is its data here).
class PictureWork {
  public:
    explicit PictureWork(const PictureCase& c)
        : symbology_(picture::FindSymbology(c.symbology)),
          row_(FunctionRowById(symbology_->function)),
          data_(c.data.begin(), c.data.end()),
          out_(row_.output_size, '\0') {
        data_.push_back('\0');
    }
    int operator()() {
        if (row_.encode(data_.data(), OptionFields{}, out_.data(),
                        static_cast<long>(out_.size())) != 0 ||
            !render::RenderInto(symbology_->font, out_.data(), symbol_)) {
            return 1;
        }
        picture::Picture p;
        const std::string_view readable(data_.data(), data_.size() - 1);
        return picture::Draw(*symbology_, symbol_, readable, picture::Settings{}, p) ? 0 : 1;
    }

  private:
    const picture::Symbology* symbology_;
    const FunctionRow& row_;
    std::vector<char> data_;
    std::vector<char> out_;
    render::Symbol symbol_;
};

void register_pictures(Checked& checked) {
    for (const PictureCase& c : kPictures) {
        auto ours = std::make_shared<ImageCall>(c);
        const std::string ours_name = std::string("image/") + c.name;
        checked.allocations[ours_name] = allocations_per_call(*ours);
        if (ours->Bytes() == 0) checked.problems.push_back(ours_name + ": no picture");
        PictureWork own(c);
        checked.allocations[std::string("own/") + c.name] = allocations_per_call(own);
        benchmark::RegisterBenchmark(ours_name.c_str(), [ours](benchmark::State& state) {
            run_benchmark(state, *ours);
        })->Unit(benchmark::kMicrosecond);
        auto zint = std::make_shared<ZintPngCall>(c);
        const std::string zint_name = std::string("zint_png/") + c.name;
        if ((*zint)() >= ZINT_ERROR) {
            checked.problems.push_back(zint_name + ": " + zint->Error());
            continue;
        }
        checked.allocations[zint_name] = allocations_per_call(*zint);
        benchmark::RegisterBenchmark(zint_name.c_str(), [zint](benchmark::State& state) {
            run_benchmark(state, *zint);
        })->Unit(benchmark::kMicrosecond);
    }
}

void print_pictures(const CollectingReporter& times, const Checked& checked, bool markdown) {
    std::vector<std::vector<std::string>> rows = {{"Picture", "Data", "ours (us)", "zint PNG (us)",
                                                   "ours/zint", "allocs ours",
                                                   "of them the plug-in's", "allocs zint"}};
    std::vector<std::string> misses;
    for (const PictureCase& c : kPictures) {
        const std::string ours_name = std::string("image/") + c.name;
        const std::string zint_name = std::string("zint_png/") + c.name;
        const auto ours = times.Median(ours_name);
        const auto zint = times.Median(zint_name);
        std::string ratio = "-";
        if (ours && zint) {
            char text[32];
            std::snprintf(text, sizeof text, "%.3f", *ours / *zint);
            ratio = text;
            if (*ours * 3 > *zint) misses.push_back(std::string(c.name) + ": ours/zint " + ratio);
        }
        rows.push_back({c.name, std::string(c.data), format_ns(ours), format_ns(zint), ratio,
                        format_count(checked, ours_name),
                        format_count(checked, std::string("own/") + c.name),
                        format_count(checked, zint_name)});
    }
    std::printf(
        "\nPictures at 300 dpi: Orbx_Image's adapter (PNG in a container, in memory) "
        "against zint encoding the same symbol and writing its PNG file (tmpfs), CPU "
        "time in microseconds. allocs: heap allocations per call; of them the plug-in's: its "
        "own work, without the host's text and container objects. Target: ours/zint at most "
        "0.333.\n\n");
    print_rows(rows, markdown);
    if (misses.empty()) std::printf("Picture targets met.\n");
    for (const std::string& m : misses)
        std::printf("MISSED %s\n", m.c_str());
}

// ---- The 2D symbols: the function call through its adapter, the encoder alone and zint.

struct MatrixCase {
    const char* name;
    std::size_t row;  // of kMatrixRows
    std::string_view data;
    int zint_symbology;
};

// A 100-byte QR Code (a link with parameters), a 50-character Data Matrix (a part label) and a
// 200-character PDF417 (a shipping label's text), at their default settings.
constexpr std::string_view kQr100 =
    "https://shop.example.org/orders/"
    "2026-000815?item=4711&qty=12&lot=B-2024-17&ref=INV0815abcd&src=mail1";
constexpr std::string_view kDataMatrix50 = "PART 4711-0815 LOT B2024/17 SN 000123456789 REV C.";
constexpr std::string_view kPdf417_200 =
    "SHIP TO: ORBELANTRIX LOGISTICS, 42 HARBOUR ROAD, SPRINGFIELD 12345; ORDER 2026-000815; "
    "1 OF 3 PIECES; WEIGHT 12.5 KG; SERVICE EXPRESS; TRACKING 1Z999AA10123456784; REF INV-0815; "
    "DELIVER 2026-12-24 AM.";
static_assert(kQr100.size() == 100 && kDataMatrix50.size() == 50 && kPdf417_200.size() == 200);

const MatrixCase kMatrixCases[] = {
    {"QRCode_100", 0, kQr100, BARCODE_QRCODE},
    {"DataMatrix_50", 1, kDataMatrix50, BARCODE_DATAMATRIX},
    {"PDF417_200", 2, kPdf417_200, BARCODE_PDF417},
};

// The function as the host calls it: the data and an empty settings text as parameters.
class MatrixAdapterCall {
  public:
    explicit MatrixAdapterCall(const MatrixCase& c) : row_(kMatrixRows[c.row]) {
        fmxhost::PushTextParameter(*parms_, std::u16string(c.data.begin(), c.data.end()));
        fmxhost::PushTextParameter(*parms_, u"");
    }
    fmx::errcode operator()() {
        return row_.adapter(row_.id, fmxhost::Environment(), *parms_, *result_);
    }
    std::size_t ResultSize() const { return result_->GetAsText().GetSize(); }
    std::u16string ResultText() const {
        const fmx::Text& text = result_->GetAsText();
        std::vector<fmx::uint16> units(text.GetSize());
        text.GetUnicode(units.data(), 0, static_cast<fmx::uint32>(units.size()));
        return std::u16string(units.begin(), units.end());
    }
    const fmx::DataVect& Parameters() const { return *parms_; }
    fmx::Data& Result() { return *result_; }

  private:
    const MatrixRow& row_;
    fmx::DataVectUniquePtr parms_;
    fmx::DataUniquePtr result_;
};

// The host's share of the function call: the same SDK calls on the same texts (the data read,
// the settings read, the result text made and stored) without the plug-in's work.
class MatrixHostCall {
  public:
    MatrixHostCall(const MatrixCase& c, const std::u16string& result) : adapter_(c) {
        for (char16_t u : result)
            bytes_ += static_cast<char>(u);
    }
    fmx::errcode operator()() {
        const fmx::DataVect& parms = adapter_.Parameters();
        const fmx::Text& data = parms.AtAsText(0);
        data.GetUnicode(units_, 0, data.GetSize());
        const fmx::Text& settings = parms.AtAsText(1);
        settings.GetUnicode(units_, 0, settings.GetSize());
        fmx::TextUniquePtr text;
        text->AssignWithLength(bytes_.data(), static_cast<fmx::uint32>(bytes_.size()),
                               fmx::Text::kEncoding_ASCII_Windows);
        return adapter_.Result().SetAsText(*text, parms.At(0).GetLocale(), fmx::Data::kDTText);
    }

  private:
    MatrixAdapterCall adapter_;
    std::string bytes_;
    fmx::uint16 units_[kLargestMatrixInput];
};

// The encoder alone, the data as UTF-8 and the default options, into one reused matrix.
class MatrixEncoderCall {
  public:
    explicit MatrixEncoderCall(const MatrixCase& c)
        : symbol_(kMatrixRows[c.row].symbol), data_(c.data), matrix_(new ModuleMatrix) {}
    int operator()() { return picture::EncodeMatrix(symbol_, data_, options_, *matrix_); }
    const ModuleMatrix& Matrix() const { return *matrix_; }

  private:
    picture::Matrix symbol_;
    std::string_view data_;
    picture::MatrixOptions options_;
    std::unique_ptr<ModuleMatrix> matrix_;
};

// zint's encoding of the same symbol: QR Code at level M in its smallest version, Data Matrix
// in its smallest square size, PDF417 at our level and columns.
class MatrixZintCall {
  public:
    MatrixZintCall(const MatrixCase& c, const ModuleMatrix& ours)
        : data_(c.data), symbol_(ZBarcode_Create()) {
        symbol_->symbology = c.zint_symbology;
        symbol_->input_mode = DATA_MODE;
        if (c.zint_symbology == BARCODE_QRCODE) symbol_->option_1 = 2;
        if (c.zint_symbology == BARCODE_DATAMATRIX) symbol_->option_3 = DM_SQUARE;
        if (c.zint_symbology == BARCODE_PDF417) {
            std::uint16_t codewords[kPdf417MaxCodewords];
            const int n = Pdf417DataCodewords(c.data, codewords, kPdf417MaxCodewords);
            symbol_->option_1 = Pdf417RecommendedLevel(n);
            symbol_->option_2 = (ours.width - 69) / 17;
        }
        option_1_ = symbol_->option_1;
        option_2_ = symbol_->option_2;
        option_3_ = symbol_->option_3;
    }
    ~MatrixZintCall() { ZBarcode_Delete(symbol_); }
    MatrixZintCall(const MatrixZintCall&) = delete;
    MatrixZintCall& operator=(const MatrixZintCall&) = delete;

    int operator()() {
        ZBarcode_Clear(symbol_);
        symbol_->option_1 = option_1_;
        symbol_->option_2 = option_2_;
        symbol_->option_3 = option_3_;
        return ZBarcode_Encode(symbol_, reinterpret_cast<const unsigned char*>(data_.data()),
                               static_cast<int>(data_.size()));
    }
    const char* Error() const { return symbol_->errtxt; }
    int Width() const { return symbol_->width; }
    int Rows() const { return symbol_->rows; }

  private:
    std::string_view data_;
    zint_symbol* symbol_;
    int option_1_ = 0, option_2_ = 0, option_3_ = 0;
};

void register_matrix(Checked& checked) {
    for (const MatrixCase& c : kMatrixCases) {
        auto adapter = std::make_shared<MatrixAdapterCall>(c);
        const std::string adapter_name = std::string("matrix_adapter/") + c.name;
        checked.allocations[adapter_name] = allocations_per_call(*adapter);
        if (adapter->ResultSize() == 0) checked.problems.push_back(adapter_name + ": empty");
        benchmark::RegisterBenchmark(adapter_name.c_str(), [adapter](benchmark::State& state) {
            run_benchmark(state, *adapter);
        })->Unit(benchmark::kNanosecond);

        auto host = std::make_shared<MatrixHostCall>(c, adapter->ResultText());
        benchmark::RegisterBenchmark(
            (std::string("matrix_host/") + c.name).c_str(),
            [host](benchmark::State& state) { run_benchmark(state, *host); })
            ->Unit(benchmark::kNanosecond);

        auto encoder = std::make_shared<MatrixEncoderCall>(c);
        const std::string encoder_name = std::string("matrix_encoder/") + c.name;
        checked.allocations[encoder_name] = allocations_per_call(*encoder);
        benchmark::RegisterBenchmark(encoder_name.c_str(), [encoder](benchmark::State& state) {
            run_benchmark(state, *encoder);
        })->Unit(benchmark::kNanosecond);

        auto zint = std::make_shared<MatrixZintCall>(c, encoder->Matrix());
        const std::string zint_name = std::string("matrix_zint/") + c.name;
        if ((*zint)() >= ZINT_ERROR) {
            checked.problems.push_back(zint_name + ": " + zint->Error());
            continue;
        }
        // The same symbol's size: the comparison is of like with like.
        const ModuleMatrix& ours = encoder->Matrix();
        if (zint->Width() != ours.width || zint->Rows() != ours.height) {
            checked.problems.push_back(
                zint_name + ": zint's symbol is " + std::to_string(zint->Width()) + " x " +
                std::to_string(zint->Rows()) + ", ours " + std::to_string(ours.width) + " x " +
                std::to_string(ours.height));
        }
        checked.allocations[zint_name] = allocations_per_call(*zint);
        benchmark::RegisterBenchmark(zint_name.c_str(), [zint](benchmark::State& state) {
            run_benchmark(state, *zint);
        })->Unit(benchmark::kNanosecond);
    }
}

void print_matrix(const CollectingReporter& times, const Checked& checked, bool markdown) {
    std::vector<std::vector<std::string>> rows = {
        {"Symbol", "Data", "function call", "host", "encoder", "zint", "encoder/zint", "call/zint",
         "plug-in/zint", "allocs call", "allocs encoder", "allocs zint"}};
    std::vector<std::string> misses;
    for (const MatrixCase& c : kMatrixCases) {
        const std::string name = c.name;
        const auto call = times.Median("matrix_adapter/" + name);
        const auto host = times.Median("matrix_host/" + name);
        const auto encoder = times.Median("matrix_encoder/" + name);
        const auto zint = times.Median("matrix_zint/" + name);
        std::optional<double> own;
        if (call && host) own = *call - *host;
        auto ratio = [&](std::optional<double> ours, const char* what) {
            if (!ours || !zint) return std::string("-");
            char text[32];
            std::snprintf(text, sizeof text, "%.3f", *ours / *zint);
            if (*ours * 2 > *zint) misses.push_back(name + ": " + what + "/zint " + text);
            return std::string(text);
        };
        const std::string encoder_ratio = ratio(encoder, "encoder");
        const std::string call_ratio = ratio(call, "call");
        const std::string own_ratio = ratio(own, "plug-in");
        rows.push_back({name, std::to_string(c.data.size()) + " characters", format_ns(call),
                        format_ns(host), format_ns(encoder), format_ns(zint), encoder_ratio,
                        call_ratio, own_ratio, format_count(checked, "matrix_adapter/" + name),
                        format_count(checked, "matrix_encoder/" + name),
                        format_count(checked, "matrix_zint/" + name)});
    }
    std::printf(
        "\n2D symbols at their default settings, CPU time in ns per call: the function call "
        "through its adapter (the data and the settings as text parameters, the font text "
        "stored as the result); host: the SDK stand-in's share of it (the same host calls on "
        "the same texts), plug-in/zint: (call - host) / zint; the encoder alone (UTF-8 data "
        "into a module matrix); zint's ZBarcode_Clear and ZBarcode_Encode of the same symbol. "
        "Target: encoder, call and plug-in at most 0.5 of zint.\n\n");
    print_rows(rows, markdown);
    if (misses.empty()) std::printf("2D targets met.\n");
    for (const std::string& m : misses)
        std::printf("MISSED %s\n", m.c_str());
}

const Case* find_case(int id) {
    for (const Case& c : kCases)
        if (c.id == id) return &c;
    return nullptr;
}

// The calls alone, for instruction counts under callgrind (--toggle-collect=*run_calls*). One
// call before them, not counted, builds what is built once (per-thread buffers, the Limited
// tables), as the benchmarks' warm-up does.
template <typename F>
[[gnu::noinline]] void run_calls(F& call, long n) {
    for (long i = 0; i < n; ++i)
        benchmark::DoNotOptimize(call());
}

template <typename F>
void warm_then_run_calls(F& call, long n) {
    benchmark::DoNotOptimize(call());
    run_calls(call, n);
}

int calls_mode(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: orbx_bench --calls ID SIZE N [adapter|host|encoder|zint]\n");
        return 2;
    }
    const Case* c = find_case(std::atoi(argv[2]));
    if (c == nullptr) return 2;
    const std::string size = argv[3];
    const int length = size == "data" ? kRealistic : std::atoi(size.c_str());
    const long n = std::atol(argv[4]);
    const std::string path = argc > 5 ? argv[5] : "adapter";
    const std::string parameter = parameter_of(*c, length);
    if (path == "encoder") {
        EncoderCall call(*c, parameter);
        warm_then_run_calls(call, n);
    } else if (path == "zint") {
        ZintCall call(*c);
        warm_then_run_calls(call, n);
    } else if (path == "host") {
        EncoderCall encoder(*c, parameter);
        encoder();
        HostCall call(*c, parameter, encoder.Result());
        warm_then_run_calls(call, n);
    } else {
        AdapterCall call(*c, parameter);
        warm_then_run_calls(call, n);
    }
    return 0;
}

}  // namespace

}  // namespace orbx::bench

int main(int argc, char** argv) {
    using namespace orbx::bench;
    if (argc > 1 && std::strcmp(argv[1], "--calls") == 0) return calls_mode(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--cases") == 0) {
        for (const Case& c : kCases) {
            const std::vector<int> lengths = lengths_of(c);
            std::printf("%d %s %d %s%s\n", c.id, function_name(c).c_str(),
                        lengths.empty() ? 0 : lengths.back(), has_encoder(c) ? "encoder" : "-",
                        c.zint.symbology != 0 ? " zint" : "");
        }
        return 0;
    }

    bool markdown = false;
    bool min_time_given = false;
    bool repetitions_given = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--markdown") == 0) {
            markdown = true;
            continue;
        }
        if (std::strncmp(argv[i], "--benchmark_min_time", 20) == 0) min_time_given = true;
        if (std::strncmp(argv[i], "--benchmark_repetitions", 23) == 0) repetitions_given = true;
        args.push_back(argv[i]);
    }
    // Short runs, repeated: the median of three resists a neighbour's burst of load better than
    // one long run.
    char min_time[] = "--benchmark_min_time=0.1";
    char repetitions[] = "--benchmark_repetitions=3";
    if (!min_time_given) args.push_back(min_time);
    if (!repetitions_given) args.push_back(repetitions);
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 2;

    Checked checked;
    for (const Case& c : kCases)
        register_case(c, checked);
    register_pictures(checked);
    register_matrix(checked);
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    print_table(reporter, checked, markdown);
    print_pictures(reporter, checked, markdown);
    print_matrix(reporter, checked, markdown);
    benchmark::Shutdown();
    return 0;
}
