#pragma once
// Commands on the surfaces of an object. Surfaces hang off an object's node
// extension, one per material of its mesh; an object without one is reported
// as being of an unexpected format.

namespace tk {

// The index (0 to 38) of a surface parameter name, compared exactly; -1 for
// any other name.
int surfaceParameterIndex(const char* name);

void SetObjectSurfaceParamTex(int id, int surface, int parameter, const char* textureFile);
void SetObjectSurfaceParamTexImg(int id, int surface, int parameter, int imageId);
void SetObjectSurfaceParamInt(int id, int surface, int parameter, int value);
void SetObjectSurfaceParamFloat(int id, int surface, int parameter, float value);
void SetObjectSurfaceParamFloat3(int id, int surface, int parameter, float x, float y, float z);
void SetObjectSurfaceEffect(int id, int surface, int effectId);
void SetObjectSurfaceEffectTechnique(int id, int surface, int technique);
void UpdateObjectFromSurfaces(int id);

// Makes effect `id` from the file (as given) compiled for surface `surface`
// of object `objectId`: with the surface's macros and base material and the
// macros the current renderer adds. 0, or -1 after reporting.
int LoadEffectForObjectSurface(const char* file, int id, int objectId, int surface);

}  // namespace tk
