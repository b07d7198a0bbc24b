#pragma once
// Drawing helpers every renderer shares: several render targets at once,
// full-screen effect quads, texture copies, the node lists a frame draws and
// debug boxes.
//
// Orientation. Render targets are stored as OpenGL draws them, bottom row
// first, and a pixel shader's VPOS is the window position counted from the
// bottom. A full-screen quad therefore gives its texture coordinates upwards
// (v = 0 on the bottom row) when the texture on unit 0 is a render target of
// the display library, and downwards (v = 0 on the top row, as Direct3D has
// it) for a picture loaded from a file and for an engine texture, whose first
// row is their top: either way the texture appears on the target the right
// way up. Copies follow the same rule. A draw whose textures mix both kinds
// (a render target on one sampler, a picture on another) first makes every
// picture a render target through sameOrientation(), so that one rule holds
// for every sampler.

#include <irrlicht.h>

#include <map>
#include <vector>

#include "effects/runtime/effect_material.h"

namespace tk {

class CTkEffect;
class CTkEffectTechLookup;
class CTkGPUProgrammingServices;
class CTkSceneManager;
class ITkNodeExtensionLookup;
class ITkVideoDriverExt;

struct STkRenderServicesSetup {
  irr::IrrlichtDevice* device = nullptr;
  CTkGPUProgrammingServices* shaders = nullptr;  // null: copies are 2D image draws
  CTkMaterialContexts* contexts = nullptr;
  ITkVideoDriverExt* videoDriverExt = nullptr;
  ITkNodeExtensionLookup* nodeExtensions = nullptr;
  CTkEffectTechLookup* techLookup = nullptr;
  CTkSceneManager* sceneManager = nullptr;  // keeps the render pass node lists draw in
};

// How a node list treats the alpha channel: 0 as the pass wants (the
// transparent passes keep destination alpha scaled by 1 - source alpha), 1
// plain blending, 2 and 3 that scaling with the constant blend factor (0) or
// zero as source alpha factor.
enum : int { kSeparateAlphaByPass = 0, kSeparateAlphaOff = 1, kSeparateAlphaBlendFactor = 2, kSeparateAlphaZero = 3 };

struct STkNodeListDraw {
  irr::scene::E_SCENE_NODE_RENDER_PASS pass = irr::scene::ESNRP_SOLID;
  const char* technique = nullptr;  // a technique name, or null for the nodes' own
  const irr::video::SOverrideMaterial* override = nullptr;
  irr::u32 hideSet = 0;
  irr::u32 showSet = 0;
  int separateAlpha = kSeparateAlphaByPass;
};

// The node lists of one frame, filled by one walk of the scene graph.
struct STkFrameNodeLists {
  std::vector<irr::scene::ISceneNode*> lights;
  std::vector<irr::scene::ISceneNode*> solid;
  std::vector<irr::scene::ISceneNode*> transparent;
  std::vector<irr::scene::ISceneNode*> transparentEffect;
  std::vector<irr::scene::ISceneNode*> visible;  // as collectVisibleNodes
};

class CTkRenderServices {
 public:
  // `ok` reports whether the copy shader could be made (always true without
  // shader services or off the OpenGL driver).
  explicit CTkRenderServices(const STkRenderServicesSetup& setup, bool* ok = nullptr);
  // Services without shaders, for code that only needs targets and walks.
  explicit CTkRenderServices(irr::IrrlichtDevice* device);
  ~CTkRenderServices();
  CTkRenderServices(const CTkRenderServices&) = delete;
  CTkRenderServices& operator=(const CTkRenderServices&) = delete;

  irr::video::IVideoDriver* driver() const { return driver_; }
  irr::IrrlichtDevice* device() const { return device_; }

  // Count 0 or a first entry of none: the screen. Otherwise the textures, in
  // order, as simultaneous targets, every colour plane written, no blending,
  // nothing cleared.
  void setRenderTargets(irr::video::ITexture* const* textures, int count);
  // A full-screen quad drawn with one pass of the effect; the texture, when
  // given, on unit 0.
  void drawEffect(CTkEffect* effect, int technique, int pass, irr::video::ITexture* texture);
  // The same with textures on units 0 to count - 1; an entry of none leaves
  // the effect's own texture on that unit.
  void drawEffectTextures(CTkEffect* effect, int technique, int pass, irr::video::ITexture* const* textures,
                          int count);
  // When the textures mix render targets and pictures, replaces each picture
  // by an upright copy of it in a render target of its size (kept for the
  // next frames), so that every sampler reads the same way up. Changes the
  // render target while it copies: call it before setting the targets.
  void sameOrientation(irr::video::ITexture** textures, int count);
  // The whole texture over the whole current target, texel centres on pixel
  // centres, without alpha blending.
  void copyTexture(irr::video::ITexture* texture);
  // The same into `target` (none: the screen), which stays set afterwards.
  void copyTextureInto(irr::video::ITexture* target, irr::video::ITexture* texture);

  // A full-screen quad drawn with `material` (made by the effect's applyPass
  // and changed as the caller needs).
  void drawEffectQuad(CTkEffect* effect, int technique, int pass, STkMaterial* material);
  // A full-screen quad drawn with a shader material (no effect).
  void drawMaterialQuad(STkMaterial* material);
  // A mesh buffer drawn with `material` (made by the effect's applyPass and
  // changed as the caller needs) under the current transforms.
  void drawEffectMeshBuffer(CTkEffect* effect, int technique, int pass, STkMaterial* material,
                            irr::scene::IMeshBuffer* buffer);
  // Draws the nodes in the solid pass, each material with its own effect's
  // technique number `path` where it has one and with pass 0 of `fallback`'s
  // first technique where not; the nodes' materials are restored afterwards.
  // Answers the number of nodes drawn.
  int drawNodesWithTechniqueOr(const std::vector<irr::scene::ISceneNode*>& list, int path, CTkEffect* fallback);
  // The driver's extra states (separate alpha blending and the like); may be none.
  ITkVideoDriverExt* videoDriverExt() const { return videoDriverExt_; }
  irr::core::dimension2du screenSize() const { return driver_->getScreenSize(); }

  // Draws the nodes of a list that pass the hide and show sets under the
  // pass; with a technique only the materials whose effect has it, drawn with
  // it. Answers the number of nodes drawn.
  int drawNodeList(const std::vector<irr::scene::ISceneNode*>& list, const STkNodeListDraw& how);

  // The lights, solid, transparent and transparent-effect nodes the frame
  // draws: visible, not culled, split by their materials' transparency.
  void getLightList(std::vector<irr::scene::ISceneNode*>* out) const;
  void getSolidList(std::vector<irr::scene::ISceneNode*>* out) const;
  void getTransparentList(std::vector<irr::scene::ISceneNode*>* out) const;
  void getTransparentEffectList(std::vector<irr::scene::ISceneNode*>* out) const;
  // Every visible node of the scene graph but lights and cameras; an invisible
  // node hides its subtree, and a light or camera below the top level hides its own.
  void collectVisibleNodes(std::vector<irr::scene::ISceneNode*>* out) const;
  // All of the lists above in one walk, each as its own operation fills it.
  void collectFrameLists(STkFrameNodeLists* out) const;
  // The visible nodes whose extension casts shadows.
  void collectShadowCasters(std::vector<irr::scene::ISceneNode*>* out) const;
  void filterShadowCasters(const std::vector<irr::scene::ISceneNode*>& list,
                           std::vector<irr::scene::ISceneNode*>* out) const;
  // The edges of a box in white, identity world transform, no lighting.
  void drawDebugBox(const irr::core::aabbox3df& box);
  // The box around the light's shadow-camera frustum.
  void drawLightFrustumBox(irr::scene::ILightSceneNode* light);

 private:
  enum class NodeKind { Solid, Transparent, TransparentEffect };
  void collectRegistered(NodeKind kind, std::vector<irr::scene::ISceneNode*>* out) const;
  // Which registration lists a drawable node belongs to.
  void classify(irr::scene::ISceneNode* node, bool* solid, bool* transparent, bool* transparentEffect) const;
  void walkFrame(irr::scene::ISceneNode* node, bool topLevel, bool listed, STkFrameNodeLists* out) const;
  bool makeCopyShader();
  void enableSeparateAlphaBlend(int mode, irr::scene::E_SCENE_NODE_RENDER_PASS pass);
  bool drawNode(irr::scene::ISceneNode* node, irr::scene::E_SCENE_NODE_RENDER_PASS pass,
                const std::vector<bool>* materials);
  void drawQuad(STkMaterial* material, const STkMaterialContext& context, bool textureIsPicture);

  irr::IrrlichtDevice* device_;
  irr::video::IVideoDriver* driver_;
  CTkGPUProgrammingServices* shaders_ = nullptr;
  CTkMaterialContexts* contexts_ = nullptr;
  ITkVideoDriverExt* videoDriverExt_ = nullptr;
  ITkNodeExtensionLookup* nodeExtensions_ = nullptr;
  CTkEffectTechLookup* techLookup_ = nullptr;
  CTkSceneManager* sceneManager_ = nullptr;
  irr::core::array<irr::video::IRenderTarget> targets_;
  std::map<irr::video::ITexture*, irr::video::ITexture*> pictureCopies_;
  class CopyShaderCallback;
  CopyShaderCallback* copyCallback_ = nullptr;
  int copyMaterialType_ = -1;
};

}  // namespace tk
