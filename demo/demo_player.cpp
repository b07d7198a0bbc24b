#include "demo/demo_player.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "api/camera_commands.h"
#include "api/fader_commands.h"
#include "api/object_commands.h"
#include "api/render_frame.h"
#include "base/log.h"
#include "base/startup_record.h"
#include "base/timer.h"
#include "demo/demo_camera_effects.h"
#include "demo/demo_loader.h"
#include "demo/demo_time_math.h"
#include "effects/shaders/shader_reload.h"
#include "music/music.h"
#include "platform/input/event_receiver.h"
#include "platform/screenshot/screenshot.h"
#include "render/engine.h"
#include "render/renderer_manager.h"
#include "render/tk_manager.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "startup/sys_setup.h"

namespace tk {
namespace {

constexpr int kLeftKey = 37, kRightKey = 39, kShiftKey = 16;

// Renders every part's scene once into the small dummy target, so that its
// effects, textures and shaders exist before the first visible frame.
void prepareScenes(const DemoDescription& demo) {
  STkEngine& engine = tkEngine();
  const RenderTargetInfo* dummy = engine.manager->getRendererManager()->targets().find("DummyRenderTarget");
  for (const DemoPart& part : demo.parts) {
    if (!part.hasScene()) continue;
    ShowScene(part.ids.scene);
    AnimateScene(part.ids.scene, 0);
    if (dummy && engine.driver->beginScene(false, false)) {
      engine.driver->setRenderTarget(dummy->texture, true, true, engine.clearColor);
      engine.sceneManager->drawAll();
      engine.driver->setRenderTarget(irr::video::ERT_FRAME_BUFFER, false, false);
      engine.driver->endScene();
    }
    HideScene(part.ids.scene);
  }
}

// The capture clock drives the display library's own timer too (faders and
// animators read it), so that a capture never depends on real time.
void holdDeviceTimer(int ms) {
  irr::ITimer* timer = tkEngine().device->getTimer();
  if (!timer->isStopped()) timer->stop();
  timer->setTime(static_cast<irr::u32>(ms));
}

int playbackLoop(DemoPlayback& playback, int startPart) {
  DemoClock& clock = playback.clock();
  clock.origin = timerMilliseconds();
  if (startPart > 0) playback.seek(startPart);
  beginFolderWatches();
  while (tkEngine().device->run()) {
    if (inputState().escapeEverPressed() || clock.ended) break;
    if (!runningPacked()) pollShaderChanges();
    if (!playback.step(timerMilliseconds())) return -1;
    if (startPart >= 0) playback.applySeekKeys();
  }
  return 0;
}

int captureLoop(DemoPlayback& playback, int startPart, const char* baseName, float framesPerSecond) {
  log(LOG_INFO, "Start capturing: basename='%s' fps=%f", baseName, framesPerSecond);
  DemoClock& clock = playback.clock();
  clock.origin = 0;
  if (startPart > 0) playback.seek(startPart);
  for (int n = 0; tkEngine().device->run(); ++n) {
    if (inputState().escapeEverPressed() || clock.ended) break;
    // Held to the int range: a very slow rate reaches its last millisecond and stays there.
    const int frameTime = static_cast<int>(std::min(n * 1000.0 / framesPerSecond, static_cast<double>(INT_MAX)));
    holdDeviceTimer(frameTime);
    if (!playback.step(frameTime)) return -1;
    // The step that reaches the end mark draws nothing: there is no frame to write.
    if (clock.ended) break;
    char name[1024];
    snprintf(name, sizeof name, "%s_%06d.bmp", baseName, n);
    if (takeScreenShot(tkEngine().driver, name) != 0) return -1;
    log(LOG_INFO, "Frame %5d; time %6d ; %s", n, frameTime, name);
  }
  return 0;
}

int runDemo(const char* path, int startPart, const char* baseName, float framesPerSecond) {
  DemoDescription demo;
  DemoIdCounters counters;
  if (tkDemoLoad(&demo, path, &counters) != 0) return -1;
  prepareScenes(demo);
  usleep(200 * 1000);
  bool capturing = baseName && *baseName && framesPerSecond != 0;
  DemoPlayback playback(demo, capturing);
  int result = capturing ? captureLoop(playback, startPart, baseName, framesPerSecond) : playbackLoop(playback, startPart);
  StopFade();
  if (capturing) tkEngine().device->getTimer()->start();
  unloadDemo(&demo);
  return result;
}

}  // namespace

void parkScene(int sceneId) {
  STkSceneSlot* slot = sceneSlot(sceneId);
  if (!slot) return;
  int objects = SceneTotalObjects(sceneId);
  for (int i = 0; i < objects; ++i) {
    int id = sceneItemId(slot->objectBase, i);
    if (ObjectExist(id)) PositionObject(id, 0, 0, -1000000);
  }
  hideSceneCameraShaders(sceneId);
  // Emitters of the scene are hidden here once they exist.
}

int DemoPlayback::demoTime(int input) {
  if (!capturing_ && clock_.currentMusic >= 0 && !clock_.musicStopped) {
    const int position = GetMusicPosition(clock_.currentMusic);
    const std::string fault = musicClockFault(clock_.currentMusic);
    if (fault.empty() && position >= 0) {
      clock_.lastMusicTime = addTimes(position, clock_.musicBase);
      return clock_.lastMusicTime;
    }
    if (!fault.empty()) carryOnWithoutMusic(input, fault);
  }
  return subtractTimes(input, clock_.origin);
}

void DemoPlayback::carryOnWithoutMusic(int input, const std::string& why) {
  log(LOG_WARN, "Music %d stopped at %d ms of the demo (%s): the demo goes on by the timer", clock_.currentMusic,
      clock_.lastMusicTime, why.c_str());
  clock_.musicStopped = true;
  clock_.origin = subtractTimes(input, clock_.lastMusicTime);
}

void DemoPlayback::switchTo(int q, int input, int* t) {
  DemoPart& next = demo_.parts[q];
  if (next.musicId >= 0 && clock_.currentMusic >= 0) StopMusic(clock_.currentMusic);
  if (next.hasScene() && clock_.currentScene >= 0) {
    HideScene(clock_.currentScene);
    DemoPart& previous = demo_.parts[clock_.currentPart];
    for (DemoExtra& extra : previous.extras) {
      if (extra.ids.scene < 0) continue;
      HideScene(extra.ids.scene);
      if (extra.flushObjects) {
        DeleteScene(extra.ids.scene);
        extra.ids.scene = -1;
      }
    }
    if (previous.flushObjects) {
      DeleteScene(clock_.currentScene);
      previous.ids.scene = -1;
    }
  }
  if (next.musicId >= 0) {
    clock_.currentMusic = next.musicId;
    PlayMusic(next.musicId);
    clock_.musicBase = clock_.lastMusicTime = next.time;
    clock_.musicStopped = false;
  }
  if (next.timeReset) {
    clock_.origin = input;
    *t = 0;
  }
  SetCameraRange(next.cameraNear, next.cameraFar);
  if (next.hasScene()) {
    clock_.currentScene = next.ids.scene;
    ShowScene(next.ids.scene);
    for (const DemoExtra& extra : next.extras) {
      if (extra.ids.scene < 0) continue;
      parkScene(extra.ids.scene);
      ShowScene(extra.ids.scene);
    }
  }
  clock_.currentPart = q;
}

void DemoPlayback::stepExtras(DemoPart& part, int t) {
  for (DemoExtra& extra : part.extras) {
    if (extra.ids.scene < 0) continue;
    if (inWindow(t, extra.time, extra.length) && !extra.active) extra.active = true;  // its emitters show here
    if (!pastWindow(t, extra.time, extra.length) && extra.active)
      AnimateScene(extra.ids.scene, subtractTimes(t, extra.time));
    if (pastWindow(t, extra.time, extra.length) && extra.active) {
      parkScene(extra.ids.scene);
      extra.active = false;
    }
  }
}

void DemoPlayback::stepShaders(DemoPart& part, int t) {
  DemoShader* lastOn = nullptr;
  for (DemoShader& shader : part.shaders) {
    if (shader.cameraEffect < 0) continue;
    if (inWindow(t, shader.time, shader.length) && !shader.active && !shader.done) {
      if (lastOn && lastOn->active) {
        demoCameraEffects().hide(lastOn->cameraEffect);
        lastOn->active = false;
        lastOn->done = true;
      }
      demoCameraEffects().show(shader.cameraEffect);
      shader.active = true;
      lastOn = &shader;
    } else if (pastWindow(t, shader.time, shader.length) && shader.active) {
      demoCameraEffects().hide(shader.cameraEffect);
      shader.active = false;
      shader.done = true;
      lastOn = nullptr;
    }
  }
}

void DemoPlayback::stepFaders(DemoPart& part, int t) {
  DemoFader* lastOn = nullptr;
  for (DemoFader& fader : part.faders) {
    if (inWindow(t, fader.time, fader.length) && !fader.active && !fader.done) {
      if (lastOn && lastOn->active) {
        lastOn->active = false;
        lastOn->done = true;
      }
      if (fader.fadeIn) FadeIn(fader.fadeLength, fader.colour);
      else FadeOut(fader.fadeLength, fader.colour);
      fader.active = true;
      lastOn = &fader;
    } else if (pastWindow(t, fader.time, fader.length) && fader.active) {
      StopFade();
      fader.active = false;
      fader.done = true;
      lastOn = nullptr;
    }
  }
}

bool DemoPlayback::step(int input) {
  int t = demoTime(input);
  int count = static_cast<int>(demo_.parts.size());
  int next = clock_.currentPart + 1;
  if (next < count && t >= demo_.parts[next].time) {
    // The last part only marks the end of the demo.
    if (next == count - 1) {
      clock_.ended = true;
      return true;
    }
    switchTo(next, input, &t);
  }
  if (clock_.currentPart < 0) {
    renderFrame();
    return true;
  }
  DemoPart& part = demo_.parts[clock_.currentPart];
  stepExtras(part, t);
  if (part.paletteId >= 0 && part.paletteId != clock_.currentPalette) clock_.currentPalette = part.paletteId;
  stepShaders(part, t);
  stepFaders(part, t);
  if (clock_.currentScene >= 0) {
    AnimateScene(clock_.currentScene, subtractTimes(t, part.timeBase));
    UpdateSceneCubeMaps(clock_.currentScene, subtractTimes(t, part.timeBase));
  }
  renderFrame();
  return true;
}

void DemoPlayback::seek(int s) {
  if (s <= 0 || s >= static_cast<int>(demo_.parts.size())) return;
  clock_.currentPart = s - 1;
  const DemoPart& target = demo_.parts[s];
  clock_.origin = subtractTimes(clock_.origin, target.time);
  for (int j = s - 1; j >= 0; --j) {
    const DemoPart& part = demo_.parts[j];
    if (part.musicId < 0) continue;
    clock_.currentMusic = part.musicId;
    PlayMusic(part.musicId);
    clock_.musicBase = part.time;
    clock_.lastMusicTime = target.time;
    clock_.musicStopped = false;
    SetMusicPosition(part.musicId, subtractTimes(target.time, part.timeReset == 1 ? 0 : part.time));
    break;
  }
}

void DemoPlayback::applySeekKeys() {
  const InputState& input = inputState();
  bool left = input.keyHeld(kLeftKey), right = input.keyHeld(kRightKey);
  if (!left && !right) return;
  int move = (left && !right) ? -2 : 30;
  if (input.keyHeld(kShiftKey)) move = (left && !right) ? -20 : 120;
  if (clock_.currentMusic < 0) return;
  int position = GetMusicPosition(clock_.currentMusic);
  if (position < 0 || SetMusicPosition(clock_.currentMusic, std::max(0, addTimes(position, move))) != 0) return;
  // Moved back from its end (or past a stall), the music leads the clock again.
  if (musicClockFault(clock_.currentMusic).empty()) clock_.musicStopped = false;
}

int playDemo(const char* path, int startPart) { return runDemo(path, startPart, nullptr, 0); }

int captureDemo(const char* path, int startPart, const char* baseName, float framesPerSecond) {
  // A rate of 0 or less (or none) never reaches the end: its frame times stand still or run backwards.
  if (!(framesPerSecond > 0) || std::isinf(framesPerSecond)) {
    logError("Capture rate %g is not a number of frames per second", framesPerSecond);
    return -1;
  }
  return runDemo(path, startPart, baseName, framesPerSecond);
}

}  // namespace tk
