#pragma once
// The modelling package's window in live mode: the viewer stays in front of the
// package, owned by its window when one is open, above all windows otherwise.

#include <string>

#include <irrlicht.h>

namespace tk {

// A title of the package's layout window: it names "LightWave", "NewTek" and
// "Layout", and is not a program file name (".exe").
bool isModellingPackageTitle(const std::string& title);

// The package's layout window on the viewer's display; 0 when none is open.
unsigned long findModellingPackageWindow(void* display);

enum class PackagePlacement { NoWindow, OwnedByPackage, AboveOthers };

// Places the viewer's window beside the package; NoWindow without a window.
PackagePlacement placeBesideModellingPackage(irr::IrrlichtDevice* device);

}  // namespace tk
