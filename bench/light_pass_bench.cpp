// What drawing small point lights through their bounding spheres saves over
// drawing each over the whole screen: 32 point lights of range 2 over a
// 60 x 60 floor seen from above, in a 1024 x 576 frame (G-buffer drawn once),
// the whole light pass run 20 times between two waits for the GPU, the best
// of three rounds. The second run moves the camera's near plane past every
// light (the G-buffer and the projection stay as drawn), which makes each
// light count as one the camera is inside: the same lights, full-screen.
// The counter fullscreen_per_spheres is the time of the second run over the
// first. This one draws for real: it needs an X display (xvfb-run on llvmpipe).
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>
#include <irrlicht.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <functional>
#include <vector>

#include "api/effect_commands.h"
#include "api/engine_items.h"
#include "api/object_commands.h"
#include "api/surface_commands.h"
#include "base/files/file_layer.h"
#include "base/log.h"
#include "render/engine.h"
#include "render/lpp/light_buffer.h"
#include "render/lpp/light_pass.h"
#include "render/render_services.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_manager.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "bench/gl_bench_engine.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 576;
constexpr int kDraws = 20;
constexpr int kLightsPerSide = 8;  // 8 x 4 lights

irr::video::ITexture* named(const char* name) {
  const tk::RenderTargetInfo* info = tk::tkEngine().manager->getRendererManager()->targets().find(name);
  if (!info) std::abort();
  return info->texture;
}

// A 60 x 60 floor drawn with the light pre-pass surface, facing up.
irr::scene::ISceneNode* makeFloor() {
  const std::string file = "/tmp/tesk_light_pass_bench_floor.obj";
  std::ofstream("/tmp/tesk_light_pass_bench_floor.obj")
      << "v -30 0 -30\nv -30 0 30\nv 30 0 30\nv 30 0 -30\nvn 0 1 0\nf 1//1 2//1 3//1\nf 1//1 3//1 4//1\n";
  if (tk::LoadObject(file.c_str(), 1) != 0 || tk::LoadEffect(tk::resolveFile("Lpp.hlsl").c_str(), 1) != 0) std::abort();
  std::remove(file.c_str());
  tk::SetObjectSurfaceEffect(1, 0, 1);
  tk::UpdateObjectFromSurfaces(1);
  irr::scene::ISceneNode* floor = tk::tkEngine().objects->get(1)->node;
  floor->setMaterialFlag(irr::video::EMF_BACK_FACE_CULLING, false);
  floor->updateAbsolutePosition();
  return floor;
}

// The floor's normals and depths through the surfaces' "depth" technique.
void drawGBuffer(tk::CTkRenderServices* services, irr::scene::ISceneNode* floor) {
  irr::video::ITexture* targets[2] = {named("NormalRTT"), named("DepthRTT")};
  tk::tkEngine().driver->setRenderTarget(targets[1], true, true, irr::video::SColor(255, 255, 255, 255));
  services->setRenderTargets(targets, 2);
  tk::STkNodeListDraw how;
  how.technique = "depth";
  if (services->drawNodeList({floor}, how) != 1) std::abort();
}

void BM_LightPassSpheresAgainstFullScreen(benchmark::State& state) {
  tk::bench::GlEngine engine(kWidth, kHeight, 0);
  tk::CTkManager* manager = tk::tkEngine().manager;
  tk::CTkRenderServices* services = manager->getRenderServices();
  tk::CTkRendererCtxAdv* context = manager->getRendererManager()->createRendererCtxAdv(
      services, manager->getEffectManager(), tk::ctxAdvFiles(false));
  if (!context || !context->lightPass()) std::abort();
  irr::scene::ISceneManager* scene = tk::tkEngine().device->getSceneManager();
  irr::scene::ICameraSceneNode* camera = scene->addCameraSceneNode(nullptr, {0, 20, -20}, {0, 0, 0});
  camera->setAspectRatio(static_cast<float>(kWidth) / kHeight);
  irr::scene::ISceneNode* floor = makeFloor();
  std::vector<irr::scene::ILightSceneNode*> lights;
  for (int row = 0; row < kLightsPerSide / 2; ++row)
    for (int column = 0; column < kLightsPerSide; ++column) {
      const irr::core::vector3df at(-14.0f + column * 4.0f, 0.5f, -6.0f + row * 4.0f);
      irr::scene::ILightSceneNode* light =
          scene->addLightSceneNode(nullptr, at, irr::video::SColorf(0.5f, 0.4f, 0.3f), 2);
      light->setRadius(2);
      light->updateAbsolutePosition();
      lights.push_back(light);
    }
  irr::video::IVideoDriver* driver = tk::tkEngine().driver;
  driver->beginScene(false, false);
  camera->OnAnimate(0);
  camera->render();
  drawGBuffer(services, floor);
  irr::video::ITexture* lightBuffer = named("LightRTT");
  auto lightPass = [&] { context->lightPass()->render(lightBuffer, lights, {}); };
  for (auto _ : state) {
    camera->setNearValue(1);
    const double spheres = tk::bench::secondsPerDraw(lightPass, kDraws);
    if (context->lightBuffer()->counters().fullScreen != 0) std::abort();
    camera->setNearValue(10000);
    const double fullScreen = tk::bench::secondsPerDraw(lightPass, kDraws);
    if (context->lightBuffer()->counters().fullScreen != static_cast<int>(lights.size())) std::abort();
    state.counters["spheres_ms"] = spheres * 1e3;
    state.counters["fullscreen_ms"] = fullScreen * 1e3;
    state.counters["fullscreen_per_spheres"] = fullScreen / spheres;
  }
  driver->endScene();
  context->drop();
}
BENCHMARK(BM_LightPassSpheresAgainstFullScreen)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
