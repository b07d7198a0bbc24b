#pragma once
// The open-file dialog: a title, filters of display text and patterns, the
// first filter preselected, and only existing files accepted.

#include <irrlicht.h>

#include <string>
#include <vector>

namespace tk {

struct FileFilter {
  std::string text;
  std::string patterns;  // "*.lua;*.tlua"
};

// True when the file name matches one of the ';'-separated patterns, without
// regard to case ("*.*" matches every name).
bool matchesFilter(const std::string& name, const std::string& patterns);

// The dialog's widgets and answers, on a device the caller owns.
class FileRequesterDialog : public irr::IEventReceiver {
 public:
  enum class State { Open, Chosen, Cancelled };

  void build(irr::IrrlichtDevice* device, const std::string& title, const std::vector<FileFilter>& filters,
             const std::string& startDirectory);
  bool OnEvent(const irr::SEvent& event) override;

  State state() const { return state_; }
  const std::string& chosenPath() const { return chosen_; }
  const std::string& directory() const { return directory_; }
  // Entries shown: directories end in "/".
  const std::vector<std::string>& entries() const { return entries_; }
  // Acts as a double click on entry `index` (enters a folder, chooses a file).
  void activate(int index);
  void selectFilter(int index);
  void cancel() { state_ = State::Cancelled; }
  // Removes the dialog's widgets from the GUI.
  void close();

 private:
  void refresh();
  void chooseTyped();

  irr::gui::IGUIEnvironment* gui_ = nullptr;
  irr::gui::IGUIWindow* window_ = nullptr;
  irr::gui::IGUIListBox* list_ = nullptr;
  irr::gui::IGUIComboBox* filterBox_ = nullptr;
  irr::gui::IGUIEditBox* nameBox_ = nullptr;
  irr::gui::IGUIStaticText* directoryLabel_ = nullptr;
  irr::gui::IGUIButton* open_ = nullptr;
  irr::gui::IGUIButton* cancel_ = nullptr;
  std::vector<FileFilter> filters_;
  std::vector<std::string> entries_;
  std::string directory_;
  std::string chosen_;
  State state_ = State::Open;
};

// Shows the dialog (in the window of the engine's device when it has one, else
// in a window of its own; `engine` may be null). The chosen path, or an empty text when cancelled or when there is no
// display. The process's current directory is left as it was.
std::string runFileRequester(irr::IrrlichtDevice* engine, const std::string& title, const std::vector<FileFilter>& filters);

}  // namespace tk
