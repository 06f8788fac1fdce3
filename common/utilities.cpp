#include "common/utilities.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

namespace orbx {

namespace {

struct MidRing {
    std::array<std::array<char, kMidSlotChars + 1>, kMidSlots> slots{};
    int cursor = kMidSlots - 1;
};

// Each thread has its own ring, so concurrent evaluations on a server never share a slot while
// every thread keeps the 64-call lifetime that callers rely on.
MidRing& ring() {
    thread_local MidRing r;
    return r;
}

}  // namespace

char* mid(const char* text, int start, int length) {
    MidRing& r = ring();
    r.cursor = (r.cursor + 1) % kMidSlots;
    char* slot = r.slots[static_cast<std::size_t>(r.cursor)].data();
    slot[0] = '\0';
    if (text == nullptr || start < 1) return slot;

    const int limit = std::clamp(length, 0, kMidSlotChars);
    // Walk to the start without measuring the whole text: the ring is used once per character.
    const char* p = text;
    for (int i = 1; i < start; ++i) {
        if (*p == '\0') return slot;
        ++p;
    }
    int n = 0;
    while (n < limit && p[n] != '\0') {
        slot[n] = p[n];
        ++n;
    }
    slot[n] = '\0';
    return slot;
}

int asc(const char* text) {
    return text == nullptr ? 0 : code_at(text, 0);
}

int asc(const std::string& text) {
    return text.empty() ? 0 : code_at(text.data(), 0);
}

bool isNumeric(const std::string& text) {
    if (text.empty()) return false;
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return isNumeric(static_cast<unsigned char>(c)); });
}

char* strupr(char* text) {
    if (text == nullptr) return text;
    for (char* p = text; *p != '\0'; ++p) {
        if (*p >= 'a' && *p <= 'z') *p = static_cast<char>(*p - 32);
    }
    return text;
}

char* strrev(char* text) {
    if (text == nullptr) return text;
    std::reverse(text, text + std::strlen(text));
    return text;
}

std::string Replace(std::string s, char from, char to) {
    std::string result;
    result.reserve(s.size());
    for (char c : s) {
        if (c != from) {
            result += c;
        } else if (to != '\0') {
            result += to;
        }
    }
    return result;
}

std::string PadLeft(std::string s, int width, char fill) {
    if (width <= 0 || s.size() >= static_cast<std::size_t>(width)) return s;
    s.insert(0, static_cast<std::size_t>(width) - s.size(), fill);
    return s;
}

std::string Reverse(std::string s) {
    std::reverse(s.begin(), s.end());
    return s;
}

long LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    long value = 0;
    for (; i < text.size() && isNumeric(static_cast<unsigned char>(text[i])); ++i) {
        const int digit = text[i] - '0';
        if (value > (LONG_MAX - digit) / 10) return negative ? LONG_MIN : LONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

}  // namespace orbx
