#pragma once
// Binds: objects that recognise a shader constant's semantic and compute its
// value from the engine's state each time a pass is applied. An effect asks
// every bind of the effect manager, in list order, when it is built; the first
// that answers feeds the constant from then on through the function it gave.

#include <irrlicht.h>

#include <string>

#include "effects/shaders/shader_constant_table.h"

namespace tk {

struct STkMaterialContext;
struct STkFxConstBind;
class ITkEffectBind;

// Called for every application of a pass with the upload services (the
// display library's material renderer services), the descriptor and the two
// integers the bind stored with it.
using TkBindFunction = void (*)(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                const STkFxConstBind& constant, const int privateData[2]);

enum : int { kBindAnswered = 0, kBindNotAnswered = -1 };
enum : int { kBindFlagAnswers = 4 };

struct STkBindResult {
  TkBindFunction function = nullptr;
  int flags = 0;
  int status = kBindNotAnswered;
};

// One used constant of one shader of a pass.
struct STkFxConstBind {
  int stage = 0;  // 2 vertex, 4 pixel
  int type = 0;   // parameter type code 1 to 7
  std::string name;
  std::string semantic;
  float* value = nullptr;  // the effect's stored 16 floats of the parameter
  int parameter = -1;      // the parameter's index in its effect
  int floatCount = 0;
  // The constant's place in its stage's block. Registers are 16-byte slots from
  // the block's start: a constant that fills whole slots has a first register
  // and a register count; one packed with neighbours (a float, float2 or float3
  // inside a slot) has register -1 and is written on the name route only.
  int registerIndex = -1;
  int registerCount = 0;
  STkShaderConstant constant;  // as reflected; what the name route writes into
  ITkEffectBind* bind = nullptr;
  TkBindFunction function = nullptr;
  int flags = 0;
  int privateData[2] = {0, 0};
};

// Records where the reflected constant lives: its copy, and its registers when
// it fills whole 16-byte slots.
void placeConstant(STkFxConstBind* constant, const STkShaderConstant& reflected);

class ITkEffectBind : public virtual irr::IReferenceCounted {
 public:
  // Once per application of a pass, before any of its constants; false stops
  // the pass's constant update.
  virtual bool onSetMaterial(const STkMaterialContext* context) { (void)context; return true; }
  // A function for the descriptor, or a result with status kBindNotAnswered.
  // `privateData` is stored with the descriptor and handed back at every call.
  virtual STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) = 0;
};

// Upload services that write a constant resolved when the effect was built
// (the engine's material renderer). Other services are written by name.
class ITkResolvedConstantServices {
 public:
  virtual ~ITkResolvedConstantServices() = default;
  virtual void setResolvedConstant(int stage, const STkShaderConstant& constant, const float* values, int count) = 0;
};

// Upload helpers shared by the binds. Engine matrices are row by row with the
// translation in elements 12 to 14; the name route writes them in storage
// order, the register route transposed (both leave the same matrix in the shader).
void uploadByName(irr::video::IMaterialRendererServices* services, const STkFxConstBind& constant,
                  const float* values, int count);
// Writes a named member of the constant's stage (for structure members such
// as "LightParams[1].LightColor").
void uploadMemberByName(irr::video::IMaterialRendererServices* services, int stage, const char* name,
                        const float* values, int count);
// Writes whole registers from `firstRegister` on.
void uploadByRegister(irr::video::IMaterialRendererServices* services, int stage, const float* values,
                      int firstRegister, int registerCount);
// A matrix on the descriptor's route: by register when it has registers.
void uploadMatrix(irr::video::IMaterialRendererServices* services, const STkFxConstBind& constant,
                  const float* matrix16);
// The transpose of a row-by-row 4x4 matrix.
void transposeMatrix(const float* in16, float* out16);

}  // namespace tk
