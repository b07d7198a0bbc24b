#pragma once
// Commands on lights, addressed by ID, and the scene's ambient and backdrop colours.

namespace tk {

int MakeLight(int id);
void SetDirectionalLight(int id, float x, float y, float z);
void SetPointLight(int id, float x, float y, float z);
void SetSpotLight(int id, float inner, float outer);
bool LightExist(int id);
bool LightVisible(int id);
void ShowLight(int id);
void HideLight(int id);
void DeleteLight(int id);
void PositionLight(int id, float x, float y, float z);
void RotateLight(int id, float x, float y, float z);
void SetLightRange(int id, float range);
void ColorLight(int id, unsigned colour);
void SetLightRawColor(int id, float r, float g, float b);
void SetLightIntensity(int id, float intensity);
void SetLightShadow(int id, bool on);
void ColorLightShadow(int id, unsigned colour);
void SetShadowMapSize(int id, int size);
void SetShadowMapFuzz(int id, float value);
void ColorAmbientLight(unsigned colour);
void ColorBackdrop(unsigned colour);
void SetLightRotationXYZ(int id);
void SetLightRotationZYX(int id);

// Deletes every light (engine shutdown).
void deleteAllLights();

}  // namespace tk
