#pragma once
// Node extensions on the null driver: the engine's own scene manager makes
// them for mesh nodes built here (quads, one per mesh buffer), and effects are
// compiled for real from small effect files.

#include <irrlicht.h>

#include <string>
#include <vector>

#include "effects/runtime/effect.h"
#include "render/node_ext/node_mesh.h"
#include "render/node_ext/scene_node_ext.h"
#include "render/tk_manager.h"
#include "tests/api/commands_fixture.h"
#include "tests/support/capture_stdout.h"
#include "tests/surfaces/surface_fakes.h"

namespace tk::test {

// Two techniques (the default one and "depth"), a colour and a bump map;
// meshes drawn with it need tangents when it is built with WANT_TANGENTS.
constexpr const char* kNodeExtEffect = R"(// [TESK_BEGIN]
// config techniques : depth
//TESK_PP:D:WANT_TANGENTS:// config tangents
// texture ColorMap : Color
// texture NormalMap : Bump
// [TESK_END]
sampler2D ColorMap;
sampler2D NormalMap;
float4 vs_main(float4 p : POSITION) : POSITION { return p; }
float4 ps_main(float2 uv : TEXCOORD0) : COLOR { return tex2D(ColorMap, uv) + tex2D(NormalMap, uv); }
)";

class NodeExtTest : public EngineCommandsTest {
 protected:
  void SetUp() override {
    EngineCommandsTest::SetUp();
    effectPath = folder.write("surface.fx", kNodeExtEffect);
  }

  static irr::scene::ISceneManager* scenes() { return tkEngine().sceneManager; }
  static CTkSceneManager* tkScenes() { return tkEngine().manager->getSceneManager(); }
  static CTkMaterialContexts* contexts() { return tkEngine().manager->getMaterialContexts(); }

  // A quad of 4 vertices and 2 triangles; with a second UV set when asked.
  static irr::scene::IMeshBuffer* quadBuffer(bool secondUV, bool indexed = true) {
    irr::scene::IMeshBuffer* buffer;
    const irr::video::SColor white(255, 255, 255, 255);
    const float corners[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    if (secondUV) {
      auto* lightMap = new irr::scene::SMeshBufferLightMap();
      for (const auto& c : corners)
        lightMap->Vertices.push_back(irr::video::S3DVertex2TCoords(c[0], c[1], 0, 0, 0, -1, white, c[0], c[1],
                                                                   0.25f + c[0] / 2, 0.75f - c[1] / 2));
      buffer = lightMap;
    } else {
      auto* plain = new irr::scene::SMeshBuffer();
      for (const auto& c : corners) plain->Vertices.push_back(irr::video::S3DVertex(c[0], c[1], 0, 0, 0, -1, white, c[0], c[1]));
      buffer = plain;
    }
    if (indexed) {
      const irr::u16 indices[6] = {0, 1, 2, 2, 1, 3};
      irr::core::array<irr::u16>& list = secondUV ? static_cast<irr::scene::SMeshBufferLightMap*>(buffer)->Indices
                                                  : static_cast<irr::scene::SMeshBuffer*>(buffer)->Indices;
      for (irr::u16 index : indices) list.push_back(index);
    }
    buffer->recalculateBoundingBox();
    return buffer;
  }

  static irr::scene::SMesh* quadMesh(int buffers, bool secondUV = false) {
    auto* mesh = new irr::scene::SMesh();
    for (int i = 0; i < buffers; ++i) {
      irr::scene::IMeshBuffer* buffer = quadBuffer(secondUV);
      mesh->addMeshBuffer(buffer);
      buffer->drop();
    }
    mesh->recalculateBoundingBox();
    return mesh;
  }

  // A static mesh node of that many quads.
  static irr::scene::IMeshSceneNode* meshNode(int buffers, bool secondUV = false) {
    irr::scene::SMesh* mesh = quadMesh(buffers, secondUV);
    irr::scene::IMeshSceneNode* node = scenes()->addMeshSceneNode(mesh);
    mesh->drop();
    return node;
  }

  // An animated mesh node of one quad.
  static irr::scene::IAnimatedMeshSceneNode* animatedNode() {
    irr::scene::SMesh* mesh = quadMesh(1);
    auto* animated = new irr::scene::SAnimatedMesh(mesh);
    mesh->drop();
    irr::scene::IAnimatedMeshSceneNode* node = scenes()->addAnimatedMeshSceneNode(animated);
    animated->drop();
    return node;
  }

  // A compiled variant of the test effect (one reference, the caller's).
  CTkEffect* makeEffect(const std::vector<std::string>& macros = {}) {
    ShaderMacroList list;
    for (const std::string& name : macros) list.push_back({name, ""});
    CTkEffect* effect = tkEngine().manager->getEffectManager()->createEffect(effectPath.c_str(), 0, list);
    EXPECT_TRUE(effect) << tkEngine().manager->getEffectManager()->getLastError();
    return effect;
  }

  TempFolder folder;
  std::string effectPath;
  // Textures outlive the engine, which may still hold surfaces with them at tear-down.
  PlainTexture colour{"colour"}, bump{"bump"};
};

}  // namespace tk::test
