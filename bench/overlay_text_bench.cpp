// The viewer's status texts drawn through the 2D draw queue against the same
// texts as GUI static texts, in one run: 64 texts of one status line each,
// frame after frame, only the 2D draws timed (queueing and playing back, or
// setting the texts and drawing the GUI). Each way is timed over kFrames
// frames (each waited for with glFinish); they take turns three times and the
// best of each counts. The counter
// queue_per_static_text is the queue's time over the static texts' (the aim:
// at most 0.8). This one draws for real: it needs an X display (xvfb-run).
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>
#include <irrlicht.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "api/draw_queue.h"
#include "base/files/file_layer.h"
#include "base/log.h"
#include "render/engine.h"
#include "startup/sys_setup.h"

namespace {

constexpr int kTexts = 64;
constexpr int kFrames = 60;
constexpr int kRounds = 3;

using Clock = std::chrono::steady_clock;

std::string line(int i) { return "Frame=" + std::to_string(1000 + i) + ".00 time=0mn40sec0 millisec=40000"; }

// The time the 2D draws themselves take in each frame: what `draw` does
// between the scene and the end of the frame, waited for with glFinish.
double secondsPerFrame(irr::video::IVideoDriver* driver, const std::function<void()>& draw) {
  double total = 0;
  for (int i = 0; i < kFrames; ++i) {
    driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
    glFinish();
    const Clock::time_point start = Clock::now();
    draw();
    glFinish();
    total += std::chrono::duration<double>(Clock::now() - start).count();
    driver->endScene();
  }
  return total / kFrames;
}

void queueAgainstStaticTexts(benchmark::State& state) {
  if (!getenv("DISPLAY")) {
    state.SkipWithError("needs an X display: run it under xvfb-run");
    return;
  }
  tk::setBaseDirectory(TESK_SOURCE_DIR "/runtime/");
  tk::disableMessageBoxes();
  tk::setLogThreshold(tk::LOG_NONE);
  tk::SysSetup setup;
  setup.width = 640;
  setup.height = 720;
  setup.vsync = 0;
  if (tk::tkSysSetup(setup) != 0) {
    state.SkipWithError("the engine did not start");
    return;
  }
  irr::gui::IGUIEnvironment* gui = tk::tkEngine().gui;
  std::vector<std::string> lines;
  for (int i = 0; i < kTexts; ++i) lines.push_back(line(i));

  irr::video::IVideoDriver* driver = tk::tkEngine().driver;
  irr::gui::IGUIFont* font = gui->getBuiltInFont();
  auto queued = [&] {
    for (int i = 0; i < kTexts; ++i)
      tk::drawQueue().addText(nullptr, 0, i * 11, 0xFFFFFFFF, lines[i].data(), lines[i].size());
    tk::drawQueue().flush(driver, font, nullptr);
  };
  // The way the viewer drew its status before: one static text per line,
  // its text set again each frame.
  std::vector<irr::gui::IGUIStaticText*> texts;
  auto makeStatic = [&] {
    for (int i = 0; i < kTexts; ++i) {
      irr::gui::IGUIStaticText* text = gui->addStaticText(L"", irr::core::recti(0, i * 11, 600, i * 11 + 15));
      text->setOverrideColor(irr::video::SColor(255, 255, 255, 255));
      text->setOverrideFont(gui->getBuiltInFont());
      texts.push_back(text);
    }
  };
  auto setStatic = [&] {
    for (int i = 0; i < kTexts; ++i) texts[i]->setText(irr::core::stringw(lines[i].c_str()).c_str());
    gui->drawAll();
  };
  auto removeStatic = [&] {
    for (irr::gui::IGUIStaticText* text : texts) text->remove();
    texts.clear();
  };

  double queue = 1e9, staticTexts = 1e9;
  for (auto _ : state) {
    for (int round = 0; round < kRounds; ++round) {
      queue = std::min(queue, secondsPerFrame(driver, queued));
      makeStatic();
      staticTexts = std::min(staticTexts, secondsPerFrame(driver, setStatic));
      removeStatic();
    }
  }
  state.counters["queue_ms"] = queue * 1000;
  state.counters["static_text_ms"] = staticTexts * 1000;
  state.counters["queue_per_static_text"] = queue / staticTexts;
  tk::tkSysShutdown();
}

}  // namespace

BENCHMARK(queueAgainstStaticTexts)->Iterations(1)->Unit(benchmark::kMillisecond);
