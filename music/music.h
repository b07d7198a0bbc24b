#pragma once
// Music playback by ID: the music table of 50 entries and the operations the
// script commands, the demo player and the scene viewer share. Each music is
// read through the engine file layer (so music inside a mounted archive plays)
// and played from a temporary copy. Failures log through logErrorCode.
// Positions are milliseconds; volumes are percentages at this level.

#include <string>

namespace tk {

constexpr int kMusicTableCapacity = 50;

// Engine start-up: makes the music table. -1 after logging
// "fails to create music list" at ERROR.
int musicStartup();
// Engine shutdown: deletes every music still loaded (stopping it and removing
// its temporary copy), then frees the table. Safe when never started.
void musicShutdown();

// 0, or -1 with the ID left free. The ID must be free: callers that reuse an ID
// delete its music first.
int LoadMusic(const char* path, int id);
// 1 when the ID holds music, else 0.
int MusicExist(int id);
int PlayMusic(int id);    // restarts from the current position when already playing
int StopMusic(int id);    // stops where it is
int PauseMusic(int id);   // only when playing
int ResumeMusic(int id);
int SetMusicPosition(int id, int milliseconds);
// Milliseconds, or -1 when the position cannot be read.
int GetMusicPosition(int id);
// Why a music that was playing stopped moving its position, for those who take
// it as their clock; empty while it moves on. Found out while the position is
// read: "it ended", the media framework's error, or "its position stopped
// advancing at N ms" (no progress for kMusicStallMs of wall clock while it
// plays). "no such music" for an ID without music (nothing is logged).
std::string musicClockFault(int id);
void SetMusicVolume(int id, int percent);
// The volume as a percentage (0 for an ID without music).
int MusicVolume(int id);
int DeleteMusic(int id);

}  // namespace tk
