#pragma once
// What an effect pass draws with: the display library's material plus the
// layers that library cannot hold (8 pixel and 4 vertex texture layers with
// their sRGB choice) and the depth comparison "never". Drawing code ties a
// material to the effect, technique and pass it came from with a material
// context; the material's second type parameter carries the context's number.

#include <irrlicht.h>

#include <cstdint>
#include <vector>

namespace tk {

class CTkEffect;
class CTkEngineTexture;

constexpr int kPixelLayerCount = 8;
constexpr int kVertexLayerCount = 4;
constexpr int kMaterialContextMarker = 0x123456;

// Wrap codes: 0 repeat, 1 clamp, 2 clamp to edge, 3 clamp to border, 4 mirror,
// 5 mirror clamp, 6 mirror clamp to edge, 7 mirror clamp to border.
struct STkTextureLayer {
  irr::video::ITexture* texture = nullptr;
  CTkEngineTexture* engineTexture = nullptr;  // cube, volume and float textures the engine owns
  uint8_t wrapU = 0;
  uint8_t wrapV = 0;
  bool bilinear = true;
  bool trilinear = false;
  uint8_t anisotropy = 0;
  int8_t lodBias = 0;
  bool sRGB = false;
  // Clamp-to-border reads opaque white instead of transparent black (a shadow
  // map read off its edge then finds nothing in front).
  bool whiteBorder = false;
};

// The depth comparison, a CompareFunction (effects/device_state_codes.h),
// lives in base.ZBuffer; the display library knows kCompareOff to
// kCompareAlways, the engine's material renderer applies kCompareNever.
struct STkMaterial {
  irr::video::SMaterial base;
  STkTextureLayer pixelLayers[kPixelLayerCount];
  STkTextureLayer vertexLayers[kVertexLayerCount];
};

// What a material context tells the constant feed and the material renderer.
struct STkMaterialContext {
  int marker = kMaterialContextMarker;
  CTkEffect* effect = nullptr;
  int technique = 0;
  int pass = 0;
  const STkMaterial* material = nullptr;  // the layers to bind; null: the pass's own
  irr::scene::ISceneNode* node = nullptr;  // the node drawn, when there is one
  int materialIndex = 0;                   // which of the node's materials
};

// Numbers for material contexts, so that a float parameter can name one: the
// numbers are small integers (exact in a float), 0 means none.
class CTkMaterialContexts {
 public:
  int add(STkMaterialContext* context);
  void remove(int number);
  // The context a material's second type parameter names, or null.
  STkMaterialContext* find(float typeParameter2) const;

 private:
  std::vector<STkMaterialContext*> slots_;  // number - 1 → context
  std::vector<int> free_;
};

// Registers a context for as long as it lives.
class TkMaterialContextSlot {
 public:
  TkMaterialContextSlot(CTkMaterialContexts* contexts, STkMaterialContext* context)
      : contexts_(contexts), number_(contexts ? contexts->add(context) : 0) {}
  ~TkMaterialContextSlot() {
    if (contexts_) contexts_->remove(number_);
  }
  TkMaterialContextSlot(const TkMaterialContextSlot&) = delete;
  TkMaterialContextSlot& operator=(const TkMaterialContextSlot&) = delete;
  float typeParameter() const { return static_cast<float>(number_); }

 private:
  CTkMaterialContexts* contexts_;
  int number_;
};

}  // namespace tk
