#pragma once
// A bound on how deeply a shader nests its brackets. The HLSL front end parses
// by recursive descent, one run of calls per level of (), [] or {}; its
// preprocessor evaluates "#if" expressions the same way and expands macro
// calls nested in macro arguments level by level: a source nesting tens of
// thousands of levels overflows the stack or exhausts memory. Real shaders
// nest a few dozen levels at most; sources beyond the limit are refused with a
// message before they reach the compiler.

#include <string>

namespace tk {

// Levels of (), [] and {} together that a shader may nest.
constexpr int kMaxHlslNesting = 128;

// What a check looks at.
enum class HlslNestingScope {
  Preprocessed,  // the code; directives only say which file and line follow
  AsWritten,     // the code, and the expression of each preprocessor directive on its own
};

// Checks `text`; comments and strings hold no brackets. False with
// "FILE:LINE: brackets nest deeper than 128 levels" in `error` at the first
// bracket past the limit; `path` names the file until a "#line" directive of
// preprocessed source says otherwise.
bool checkHlslNesting(const std::string& text, const std::string& path, HlslNestingScope scope, std::string* error);

}  // namespace tk
