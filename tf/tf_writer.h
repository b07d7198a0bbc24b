#pragma once
// Writing TF trees in either encoding. The same tree always gives the same
// bytes, and what is written reads back to the same tree.

#include <string>

#include "tf/tf_doc.h"

namespace tk {

// The binary encoding of the tree under `root` (its children are the file's
// top-level items). False with a reason when the tree does not fit the format.
bool TF_WriteBinary(const TF_Node* root, std::string* out, std::string* error);

// The text encoding. False with a reason for a tree that the text grammar
// cannot carry (a name with a blank, a string with a line break, an empty
// value, a type code without a keyword).
bool TF_WriteText(const TF_Node* root, std::string* out, std::string* error);

// Writes the document in `encoding` (0 binary, 1 text) to `path` through a
// temporary file that replaces `path` only when complete, so a failure never
// leaves a half-written file. False with a reason.
bool TF_SaveFile(const TF_Doc* doc, const char* path, int encoding, std::string* error);

}  // namespace tk
