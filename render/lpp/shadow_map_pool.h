#pragma once
// The shadow maps a frame's lights draw into, smallest first, each with the
// light that last used it this frame. Lights share maps, since each light
// draws its shadows right after its map is filled, except that a volumetric
// light keeps its map until the volumetric pass has read it.

#include <irrlicht.h>

#include <vector>

namespace tk {

class CTkShadowMapPool {
 public:
  struct Entry {
    irr::video::ITexture* map = nullptr;
    irr::u32 height = 0;  // as made (a texture of the null driver reports none)
    irr::scene::ILightSceneNode* user = nullptr;
  };

  // The maps with the sizes they were made with, in ascending size.
  void setMaps(const std::vector<irr::video::ITexture*>& maps, const std::vector<irr::u32>& heights);
  const std::vector<irr::video::ITexture*>& maps() const { return maps_; }
  // Every map free, at the start of a frame.
  void freeAll();
  // The map for a light asking for `size` texels: the first entry not kept by
  // a volumetric light that is the last one, as high as `size`, or the last
  // one smaller than the next; failing that the same walk over all entries,
  // then the last entry. -1 when the pool is empty.
  int pick(int size) const;
  irr::video::ITexture* map(int index) const;
  irr::scene::ILightSceneNode* user(int index) const;
  void setUser(int index, irr::scene::ILightSceneNode* light);
  // The map `light` used this frame, or null.
  irr::video::ITexture* mapOf(const irr::scene::ILightSceneNode* light) const;

 private:
  bool reserved(const Entry& entry) const;
  int walk(int size, bool honourReservations) const;

  std::vector<Entry> entries_;
  std::vector<irr::video::ITexture*> maps_;
};

}  // namespace tk
