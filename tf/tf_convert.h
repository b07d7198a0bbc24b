#pragma once
// Converting TF files between the two encodings.

#include <string>

#include "tf/tf_doc.h"

namespace tk {

// Loads a TF file for a tool, printing why when the reader itself stays silent
// (a file that cannot be read or is empty). None on failure.
TF_Doc* tkLoadTfReporting(const char* path);

// Reads `input` in either encoding and writes it to `output` in `encoding`
// (0 binary, 1 text). Prints "Wrote '<output>'" or the reason it failed; a
// failed conversion leaves no output file behind.
bool tkConvertTf(const char* input, const char* output, int encoding);

// Where the binary conversion of a scene goes: ".tscn" at the end of the name
// becomes ".bin.tscn"; a name without it gets ".bin" appended. Never the input.
std::string tkBinarySceneName(const std::string& input);

// The binary conversion of a scene file, written beside it.
bool tkConvertSceneToBinary(const std::string& input);

}  // namespace tk
