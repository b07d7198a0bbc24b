#pragma once
// Folder watches: up to 100 watched folders by ID, each with its subfolders down
// to two levels (the shader hot reload watches the six shader folders). A thread
// per watch raises a flag when a file below the folder is written; the main
// thread polls, collects the files written since the watch was made or last
// reset, acts, and resets. Failures log through logErrorCode; the table is made
// by the first call and lives as long as the process.

#include <string>
#include <vector>

namespace tk {

constexpr int kFolderWatchCapacity = 100;
constexpr int kFolderWatchMaxChanges = 10;

// 0, or -1 (code 2 for a taken or bad ID; a folder that cannot be watched, such
// as a missing one, is reported and leaves the ID free).
int createFolderWatch(const char* path, int id);

// 1 when a file below the folder was written since the last reset (and stays 1
// until the next reset); else 0.
int folderWatchChanged(int id);

// When a change was reported: the full paths of the files written since the
// reference time, in the order the walk meets them (names sorted in each
// folder, files and folders alike), at most 10; a further one logs
// "tkGetFolderWatchChanges too much changes" at WARN and is left out. Returns
// the count; 0 when nothing was reported.
int folderWatchChanges(int id, std::vector<std::string>* changes);

// Ends the handling of a report: drops the collected list and moves the
// reference time to the moment the list was collected, so that a file saved
// while the report was handled is found by the next poll. 0, or -1 for an ID
// without a watch.
int resetFolderWatch(int id);

// Stops the watch's thread and frees the ID; 0, or -1 for an ID without a watch.
int deleteFolderWatch(int id);

}  // namespace tk
