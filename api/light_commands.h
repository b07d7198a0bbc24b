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

// Operations scene loading and animation use that have no script command.
// They write the light's extension; a missing ID is reported as by the
// commands above.
// The image projected by a volumetric spot light (null or "" clears it); the
// file is loaded without mipmaps.
void setLightProjectedImage(int id, const char* file);
void setLightVolumetric(int id, bool on);
void setLightVolumetricDensity(int id, float density);
void setLightVolumetricBase(int id, float base);
// The colour replaces the light's own in the volumetric pass when `set`.
void setLightVolumetricColor(int id, float r, float g, float b, bool set);
void setLightVolumetricClamp(int id, bool on, float value);
void setLightVolumetricSetting(int id, int setting);
// Distant lights: the shadow box, and where it sits: any mode but 0 makes it
// follow the camera; the offset pulls its camera back along the light.
void setLightDistantShadowSize(int id, float width, float height);
void setLightDistantShadowPlacement(int id, int mode, float offset);

// Deletes every light (engine shutdown).
void deleteAllLights();

}  // namespace tk
