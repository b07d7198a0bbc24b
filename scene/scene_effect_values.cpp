#include "scene/scene_effect_values.h"

#include <algorithm>

#include "scene/scene_values.h"

namespace tk {
namespace {

void evaluateParameter(const TF_Node* record, float p, EffectValueParameter* entry) {
  *entry = EffectValueParameter();
  entry->name = record->name ? record->name : "";
  entry->kind = effectParameterKind(record);
  const TF_Node* value = TF_Find(record, "value");
  switch (entry->kind) {
    case kEffectValueVector: {
      TF_Vec3 v = lerp3OrZero(value, p);
      entry->value.floats[0] = v.x;
      entry->value.floats[1] = v.y;
      entry->value.floats[2] = v.z;
      break;
    }
    case kEffectValueFloat: entry->value.floats[0] = lerpOrZero(value, p); break;
    case kEffectValueInteger: entry->value.integer = TF_Int(value, 0); break;
    case kEffectValueTexture:
      entry->texture = TF_Str(value, "");
      entry->colorSpace = TF_Int(TF_Find(record, "img_colorspace"), 0);
      entry->reference = TF_Int(TF_Find(record, "img_reference"), 0);
      break;
    default: break;
  }
}

}  // namespace

EffectValueKind effectParameterKind(const TF_Node* parameter) {
  const TF_Node* value = TF_Find(parameter, "value");
  if (!value) return kEffectValueNone;
  if (value->kind == TF_ARRAY) return kEffectValueVector;
  if (value->kind != TF_VALUE) return kEffectValueNone;
  switch (value->type) {
    case TF_FP: return value->count == 3 ? kEffectValueVector : kEffectValueFloat;
    case TF_FP_C: return kEffectValueFloat;
    case TF_I4:
    case TF_U4: return kEffectValueInteger;
    case TF_STR: return kEffectValueTexture;
    default: return kEffectValueNone;
  }
}

void evaluateEffectRecord(const TF_Node* effect, float p, EffectValues* values) {
  values->file = TF_Str(TF_Find(effect, "filename"), "");
  values->compileFlags = TF_Str(TF_Find(effect, "cflags"), "");
  values->count = 0;
  const TF_Node* list = TF_Find(effect, "Parameters");
  if (!list || list->kind != TF_RECORD) return;
  int count = static_cast<int>(std::min<uint32_t>(list->count, kEffectValueSlots));
  for (int i = 0; i < count; ++i) evaluateParameter(list->children[i], p, &values->parameters[i]);
  values->count = count;
}

}  // namespace tk
