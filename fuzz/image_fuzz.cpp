// Fuzz target: the picture function through its real adapter, with the host's own objects. The
// first byte picks the symbology (the 33 symbol functions' and the three 2D symbols), the bytes up
// to the first 0x00 are the settings text, the rest the data's UTF-16 units. Besides crashes and
// sanitizer reports it checks that a picture stays within 10,000 pixels a side, that its container
// holds the streams it should, that the adapter releases every host object, and that the same call
// gives the same picture.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "FMWrapper/FMXBinaryData.h"
#include "FMWrapper/FMXData.h"
#include "FMWrapper/FMXText.h"
#include "host_api/fmx_host.h"
#include "picture/matrix.h"
#include "picture/settings.h"
#include "picture/symbology.h"
#include "plugin/image.h"

namespace {

std::vector<unsigned char> picture(const std::u16string& name, const std::u16string& data,
                                   const std::u16string& settings, int& width, int& height) {
    fmx::DataVectUniquePtr parms;
    fmxhost::PushTextParameter(*parms, name);
    fmxhost::PushTextParameter(*parms, data);
    fmxhost::PushTextParameter(*parms, settings);
    fmx::DataUniquePtr result;
    if (orbx::Do_Orbx_Image(37, fmxhost::Environment(), *parms, *result) != 0) std::abort();
    const fmx::BinaryData& binary = result->GetBinaryData();
    std::vector<unsigned char> first;
    width = height = 0;
    if (binary.GetCount() == 0) {
        if (result->GetAsText().GetSize() != 0) std::abort();  // no picture: the empty text
        return first;
    }
    short w = 0;
    short h = 0;
    if (binary.GetSIZEData(w, h) != 0 || w < 1 || h < 1) std::abort();
    width = w;
    height = h;
    first.resize(binary.GetSize(0));
    if (binary.GetData(0, 0, static_cast<fmx::uint32>(first.size()), first.data()) != 0) {
        std::abort();
    }
    return first;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 1) return 0;
    const auto symbologies = orbx::picture::Symbologies();
    const orbx::picture::Symbology& s = symbologies[bytes[0] % symbologies.size()];
    std::u16string name(s.name.begin(), s.name.end());
    std::size_t i = 1;
    std::u16string settings;
    while (i < size && bytes[i] != 0)
        settings += static_cast<char16_t>(bytes[i++]);
    ++i;
    std::u16string data;
    for (; i + 1 < size; i += 2)
        data += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));

    // The settings parser on its own: every value within its range.
    std::string text(settings.begin(), settings.end());
    const orbx::picture::Settings parsed = orbx::picture::ParseSettings(text);
    if (parsed.dpi < orbx::picture::kMinDpi || parsed.dpi > orbx::picture::kMaxDpi ||
        parsed.module_mm < 0 || parsed.module_mm > orbx::picture::kMaxModuleMm ||
        parsed.height_mm < 0 || parsed.height_mm > orbx::picture::kMaxHeightMm) {
        std::abort();
    }

    // And the 2D symbols' settings: what they read is within each option's range.
    orbx::picture::MatrixOptions o;
    if (s.matrix != orbx::picture::Matrix::none &&
        orbx::picture::ParseMatrixSettings(s.matrix, text, o)) {
        const std::string_view levels = "LMQH";
        if (levels.find(o.qr_code.ecc) == std::string_view::npos || o.qr_code.version < 0 ||
            o.qr_code.version > 40 || o.data_matrix.rows < 0 || o.data_matrix.rows > 144 ||
            o.data_matrix.columns < 0 || o.data_matrix.columns > 144 || o.pdf417.ecc < -1 ||
            o.pdf417.ecc > 8 || o.pdf417.columns < 0 || o.pdf417.columns > 30) {
            std::abort();
        }
    }

    const long live = fmxhost::LiveObjects();
    int width = 0;
    int height = 0;
    const std::vector<unsigned char> first = picture(name, data, settings, width, height);
    if (fmxhost::LiveObjects() != live) std::abort();
    if (first.empty()) return 0;
    if (width > orbx::picture::kMaxSide || height > orbx::picture::kMaxSide) std::abort();
    const char* magic = parsed.format == orbx::picture::Format::pdf ? "%PDF" : "\x89PNG";
    if (first.size() < 4 || std::memcmp(first.data(), magic, 4) != 0) std::abort();
    int w2 = 0;
    int h2 = 0;
    if (picture(name, data, settings, w2, h2) != first || w2 != width || h2 != height) {
        std::abort();
    }
    return 0;
}
