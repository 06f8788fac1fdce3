#include "plugin/options.h"

#include <cstring>

#include "common/utilities.h"

namespace orbx {

namespace {

bool is_space(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Skips white space and reads the sign; returns the first character after them.
const char* skip_sign(const char* p, bool& negative) {
    while (is_space(*p))
        ++p;
    negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    return p;
}

}  // namespace

OptionFields SplitSingleOption(char* parameter) {
    OptionFields options;
    char* bar = std::strchr(parameter, '|');
    if (bar == nullptr) return options;
    *bar = '\0';
    char* field = bar + 1;
    if (char* next = std::strchr(field, '|')) *next = '\0';
    options.field[0] = field;
    options.count = 1;
    return options;
}

OptionFields SplitCountedOptions(char* parameter, int max_fields) {
    OptionFields options;
    int counted = 0;
    for (const char* p = parameter; *p != '\0'; ++p) {
        if (*p == '|' && p[1] != '\0' && p[1] != '|') ++counted;
    }
    const int fields = counted < max_fields ? counted : max_fields;
    char* bar = std::strchr(parameter, '|');
    if (bar == nullptr) return options;
    *bar = '\0';
    for (int i = 0; i < fields && bar != nullptr; ++i) {
        char* field = bar + 1;
        bar = std::strchr(field, '|');
        if (bar != nullptr) *bar = '\0';
        options.field[i] = field;
        options.count = i + 1;
    }
    return options;
}

const char* OptionText(const OptionFields& options, int index) {
    if (index < 0 || index >= options.count || options.field[index] == nullptr) return nullptr;
    return options.field[index][0] == '\0' ? nullptr : options.field[index];
}

long ParseLeadingLong(const char* text) {
    return LeadingNumber(text);
}

double ParseLeadingDecimal(const char* text) {
    bool negative = false;
    const char* p = skip_sign(text, negative);
    // All digits form one integer mantissa and the fraction digits one power of ten: for the
    // short texts users type, both are exact and the one division rounds correctly.
    double mantissa = 0.0;
    int fraction_digits = 0;
    for (; isNumeric(*p); ++p)
        mantissa = mantissa * 10.0 + (*p - '0');
    if (*p == '.') {
        // Digits past the twentieth cannot change a single-precision ratio.
        for (++p; isNumeric(*p) && fraction_digits < 20; ++p, ++fraction_digits) {
            mantissa = mantissa * 10.0 + (*p - '0');
        }
    }
    double scale = 1.0;
    for (int i = 0; i < fraction_digits; ++i)
        scale *= 10.0;
    const double value = mantissa / scale;
    return negative ? -value : value;
}

long LongOption(const OptionFields& options, int index, long default_value) {
    const char* text = OptionText(options, index);
    return text == nullptr ? default_value : ParseLeadingLong(text);
}

double RatioOption(const OptionFields& options, int index, double default_value) {
    const char* text = OptionText(options, index);
    if (text == nullptr) return default_value;
    return static_cast<double>(static_cast<float>(ParseLeadingDecimal(text)));
}

}  // namespace orbx
