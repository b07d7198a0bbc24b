#pragma once
// Stand-ins for what surfaces meet: plain textures, an engine cube texture's
// stand-in, and a node extension with its lookup.

#include <gtest/gtest.h>
#include <irrlicht.h>

#include <map>
#include <vector>

#include "surfaces/surface.h"
#include "surfaces/surface_host.h"
#include "surfaces/texture_stand_in.h"

namespace tk::test {

// A display-library texture that needs no device.
class PlainTexture : public irr::video::ITexture {
 public:
  explicit PlainTexture(const char* name = "plain") : ITexture(name) {}
  void* lock(irr::video::E_TEXTURE_LOCK_MODE, irr::u32) override { return nullptr; }
  void unlock() override {}
  const irr::core::dimension2du& getOriginalSize() const override { return size_; }
  const irr::core::dimension2du& getSize() const override { return size_; }
  irr::video::E_DRIVER_TYPE getDriverType() const override { return irr::video::EDT_NULL; }
  irr::video::ECOLOR_FORMAT getColorFormat() const override { return irr::video::ECF_A8R8G8B8; }
  irr::u32 getPitch() const override { return 16; }
  void regenerateMipMapLevels(void*) override {}

 private:
  irr::core::dimension2du size_{4, 4};
};

// Shows an engine texture (only its address is used) of a cube kind or not.
class FakeStandIn : public ITkTextureStandIn {
 public:
  FakeStandIn(bool cube, CTkEngineTexture* shown) : ITkTextureStandIn("standIn"), cube_(cube), shown_(shown) {}
  CTkEngineTexture* getEngineTexture() const override { return shown_; }
  bool isCubeTexture() const override { return cube_; }
  void* lock(irr::video::E_TEXTURE_LOCK_MODE, irr::u32) override { return nullptr; }
  void unlock() override {}
  const irr::core::dimension2du& getOriginalSize() const override { return size_; }
  const irr::core::dimension2du& getSize() const override { return size_; }
  irr::video::E_DRIVER_TYPE getDriverType() const override { return irr::video::EDT_NULL; }
  irr::video::ECOLOR_FORMAT getColorFormat() const override { return irr::video::ECF_A8R8G8B8; }
  irr::u32 getPitch() const override { return 0; }
  void regenerateMipMapLevels(void*) override {}

 private:
  bool cube_;
  CTkEngineTexture* shown_;
  irr::core::dimension2du size_{1, 1};
};

// A node extension: its records' surfaces, its mesh buffers' second-UV masks.
// It answers false for an index past its buffers; asking for a negative one
// fails the test.
struct FakeHost : ITkSurfaceHost {
  bool tangents = false;
  bool uv2 = false;
  std::vector<irr::u32> bufferMasks;
  std::vector<const ITkSurface*> surfaces;
  irr::video::ITexture* cubeMapTexture = nullptr;
  bool box = false;
  int tangentQuestions = 0;

  bool needTangents() override {
    ++tangentQuestions;
    return tangents;
  }
  bool hasUV2() const override { return uv2; }
  bool getBufferUV2Info(int buffer, int* value, irr::u32* mask) const override {
    if (buffer < 0) ADD_FAILURE() << "asked for the mask of buffer " << buffer;
    if (buffer < 0 || buffer >= static_cast<int>(bufferMasks.size())) return false;
    *value = 0;
    *mask = bufferMasks.at(buffer);
    return true;
  }
  bool isNodeCubeMapTexture(const irr::video::ITexture* texture) const override {
    return texture && texture == cubeMapTexture;
  }
  bool isCubeMapBox() const override { return box; }
  int getSurfaceIndex(const ITkSurface* surface) const override {
    for (size_t i = 0; i < surfaces.size(); ++i)
      if (surfaces[i] == surface) return static_cast<int>(i);
    return -1;
  }
};

struct FakeHostLookup : ITkSurfaceHostLookup {
  std::map<irr::scene::ISceneNode*, ITkSurfaceHost*> hosts;
  ITkSurfaceHost* findSurfaceHost(irr::scene::ISceneNode* node) const override {
    auto found = hosts.find(node);
    return found == hosts.end() ? nullptr : found->second;
  }
};

// Drops a surface (or any counted object) at the end of a scope.
template <typename T>
struct Held {
  T* object;
  explicit Held(T* o) : object(o) {}
  ~Held() {
    if (object) object->drop();
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  T* operator->() const { return object; }
  T& operator*() const { return *object; }
  T* get() const { return object; }
};

}  // namespace tk::test
