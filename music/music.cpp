#include "music/music.h"

#include <memory>
#include <string>

#include "base/files/file_layer.h"
#include "base/id_table.h"
#include "base/log.h"
#include "base/saturating.h"
#include "music/music_player.h"
#include "music/music_volume.h"
#include "music/temp_files.h"

namespace tk {
namespace {

struct MusicRecord {
  std::unique_ptr<MusicPlayer> player;
  bool playing = false;
  int tempFile = -1;
};

IdTable<MusicRecord>* g_musicTable = nullptr;

// The music under an ID, or null after logging "Music ID %d does not exist".
MusicRecord* findMusic(int id) {
  if (!g_musicTable) {
    setIdErrorText("music playback is not set up");
  } else if (MusicRecord* music = g_musicTable->find(id)) {
    return music;
  }
  logErrorCode(kErrorArgument1, "Music ID %d does not exist. %s", id, idErrorText());
  return nullptr;
}

void destroyMusic(int id, MusicRecord* music) {
  music->player.reset();  // stops playback and closes the temporary file
  deleteTempFile(music->tempFile);
  g_musicTable->remove(id);
  delete music;
}

int failLoad(int id, MusicRecord* music) {
  g_musicTable->remove(id);
  delete music;
  return -1;
}

// Runs one player operation for a command; -1 when the ID holds no music or the
// operation fails.
template <typename Operation>
int controlMusic(int id, const char* command, Operation operation) {
  MusicRecord* music = findMusic(id);
  if (!music) return -1;
  if (operation(*music)) return 0;
  logErrorCode(kErrorNoArgument, "%s ID %d : the player refused", command, id);
  return -1;
}

}  // namespace

int musicStartup() {
  if (g_musicTable) return 0;
  g_musicTable = IdTable<MusicRecord>::make(kMusicTableCapacity);
  if (g_musicTable) return 0;
  log(LOG_ERROR, "fails to create music list");
  return -1;
}

void musicShutdown() {
  if (!g_musicTable) return;
  for (int id = 0; id < g_musicTable->capacity(); ++id) {
    if (MusicRecord* music = g_musicTable->get(id)) destroyMusic(id, music);
  }
  IdTable<MusicRecord>::free(g_musicTable);
  g_musicTable = nullptr;
}

int LoadMusic(const char* path, int id) {
  std::string name = path ? path : "";
  auto* music = new MusicRecord();
  if (!g_musicTable) setIdErrorText("music playback is not set up");
  if (!g_musicTable || g_musicTable->add(id, music) != 0) {
    logErrorCode(kErrorArgument2, "invalid Music ID %d : %s", id, idErrorText());
    delete music;
    return -1;
  }
  music->player = MusicPlayer::create();
  if (!music->player) {
    logErrorCode(kErrorNoArgument, "Failed to create mp3 renderer");
    return failLoad(id, music);
  }
  std::string data;
  int tempFile = readWholeFile(name.c_str(), &data) ? createTempFile(data, name) : -1;
  if (tempFile < 0) {
    logErrorCode(kErrorArgument2, "LoadMusic ID %d : Cannot load file '%s'", id, name.c_str());
    return failLoad(id, music);
  }
  if (!music->player->load(tempFilePath(tempFile))) {
    deleteTempFile(tempFile);
    logErrorCode(kErrorNoArgument, "Failed to load mp3");
    return failLoad(id, music);
  }
  music->tempFile = tempFile;
  return 0;
}

int MusicExist(int id) { return g_musicTable && g_musicTable->get(id) ? 1 : 0; }

int PlayMusic(int id) {
  return controlMusic(id, "PlayMusic", [](MusicRecord& music) {
    if (music.playing) music.player->stop();
    music.playing = music.player->run();
    return music.playing;
  });
}

int StopMusic(int id) {
  return controlMusic(id, "StopMusic", [](MusicRecord& music) {
    music.playing = false;
    return music.player->stop();
  });
}

int PauseMusic(int id) {
  return controlMusic(id, "PauseMusic", [](MusicRecord& music) {
    return !music.playing || music.player->pause();
  });
}

int ResumeMusic(int id) {
  return controlMusic(id, "ResumeMusic", [](MusicRecord& music) {
    music.playing = music.player->run();
    return music.playing;
  });
}

int SetMusicPosition(int id, int milliseconds) {
  MusicRecord* music = findMusic(id);
  if (!music) return -1;
  return music->player->setPosition(milliseconds) ? 0 : -1;
}

int GetMusicPosition(int id) {
  MusicRecord* music = findMusic(id);
  if (!music) return -1;
  return saturatedInt(music->player->position());
}

std::string musicClockFault(int id) {
  MusicRecord* music = g_musicTable ? g_musicTable->get(id) : nullptr;
  return music ? music->player->fault() : "no such music";
}

void SetMusicVolume(int id, int percent) {
  if (MusicRecord* music = findMusic(id)) music->player->setVolume(musicVolumeFromPercent(percent));
}

int MusicVolume(int id) {
  MusicRecord* music = findMusic(id);
  return music ? musicPercentFromVolume(music->player->volume()) : 0;
}

int DeleteMusic(int id) {
  MusicRecord* music = findMusic(id);
  if (!music) return -1;
  if (music->playing) music->player->stop();
  destroyMusic(id, music);
  return 0;
}

}  // namespace tk
