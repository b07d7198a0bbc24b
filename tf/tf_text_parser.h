#pragma once
// The line-oriented text encoding of TF files.

#include "tf/tf_doc.h"
#include "tf/tf_tree_builder.h"

namespace tk {

// Parses [begin, end) into the builder; names and data are copied into
// `storage`. Prints the reason and returns false on a malformed file.
bool parseTfText(const char* begin, const char* end, TfTreeBuilder& builder, TfArena& storage);

}  // namespace tk
