#include "scene/scene_desc.h"

#include <cstring>

#include "base/files/file_layer.h"
#include "base/files/open_failure.h"
#include "scene/scene_effect_values.h"

namespace tk {

namespace {

constexpr size_t kMaxCommands = 150, kMaxInputs = 10, kMaxOutputs = 5, kMaxParameters = 20, kMaxShaders = 50;

// The child records of a record list, whatever they are named.
std::vector<const TF_Node*> childrenOf(const TF_Node* list) {
  std::vector<const TF_Node*> children;
  if (!list || list->kind != TF_RECORD) return children;
  for (uint32_t i = 0; i < list->count; ++i) children.push_back(list->children[i]);
  return children;
}

std::string text(const TF_Node* record, const char* key) { return TF_Str(TF_Find(record, key), ""); }
int integer(const TF_Node* record, const char* key, int fallback = 0) { return TF_Int(TF_Find(record, key), fallback); }
float number(const TF_Node* record, const char* key) { return TF_Float(TF_Find(record, key), 0.0f); }

const TF_Node* effectOf(const TF_Node* record) { return TF_Find(record, "Effect"); }

CameraDesc readCamera(const TF_Node* r) {
  CameraDesc c;
  c.position = TF_Find(r, "position");
  c.rotation = TF_Find(r, "rotation");
  c.focalDistance = TF_Find(r, "focalDistance");
  c.fStop = TF_Find(r, "fStop");
  c.zoomFactor = TF_Find(r, "zoomFactor");
  c.flags = integer(r, "flags");
  const TF_Node* resolution = TF_Find(r, "resolution");
  if (resolution && resolution->kind == TF_VALUE && resolution->count >= 2 &&
      (resolution->type == TF_I4 || resolution->type == TF_U4)) {
    c.width = TF_IntAt(resolution->data, 0);
    c.height = TF_IntAt(resolution->data, 1);
  }
  c.separation = TF_Find(r, "separation");
  c.convergencePoint = TF_Find(r, "convergencePoint");
  c.usingConvergencePoint = integer(r, "usingConvergencePoint");
  return c;
}

LightDesc readLight(const TF_Node* r) {
  LightDesc l;
  l.name = text(r, "name");
  l.position = TF_Find(r, "position");
  l.rotation = TF_Find(r, "rotation");
  l.type = integer(r, "type", 1);
  l.coneAngles = TF_Find(r, "coneAngles");
  l.flags = integer(r, "flags");
  l.falloff = integer(r, "falloff");
  l.range = TF_Find(r, "range");
  l.rawColor = TF_Find(r, "rawColor");
  l.intensity = TF_Find(r, "intensity");
  l.shadowType = integer(r, "shadowType");
  l.shadowColor = TF_Find(r, "shadowColor");
  l.shadowMapSize = integer(r, "shadMapSize");
  l.shadowMapFuzz = TF_Find(r, "shadMapFuzz");
  l.projectedImage = text(r, "projImage");
  l.distantShadowOffset = TF_Find(r, "distantShadowPositionOffset");
  l.distantShadowWidth = TF_Find(r, "distantShadowDimWidth");
  l.distantShadowHeight = TF_Find(r, "distantShadowDimHeight");
  l.distantShadowPosition = integer(r, "distantShadowPosition");
  l.volumetric = TF_Find(r, "Volumetric");
  l.volumetricDensity = TF_Find(l.volumetric, "density");
  l.volumetricBase = TF_Find(l.volumetric, "base");
  return l;
}

EmitterDesc readEmitter(const TF_Node* r) {
  EmitterDesc e;
  e.name = text(r, "name");
  e.type = integer(r, "type", -1);
  e.parentName = text(r, "parentName");
  e.selectionMask = integer(r, "selectionMask");
  e.position = TF_Find(r, "position");
  e.rotation = TF_Find(r, "rotation");
  e.scale = TF_Find(r, "scale");
  e.hyperVoxel = TF_Find(r, "HyperVoxel");
  e.particleFx = TF_Find(r, "ParticleFx");
  e.effect = effectOf(TF_Find(r, "Shader"));
  return e;
}

SurfaceParameterDesc readSurfaceParameter(const TF_Node* r) {
  SurfaceParameterDesc p;
  if (!r) return p;
  p.value = TF_Find(r, "value");
  p.kind = effectParameterKind(r);
  p.image = text(r, "img_filename");
  p.imageColorSpace = integer(r, "img_colorspace", 0);
  p.imageMipMaps = integer(r, "img_mipmap", 1);
  return p;
}

// A vector or float value given as samples over time.
bool isChannelOverTime(const SurfaceParameterDesc& p) {
  if (!p.value || (p.kind != kEffectValueVector && p.kind != kEffectValueFloat)) return false;
  return p.value->kind == TF_ARRAY || (p.value->kind == TF_VALUE && p.value->type == TF_FP_C);
}

// The last surface with this applyToSurface that has an effect, or none.
const TF_Node* sharedEffect(const std::vector<SurfaceDesc>& surfaces, int applyToSurface) {
  const TF_Node* found = nullptr;
  for (const SurfaceDesc& surface : surfaces)
    if (surface.applyToSurface == applyToSurface && surface.effect) found = surface.effect;
  return found;
}

void chooseDrawnEffects(std::vector<SurfaceDesc>* surfaces) {
  const TF_Node* forAll = sharedEffect(*surfaces, 2);
  const TF_Node* forOthers = sharedEffect(*surfaces, 1);
  for (SurfaceDesc& surface : *surfaces) {
    if (surface.applyToSurface == 3) continue;
    surface.drawnEffect = forAll ? forAll : surface.effect ? surface.effect : forOthers;
  }
}

SceneObjectDesc readSceneObject(const TF_Node* r) {
  SceneObjectDesc s;
  s.filename = text(r, "filename");
  for (const TF_Node* surfaceRecord : childrenOf(TF_Find(r, "Surfaces"))) {
    SurfaceDesc surface;
    surface.name = text(surfaceRecord, "name");
    const TF_Node* parameters = TF_Find(surfaceRecord, "Parameters");
    for (int i = 0; i < kSurfaceParameterCount; ++i) {
      surface.parameters[i] = TF_Find(parameters, kSurfaceParameterNames[i]);
      surface.values[i] = readSurfaceParameter(surface.parameters[i]);
      if (isChannelOverTime(surface.values[i])) surface.animated.push_back(i);
    }
    const TF_Node* shader = TF_Find(surfaceRecord, "Shader");
    surface.applyToSurface = integer(shader, "applyToSurface");
    surface.effect = effectOf(shader);
    s.surfaces.push_back(surface);
  }
  chooseDrawnEffects(&s.surfaces);
  for (const SurfaceDesc& surface : s.surfaces) {
    const bool changes = !surface.animated.empty() || surface.drawnEffect;
    s.surfaceChanges.push_back(changes ? 1 : 0);
    s.changesOverTime = s.changesOverTime || changes;
  }
  return s;
}

int indexByName(const std::vector<std::string>& names, const std::string& name) {
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int>(i);
  return -1;
}

ObjectDesc readObject(const TF_Node* r, const STkSceneDesc& desc, const std::vector<std::string>& cubeMapNames) {
  ObjectDesc o;
  o.name = text(r, "name");
  o.tfilename = text(r, "tfilename");
  o.filename = text(r, "filename");
  o.position = TF_Find(r, "position");
  o.rotation = TF_Find(r, "rotation");
  o.scale = TF_Find(r, "scale");
  o.pointCloudCount = integer(r, "pointCloudCount");
  if (const TF_Node* mdd = TF_Find(r, "MDD")) {
    o.pointCache.filename = text(mdd, "filename");
    o.hasPointCache = !o.pointCache.filename.empty();
    o.pointCache.applyCacheTo = integer(mdd, "applyCacheTo");
    o.pointCache.endBehavior = integer(mdd, "endBehavior");
    o.pointCache.totalTime = number(mdd, "mddTotalTime");
    o.pointCache.times = TF_Find(mdd, "times");
    o.pointCache.postBehavior = integer(mdd, "postBehavior");
  }
  for (const TF_Node* morph : childrenOf(TF_Find(r, "Morphs"))) o.morphWeights.push_back(TF_Find(morph, "value"));
  for (const TF_Node* use : childrenOf(TF_Find(r, "UseCubeMaps"))) {
    CubeMapUseDesc u;
    u.cubeMap = indexByName(cubeMapNames, text(use, "renderCubeMap"));
    u.aabbPosition = TF_Find(use, "aabbPosition");
    u.aabbScale = TF_Find(use, "aabbScale");
    u.influence = TF_Find(use, "influence");
    o.cubeMaps.push_back(u);
  }
  o.shadowOpts = integer(r, "shadowOpts");
  o.selectionMask = integer(r, "selectionMask");
  o.vertexTextureName = text(r, "vertexTextureName");
  o.vertexTextureContent = integer(r, "vertexTextureContent");
  o.vertexTextureFormat = integer(r, "vertexTextureFormat");
  // When several scene objects share the file name, the last one counts.
  for (size_t i = 0; i < desc.sceneObjects.size(); ++i)
    if (desc.sceneObjects[i].filename == o.filename) o.sceneObject = static_cast<int>(i);
  return o;
}

CubeMapDesc readCubeMap(const TF_Node* r) {
  CubeMapDesc c;
  c.name = text(r, "name");
  c.renderType = integer(r, "renderType");
  c.textureSize = integer(r, "textureSize");
  c.renderTime = number(r, "renderTime");
  c.hideObject = integer(r, "hideObject");
  c.position = TF_Find(r, "position");
  c.cameraOffset = TF_Find(r, "cameraOffset");
  c.showVolumetric = integer(r, "showVolumetric");
  c.clampVolumetric = integer(r, "clampVolumetric");
  c.clampVolumetricMax = number(r, "clampVolumetricMax");
  c.useLatLong = integer(r, "useLatLong");
  return c;
}

// Object names of a hide or show list, resolved to object indices; unknown names are dropped.
std::vector<int> objectIndices(const TF_Node* list, const std::vector<ObjectDesc>& objects) {
  std::vector<int> indices;
  for (const TF_Node* entry : childrenOf(list)) {
    std::string wanted = entry->kind == TF_VALUE ? TF_Str(entry, "") : text(entry, "value");
    for (size_t i = 0; i < objects.size(); ++i)
      if (objects[i].name == wanted) {
        indices.push_back(static_cast<int>(i));
        break;
      }
  }
  return indices;
}

CameraShaderDesc readCameraShader(const TF_Node* r) {
  CameraShaderDesc c;
  c.useFrame = integer(r, "useframe");
  c.startFrame = integer(r, "startframe");
  c.endFrame = integer(r, "endframe");
  c.effect = effectOf(r);
  return c;
}

bool readConnections(const TF_Node* list, size_t limit, std::vector<RenderConnection>* out) {
  for (const TF_Node* c : childrenOf(list)) out->push_back({text(c, "name"), text(c, "value")});
  return out->size() <= limit;
}

// One (name, kind, value) render parameter; false with the reason in `error`.
bool readRenderParameter(const TF_Node* record, RendererDesc* renderer, RenderParameter* p, std::string* error) {
  p->name = text(record, "name");
  if (const TF_Node* effect = effectOf(record)) {
    if (renderer->shaders.size() >= kMaxShaders) return (*error = "Renderer: too much shaders", false);
    p->kind = RP_EFFECT;
    p->integer = static_cast<int>(renderer->shaders.size());
    renderer->shaders.push_back(effect);
    return true;
  }
  const TF_Node* value = TF_Find(record, "value");
  if (!value) {
    p->kind = RP_INTEGER;
    return true;
  }
  if (value->kind != TF_VALUE) return (*error = "Renderer: unknown param type", false);
  switch (value->type) {
    case TF_FP:
      if (value->count >= 3) {
        p->kind = RP_VECTOR;
        for (int i = 0; i < 3; ++i) p->vector[i] = TF_FloatAt(value->data, i);
      } else {
        p->kind = RP_FLOAT;
        p->vector[0] = TF_Float(value, 0);
      }
      return true;
    case TF_I4:
    case TF_U4:
      p->kind = RP_INTEGER;
      p->integer = TF_Int(value, 0);
      return true;
    case TF_STR:
      p->kind = RP_TEXT;
      p->text = TF_Str(value, "");
      return true;
    default: return (*error = "Renderer: unknown param value type", false);
  }
}

// "Render Objects" seen from a light: the light's index goes into "ViewNode".
bool addViewNode(STkRenderCommandRecord* command, const std::vector<LightDesc>& lights, std::string* error) {
  if (command->cmd != "Render Objects" || command->integer("View") != 2) return true;
  const RenderParameter* select = command->parameter("ViewSelect");
  if (!select || select->kind != RP_TEXT || select->text == "(none)") return true;
  int light = -1;
  for (size_t i = 0; i < lights.size(); ++i)
    if (lights[i].name == select->text) light = static_cast<int>(i);
  if (light < 0) return (*error = "Renderer: cannot find light for Render Objects", false);
  if (command->parameters.size() >= kMaxParameters) return (*error = "Renderer: too much parameters to add extra", false);
  RenderParameter viewNode;
  viewNode.name = "ViewNode";
  viewNode.kind = RP_LIGHT;
  viewNode.integer = light;
  command->parameters.push_back(viewNode);
  return true;
}

bool readRenderer(const TF_Node* record, STkSceneDesc* desc, std::string* error) {
  const TF_Node* commands = TF_Find(record, "Commands");
  if (!record || !commands) return true;
  desc->hasRenderer = true;
  std::vector<const TF_Node*> list = childrenOf(commands);
  if (list.size() > kMaxCommands) return (*error = "Renderer: too much commands", false);
  for (const TF_Node* c : list) {
    STkRenderCommandRecord command;
    command.name = text(c, "name");
    command.cmd = text(c, "cmd");
    if (!readConnections(TF_Find(c, "Inputs"), kMaxInputs, &command.inputs))
      return (*error = "Renderer: too much inputs", false);
    if (!readConnections(TF_Find(c, "Outputs"), kMaxOutputs, &command.outputs))
      return (*error = "Renderer: too much outputs", false);
    std::vector<const TF_Node*> parameters = childrenOf(TF_Find(c, "Parameters"));
    if (parameters.size() > kMaxParameters) return (*error = "Renderer: too much parameters", false);
    for (const TF_Node* p : parameters) {
      RenderParameter parameter;
      if (!readRenderParameter(p, &desc->renderer, &parameter, error)) return false;
      command.parameters.push_back(parameter);
    }
    if (!addViewNode(&command, desc->lights, error)) return false;
    desc->renderer.commands.push_back(command);
  }
  return true;
}

void readSceneInfo(const TF_Node* info, STkSceneDesc* desc) {
  desc->frameStart = integer(info, "frameStart");
  desc->frameEnd = integer(info, "frameEnd");
  desc->frameStep = integer(info, "frameStep");
  desc->framesPerSecond = number(info, "framesPerSecond");
  desc->music = text(info, "loadAudio");
  desc->audioStartTime = number(info, "audioStartTime");
  desc->renderCamera = TF_Find(info, "renderCamera");
}

}  // namespace

std::unique_ptr<STkSceneDesc> readSceneDocument(TfDocPtr document, std::string* error) {
  error->clear();
  auto desc = std::make_unique<STkSceneDesc>();
  const TF_Node* scene = TF_Find(TF_Root(document.get()), "Scene");
  if (!scene) {
    *error = "not a scene: no \"Scene\" record";
    return nullptr;
  }
  desc->document = std::move(document);
  desc->scene = scene;
  readSceneInfo(TF_Find(scene, "SceneInfo"), desc.get());
  desc->backdrop = TF_Find(TF_Find(scene, "BackdropInfo"), "zenith");
  desc->ambient = TF_Find(TF_Find(scene, "LightInfo"), "ambient");
  desc->imageProcessing = TF_Find(scene, "ImageProcessing");
  desc->renderSettings = TF_Find(scene, "TeskRenderSettings");
  desc->colorSpaceViewer = integer(TF_Find(scene, "ColorSpace"), "ColorSpaceViewer");

  std::vector<std::string> cubeMapNames;
  for (const TF_Node* r : childrenOf(TF_Find(scene, "CubeMaps"))) {
    desc->cubeMaps.push_back(readCubeMap(r));
    cubeMapNames.push_back(desc->cubeMaps.back().name);
  }
  for (const TF_Node* r : childrenOf(TF_Find(scene, "Cameras"))) desc->cameras.push_back(readCamera(r));
  for (const TF_Node* r : childrenOf(TF_Find(scene, "Lights"))) desc->lights.push_back(readLight(r));
  for (const TF_Node* r : childrenOf(TF_Find(scene, "FxEmitters"))) desc->emitters.push_back(readEmitter(r));
  for (const TF_Node* r : childrenOf(TF_Find(scene, "SceneObjects"))) desc->sceneObjects.push_back(readSceneObject(r));
  for (const TF_Node* r : childrenOf(TF_Find(scene, "Objects")))
    desc->objects.push_back(readObject(r, *desc, cubeMapNames));
  std::vector<const TF_Node*> cubeMapRecords = childrenOf(TF_Find(scene, "CubeMaps"));
  for (size_t i = 0; i < desc->cubeMaps.size(); ++i) {
    CubeMapDesc& cube = desc->cubeMaps[i];
    const TF_Node* showSet = TF_Find(cubeMapRecords[i], "showSet");
    cube.hasShowList = showSet != nullptr && showSet->count > 0;
    cube.showList = objectIndices(showSet, desc->objects);
    cube.hideList = objectIndices(TF_Find(cubeMapRecords[i], "hideSet"), desc->objects);
    if (cube.hideObject)
      for (size_t o = 0; o < desc->objects.size(); ++o)
        if (desc->objects[o].name == cube.name) cube.hideList.push_back(static_cast<int>(o));
  }
  for (const TF_Node* r : childrenOf(TF_Find(scene, "TeskPostProcs"))) desc->cameraShaders.push_back(readCameraShader(r));
  if (!readRenderer(TF_Find(scene, "TeskRenderCommands"), desc.get(), error)) return nullptr;
  return desc;
}

std::unique_ptr<STkSceneDesc> readSceneFile(const char* path, std::string* error) {
  error->clear();
  TfDocPtr document(TF_Load(path));
  if (!document) {
    // The reader has printed what it found wrong in a file it could read.
    *error = path && fileExists(path) ? "not a readable TF file" : fileOpenFailureReason(path);
    return nullptr;
  }
  return readSceneDocument(std::move(document), error);
}

}  // namespace tk
