#include <zlib.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "picture/encode.h"

namespace orbx::picture {

namespace {

// The per-thread compressor: its state (some 256 KB) is made once and reset for each picture.
// Run-length matching: the filtered rows of bars are runs of zeros, which it finds at once.
struct Compressor {
    z_stream stream{};
    bool ready = false;
    Compressor() { ready = deflateInit2(&stream, 1, Z_DEFLATED, 15, 8, Z_RLE) == Z_OK; }
    ~Compressor() {
        if (ready) deflateEnd(&stream);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};

Compressor& compressor() {
    thread_local Compressor c;
    return c;
}

void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    out.push_back(static_cast<unsigned char>(v >> 24));
    out.push_back(static_cast<unsigned char>(v >> 16));
    out.push_back(static_cast<unsigned char>(v >> 8));
    out.push_back(static_cast<unsigned char>(v));
}

void set32(unsigned char* at, std::uint32_t v) {
    at[0] = static_cast<unsigned char>(v >> 24);
    at[1] = static_cast<unsigned char>(v >> 16);
    at[2] = static_cast<unsigned char>(v >> 8);
    at[3] = static_cast<unsigned char>(v);
}

// A chunk whose data `fill` appends: length, type, data, then the CRC of type and data.
template <typename F>
bool chunk(std::vector<unsigned char>& out, const char (&type)[5], F fill) {
    const std::size_t start = out.size();
    put32(out, 0);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(type[i]));
    if (!fill()) return false;
    const std::size_t length = out.size() - start - 8;
    set32(out.data() + start, static_cast<std::uint32_t>(length));
    const uLong crc =
        crc32(crc32(0L, Z_NULL, 0), out.data() + start + 4, static_cast<uInt>(length + 4));
    put32(out, static_cast<std::uint32_t>(crc));
    return true;
}

constexpr std::array<unsigned char, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

}  // namespace

bool AppendDeflated(const unsigned char* in, std::size_t size, std::vector<unsigned char>& out) {
    Compressor& c = compressor();
    if (!c.ready || deflateReset(&c.stream) != Z_OK) return false;
    const std::size_t start = out.size();
    out.resize(start + deflateBound(&c.stream, static_cast<uLong>(size)));
    c.stream.next_in = const_cast<unsigned char*>(in);
    c.stream.avail_in = static_cast<uInt>(size);
    c.stream.next_out = out.data() + start;
    c.stream.avail_out = static_cast<uInt>(out.size() - start);
    const int status = deflate(&c.stream, Z_FINISH);
    out.resize(start + c.stream.total_out);
    return status == Z_STREAM_END;
}

bool WritePng(Raster& raster, int dpi, std::vector<unsigned char>& png) {
    // Each row less the row above it, from the last row up, so that each subtracts an
    // unfiltered row: filter type 2 ("up").
    for (int y = raster.height - 1; y >= 1; --y) {
        unsigned char* row = raster.rows.data() + static_cast<std::size_t>(y) * raster.stride;
        const unsigned char* above = row - raster.stride;
        row[0] = 2;
        // The rows of the bars repeat: each becomes zeros.
        if (std::memcmp(row + 1, above + 1, raster.stride - 1) == 0) {
            std::memset(row + 1, 0, raster.stride - 1);
            continue;
        }
        for (std::size_t i = 1; i < raster.stride; ++i)
            row[i] = static_cast<unsigned char>(row[i] - above[i]);
    }
    png.resize(kSignature.size());
    std::memcpy(png.data(), kSignature.data(), kSignature.size());
    chunk(png, "IHDR", [&] {
        put32(png, static_cast<std::uint32_t>(raster.width));
        put32(png, static_cast<std::uint32_t>(raster.height));
        // Bit depth 1, greyscale, deflate, adaptive filtering, no interlace.
        for (unsigned char b : {1, 0, 0, 0, 0})
            png.push_back(b);
        return true;
    });
    // Pixels per metre, both ways.
    const auto per_metre = static_cast<std::uint32_t>(std::lround(dpi / 0.0254));
    chunk(png, "pHYs", [&] {
        put32(png, per_metre);
        put32(png, per_metre);
        png.push_back(1);
        return true;
    });
    if (!chunk(png, "IDAT",
               [&] { return AppendDeflated(raster.rows.data(), raster.rows.size(), png); })) {
        return false;
    }
    chunk(png, "IEND", [] { return true; });
    return true;
}

}  // namespace orbx::picture
