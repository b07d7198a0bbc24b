#pragma once
// Effect records of a scene ("Effect" inside a surface, emitter, camera shader
// or render parameter) evaluated at a sample position, as the effect values
// the effect, camera effect and emitter operations take.

#include "api/effect_values.h"
#include "tf/tf_doc.h"

namespace tk {

// The kind of a parameter record, from its "value": an array or three "FP"
// floats a vector, another "FP" or an "FP_C" value a float, "I4"/"U4" an
// integer, "STR" a texture; none without a value.
EffectValueKind effectParameterKind(const TF_Node* parameter);

// Fills `values` from the effect record at sample position p: its file, its
// compile flags and its first kEffectValueSlots parameters in file order.
// A missing record gives empty values.
void evaluateEffectRecord(const TF_Node* effect, float p, EffectValues* values);

}  // namespace tk
