#pragma once
// A bound on how deeply a shader nests its brackets. The HLSL front end parses
// by recursive descent, one run of calls per level of (), [] or {}: a source
// nesting tens of thousands of levels overflows the stack. Real shaders nest a
// few dozen levels at most; sources beyond the limit are refused with a message
// before they reach the compiler.

#include <string>

namespace tk {

// Levels of (), [] and {} together that a shader may nest.
constexpr int kMaxHlslNesting = 128;

// Checks `text` (preprocessed source: "#line" directives may say which file and
// line follows; comments, strings and other directives are skipped). False
// with "FILE:LINE: brackets nest deeper than 128 levels" in `error` at the
// first bracket past the limit; `path` names the file until a directive says
// otherwise.
bool checkHlslNesting(const std::string& text, const std::string& path, std::string* error);

}  // namespace tk
