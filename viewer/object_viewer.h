#pragma once

namespace tk {

// Shows one mesh for inspection until Escape or the window closes. 0, or -1
// when the mesh cannot be loaded.
int runObjectViewer(const char* fileName);

}  // namespace tk
