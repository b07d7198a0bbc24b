#pragma once
// The packing tools of the command line: a demo, a scene, a folder or a list of
// files packed with the engine's shaders into a copy of the program (or a side
// file beside it). Each returns 0, or -1 after logging the failure.

#include <string>

namespace tk {

enum class PackStorage { InProgram, SideFile };

// The side file of a program: its name without extension, then ".dat".
std::string sideFileOf(const std::string& programPath);

// "-demoexe" / "-demodat": IN is a demo file, or a scene file (name containing ".tscn").
int packDemo(const std::string& programPath, const std::string& out, const std::string& in, PackStorage storage);
// "-direxe" / "-dirdat".
int packFolder(const std::string& programPath, const std::string& out, const std::string& folder, PackStorage storage);
// "-dirlistexe".
int packFileList(const std::string& programPath, const std::string& out, const std::string& list);
// "-exersc": the engine's shaders and textures as resource 501.
int packEngineResources(const std::string& programPath, const std::string& out);

}  // namespace tk
