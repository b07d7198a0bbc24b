#pragma once
// File names that come from content (scenes, demo and setup files, meshes and
// their material libraries, textures, effects and their includes, musics,
// archive members) are often written on Windows, where "\" separates folders
// and case does not matter. The rule, applied by every lookup of the file
// layer and of the display library's file system:
//
//   1. the name exactly as written, when it exists;
//   2. otherwise "\" is read as "/" and each part of the path is taken as
//      written when that entry exists, else matched without regard to case
//      (ASCII letters; the first match in byte order when several fit).
//
// Exact names always win, so nothing that opens as written changes.

#include <string>

namespace tk {

// The name with every "\" turned into "/".
std::string withSlashes(std::string name);

// The name with ASCII letters lower-cased: the key under which names match
// without regard to case.
std::string foldedName(std::string name);

// The path on disk a content name stands for (a relative name is taken from
// the process's working directory): the name itself when it exists, else the
// path found under the rule above; empty when nothing matches.
std::string findOnDisk(const std::string& name);

}  // namespace tk
