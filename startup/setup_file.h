#pragma once
// The setup file "tesk-setup.ini" and the display wishes it carries.

#include "base/command_line.h"
#include "startup/sys_setup.h"

namespace tk {

class IniFile;

// Reads the "Setup" section into a start-up record (display fields -1 when absent).
SysSetup setupFromIni(const IniFile& ini);

// Replaces every start-up field the overrides set.
void applyOverrides(const DisplayRecord& overrides, SysSetup* setup);

// Reads the file (or asks through the display dialog when it does not open and
// the dialog is allowed), applies the overrides and starts the engine. 0 or -1.
int readSetupFile(const char* fileName, const char* baseDirectory, const DisplayRecord* overrides,
                  bool displayDialogAllowed);

}  // namespace tk
