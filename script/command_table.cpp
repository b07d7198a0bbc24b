#include "script/command_table.h"

#include <cstring>

#include "api/camera_commands.h"
#include "api/camera_effect_commands.h"
#include "api/colour_commands.h"
#include "api/draw_commands.h"
#include "api/effect_commands.h"
#include "api/fader_commands.h"
#include "api/file_commands.h"
#include "api/image_commands.h"
#include "api/input_commands.h"
#include "api/joystick_commands.h"
#include "api/light_commands.h"
#include "api/object_commands.h"
#include "api/surface_commands.h"
#include "music/music.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "script/binding_operations.h"
#include "script/load_scene_callback.h"
#include "startup/engine_commands.h"

namespace tk {
namespace {

// Columns: name, argument kinds, how many trailing arguments are optional,
// result kinds, operation. Kinds: i integer, n number, u unsigned, s string,
// b boolean (true or false only), t array of numbers, f function, ... any
// values joined as text. Two names bound to one operation share it on purpose.
constexpr CommandRow kRows[] = {
    // Engine, window and timing
    TK_COMMAND_WITHOUT_SETUP("Setup", "i i i b", 4, "", binding::Setup),
    TK_COMMAND_WITHOUT_SETUP("Term", "", 0, "", binding::Term),
    TK_COMMAND_WITHOUT_SETUP("IsSetup", "", 0, "b", IsSetup),
    TK_COMMAND("Run", "", 0, "b", Run),
    TK_COMMAND("Sync", "", 0, "", Sync),
    TK_COMMAND("RenderDummy", "", 0, "", RenderDummy),
    TK_COMMAND("RenderSetDebug", "i", 0, "", RenderSetDebug),
    TK_COMMAND("HasPrecalcRenderTargets", "b", 0, "", HasPrecalcRenderTargets),
    TK_COMMAND("ScreenShot", "s", 0, "", ScreenShot),
    TK_COMMAND_WITHOUT_SETUP("ScreenModeDialog", "", 0, "b", ScreenModeDialog),
    TK_COMMAND_WITHOUT_SETUP("ScreenModeOption", "s", 0, "i", ScreenModeOption),
    TK_COMMAND("HideWindow", "", 0, "", HideWindow),
    TK_COMMAND("ShowWindow", "", 0, "", ShowWindow),
    TK_COMMAND("MaximizeWindow", "", 0, "", MaximizeWindow),
    TK_COMMAND("MinimizeWindow", "", 0, "", MinimizeWindow),
    TK_COMMAND("RestoreWindow", "", 0, "", RestoreWindow),
    TK_COMMAND("IsWindowActive", "", 0, "b", IsWindowActive),
    TK_COMMAND("WindowMode", "", 0, "b", WindowMode),
    TK_COMMAND("ScreenWidth", "", 0, "i", ScreenWidth),
    TK_COMMAND("ScreenHeight", "", 0, "i", ScreenHeight),
    TK_COMMAND("ScreenDepth", "", 0, "i", ScreenDepth),
    TK_COMMAND("Timer", "", 0, "i", Timer),
    TK_COMMAND("Sleep", "i", 0, "", Sleep),
    TK_COMMAND_WITHOUT_SETUP("FileRequester", "s", 1, "s", binding::FileRequester),
    TK_COMMAND_WITHOUT_SETUP("MessageBox", "...", 0, "", binding::MessageBox),

    // Files and paths
    TK_COMMAND("SetDir", "s", 0, "", SetDir),
    TK_COMMAND("GetDir", "", 0, "s", GetDir),
    TK_COMMAND("FileExist", "s", 0, "b", FileExist),
    TK_COMMAND("PathFilename", "s b", 1, "s", binding::PathFilename),
    TK_COMMAND("PathPath", "s", 0, "s", PathPath),
    TK_COMMAND("PathFull", "s", 0, "s", PathFull),
    TK_COMMAND("FilePathKnownLocation", "s", 0, "s", FilePathKnownLocation),

    // Keyboard and mouse
    TK_COMMAND("EscapeKey", "", 0, "b", EscapeKey),
    TK_COMMAND("EscapeKeyEverPressed", "", 0, "b", EscapeKeyEverPressed),
    TK_COMMAND("ReturnKey", "", 0, "b", ReturnKey),
    TK_COMMAND("SpaceKey", "", 0, "b", SpaceKey),
    TK_COMMAND("ShiftKey", "", 0, "b", ShiftKey),
    TK_COMMAND("RightKey", "", 0, "b", RightKey),
    TK_COMMAND("LeftKey", "", 0, "b", LeftKey),
    TK_COMMAND("UpKey", "", 0, "b", UpKey),
    TK_COMMAND("DownKey", "", 0, "b", DownKey),
    TK_COMMAND("MinusKey", "", 0, "b", MinusKey),
    TK_COMMAND("PlusKey", "", 0, "b", PlusKey),
    TK_COMMAND("KeyState", "i", 0, "b", KeyState),
    TK_COMMAND("MouseClick", "", 0, "i", MouseClick),
    TK_COMMAND("MouseX", "", 0, "i", MouseX),
    TK_COMMAND("MouseY", "", 0, "i", MouseY),
    TK_COMMAND("MouseZ", "", 0, "i", MouseZ),
    TK_COMMAND("ShowMouse", "", 0, "", ShowMouse),
    TK_COMMAND("HideMouse", "", 0, "", HideMouse),

    // Joystick
    TK_COMMAND("EnableJoystick", "", 0, "", EnableJoystick),
    TK_COMMAND("DisableJoystick", "", 0, "", DisableJoystick),
    TK_COMMAND("JoystickIsPresent", "", 0, "b", JoystickIsPresent),
    TK_COMMAND("JoystickUp", "", 0, "b", JoystickUp),
    TK_COMMAND("JoystickDown", "", 0, "b", JoystickDown),
    TK_COMMAND("JoystickLeft", "", 0, "b", JoystickLeft),
    TK_COMMAND("JoystickRight", "", 0, "b", JoystickRight),
    TK_COMMAND("JoystickX", "", 0, "i", JoystickX),
    TK_COMMAND("JoystickY", "", 0, "i", JoystickY),
    TK_COMMAND("JoystickZ", "", 0, "i", JoystickZ),
    TK_COMMAND("JoystickR", "", 0, "i", JoystickR),
    TK_COMMAND("JoystickU", "", 0, "i", JoystickU),
    TK_COMMAND("JoystickV", "", 0, "i", JoystickV),
    TK_COMMAND("JoystickFireA", "", 0, "b", JoystickFireA),
    TK_COMMAND("JoystickFireB", "", 0, "b", JoystickFireB),
    TK_COMMAND("JoystickFireC", "", 0, "b", JoystickFireC),
    TK_COMMAND("JoystickFireD", "", 0, "b", JoystickFireD),
    TK_COMMAND("JoystickFireX", "i", 0, "b", JoystickFireX),

    // 2D drawing, text, colours and fades
    TK_COMMAND("Ink", "i", 0, "", Ink),
    TK_COMMAND("InkAlpha", "i", 0, "", InkAlpha),
    TK_COMMAND("Box", "i i i i", 0, "", Box),
    TK_COMMAND("BoxWithEffect", "i i i i i", 0, "", BoxWithEffect),
    TK_COMMAND("Line", "i i i i", 0, "", Line),
    TK_COMMAND("RGB", "i i i", 0, "i", RGB),
    TK_COMMAND("RGBf", "n n n", 0, "i", RGBf),
    TK_COMMAND("Text", "i i ...", 0, "", binding::Text),
    TK_COMMAND("SetTextFont", "s", 0, "", SetTextFont),
    TK_COMMAND("SetTextColor", "u", 0, "", SetTextColor),
    TK_COMMAND("SetTextAlpha", "i", 0, "", SetTextAlpha),
    TK_COMMAND("TextFont", "", 0, "s", TextFont),
    TK_COMMAND("TextColor", "", 0, "i", TextColor),
    TK_COMMAND("TextAlpha", "", 0, "i", TextAlpha),
    TK_COMMAND("TextWidth", "...", 0, "i", binding::TextWidth),
    TK_COMMAND("TextHeight", "...", 0, "i", binding::TextHeight),
    TK_COMMAND("FadeIn", "i u", 0, "", FadeIn),
    TK_COMMAND("FadeOut", "i u", 0, "", FadeOut),
    TK_COMMAND("StopFade", "", 0, "", StopFade),

    // Images
    TK_COMMAND("LoadImage", "s i", 0, "", binding::LoadImage),
    TK_COMMAND("MakeImage", "i i i", 0, "", binding::MakeImage),
    TK_COMMAND("RenderToImage", "i b", 1, "", binding::RenderToImage),
    TK_COMMAND("SetImageColor", "i", 0, "", SetImageColor),
    TK_COMMAND("SetImageAlpha", "i", 0, "", SetImageAlpha),
    TK_COMMAND("PasteImage", "i i i b", 1, "", binding::PasteImage),
    TK_COMMAND("PasteImageStretch", "i i i i i b", 1, "", binding::PasteImageStretch),
    TK_COMMAND("PasteImageWithEffect", "i i i i i i", 0, "", PasteImageWithEffect),
    TK_COMMAND("ImageExist", "i", 0, "b", ImageExist),
    TK_COMMAND("DeleteImage", "i", 0, "", DeleteImage),
    TK_COMMAND("ImageWidth", "i", 0, "i", ImageWidth),
    TK_COMMAND("ImageHeight", "i", 0, "i", ImageHeight),

    // Music
    TK_COMMAND("LoadMusic", "s i", 0, "", binding::LoadMusic),
    TK_COMMAND("MusicExist", "i", 0, "b", binding::MusicExist),
    TK_COMMAND("DeleteMusic", "i", 0, "", DeleteMusic),
    TK_COMMAND("StopMusic", "i", 0, "", StopMusic),
    TK_COMMAND("PlayMusic", "i", 0, "", PlayMusic),
    TK_COMMAND("PauseMusic", "i", 0, "", PauseMusic),
    TK_COMMAND("ResumeMusic", "i", 0, "", ResumeMusic),
    TK_COMMAND("SetMusicPosition", "i i", 0, "", SetMusicPosition),
    TK_COMMAND("GetMusicPosition", "i", 0, "i", GetMusicPosition),
    TK_COMMAND("SetMusicVolume", "i i", 0, "", SetMusicVolume),
    TK_COMMAND("MusicVolume", "i", 0, "i", MusicVolume),

    // Objects
    TK_COMMAND("LoadObject", "s i", 0, "", binding::LoadObject),
    TK_COMMAND("InstanceObject", "i i", 0, "", InstanceObject),
    TK_COMMAND("CloneObject", "i i", 0, "", CloneObject),
    TK_COMMAND("ObjectExist", "i", 0, "b", ObjectExist),
    TK_COMMAND("ObjectVisible", "i", 0, "b", ObjectVisible),
    TK_COMMAND("SetObjectSurfaces", "", 0, "", binding::notImplemented),
    TK_COMMAND("SetObjectRotationXYZ", "i", 0, "", SetObjectRotationXYZ),
    TK_COMMAND("SetObjectRotationZYX", "i", 0, "", SetObjectRotationXYZ),
    TK_COMMAND("GhostObjectOn", "i", 0, "", GhostObjectOn),
    TK_COMMAND("SetAlphaMappingOn", "i n", 0, "", binding::SetAlphaMappingOn),
    TK_COMMAND("ShowObject", "i", 0, "", ShowObject),
    TK_COMMAND("HideObject", "i", 0, "", HideObject),
    TK_COMMAND("DeleteObject", "i", 0, "", DeleteObject),
    TK_COMMAND("PositionObject", "i n n n", 0, "", PositionObject),
    TK_COMMAND("RotateObject", "i n n n", 0, "", RotateObject),
    TK_COMMAND("ScaleObject", "i n n n", 0, "", ScaleObject),
    TK_COMMAND("TotalObjectFrames", "i", 0, "i", TotalObjectFrames),
    TK_COMMAND("SetObjectFrame", "i n", 0, "", SetObjectFrame),
    TK_COMMAND("UseAnimationFromObject", "i i", 0, "", UseAnimationFromObject),
    TK_COMMAND("ObjectAnimationCount", "i", 0, "i", ObjectAnimationCount),
    TK_COMMAND("ObjectAnimationName", "i i", 0, "s", ObjectAnimationName),
    TK_COMMAND("ObjectAnimationBegin", "i i", 0, "i", ObjectAnimationBegin),
    TK_COMMAND("ObjectAnimationEnd", "i i", 0, "i", ObjectAnimationEnd),
    TK_COMMAND("ObjectAnimationSpeed", "i i", 0, "n", ObjectAnimationSpeed),
    TK_COMMAND("LockObjectOn", "i", 0, "", LockObjectOn),
    TK_COMMAND("LockObjectOff", "i", 0, "", LockObjectOff),
    TK_COMMAND("GetObjectRadius", "i", 0, "n", GetObjectRadius),
    TK_COMMAND("SetObjectMorph", "i t t", 0, "", binding::SetObjectMorph),
    TK_COMMAND("GetObjectMorphCount", "i", 0, "i", GetObjectMorphCount),
    TK_COMMAND("SetObjectSurfaceParamTex", "i i s s", 0, "", binding::SetObjectSurfaceParamTex),
    TK_COMMAND("SetObjectSurfaceParamTexImg", "i i s i", 0, "", binding::SetObjectSurfaceParamTexImg),
    TK_COMMAND("SetObjectSurfaceParamInt", "i i s i", 0, "", binding::SetObjectSurfaceParamInt),
    TK_COMMAND("SetObjectSurfaceParamFloat", "i i s n", 0, "", binding::SetObjectSurfaceParamFloat),
    TK_COMMAND("SetObjectSurfaceParamFloat3", "i i s n n n", 0, "", binding::SetObjectSurfaceParamFloat3),
    TK_COMMAND("SetObjectSurfaceEffect", "i i i", 0, "", SetObjectSurfaceEffect),
    TK_COMMAND("SetObjectSurfaceEffectTechnique", "i i i", 0, "", SetObjectSurfaceEffectTechnique),
    TK_COMMAND("UpdateObjectFromSurfaces", "i", 0, "", UpdateObjectFromSurfaces),
    TK_COMMAND("SetObjectCollisionOn", "i", 0, "", SetObjectCollisionOn),
    // Its own operation: sharing SetObjectCollisionOn's would add the object.
    TK_COMMAND("SetObjectCollisionOff", "i", 0, "", SetObjectCollisionOff),

    // Lights
    TK_COMMAND("MakeLight", "i", 0, "", MakeLight),
    TK_COMMAND("SetDirectionalLight", "i n n n", 0, "", SetDirectionalLight),
    TK_COMMAND("SetSpotLight", "i n n", 0, "", SetSpotLight),
    TK_COMMAND("SetPointLight", "i n n n", 0, "", SetPointLight),
    TK_COMMAND("LightExist", "i", 0, "b", LightExist),
    TK_COMMAND("LightVisible", "i", 0, "b", LightVisible),
    // Lights keep their own operation: an object's would check the ID against the objects.
    TK_COMMAND("SetLightRotationXYZ", "i", 0, "", SetLightRotationXYZ),
    TK_COMMAND("SetLightRotationZYX", "i", 0, "", SetLightRotationXYZ),
    TK_COMMAND("SetLightRange", "i n", 0, "", SetLightRange),
    TK_COMMAND("ColorLight", "i u", 0, "", ColorLight),
    TK_COMMAND("SetLightRawColor", "i n n n", 0, "", SetLightRawColor),
    TK_COMMAND("SetLightIntensity", "i n", 0, "", SetLightIntensity),
    TK_COMMAND("ShowLight", "i", 0, "", ShowLight),
    TK_COMMAND("HideLight", "i", 0, "", HideLight),
    TK_COMMAND("DeleteLight", "i", 0, "", DeleteLight),
    TK_COMMAND("PositionLight", "i n n n", 0, "", PositionLight),
    TK_COMMAND("RotateLight", "i n n n", 0, "", RotateLight),
    TK_COMMAND("ColorAmbientLight", "u", 0, "", ColorAmbientLight),
    TK_COMMAND("ColorBackdrop", "u", 0, "", ColorBackdrop),
    TK_COMMAND("SetLightShadow", "i b", 0, "", SetLightShadow),
    TK_COMMAND("ColorLightShadow", "i u", 0, "", ColorLightShadow),
    TK_COMMAND("SetShadowMapSize", "i i", 0, "", SetShadowMapSize),
    TK_COMMAND("SetShadowMapFuzz", "i n", 0, "", SetShadowMapFuzz),

    // Camera
    TK_COMMAND("SetCameraRange", "n n", 0, "", SetCameraRange),
    TK_COMMAND("SetCameraRotationXYZ", "", 0, "", SetCameraRotationXYZ),
    TK_COMMAND("SetCameraRotationZYX", "", 0, "", SetCameraRotationXYZ),
    TK_COMMAND("SetCameraFOV", "n", 0, "", SetCameraFOV),
    TK_COMMAND("SetCameraDOF", "i n n", 0, "", binding::SetCameraDOF),
    TK_COMMAND("SetCameraAdvancedDOF", "i n n n n", 0, "", binding::SetCameraAdvancedDOF),
    TK_COMMAND("SetCameraStereo", "i n i n", 0, "", binding::SetCameraStereo),
    TK_COMMAND("PositionCamera", "n n n", 0, "", PositionCamera),
    TK_COMMAND("RotateCamera", "n n n", 0, "", RotateCamera),
    TK_COMMAND("SetCameraMode", "i", 0, "", SetCameraMode),
    TK_COMMAND("SetCameraMoveSpeed", "n", 0, "", SetCameraMoveSpeed),
    TK_COMMAND("SetCameraJumpSpeed", "n", 0, "", SetCameraJumpSpeed),
    TK_COMMAND("AutomaticCameraCollisionOn", "n n n", 0, "", AutomaticCameraCollisionOn),
    TK_COMMAND("AutomaticCameraCollisionOff", "", 0, "", AutomaticCameraCollisionOff),
    TK_COMMAND("PositionToScreen", "n n n", 0, "i i", PositionToScreen),

    // Camera effects
    TK_COMMAND("MakeCameraEffect", "i i", 0, "", binding::MakeCameraEffect),
    TK_COMMAND("MakeCameraEffectFromFile", "i s", 0, "", binding::MakeCameraEffectFromFile),
    TK_COMMAND("CameraEffectExist", "i", 0, "b", CameraEffectExist),
    TK_COMMAND("DeleteCameraEffect", "i", 0, "", DeleteCameraEffect),
    TK_COMMAND("ShowCameraEffect", "i", 0, "", ShowCameraEffect),
    TK_COMMAND("HideCameraEffect", "i", 0, "", HideCameraEffect),
    TK_COMMAND("SetCameraEffectPriority", "i i", 0, "", SetCameraEffectPriority),
    TK_COMMAND("SetCameraEffectParameters", "", 0, "", binding::notImplemented),

    // Effects
    TK_COMMAND("LoadEffect", "s i", 0, "", binding::LoadEffect),
    TK_COMMAND("LoadEffectForObjectSurface", "s i i i", 0, "", binding::LoadEffectForObjectSurface),
    TK_COMMAND("EffectExist", "i", 0, "b", EffectExist),
    TK_COMMAND("DeleteEffect", "i", 0, "", DeleteEffect),
    TK_COMMAND("SetEffectConstantBoolean", "i s b", 0, "", SetEffectConstantBoolean),
    TK_COMMAND("SetEffectConstantInteger", "i s i", 0, "", SetEffectConstantInteger),
    TK_COMMAND("SetEffectConstantFloat", "i s n", 0, "", SetEffectConstantFloat),
    TK_COMMAND("SetEffectConstantFloatN", "i s n...", 0, "", binding::SetEffectConstantFloatN),
    TK_COMMAND("SetEffectTexture", "i s s", 0, "", SetEffectTexture),
    TK_COMMAND("SetEffectTextureImage", "i s i", 0, "", SetEffectTextureImage),

    // Commands of unbuilt families that exist only as names
    TK_COMMAND("SetFxEmitterSizeGradient", "", 0, "", binding::notImplemented),
    TK_COMMAND("SetFxEmitterColorGradient", "", 0, "", binding::notImplemented),
    TK_COMMAND("SetFxEmitterEffectParameters", "", 0, "", binding::notImplemented),

    // Scenes
    TK_COMMAND("LoadScene", "s i i i i i i i i b s", 0, "", binding::LoadScene),
    TK_COMMAND("SetLoadSceneCallback", "f", 0, "", SetLoadSceneCallback),
    TK_COMMAND("SceneExist", "i", 0, "b", SceneExist),
    TK_COMMAND("DeleteScene", "i", 0, "", binding::DeleteScene),
    TK_COMMAND("ShowScene", "i", 0, "", ShowScene),
    TK_COMMAND("HideScene", "i", 0, "", HideScene),
    TK_COMMAND("SceneTotalObjects", "i", 0, "i", SceneTotalObjects),
    TK_COMMAND("SceneTotalLights", "i", 0, "i", SceneTotalLights),
    TK_COMMAND("SceneTotalFxEmitters", "i", 0, "i", SceneTotalFxEmitters),
    TK_COMMAND("SceneTotalCubeMaps", "i", 0, "i", SceneTotalCubeMaps),
    TK_COMMAND("SceneTotalCameraShaders", "i", 0, "i", SceneTotalCameraShaders),
    TK_COMMAND("SceneTotalEffects", "i", 0, "i", SceneTotalEffects),
    TK_COMMAND("AnimateScene", "i i", 0, "", AnimateScene),
    TK_COMMAND("AnimateSceneObject", "i i i", 0, "", AnimateSceneObject),
    TK_COMMAND("AnimateSceneProcessing", "i i", 0, "", AnimateSceneProcessing),
    TK_COMMAND("AnimateSceneCameraShaders", "i i", 0, "", AnimateSceneCameraShaders),
    TK_COMMAND("SceneAnimTimeEnd", "i", 0, "i", SceneAnimTimeEnd),
    TK_COMMAND("SceneFps", "i", 0, "i", SceneFps),
    TK_COMMAND("SceneFrameStart", "i", 0, "i", SceneFrameStart),
    TK_COMMAND("PrepareSceneRender", "i", 0, "", PrepareSceneRender),
};

}  // namespace

CommandTable commandTable() { return {kRows, sizeof kRows / sizeof kRows[0]}; }

const CommandRow* findCommand(const char* name) {
  for (const CommandRow& row : kRows)
    if (strcmp(row.name, name) == 0) return &row;
  return nullptr;
}

}  // namespace tk
