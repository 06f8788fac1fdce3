// `orbx --batch`: evaluates one calculation per input line, NAME<TAB>PARAMETER, and writes one
// result line each, with the batch escapes (\\, \t, \n, \r, \uXXXX) in parameters and results.
#pragma once

#include <cstdio>

namespace orbx::host {

// Reads lines from `in` until its end and writes the results to `out`: the result text in UTF-8
// with the line-breaking characters escaped, or with `codes` its UTF-16 units as decimal numbers.
// A line without a tab calls the function without a parameter. Throws HostError for a malformed
// escape or an unknown function name, naming the line; the results of the lines before it may
// then be partly written.
void RunBatch(std::FILE* in, std::FILE* out, bool codes);

}  // namespace orbx::host
