#pragma once
// The script's scene-load progress function (SetLoadSceneCallback). The scene
// loader calls it from deep inside C++ frames, so the script function runs in
// a protected call; an error it raises is kept and raised again by the command
// that was loading, once the loader has returned.

#include "script/command_values.h"

namespace tk {

// Prepares the interpreter state (the slot for a kept error).
void initLoadSceneCallback(lua_State* L);
// Stores the function and installs the scene loader's progress function.
void SetLoadSceneCallback(ScriptFunction function);
// Uninstalls the progress function when it belongs to this state (closing it).
void forgetLoadSceneCallback(lua_State* L);

// Brackets a scene load run by a command of state L.
void beginSceneLoad(lua_State* L);
void endSceneLoad();
bool sceneLoadInProgress();

// When the progress function raised an error since the last call, pushes that
// error value and forgets it.
bool pushPendingCallbackError(lua_State* L);

}  // namespace tk
