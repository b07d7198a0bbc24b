#include "app/program_info.h"

#ifndef TESK_VERSION
#error "TESK_VERSION is set by the build from the project version"
#endif

namespace tk {

std::string usageText() {
  return "Usage: tesk [options] FILE\n"
         "       tesk --help | -h | --version\n"
         "\n"
         "The file chooses the run mode:\n"
         "  name containing .demo.ini                   demo player\n"
         "  name containing .lws.ini, or .tscn / .tesk  scene viewer\n"
         "  .x, .lwo, .obj                              object viewer\n"
         "  .lua, .tlua                                 script host\n"
         "Without a file a file chooser opens.\n"
         "\n"
         "Options:\n"
         "  -display WxH        window size, e.g. -display 1280x720\n"
         "  -windowed N         1 for a window, 0 for full screen\n"
         "  -windowpos X,Y      window position\n"
         "  -vsync N            0 turns synchronisation with the display off\n"
         "  -stereo N           stereo mode\n"
         "  -userlog            print warnings and errors only, no message boxes\n"
         "  -console            reattach the standard streams to the terminal\n"
         "  scene viewer:       -paused, -framestart N, -ride, -ridespeed N, -rideopts N,\n"
         "                      -nomusic, -syncupdate, -noidleinactive\n"
         "  demo player:        -cap NAME (capture frames as NAME_000000.bmp, ...),\n"
         "                      -capfps F (capture rate), -startpart N (first part)\n"
         "\n"
         "Tools:\n"
         "  -binary SCENE                  write SCENE in the binary encoding beside it\n"
         "  -demoexe OUT IN, -demodat OUT IN, -direxe OUT DIR, -dirdat OUT DIR,\n"
         "  -dirlistexe OUT LIST, -exersc OUT   pack programs and archives\n"
         "\n"
         "Exit codes: 0 after a run that worked, 1 when the file cannot be loaded or\n"
         "played, a script ends on an error or a capture fails, 255 when no file was\n"
         "given, its kind is not supported or the engine cannot start.\n";
}

std::string versionText() { return std::string("tesk ") + TESK_VERSION + "\n"; }

bool answerInformationRequest(const std::vector<std::string>& words, FILE* out) {
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    std::string text;
    if (word == "--help" || word == "-h") text = usageText();
    else if (word == "--version") text = versionText();
    else continue;
    fputs(text.c_str(), out);
    fflush(out);
    return true;
  }
  return false;
}

}  // namespace tk
