// Fuzz target: the tilde processors, the human-readable lines and the Code 128 encoders
// directly, with output buffers of exactly the capacity they are given (so a write past it is
// an AddressSanitizer report). The Universal tilde processor is also compared with a plain
// transcription of its rules.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "common/check_digits.h"
#include "common/status.h"
#include "encoders/code128/code128.h"
#include "encoders/code128/code128_sets.h"
#include "encoders/databar/databar.h"
#include "encoders/databar/databar_expanded.h"
#include "encoders/databar/databar_expanded_encodation.h"
#include "encoders/universal/uni_code128.h"
#include "encoders/universal/uni_code128_sets.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool digit(char c) {
    return c >= '0' && c <= '9';
}

// The Universal tilde escapes as the rules state them, walking back over the result for ~mNN.
std::string reference_universal_tilde(const std::string& d) {
    const std::size_t n = d.size();
    std::string r;
    std::size_t i = 0;
    while (i < n) {
        if (i + 2 < n && d[i] == '~' && d[i + 1] == 'm') {
            const std::string k_text = d.substr(i + 2, 2);
            bool all = true;
            for (char c : k_text)
                all = all && digit(c);
            if (all) {
                const std::size_t k = static_cast<std::size_t>(std::atoi(k_text.c_str()));
                std::string collected;
                for (std::size_t j = r.size(); j > 0 && collected.size() < k; --j) {
                    if (digit(r[j - 1])) collected.insert(collected.begin(), r[j - 1]);
                }
                r += orbx::FindMod10Digit(collected);
                i += 4;
                continue;
            }
        }
        if (i + 2 < n && d[i] == '~') {
            const std::string digits = d.substr(i + 1, 3);
            bool all = true;
            for (char c : digits)
                all = all && digit(c);
            if (all) {
                r += static_cast<char>(std::atoi(digits.c_str()) % 256);
                i += 4;
                continue;
            }
        }
        r += d[i++];
    }
    return r;
}

// Runs an encoder on a copy of the data with an output buffer of exactly `capacity` bytes;
// returns the status and what was written.
template <typename Encode>
int run(const std::string& data, long capacity, std::string& written, Encode encode,
        std::string_view failure_text = {}) {
    std::vector<char> in(data.begin(), data.end());
    in.push_back('\0');
    std::vector<char> out(static_cast<std::size_t>(capacity), '\0');
    const int status = encode(in.data(), out.data(), capacity);
    written.assign(out.data(), strnlen(out.data(), out.size()));
    // A result is either whole and terminated inside the buffer, or nothing at all.
    if (status == orbx::kStatusOk) {
        check(written.size() < static_cast<std::size_t>(capacity));
    } else {
        check(written.empty() || written == failure_text);
    }
    return status;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 2) return 0;
    // The first byte picks the output capacity; the rest, up to a zero byte, is the data.
    const long capacity = 1 + static_cast<long>(bytes[0]) * 9;
    std::string data(reinterpret_cast<const char*>(bytes + 1), size - 1);
    data = data.substr(0, data.find('\0'));

    const std::string text = orbx::Code128ProcessTilde(data);
    check(text.size() <= data.size());
    if (data.find('~') == std::string::npos) check(text == data);

    const std::string universal = orbx::Orbelantrix_Universal_ProcessTilde(data);
    check(universal == reference_universal_tilde(data));

    std::string first;
    std::string again;
    for (long tilde : {0L, 1L}) {
        run(data, capacity, first, [tilde](char* d, char* o, long c) {
            return orbx::Orbelantrix_Code128HumanReadable(d, tilde, o, c);
        });
        run(data, capacity, again, [tilde](char* d, char* o, long c) {
            return orbx::Orbelantrix_Code128HumanReadable(d, tilde, o, c);
        });
        check(first == again);
        run(data, capacity, first, [tilde](char* d, char* o, long c) {
            return orbx::Orbelantrix_Universal_C128HR(d, tilde, o, c);
        });
        run(data, capacity, first, [tilde](char* d, char* o, long c) {
            return orbx::Orbelantrix_Code128(d, tilde, o, c);
        });
        run(data, capacity, first, [tilde](char* d, char* o, long c) {
            return orbx::Orbelantrix_Universal_C128(d, tilde, o, c);
        });
    }
    // DataBar Expanded: the binary data string is whole 12-bit data characters (3 to 21 of
    // them) or empty when they do not fit, and the symbol is whole, or the message "Data out of
    // range." with status 1.
    const int segs = orbx::NormaliseDataBarExpandedSegments(static_cast<long>(bytes[0]) - 100);
    const std::string normalised = orbx::VerifyUserData(data, "Databar Expanded");
    const std::string binary = orbx::GetDatabarExpandedBinaryString(normalised, segs);
    if (!binary.empty()) {
        check(binary.size() % 12 == 0 && binary.size() >= 36 && binary.size() <= 252);
        check(binary.find_first_not_of("01") == std::string::npos);
    }
    const auto expanded = [segs](char* d, char* o, long c) {
        return orbx::Orbelantrix_DataBar_DataBarExpanded(d, segs, o, c);
    };
    const int status = run(data, 20480, first, expanded, orbx::kDataBarExpandedOutOfRange);
    check(status == orbx::kStatusOk || data.empty() ||
          (binary.empty() && first == orbx::kDataBarExpandedOutOfRange));
    run(data, capacity, again, expanded, orbx::kDataBarExpandedOutOfRange);

    run(data, capacity, first, orbx::Orbelantrix_UCC128);
    run(data, capacity, first, orbx::Orbelantrix_Universal_UCC128);
    run(data, capacity, first, orbx::Orbelantrix_Code128a);
    run(data, capacity, first, orbx::Orbelantrix_Code128c);
    run(data, capacity, first, orbx::Orbelantrix_Universal_C128B);
    run(data, capacity, first, orbx::Orbelantrix_Universal_C128C);
    return 0;
}
