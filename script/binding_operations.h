#pragma once
// Operations whose script binding does more than call the command layer:
// defaults of optional arguments, replacing what a used ID holds, checks of
// the binding itself, and commands that must not run while a scene loads.
// Named after their commands; the command table binds them.

#include <optional>
#include <string>

#include "script/command_values.h"

namespace tk::binding {

void Setup(Opt<int> width, Opt<int> height, Opt<int> colorBits, Opt<bool> windowed);
void Term();
std::optional<std::string> FileRequester(Opt<const char*> title);
void MessageBox(JoinedText text);
std::string PathFilename(const char* name, Opt<bool> keepExtension);

void LoadMusic(const char* path, int id);
bool MusicExist(int id);

void LoadObject(const char* file, int id);
void SetAlphaMappingOn(int id, float value);
void SetObjectMorph(int id, const NumberList& morphs, const NumberList& weights);
void SetObjectSurfaceParamTex(int id, int surface, const char* parameter, const char* textureFile);
void SetObjectSurfaceParamTexImg(int id, int surface, const char* parameter, int imageId);
void SetObjectSurfaceParamInt(int id, int surface, const char* parameter, int value);
void SetObjectSurfaceParamFloat(int id, int surface, const char* parameter, float value);
void SetObjectSurfaceParamFloat3(int id, int surface, const char* parameter, float x, float y, float z);

void Text(int x, int y, JoinedText text);
int TextWidth(JoinedText text);
int TextHeight(JoinedText text);
void LoadImage(const char* file, int id);
void MakeImage(int width, int height, int id);
void RenderToImage(int id, Opt<bool> clear);
void PasteImage(int id, int x, int y, Opt<bool> alpha);
void PasteImageStretch(int id, int x, int y, int width, int height, Opt<bool> alpha);

void LoadEffect(const char* file, int id);
void LoadEffectForObjectSurface(const char* file, int id, int objectId, int surface);
void SetEffectConstantFloatN(int id, const char* name, const NumberArgs& numbers);
void MakeCameraEffect(int id, int effectId);
void MakeCameraEffectFromFile(int id, const char* file);

void SetCameraDOF(int enable, float focalDistance, float fStop);
void SetCameraAdvancedDOF(int enable, float minFocus, float maxFocus, float focused, float radiusScale);
void SetCameraStereo(int enable, float separation, int useConvergence, float convergence);

void LoadScene(const char* path, int sceneId, int objectBase, int lightBase, int emitterBase, int cubeMapBase,
               int cameraShaderBase, int rendererId, int effectBase, bool shareMeshes, const char* name);
void DeleteScene(int sceneId);

// The commands that exist only as names.
void notImplemented();

}  // namespace tk::binding
