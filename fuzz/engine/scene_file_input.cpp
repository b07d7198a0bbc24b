// Scene files from arbitrary bytes, loaded into a scene on the null driver
// beside a mesh of two materials, a picture and an effect that their surfaces
// and render commands can name, animated a few steps and deleted. The
// advanced renderer context is made as on OpenGL with the light pre-pass on,
// so that a scene's render command list is set up and drawn a frame.
#include <stdlib.h>

#include <fstream>
#include <string>
#include <vector>

#include "api/renderer_commands.h"
#include "base/files/file_layer.h"
#include "fuzz/engine/fuzz_inputs.h"
#include "render/engine.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "startup/sys_setup.h"

namespace tk::fuzz {
namespace {

// A 1 x 1 picture: a 24-bit uncompressed BMP of one red pixel.
const unsigned char kPicture[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0,
                                  0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0,
                                  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0};

// Made once per process.
const std::string& sceneFolder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/tesk-fuzz-scene-XXXXXX";
    std::string path = mkdtemp(pattern) ? pattern : "/tmp";
    std::ofstream(path + "/quad.obj") << "mtllib quad.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nvt 0 0\nvt 1 0\n"
                                         "vt 0 1\nvt 1 1\nusemtl a\nf 1/1 2/2 3/3\nusemtl b\nf 3/3 2/2 4/4\n";
    std::ofstream(path + "/quad.mtl") << "newmtl a\nKd 1 0 0\nnewmtl b\nKd 0 0 1\nmap_Kd picture.bmp\n";
    std::ofstream(path + "/picture.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(kPicture), sizeof kPicture);
    std::ofstream(path + "/own.fx") << "// [TESK_BEGIN]\n// float Gain : 1 : pixel\n// texture Map : Color\n"
                                       "// [TESK_END]\nfloat Gain;\nsampler2D Map;\n"
                                       "float4 vs_main(float4 p : POSITION) : POSITION { return p; }\n"
                                       "float4 ps_main(float2 uv : TEXCOORD0) : COLOR { return tex2D(Map, uv) * Gain; }\n";
    return path;
  }();
  return folder;
}

// The context command renderers need; null when it cannot be made.
CTkRendererCtxAdv* makeAdvancedContext() {
  CTkManager* manager = tkEngine().manager;
  CTkRendererManager* renderers = manager->getRendererManager();
  if (!renderers->createRenderTargets(12)) return nullptr;
  // The engine's own shader files, from the source tree's runtime folder.
  const std::string savedBase = baseDirectory();
  setBaseDirectory(TESK_SOURCE_DIR "/runtime/");
  const std::vector<std::string> files = ctxAdvFiles(false);
  setBaseDirectory(savedBase.c_str());
  CTkRendererCtxAdv* context =
      renderers->createRendererCtxAdv(manager->getRenderServices(), manager->getEffectManager(), files);
  rendering().advancedContext = context;
  return context;
}

void drawFrame() {
  if (ITkRenderer* renderer = rendering().currentRenderer) renderer->render(nullptr);
}

}  // namespace

int sceneLoad(const uint8_t* data, size_t size) {
  prepareProcess();
  const std::string path = sceneFolder() + "/fuzz.tscn";
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
  SysSetup setup;
  setup.width = 64;
  setup.height = 64;
  if (tkSysSetup(setup) != 0) return 0;
  fileLayer().setDirectory(sceneFolder().c_str());
  CTkRendererCtxAdv* context = makeAdvancedContext();
  SceneBases bases;
  if (LoadScene("fuzz.tscn", 0, bases, true, "fuzz") == 0) {
    ShowScene(0);
    for (int t : {0, 500, 40, 1000000}) {
      AnimateScene(0, t);
      drawFrame();
    }
    HideScene(0);
    DeleteScene(0);
  }
  rendering().advancedContext = nullptr;
  if (context) context->drop();
  tkSysShutdown();
  return 0;
}

}  // namespace tk::fuzz
