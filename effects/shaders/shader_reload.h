#pragma once
// Shader hot reload: while the program runs from loose files, the six shader
// folders are watched, and each loop iteration hands the files that changed to
// whoever recompiles them (the shader cache, once installed; until then the
// changes are only logged).

#include <functional>
#include <string>
#include <vector>

namespace tk {

constexpr int kShaderFolderCount = 6;
constexpr int kMaxShaderChanges = 100;
constexpr int kShaderSettleMs = 200;

// The watched folders under the base directory, in folder watch ID order 0 to 5.
extern const char* const kShaderFolders[kShaderFolderCount];

using ShaderChangeHandler = std::function<void(const std::vector<std::string>& files)>;
// The shader cache's update operation; an empty handler only logs.
void setShaderChangeHandler(ShaderChangeHandler handler);

// Makes folder watches 0 to 5 on the shader folders; nothing when running packed
// or when already begun. A missing folder is reported and left unwatched.
void beginFolderWatches();
// Stops the watches made by beginFolderWatches and frees their IDs.
void endFolderWatches();

// Once per loop iteration: when a shader folder reports a change, waits 200 ms
// for the editor to finish writing, collects at most 100 changed files (with "/"
// separators), logs them, hands them to the handler and resets the watches.
// Returns the files handed over.
std::vector<std::string> pollShaderChanges();

}  // namespace tk
