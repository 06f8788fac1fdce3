// The options a user appends to the data after vertical bars: data|option1|option2|option3.
#pragma once

namespace orbx {

inline constexpr int kMaxOptions = 3;

// Option fields split out of the adapter's data string in place; a field is zero-terminated
// text, and fields beyond `count` were not read.
struct OptionFields {
    char* field[kMaxOptions] = {};
    int count = 0;
};

// Single option: the data ends at the first "|", option 1 runs to the next "|" or the end.
OptionFields SplitSingleOption(char* parameter);

// Counted options: as many fields are read as there are "|" that are neither the last character
// nor followed by another "|", at most `max_fields`; the fields run from one "|" to the next.
OptionFields SplitCountedOptions(char* parameter, int max_fields);

// A field that was read and is not empty, or null.
const char* OptionText(const OptionFields& options, int index);

// Number read from the start of a field: leading white space, a sign, digits; the rest of the
// field is ignored, and a field that does not start with a number reads as 0. An empty or
// unread field gives the default.
long LongOption(const OptionFields& options, int index, long default_value);

// The wide-to-narrow ratio: as LongOption, with a decimal point and fraction digits, kept in
// single precision as the host's conversion keeps it.
double RatioOption(const OptionFields& options, int index, double default_value);

long ParseLeadingLong(const char* text);
double ParseLeadingDecimal(const char* text);

}  // namespace orbx
