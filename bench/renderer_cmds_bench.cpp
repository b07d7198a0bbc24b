// A frame of 1000 cubes through a command list of Clear + Render Objects
// (Arg 1) against the simple renderer (Arg 0), on the null driver: what the
// command renderer adds to a frame besides the drawing itself (its walk of
// the scene graph, its lists and its commands). The aim is a ratio of at
// most 1.0.
#include <benchmark/benchmark.h>

#include "api/renderer_commands.h"
#include "base/files/file_layer.h"
#include "bench/null_engine.h"
#include "render/engine.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"

namespace {

constexpr int kObjects = 1000;

tk::STkRenderCommandRecord command(const char* type, std::vector<tk::RenderParameter> parameters) {
  tk::STkRenderCommandRecord c;
  c.name = type;
  c.cmd = type;
  c.outputs = {{"Color0", "Display"}};
  c.parameters = std::move(parameters);
  return c;
}

tk::RenderParameter integer(const char* name, int value) {
  tk::RenderParameter p;
  p.name = name;
  p.integer = value;
  return p;
}

// A 40 x 25 grid of cubes in front of the camera.
void addGrid() {
  irr::scene::ISceneManager* scene = tk::tkEngine().sceneManager;
  for (int i = 0; i < kObjects; ++i)
    scene->addCubeSceneNode(1.0f, nullptr, -1, irr::core::vector3df((i % 40) * 2.0f - 40, (i / 40) * 2.0f - 25, 60));
  scene->addCameraSceneNode(nullptr, irr::core::vector3df(0, 0, 0), irr::core::vector3df(0, 0, 1));
}

void BM_RendererFrame(benchmark::State& state) {
  NullEngine engine;
  addGrid();
  tk::CTkManager* manager = tk::tkEngine().manager;
  if (!manager->getRendererManager()->createRenderTargets(12)) std::abort();
  // The context's post effects are the engine's own files.
  tk::setBaseDirectory(TESK_SOURCE_DIR "/runtime/");
  tk::CTkRendererCtxAdv* context = manager->getRendererManager()->createRendererCtxAdv(
      manager->getRenderServices(), manager->getEffectManager(), tk::ctxAdvFiles(false));
  if (!context) std::abort();
  tk::rendering().advancedContext = context;
  const bool commands = state.range(0) == 1;
  if (commands) {
    const std::vector<tk::STkRenderCommandRecord> list = {
        command("Clear", {integer("ClearTarget", 1), integer("ClearZBuffer", 1)}),
        command("Render Objects", {integer("RenderList", 1)})};
    if (tk::tkCreateRenderer(1, 0, 0, list) != 0) std::abort();
    tk::tkSetRenderer(1);
  }
  tk::ITkRenderer* renderer = tk::rendering().currentRenderer;
  for (auto _ : state) renderer->render(nullptr);
  tk::tkDeleteRenderer(1);
  tk::rendering().advancedContext = nullptr;
  context->drop();
}
BENCHMARK(BM_RendererFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
