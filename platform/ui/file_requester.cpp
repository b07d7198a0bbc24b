#include "platform/ui/file_requester.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>

#include "platform/driver_choice.h"
#include "platform/screenshot/frame_keeper.h"
#include "platform/window/window.h"

namespace tk {
namespace {

using irr::core::rect;

bool isDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isRegularFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string currentDirectory() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) ? buffer : ".";
}

std::string joinPath(const std::string& directory, const std::string& name) {
  if (name.empty()) return directory;
  if (name[0] == '/') return name;
  return directory == "/" ? "/" + name : directory + "/" + name;
}

std::string parentOf(const std::string& directory) {
  size_t slash = directory.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/" : directory.substr(0, slash);
}

std::wstring wide(const std::string& text) { return irr::core::stringw(text.c_str()).c_str(); }

// The directories and matching files of a folder, directories first, both sorted.
std::vector<std::string> listFolder(const std::string& directory, const std::string& patterns) {
  std::vector<std::string> folders{"../"}, files;
  if (DIR* dir = opendir(directory.c_str())) {
    while (dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name == "." || name == ".." || name[0] == '.') continue;
      std::string path = joinPath(directory, name);
      if (isDirectory(path)) folders.push_back(name + "/");
      else if (matchesFilter(name, patterns)) files.push_back(name);
    }
    closedir(dir);
  }
  std::sort(folders.begin() + 1, folders.end());
  std::sort(files.begin(), files.end());
  folders.insert(folders.end(), files.begin(), files.end());
  return folders;
}

enum WidgetId { ID_LIST = 200, ID_FILTER, ID_NAME, ID_OPEN, ID_CANCEL };

}  // namespace

bool matchesFilter(const std::string& name, const std::string& patterns) {
  if (patterns.empty()) return true;
  size_t start = 0;
  while (start <= patterns.size()) {
    size_t end = patterns.find(';', start);
    std::string pattern = patterns.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (pattern == "*.*" || pattern == "*") return true;
    if (!pattern.empty() && fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0) return true;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return false;
}

void FileRequesterDialog::build(irr::IrrlichtDevice* device, const std::string& title,
                                const std::vector<FileFilter>& filters, const std::string& startDirectory) {
  gui_ = device->getGUIEnvironment();
  filters_ = filters;
  directory_ = startDirectory;
  irr::core::dimension2du screen = device->getVideoDriver()->getScreenSize();
  irr::s32 w = std::min<irr::s32>(screen.Width - 20, 560), h = std::min<irr::s32>(screen.Height - 20, 400);
  irr::gui::IGUIWindow* window = window_ = gui_->addWindow(rect<irr::s32>(10, 10, 10 + w, 10 + h), true,
                                                 wide(title.empty() ? "Open" : title).c_str());
  window->getCloseButton()->setVisible(false);
  directoryLabel_ = gui_->addStaticText(L"", rect<irr::s32>(10, 26, w - 10, 44), false, false, window);
  list_ = gui_->addListBox(rect<irr::s32>(10, 48, w - 10, h - 80), window, ID_LIST, true);
  nameBox_ = gui_->addEditBox(L"", rect<irr::s32>(10, h - 72, w - 110, h - 50), true, window, ID_NAME);
  filterBox_ = gui_->addComboBox(rect<irr::s32>(10, h - 42, w - 110, h - 20), window, ID_FILTER);
  for (const FileFilter& filter : filters_) filterBox_->addItem(wide(filter.text).c_str());
  if (!filters_.empty()) filterBox_->setSelected(0);
  open_ = gui_->addButton(rect<irr::s32>(w - 100, h - 72, w - 10, h - 50), window, ID_OPEN, L"Open");
  cancel_ = gui_->addButton(rect<irr::s32>(w - 100, h - 42, w - 10, h - 20), window, ID_CANCEL, L"Cancel");
  refresh();
}

void FileRequesterDialog::close() {
  if (window_) window_->remove();
  window_ = nullptr;
  list_ = nullptr;
}

void FileRequesterDialog::refresh() {
  int filter = filterBox_ ? filterBox_->getSelected() : -1;
  std::string patterns = (filter >= 0 && filter < static_cast<int>(filters_.size())) ? filters_[filter].patterns : "";
  entries_ = listFolder(directory_, patterns);
  if (!list_) return;
  list_->clear();
  for (const std::string& entry : entries_) list_->addItem(wide(entry).c_str());
  directoryLabel_->setText(wide(directory_).c_str());
}

void FileRequesterDialog::selectFilter(int index) {
  filterBox_->setSelected(index);
  refresh();
}

void FileRequesterDialog::activate(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  const std::string& entry = entries_[index];
  if (entry == "../") {
    directory_ = parentOf(directory_);
  } else if (entry.back() == '/') {
    directory_ = joinPath(directory_, entry.substr(0, entry.size() - 1));
  } else {
    chosen_ = joinPath(directory_, entry);
    state_ = State::Chosen;
    return;
  }
  refresh();
}

// A typed name: a folder is entered, an existing file chosen, anything else ignored.
void FileRequesterDialog::chooseTyped() {
  std::string typed = irr::core::stringc(nameBox_->getText()).c_str();
  if (typed.empty()) {
    activate(list_->getSelected());
    return;
  }
  std::string path = joinPath(directory_, typed);
  if (isDirectory(path)) {
    directory_ = path;
    nameBox_->setText(L"");
    refresh();
  } else if (isRegularFile(path)) {
    chosen_ = path;
    state_ = State::Chosen;
  }
}

bool FileRequesterDialog::OnEvent(const irr::SEvent& event) {
  if (event.EventType != irr::EET_GUI_EVENT) return false;
  const irr::SEvent::SGUIEvent& e = event.GUIEvent;
  switch (e.EventType) {
    case irr::gui::EGET_LISTBOX_SELECTED_AGAIN: activate(list_->getSelected()); return true;
    case irr::gui::EGET_LISTBOX_CHANGED: {
      int index = list_->getSelected();
      if (index >= 0 && entries_[index].back() != '/') nameBox_->setText(wide(entries_[index]).c_str());
      return true;
    }
    case irr::gui::EGET_COMBO_BOX_CHANGED: refresh(); return true;
    case irr::gui::EGET_EDITBOX_ENTER: chooseTyped(); return true;
    case irr::gui::EGET_BUTTON_CLICKED:
      if (e.Caller == open_) chooseTyped();
      if (e.Caller == cancel_) state_ = State::Cancelled;
      return true;
    default: return false;
  }
}

std::string runFileRequester(irr::IrrlichtDevice* engine, const std::string& title, const std::vector<FileFilter>& filters) {
  if (!displayAvailable()) return "";
  irr::IrrlichtDevice* engineDevice = windowOf(engine).valid() ? engine : nullptr;
  irr::IrrlichtDevice* device = engineDevice;
  // The requester draws over the engine's back buffer, or makes a GL context
  // of its own current: the kept frame is taken out of the back buffer first.
  if (engineDevice) frameKeeper().secureKeptFrame();
  if (!device) device = irr::createDevice(irr::video::EDT_OPENGL, irr::core::dimension2du(580, 420), 32);
  if (!device) return "";
  if (!engineDevice) device->setWindowCaption(L"Tesk");
  std::string startDirectory = currentDirectory();
  irr::IEventReceiver* previous = device->getEventReceiver();
  FileRequesterDialog dialog;
  dialog.build(device, title, filters, startDirectory);
  device->setEventReceiver(&dialog);
  while (dialog.state() == FileRequesterDialog::State::Open && device->run()) {
    device->getVideoDriver()->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
    device->getGUIEnvironment()->drawAll();
    device->getVideoDriver()->endScene();
  }
  device->setEventReceiver(previous);
  dialog.close();
  if (!engineDevice) {
    device->closeDevice();
    device->run();
    device->drop();
  }
  if (chdir(startDirectory.c_str()) != 0) { /* the directory was only read, never changed */ }
  return dialog.state() == FileRequesterDialog::State::Chosen ? dialog.chosenPath() : "";
}

}  // namespace tk
