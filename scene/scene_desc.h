#pragma once
// A scene file read once at load time: the TF document and, for every item of
// the scene, direct references to the TF items of its keys, so that animation
// evaluates channels without looking keys up by name.

#include <cstdint>
#include <string>
#include <vector>

#include "effects/binds/surface_parameters.h"
#include "render/render_command_record.h"
#include "tf/tf_load.h"

namespace tk {

// A surface parameter as read once: the item of its value with the kind that
// value has (an effect value kind; the texts of STR values are not handed
// on), and its image.
struct SurfaceParameterDesc {
  const TF_Node* value = nullptr;
  int kind = -1;
  std::string image;  // "img_filename"
  int imageColorSpace = 0;
  int imageMipMaps = 1;
};

struct SurfaceDesc {
  std::string name;
  const TF_Node* parameters[kSurfaceParameterCount] = {};  // the parameter records, or none
  SurfaceParameterDesc values[kSurfaceParameterCount];
  int applyToSurface = 0;
  const TF_Node* effect = nullptr;  // "Shader"/"Effect"
  // The effect record that draws the surface: none when its applyToSurface is
  // 3; else the last one of the object's surfaces with applyToSurface 2, its
  // own, or the last one with applyToSurface 1, in that order of precedence.
  const TF_Node* drawnEffect = nullptr;
  // The parameters whose value is a channel over time (the others keep the
  // value loading gave them), in index order.
  std::vector<int> animated;
};

struct SceneObjectDesc {
  std::string filename;
  std::vector<SurfaceDesc> surfaces;
  bool changesOverTime = false;  // some surface has an animated parameter or an effect
  // Per surface, whether it has an animated parameter or an effect: kept
  // together so that a step reads one small list, not every surface.
  std::vector<uint8_t> surfaceChanges;
};

struct CubeMapUseDesc {
  int cubeMap = -1;  // index into the scene's cube maps, -1 when unresolved
  const TF_Node* aabbPosition = nullptr;
  const TF_Node* aabbScale = nullptr;
  const TF_Node* influence = nullptr;
};

struct PointCacheDesc {
  std::string filename;
  int applyCacheTo = 0;
  int endBehavior = 0;
  float totalTime = 0;
  const TF_Node* times = nullptr;
  int postBehavior = 0;
};

struct ObjectDesc {
  std::string name, tfilename, filename;
  const TF_Node* position = nullptr;
  const TF_Node* rotation = nullptr;
  const TF_Node* scale = nullptr;
  int pointCloudCount = 0;
  bool hasPointCache = false;
  PointCacheDesc pointCache;
  std::vector<const TF_Node*> morphWeights;
  std::vector<CubeMapUseDesc> cubeMaps;
  int shadowOpts = 0;
  int selectionMask = 0;
  std::string vertexTextureName;
  int vertexTextureContent = 0, vertexTextureFormat = 0;
  int sceneObject = -1;  // index into the scene objects, -1 when none matches
};

struct CameraDesc {
  const TF_Node *position = nullptr, *rotation = nullptr;
  const TF_Node *focalDistance = nullptr, *fStop = nullptr, *zoomFactor = nullptr;
  int flags = 0;
  int width = 640, height = 480;
  const TF_Node *separation = nullptr, *convergencePoint = nullptr;
  int usingConvergencePoint = 0;
};

struct LightDesc {
  std::string name;
  const TF_Node *position = nullptr, *rotation = nullptr;
  int type = 1;
  const TF_Node* coneAngles = nullptr;
  int flags = 0;
  int falloff = 0;
  const TF_Node* range = nullptr;
  const TF_Node *rawColor = nullptr, *intensity = nullptr;
  int shadowType = 0;
  const TF_Node* shadowColor = nullptr;
  int shadowMapSize = 0;
  const TF_Node* shadowMapFuzz = nullptr;
  std::string projectedImage;
  const TF_Node *distantShadowOffset = nullptr, *distantShadowWidth = nullptr, *distantShadowHeight = nullptr;
  int distantShadowPosition = 0;
  const TF_Node* volumetric = nullptr;  // the "Volumetric" record
  const TF_Node *volumetricDensity = nullptr, *volumetricBase = nullptr;
  bool isVolumetric() const { return (flags & 0x20) != 0; }
};

struct EmitterDesc {
  std::string name, parentName;
  int type = -1;
  int selectionMask = 0;
  const TF_Node *position = nullptr, *rotation = nullptr, *scale = nullptr;
  const TF_Node* hyperVoxel = nullptr;
  const TF_Node* particleFx = nullptr;
  const TF_Node* effect = nullptr;
};

struct CameraShaderDesc {
  int useFrame = 0, startFrame = 0, endFrame = 0;
  const TF_Node* effect = nullptr;
};

struct CubeMapDesc {
  std::string name;
  int renderType = 0;
  int textureSize = 0;
  float renderTime = 0;
  int hideObject = 0;
  std::vector<int> hideList, showList;  // object indices
  bool hasShowList = false;
  const TF_Node *position = nullptr, *cameraOffset = nullptr;
  int showVolumetric = 0, clampVolumetric = 0;
  float clampVolumetricMax = 0;
  int useLatLong = 0;
};

struct RendererDesc {
  std::vector<STkRenderCommandRecord> commands;
  std::vector<const TF_Node*> shaders;  // effect records, in order of appearance
};

struct STkSceneDesc {
  TfDocPtr document;
  const TF_Node* scene = nullptr;
  int frameStart = 0, frameEnd = 0, frameStep = 0;
  float framesPerSecond = 0;
  std::string music;
  float audioStartTime = 0;
  const TF_Node* renderCamera = nullptr;
  const TF_Node* backdrop = nullptr;     // "BackdropInfo"/"zenith"
  const TF_Node* ambient = nullptr;      // "LightInfo"/"ambient"
  const TF_Node* imageProcessing = nullptr;
  const TF_Node* renderSettings = nullptr;  // "TeskRenderSettings"
  int colorSpaceViewer = 0;
  std::vector<ObjectDesc> objects;
  std::vector<CameraDesc> cameras;
  std::vector<LightDesc> lights;
  std::vector<EmitterDesc> emitters;
  std::vector<CameraShaderDesc> cameraShaders;
  std::vector<SceneObjectDesc> sceneObjects;
  std::vector<CubeMapDesc> cubeMaps;
  bool hasRenderer = false;
  RendererDesc renderer;
};

// Reads a scene file. Null on failure, with `error` holding the reason: the
// system's error text for a file that cannot be opened, "not a readable TF
// file" for one the TF reader refused (it has printed its own messages), or
// what the scene layout lacks.
std::unique_ptr<STkSceneDesc> readSceneFile(const char* path, std::string* error);
// The same from a loaded document (taken over).
std::unique_ptr<STkSceneDesc> readSceneDocument(TfDocPtr document, std::string* error);

}  // namespace tk
