#pragma once
// Comparing TF trees item by item: names, kinds, types, counts and data bytes.

#include <string>

#include "tf/tf_doc.h"

namespace tk {

// True when both trees hold the same items in the same order. Otherwise false,
// and `difference` (when given) names the first item that differs.
bool TF_SameTree(const TF_Node* a, const TF_Node* b, std::string* difference = nullptr);

}  // namespace tk
