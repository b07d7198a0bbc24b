#include "viewer/scene_viewer.h"

#include <unistd.h>

#include <cstdio>

#include "api/camera_commands.h"
#include "api/draw_queue.h"
#include "api/render_frame.h"
#include "base/files/file_layer.h"
#include "base/log.h"
#include "base/saturating.h"
#include "base/startup_record.h"
#include "base/timer.h"
#include "effects/shaders/shader_reload.h"
#include "music/music.h"
#include "platform/input/event_receiver.h"
#include "platform/ui/file_requester.h"
#include "platform/window/window.h"
#include "render/engine.h"
#include "render/loading/loading_screen.h"
#include "render/renderer_start.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "startup/sys_setup.h"
#include "viewer/modelling_package.h"
#include "viewer/scene_reload.h"

namespace tk {
namespace {

constexpr int kIdleSleepMs = 10;
constexpr int kIdleFrameEvery = 10;  // while idle, one iteration in ten runs
constexpr int kRideSpeedStep = 10;
constexpr int kPlaySyncFrameSpan = 2;

bool inFullScreen() {
  irr::IrrlichtDevice* device = tkEngine().device;
  return device && device->isFullscreen();
}

void toggleDebugView() {
  if (ITkRendererCtx* context = rendering().context) {
    irr::u32& debugView = context->getFrameSettings().debugView;
    debugView = debugView ? 0 : 1;
  }
}

}  // namespace

SceneViewer::SceneViewer(const ViewerOptions& options)
    : options_(options), ride_(options.rideOptions, options.rideSpeed) {}

SceneViewer::~SceneViewer() = default;

SceneViewer::Started SceneViewer::start(const std::string& fileName, int32_t now) {
  print("Tesk Engine scene viewer started");
  std::string file = fileName;
  if (file.empty() && has(VIEWER_INTERACTIVE) && has(VIEWER_BINARY))
    file = runFileRequester(tkEngine().device, "Open Tesk scene for binary convert",
                            {{"Tesk Scene (lws.ini)", "*.lws.ini"}, {"All", "*.*"}});
  if (file.empty()) return Started::Failed;

  if (has(VIEWER_SYNCUPDATE) && !inFullScreen()) placeBesideModellingPackage(tkEngine().device);
  if (!runningPacked()) beginFolderWatches();
  if (!load(file)) return Started::Failed;
  if (has(VIEWER_BINARY)) {
    DeleteScene(kViewerSceneId);
    sceneLoaded_ = false;
    return Started::Done;
  }

  std::string musicFile = sceneMusicFile(kViewerSceneId);
  if (has(VIEWER_MUSIC) && !musicFile.empty()) musicLoaded_ = loadSceneMusic(musicFile);

  PrepareSceneRender(kViewerSceneId);
  if (has(VIEWER_SYNCUPDATE)) {
    live_.watch(scenePath_);
    lastSyncFrame_ = inputState().syncFrame;
  }
  ShowScene(kViewerSceneId);
  clock_.emplace(sceneTiming(), musicLoaded_ ? &music_ : nullptr);
  clock_->start(now, has(VIEWER_PAUSED), has(VIEWER_FRAMESTART), options_.frameStart);
  startRide(now);
  fps_ = FpsMeter(now);
  overlay_ = std::make_unique<StatusOverlay>(drawQueue());
  return Started::Playing;
}

// Loads the file as scene 1 from its own folder, showing the loading screen.
bool SceneViewer::load(const std::string& file) {
  FileLayer& files = fileLayer();
  scenePath_ = files.absolutePath(file.c_str());
  std::string folder = files.directoryPart(file.c_str());
  std::string name = files.baseName(file.c_str(), true);
  setSceneLoadProgress(sceneLoadProgress, nullptr);
  if (!folder.empty()) files.setDirectory(folder.c_str());
  setLoadFailureReporting(true);
  SceneBases bases;
  bases.object = 1;
  sceneLoaded_ = loadScene(name.c_str(), kViewerSceneId, bases, false, name.c_str(), false) == 0;
  setSceneLoadProgress(nullptr, nullptr);
  endSceneLoadProgress();
  if (!sceneLoaded_) logError("Failed to load scene");
  return sceneLoaded_;
}

SceneTiming SceneViewer::sceneTiming() const {
  SceneTiming timing;
  timing.firstFrame = SceneFrameStart(kViewerSceneId);
  timing.frameRate = SceneFps(kViewerSceneId);
  timing.lengthMs = SceneAnimTimeEnd(kViewerSceneId);
  if (const STkSceneSlot* slot = sceneSlot(kViewerSceneId))
    timing.frameSpan = saturatedInt(sceneFrameSpan(*slot->description));
  if (has(VIEWER_MUSIC)) timing.musicOffsetMs = sceneMusicOffset(kViewerSceneId);
  return timing;
}

void SceneViewer::startRide(int32_t now) {
  if (has(VIEWER_RIDE)) {
    // The camera takes the scene camera's place before the ride takes over.
    AnimateScene(kViewerSceneId, clock_->sceneTime(now));
    renderFrame();
  }
  ride_.buildCollisionWorld(1, SceneTotalObjects(kViewerSceneId));
  if (has(VIEWER_RIDE)) ride_.switchOn();
  ride_.applySpeed();
}

void SceneViewer::iterate(int32_t now) {
  if (!runningPacked()) pollShaderChanges();
  if (has(VIEWER_SYNCUPDATE)) followLiveScene(now);
  if (idle()) {
    usleep(kIdleSleepMs * 1000);
    return;
  }
  InputState& input = inputState();
  if (keys_.pressed(input, irr::KEY_RETURN)) clock_->toggleLoop();
  bool timeChanged = handleTimeKeys(now);
  clock_->keepWithinScene(now);
  handleRideKeys();
  if (keys_.pressed(input, irr::KEY_F12)) toggleDebugView();
  if (timeChanged && clock_->timing().frameSpan <= kPlaySyncFrameSpan) {
    fputs("PLAYSYNC\n", stderr);
    fflush(stderr);
  }
  int m = clock_->sceneTime(now);
  // A new version that could be read but not loaded leaves no scene until the next one.
  if (clock_->needsAnimation(m) && SceneExist(kViewerSceneId)) AnimateScene(kViewerSceneId, m);
  UpdateSceneCubeMaps(kViewerSceneId, m);
  showStatus(now, m);
  renderFrame();
  keys_.update(input);
}

// Live mode: new versions of the scene file and the modelling package's frame.
void SceneViewer::followLiveScene(int32_t now) {
  live_.poll([this, now] { return takeUpNewVersion(now); });
  uint32_t syncFrame = inputState().syncFrame;
  if (syncFrame != lastSyncFrame_) {
    clock_->jumpTo(now, clock_->timeOfSyncFrame(syncFrame));
    lastSyncFrame_ = syncFrame;
  }
}

// Replaces the scene by the file's new version and shows the same frame of it.
bool SceneViewer::takeUpNewVersion(int32_t now) {
  double frame = clock_->frameAt(clock_->sceneTime(now));
  if (!reloadScene(kViewerSceneId, scenePath_.c_str())) return false;
  PrepareSceneRender(kViewerSceneId);
  ShowScene(kViewerSceneId);
  ride_.buildCollisionWorld(1, SceneTotalObjects(kViewerSceneId));
  clock_->setTiming(sceneTiming());
  clock_->jumpTo(now, clock_->timeOfFrame(frame));
  return true;
}

bool SceneViewer::idle() {
  bool idling = !has(VIEWER_NOIDLEINACTIVE) && !clock_->marked() && clock_->paused() &&
                !windowActive(tkEngine().device);
  if (!idling) {
    idleCounter_ = 0;
    return false;
  }
  return idleCounter_++ % kIdleFrameEvery != 0;
}

// Space, the arrows and the plus and minus keys; true when the time was changed.
bool SceneViewer::handleTimeKeys(int32_t now) {
  const InputState& input = inputState();
  bool changed = false;
  if (keys_.pressed(input, irr::KEY_SPACE)) {
    clock_->togglePause(now);
    changed = true;
  }
  int step = input.keyHeld(irr::KEY_SHIFT) ? 10 : 1;
  bool arrows = !ride_.on();
  bool forward = (arrows && input.keyHeld(irr::KEY_RIGHT)) || input.keyHeld(irr::KEY_PLUS) ||
                 input.keyHeld(irr::KEY_ADD);
  bool back = (arrows && input.keyHeld(irr::KEY_LEFT)) || input.keyHeld(irr::KEY_MINUS) ||
              input.keyHeld(irr::KEY_SUBTRACT);
  if (forward) clock_->step(now, step);
  if (back) clock_->step(now, -step);
  return changed || forward || back;
}

void SceneViewer::handleRideKeys() {
  const InputState& input = inputState();
  if (ride_.on()) {
    if (input.keyHeld(irr::KEY_KEY_1)) ride_.changeSpeed(-kRideSpeedStep);
    if (input.keyHeld(irr::KEY_KEY_2)) ride_.changeSpeed(kRideSpeedStep);
  }
  if (keys_.rightButtonPressed(input)) ride_.toggle();
  ride_.updateCursor(windowActive(tkEngine().device));
}

void SceneViewer::showStatus(int32_t now, int m) {
  status_.frame = frameStatusText(clock_->frameAt(m), m);
  fps_.count(now);
  status_.fps = fps_.text();
  status_.riding = ride_.on();
  if (ride_.on()) {
    status_.ride = rideSpeedText(ride_.mouseLook(), ride_.speed());
    irr::scene::ICameraSceneNode* camera = tkEngine().camera;
    status_.camera = cameraStatusTexts(camera->getAbsolutePosition(), camera->getTarget());
  }
  status_.updateFailed = live_.failed();
  if (overlay_) overlay_->show(status_);
}

void SceneViewer::finish() {
  overlay_.reset();
  if (ride_.on()) ride_.switchOff();
  if (musicLoaded_) {
    StopMusic(kViewerMusicId);
    DeleteMusic(kViewerMusicId);
    musicLoaded_ = false;
  }
  if (sceneLoaded_) DeleteScene(kViewerSceneId);
  sceneLoaded_ = false;
  print("Tesk Engine scene viewer ended");
}

int runSceneViewer(const std::string& fileName, const ViewerOptions& options) {
  SceneViewer viewer(options);
  switch (viewer.start(fileName, timerMilliseconds())) {
    case SceneViewer::Started::Failed: return -1;
    case SceneViewer::Started::Done: return 0;
    case SceneViewer::Started::Playing: break;
  }
  STkEngine& engine = tkEngine();
  while (engine.device->run() && !inputState().escapeEverPressed()) viewer.iterate(timerMilliseconds());
  viewer.finish();
  return 0;
}

}  // namespace tk
