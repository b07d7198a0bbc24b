#pragma once
// File watches: up to 100 watched files by ID (the scene viewer watches the
// scene the exporter rewrites). A thread per watch raises a flag when a file in
// the file's folder is written; the main thread polls once per frame, checks that
// it was this file, and resets the watch after acting on the change. Failures log
// through logErrorCode; the table is made by the first call and lives as long as
// the process.

namespace tk {

constexpr int kFileWatchCapacity = 100;

// 0, or -1 (code 2 for a taken or bad ID; a folder that cannot be watched is
// reported and leaves the ID free).
int createFileWatch(const char* path, int id);

// 1 when the file changed since the last reset (and stays 1 until the next
// reset); 0 otherwise. A file that cannot be read (being replaced) counts as
// changed.
int fileWatchChanged(int id);

// Tries every 5 ms to open the file for reading while no one has it open for
// writing; 0 once it could (the read handle is kept until releaseFileWatch),
// -1 after timeoutMs.
int waitFileReadable(int id, int timeoutMs);

// Closes the read handle; 0, or -1 for an ID without a watch.
int releaseFileWatch(int id);

// Ends the handling of a reported change. A save that arrived while the change
// was being handled is kept for the next poll. 0, or -1 for an ID without a watch.
int resetFileWatch(int id);

// Stops the watch's thread and frees the ID; 0, or -1 for an ID without a watch.
int deleteFileWatch(int id);

}  // namespace tk
