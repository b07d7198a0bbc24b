#pragma once
// Which colour and transparency statements each material of an MTL text
// states. The parser fills absent values with its own defaults; the display
// library's defaults differ, so the mapping needs to know what was written.

#include <string>
#include <vector>

namespace tk {

enum MtlStatement : unsigned {
  kMtlAmbient = 1u << 0,    // Ka
  kMtlDiffuse = 1u << 1,    // Kd
  kMtlSpecular = 1u << 2,   // Ks
  kMtlEmissive = 1u << 3,   // Ke
  kMtlShininess = 1u << 4,  // Ns
  kMtlDissolve = 1u << 5,   // d
  kMtlFilter = 1u << 6,     // Tf
  kMtlEverything = 0x7Fu,
};

// One entry per material the parser makes of `text`, in its order: a block per
// "newmtl" line with a name, and always the last block (as the parser keeps
// it). Each entry is a mask of MtlStatement.
std::vector<unsigned> scanMtlStatements(const std::string& text);

}  // namespace tk
