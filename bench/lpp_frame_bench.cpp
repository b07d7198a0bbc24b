// What a light pre-pass frame costs against the simple (forward) renderer's
// frame of the same scene, in one run: a 640 x 360 courtyard built in code (a
// ground, an L-shaped wall, a sphere) lit by a distant, a spot and a point
// light, its LightWave surfaces drawn with the surface effect each frame
// lights them with: Forward.hlsl (lit from the engine's light block) under
// the simple renderer, Lpp.hlsl (lit from the light buffer) under the
// pre-pass one. Each renderer draws 20 frames between two
// waits for the GPU; the best of three rounds counts. The counter
// lpp_per_simple is the ratio.
// This one draws for real: it needs an X display (xvfb-run on llvmpipe).
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>
#include <irrlicht.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include <unistd.h>

#include "api/object_commands.h"
#include "api/surface_commands.h"
#include "base/files/file_layer.h"
#include "base/log.h"
#include "render/engine.h"
#include "render/render_services.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_manager.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "bench/gl_bench_engine.h"
#include "surfaces/lightwave_parameters.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 360;
constexpr int kFrames = 20;

// An axis-aligned box as OBJ text, its faces pointing out.
std::string boxObj(float x0, float y0, float z0, float x1, float y1, float z1) {
  char text[1024];
  std::snprintf(text, sizeof text,
                "mtllib m.mtl\nv %g %g %g\nv %g %g %g\nv %g %g %g\nv %g %g %g\n"
                "v %g %g %g\nv %g %g %g\nv %g %g %g\nv %g %g %g\nusemtl m\n"
                "f 1 2 3\nf 1 3 4\nf 5 8 7\nf 5 7 6\nf 1 5 6\nf 1 6 2\n"
                "f 4 3 7\nf 4 7 8\nf 1 4 8\nf 1 8 5\nf 2 6 7\nf 2 7 3\n",
                x0, y0, z0, x1, y0, z0, x1, y1, z0, x0, y1, z0, x0, y0, z1, x1, y0, z1, x1, y1, z1, x0, y1, z1);
  return text;
}

// A UV sphere of 16 x 16 segments as OBJ text.
std::string sphereObj(float cx, float cy, float cz, float radius) {
  const int n = 16;
  std::string text = "mtllib m.mtl\n";
  char line[128];
  for (int i = 0; i <= n; ++i)
    for (int j = 0; j <= n; ++j) {
      const float theta = 3.14159265f * i / n, phi = 2 * 3.14159265f * j / n;
      std::snprintf(line, sizeof line, "v %g %g %g\n", cx + radius * std::sin(theta) * std::cos(phi),
                    cy + radius * std::cos(theta), cz + radius * std::sin(theta) * std::sin(phi));
      text += line;
    }
  text += "usemtl m\n";
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      const int a = i * (n + 1) + j + 1, b = a + n + 1;
      std::snprintf(line, sizeof line, "f %d %d %d\nf %d %d %d\n", a, b, b + 1, a, b + 1, a + 1);
      text += line;
    }
  return text;
}

struct Courtyard {
  explicit Courtyard(const std::string& folder) {
    write(folder + "/m.mtl", "newmtl m\nKd 0.8 0.8 0.8\n");
    const std::string objects[] = {boxObj(-10, -0.1f, -10, 10, 0, 10), boxObj(-6, 0, 4, 6, 4, 5),
                                   boxObj(-6, 0, -4, -5, 4, 5), sphereObj(1, 1.5f, 0, 1.5f)};
    for (int i = 0; i < 4; ++i) {
      const std::string file = folder + "/object" + std::to_string(i) + ".obj";
      write(file, objects[i]);
      if (tk::LoadObject(file.c_str(), i + 1) != 0) std::abort();
    }
    irr::scene::ISceneManager* scene = tk::tkEngine().sceneManager;
    addLight(scene, irr::video::ELT_DIRECTIONAL, {0, 10, 0}, {-50, 30, 0}, 100);
    addLight(scene, irr::video::ELT_SPOT, {4, 6, -4}, {50, -40, 0}, 15);
    addLight(scene, irr::video::ELT_POINT, {-3, 2, 1}, {0, 0, 0}, 6);
    irr::scene::ICameraSceneNode* camera = tk::tkEngine().camera;
    camera->setPosition({8, 6, -12});
    camera->setTarget({-1, 1, 2});
  }
  // The surface values; with `file`, the surfaces draw with its variant for
  // them, made for the current renderer.
  void makeSurfaces(const char* file, int firstEffectId) {
    for (int id = 1; id <= 4; ++id) {
      tk::SetObjectSurfaceParamFloat3(id, 0, tk::kLwBaseColor, 0.8f, 0.7f, 0.6f);
      tk::SetObjectSurfaceParamFloat(id, 0, tk::kLwDiffuse, 1);
      tk::SetObjectSurfaceParamFloat(id, 0, tk::kLwSpecularity, 0.3f);
      if (tk::LoadEffectForObjectSurface(tk::resolveFile(file).c_str(), firstEffectId + id, id, 0) != 0) std::abort();
      tk::SetObjectSurfaceEffect(id, 0, firstEffectId + id);
      tk::UpdateObjectFromSurfaces(id);
    }
  }
  static void write(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file) std::abort();
    std::fputs(text.c_str(), file);
    std::fclose(file);
  }
  static void addLight(irr::scene::ISceneManager* scene, irr::video::E_LIGHT_TYPE type,
                       const irr::core::vector3df& position, const irr::core::vector3df& rotation, float radius) {
    irr::scene::ILightSceneNode* light = scene->addLightSceneNode(nullptr, position, irr::video::SColorf(1, 1, 1),
                                                                  radius);
    light->setLightType(type);
    light->setRotation(rotation);
  }
};

void frame(tk::ITkRenderer* renderer) {
  irr::video::IVideoDriver* driver = tk::tkEngine().driver;
  driver->beginScene(false, false);
  renderer->render(nullptr);
  driver->endScene();
}

void BM_LightPrePassFrame(benchmark::State& state) {
  tk::bench::GlEngine engine(kWidth, kHeight, 0);
  char folder[] = "/tmp/lpp_frame_bench.XXXXXX";
  if (!mkdtemp(folder)) std::abort();
  Courtyard courtyard(folder);
  tk::STkRendering& r = tk::rendering();
  tk::ITkRenderer* lpp = r.defaultRenderer;
  tk::ITkRenderer* simple = tk::tkEngine().manager->getRendererManager()->createRendererSimple(r.context);
  if (!lpp || !simple || !r.advancedContext) std::abort();
  for (auto _ : state) {
    tk::setCurrentRenderer(simple);
    courtyard.makeSurfaces("Forward.hlsl", 10);
    const double simpleSeconds = tk::bench::secondsPerDraw([&] { frame(simple); }, kFrames);
    tk::setCurrentRenderer(lpp);
    courtyard.makeSurfaces("Lpp.hlsl", 20);
    const double lppSeconds = tk::bench::secondsPerDraw([&] { frame(lpp); }, kFrames);
    state.counters["lpp_ms"] = lppSeconds * 1e3;
    state.counters["simple_ms"] = simpleSeconds * 1e3;
    state.counters["lpp_per_simple"] = lppSeconds / simpleSeconds;
  }
  tk::setCurrentRenderer(nullptr);
  simple->drop();
  if (std::system((std::string("rm -rf ") + folder).c_str()) != 0) std::fprintf(stderr, "%s left behind\n", folder);
}
BENCHMARK(BM_LightPrePassFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

// The pre-pass frame's cost per frame on an engine of the given size, its
// surfaces lit from the light buffer, drawn into `display` when `makeDisplay`
// gives one (else the screen); `configure` sets the frame's render settings,
// `after` runs after each frame (still inside it).
double prePassSecondsPerFrame(int width, int height, int antialias,
                              const std::function<void(tk::STkRenderSettings&)>& configure,
                              const std::function<irr::video::ITexture*()>& makeDisplay = {},
                              const std::function<void(irr::video::ITexture*)>& after = {}) {
  tk::bench::GlEngine engine(width, height, antialias);
  char folder[] = "/tmp/lpp_frame_bench.XXXXXX";
  if (!mkdtemp(folder)) std::abort();
  Courtyard courtyard(folder);
  tk::STkRendering& r = tk::rendering();
  if (!r.defaultRenderer || !r.advancedContext) std::abort();
  courtyard.makeSurfaces("Lpp.hlsl", 20);
  configure(r.advancedContext->getRenderSettings());
  irr::video::ITexture* display = makeDisplay ? makeDisplay() : nullptr;
  irr::video::IVideoDriver* driver = tk::tkEngine().driver;
  const double seconds = tk::bench::secondsPerDraw([&] {
    driver->beginScene(false, false);
    r.defaultRenderer->render(display);
    if (after) after(display);
    driver->endScene();
  }, kFrames);
  if (std::system((std::string("rm -rf ") + folder).c_str()) != 0) std::fprintf(stderr, "%s left behind\n", folder);
  return seconds;
}

// SMAA at the end of the pre-pass frame against the same frame drawn at twice
// the width and height and down-sampled to the screen's size by one bilinear
// fetch per pixel (the mean of its four samples): the counter
// smaa_per_supersampling is the ratio of their times per frame (the aim: at
// most 0.5); plain_ms is the frame without anti-aliasing.
void BM_SmaaAgainstSupersampledPrePassFrame(benchmark::State& state) {
  for (auto _ : state) {
    const auto smaaAtEnd = [](tk::STkRenderSettings& settings) {
      settings.antialias[tk::kAntialiasJitter] = 0;
      settings.antialias[tk::kAntialiasLocation] = tk::kAntialiasAtEnd;
      settings.antialias[tk::kAntialiasMode] = 1;
      settings.antialias[tk::kAntialiasBlending] = 0;
    };
    const auto plain = [](tk::STkRenderSettings& settings) { settings.antialias[tk::kAntialiasMode] = 0; };
    const double smaa = prePassSecondsPerFrame(kWidth, kHeight, 1, smaaAtEnd);
    const double plainFrame = prePassSecondsPerFrame(kWidth, kHeight, 1, plain);
    irr::video::ITexture* small = nullptr;
    const auto bigDisplay = [] {
      return tk::tkEngine().driver->addRenderTargetTexture({kWidth * 2, kHeight * 2}, "Supersampled",
                                                           irr::video::ECF_A8R8G8B8);
    };
    const double supersampled = prePassSecondsPerFrame(kWidth * 2, kHeight * 2, 0, plain, bigDisplay,
                                                       [&](irr::video::ITexture* big) {
      irr::video::IVideoDriver* driver = tk::tkEngine().driver;
      if (!small) small = driver->addRenderTargetTexture({kWidth, kHeight}, "Downsampled", irr::video::ECF_A8R8G8B8);
      tk::tkEngine().manager->getRenderServices()->copyTextureInto(small, big);
    });
    state.counters["smaa_ms"] = smaa * 1e3;
    state.counters["plain_ms"] = plainFrame * 1e3;
    state.counters["supersampled_ms"] = supersampled * 1e3;
    state.counters["smaa_per_supersampling"] = smaa / supersampled;
  }
}
BENCHMARK(BM_SmaaAgainstSupersampledPrePassFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
