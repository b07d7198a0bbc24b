#pragma once
// Temporary copies of music files. The media framework cannot read inside an
// archive mounted on the engine file system, so every music is first copied to a
// plain temporary file. A process-wide table of 100 slots lists the copies;
// whatever is still listed when the process ends is deleted.

#include <string>

namespace tk {

constexpr int kTempFileSlots = 100;

// Writes `data` to a new temporary file named "TM_<unique>_<slot>.<extension>"
// in TMPDIR (or /tmp), the extension taken from `sourceName` ("tmp" when it has
// none). Returns the slot, or -1 after printing "ERROR : <reason>".
int createTempFile(const std::string& data, const std::string& sourceName);

// The path held by a slot; empty for a free or invalid slot.
std::string tempFilePath(int slot);

// Deletes the file of a slot and frees the slot; nothing for a free slot.
void deleteTempFile(int slot);

// Deletes every listed file (also done automatically at process end).
void deleteAllTempFiles();

}  // namespace tk
