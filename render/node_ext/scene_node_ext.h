#pragma once
// The scene node extension: what the engine adds to a mesh-like node so that
// every material of its mesh is drawn with its own surface and effect. It
// rides on the node as a node animator of type kNodeExtAnimatorType, so
// whoever holds the node finds it among the node's animators.
//
// One record per material of the node, in material order. Rebuilding
// material i writes the record's surface into the node's material i (the
// fixed-function look), then the effect's pass over it, points the material at
// the record (its material context number), and puts the surface's textures
// in the layers that pass samples them from.

#include <irrlicht.h>

#include <memory>
#include <vector>

#include "effects/binds/node_extension_view.h"
#include "render/node_ext/cube_map_probe.h"
#include "render/node_ext/indirect_texture.h"
#include "render/node_ext/node_ext_material.h"
#include "surfaces/surface.h"
#include "surfaces/surface_host.h"

namespace tk {

class CTkSceneNodeExt;
class ITkVideoDriverExt;

constexpr irr::scene::ESCENE_NODE_ANIMATOR_TYPE kNodeExtAnimatorType =
    static_cast<irr::scene::ESCENE_NODE_ANIMATOR_TYPE>(4321);

// Keeps track of the extensions alive, so that the engine can let go of them
// before its material contexts go away.
class ITkNodeExtRegistry {
 public:
  virtual ~ITkNodeExtRegistry() = default;
  virtual void extensionMade(CTkSceneNodeExt* extension) = 0;
  virtual void extensionGone(CTkSceneNodeExt* extension) = 0;
};

struct STkNodeExtServices {
  CTkMaterialContexts* contexts = nullptr;  // null: the records get no numbers
  const irr::scene::IMeshManipulator* manipulator = nullptr;  // null: no tangent copies
  ITkNodeExtRegistry* registry = nullptr;
  ITkVideoDriverExt* driverExt = nullptr;  // null: depth "never" only on shader materials
};

enum ETkTangentsMode : int { kTangentsDecide = 0, kTangentsNever = 1, kTangentsAlways = 2 };

// The box of box-projected reflections while it is switched off.
constexpr float kCubeMapBoxFar = 1000000.0f;

class CTkSceneNodeExt : public irr::scene::ISceneNodeAnimator, public ITkSceneNodeExt, public ITkSurfaceHost {
 public:
  // One empty record per material of the node (registered as material
  // contexts), the indirect cube-map texture and the box switched off. The
  // node's materials are left as they are. Attach it with addAnimator.
  CTkSceneNodeExt(irr::scene::ISceneNode* node, const STkNodeExtServices& services);
  ~CTkSceneNodeExt() override;
  CTkSceneNodeExt(const CTkSceneNodeExt&) = delete;
  CTkSceneNodeExt& operator=(const CTkSceneNodeExt&) = delete;

  // ---- node animator: does nothing per frame; copies follow node copies ----
  void animateNode(irr::scene::ISceneNode*, irr::u32) override {}
  irr::scene::ISceneNodeAnimator* createClone(irr::scene::ISceneNode* node,
                                              irr::scene::ISceneManager* = nullptr) override {
    return clone(node);
  }
  irr::scene::ESCENE_NODE_ANIMATOR_TYPE getType() const override { return kNodeExtAnimatorType; }

  // A new extension for `node` with copies of the surfaces and the same
  // effects, techniques and passes (every other setting at its default),
  // updated; null when the update fails. Not attached.
  CTkSceneNodeExt* clone(irr::scene::ISceneNode* node) const;
  irr::scene::ISceneNode* getNode() const { return node_; }
  int getRecordCount() const { return static_cast<int>(records_.size()); }
  const STkNodeExtMaterial* getRecord(int i) const;

  void setCastShadows(bool on) { castShadows_ = on; }
  bool getCastShadows() const override { return castShadows_; }
  irr::u32 getSelectionMask() const override { return selectionMask_; }
  // Answers the previous mask.
  irr::u32 setSelectionMask(irr::u32 mask);

  // ---- effects: out-of-range indexes and absent effects change nothing ----
  CTkEffect* getEffect(int i) const;
  // Takes a reference to the new effect before letting go of the old one, so
  // that setting again the effect a record alone keeps alive is harmless.
  void setEffect(int i, CTkEffect* effect, int technique, int pass);
  void setTechniqueAndPass(int i, int technique, int pass);
  void setTechnique(int i, int technique);
  void setPass(int i, int pass);
  // Back to no effect, technique and pass 0, a solid material not pointing at the record.
  void clearEffect(int i);
  void clearEffects();
  // The technique the record's effect draws render path `path` with; -1 without effect.
  int getTechniqueForPath(int i, int path) const;
  void saveEffects(std::vector<STkNodeExtSavedEffect>* list) const;
  // A different effect is set anew; the same one only takes back its technique and pass.
  void restoreEffects(const std::vector<STkNodeExtSavedEffect>& list);

  // ---- surfaces ----
  ITkSurface* getSurface(int i) const override;
  // Takes a reference; none is ignored.
  void setSurface(int i, ITkSurface* surface);
  void clearSurface(int i);
  void clearSurfaces();

  // ---- mesh ----
  bool hasUV2() const override;
  bool getBufferUV2Info(int buffer, int* value, irr::u32* mask) const override;
  // Mesh buffers carry no second-UV mask of their own: whoever knows which of
  // a buffer's textures read the second UV set records it here.
  void setBufferUV2Info(int buffer, int value, irr::u32 mask);
  void setTangentsMode(int mode) { tangentsMode_ = mode; }
  int getTangentsMode() const { return tangentsMode_; }
  bool needTangents() override;
  // Gives a static mesh that needs them tangents (keeping its second UV set),
  // then rebuilds every material; false when the tangent copy fails.
  bool update();

  // ---- reflection cube map and its box ----
  // Takes a reference (none: no cube map); the indirect texture follows it.
  void setCubeMap(ITkCubeMapProbe* cubeMap);
  ITkCubeMapProbe* getCubeMap() const { return cubeMap_; }
  irr::video::ITexture* getCubeMapTexture() const { return indirect_; }
  // Switched off, the box's position moves far away.
  void setCubeMapBox(bool enabled);
  void setCubeMapBox(const irr::core::vector3df& position, const irr::core::vector3df& scale);
  bool isCubeMapBox() const override { return box_; }
  irr::core::vector3df getCubeMapBoxPosition() const override { return boxPosition_; }
  irr::core::vector3df getCubeMapBoxScale() const override { return boxScale_; }
  bool getCubeMapPosition(irr::core::vector3df* position) const override;

  // ---- for the binds and the node lists ----
  bool selectTechnique(int index, int path) override;
  void restoreTechniques() override;

  // ---- for the surfaces' macro sets ----
  bool isNodeCubeMapTexture(const irr::video::ITexture* texture) const override;
  int getSurfaceIndex(const ITkSurface* surface) const override;

  // Lets go of effects, surfaces, the cube map and the material context
  // numbers and forgets the services; the extension stays on its node inert.
  void detach();
  // The node's materials stop naming the records (before they are let go of
  // while the node lives on).
  void clearBackPointers();

 private:
  STkNodeExtMaterial* record(int i) const;
  void registerRecord(STkNodeExtMaterial* record);
  void rebuild(int i);
  // Writes the record into the node's material i; with `saveTextures` the
  // surface's textures for every technique and pass are gathered again first.
  void applyRecord(int i, bool saveTextures);
  void saveTexturesOf(STkNodeExtMaterial* record) const;
  static float recordNumberFor(irr::video::E_MATERIAL_TYPE type, const STkNodeExtMaterial& record);
  bool effectNeedsTangents(const STkNodeExtMaterial& record) const;
  void replaceMeshWithTangents(irr::scene::IMesh* mesh);

  struct SelectedTechnique {
    int index;
    int technique;
    int pass;
  };
  struct BufferUV2 {
    int value = 0;
    irr::u32 mask = 0;
  };

  irr::scene::ISceneNode* node_;
  STkNodeExtServices services_;
  std::vector<std::unique_ptr<STkNodeExtMaterial>> records_;
  std::vector<SelectedTechnique> selected_;
  std::vector<BufferUV2> bufferUV2_;
  int tangentsMode_ = kTangentsDecide;
  ITkCubeMapProbe* cubeMap_ = nullptr;
  CTkIndirectTexture* indirect_ = nullptr;
  bool box_ = false;
  irr::core::vector3df boxPosition_{0, 0, 0};
  irr::core::vector3df boxScale_{kCubeMapBoxFar, kCubeMapBoxFar, kCubeMapBoxFar};
  bool castShadows_ = false;
  irr::u32 selectionMask_ = 0;
};

// The extension among the node's animators; null when it has none.
CTkSceneNodeExt* findSceneNodeExt(irr::scene::ISceneNode* node);

}  // namespace tk
