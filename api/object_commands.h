#pragma once
// Commands on objects: meshes in the scene graph, addressed by ID.
// Failures are reported through the last-error slot with the codes given.

#include <string>

namespace tk {

int LoadObject(const char* file, int id);
int CloneObject(int id, int sourceId);
int InstanceObject(int id, int sourceId);
bool ObjectExist(int id);
bool ObjectVisible(int id);
void ShowObject(int id);
void HideObject(int id);
void DeleteObject(int id);
void PositionObject(int id, float x, float y, float z);
void RotateObject(int id, float x, float y, float z);
void ScaleObject(int id, float x, float y, float z);
void LockObjectOn(int id);
void LockObjectOff(int id);
int TotalObjectFrames(int id);
void SetObjectFrame(int id, float frame);
void UseAnimationFromObject(int id, int sourceId);
int ObjectAnimationCount(int id);
std::string ObjectAnimationName(int id, int index);
int ObjectAnimationBegin(int id, int index);
int ObjectAnimationEnd(int id, int index);
float ObjectAnimationSpeed(int id, int index);
int GetObjectMorphCount(int id);
float GetObjectRadius(int id);
void GhostObjectOn(int id);
void SetAlphaMappingOn(int id, int value);
void SetObjectRotationXYZ(int id);
void SetObjectRotationZYX(int id);
void SetObjectCollisionOn(int id);
void SetObjectCollisionOff(int id);

// Operations without script commands (scene loading): the node extension's
// cast-shadow switch and selection mask.
void SetObjectCastShadows(int id, bool on);
void SetObjectSelectionMask(int id, unsigned mask);

// Deletes every object (engine shutdown).
void deleteAllObjects();

}  // namespace tk
