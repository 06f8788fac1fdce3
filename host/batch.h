// `orbx --batch`: evaluates one calculation per input line, NAME<TAB>PARAMETER, and writes one
// result line each, with the batch escapes (\\, \t, \n, \r, \uXXXX) in parameters and results.
// A function that takes more than one parameter reads its further parameters from further
// tab-separated fields; a container result's line says what it holds.
#pragma once

#include <cstdio>
#include <string>

namespace orbx::host {

// Reads lines from `in` until its end and writes the results to `out`: the result text in UTF-8
// with the line-breaking characters escaped, or with `codes` its UTF-16 units as decimal numbers.
// A line without a tab calls the function without a parameter. Throws HostError for a malformed
// escape or an unknown function name, naming the line; the results of the lines before it may
// then be partly written. With a `folder`, the content of each container result is written
// there as a file named by the line's number and the container's file name ("7-Code128.png").
void RunBatch(std::FILE* in, std::FILE* out, bool codes, const std::string& folder = {});

}  // namespace orbx::host
