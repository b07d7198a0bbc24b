// The display dialog and the file requester driven through their GUI events.
#include <gtest/gtest.h>

#include "platform/ui/display_dialog.h"
#include "platform/ui/file_requester.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device = irr::createDevice(irr::video::EDT_OPENGL, irr::core::dimension2du(600, 440), 32, false, false, false);
    ASSERT_TRUE(device);
  }
  void TearDown() override {
    device->closeDevice();
    device->run();
    device->drop();
  }
  static irr::SEvent guiEvent(irr::gui::EGUI_EVENT_TYPE type, irr::gui::IGUIElement* caller) {
    irr::SEvent e{};
    e.EventType = irr::EET_GUI_EVENT;
    e.GUIEvent.EventType = type;
    e.GUIEvent.Caller = caller;
    return e;
  }
  irr::IrrlichtDevice* device = nullptr;
};

TEST_F(DialogTest, DisplayDialogOffersModesAndAnswersOk) {
  DisplayDialog dialog;
  dialog.build(device, {{1280, 720, 32, 60}, {800, 600, 32, 60}, {640, 480, 16, 60}}, {800, 600, 32, 0},
               "Missing glslang. Please install this library.\n");
  ASSERT_EQ(dialog.modeList()->getItemCount(), 2u);
  EXPECT_STREQ(dialog.modeList()->getItem(1), L"1280 x  720 (recommended)");
  EXPECT_EQ(dialog.modeList()->getSelected(), 1);
  EXPECT_TRUE(dialog.fullScreenChoice()->isChecked());
  EXPECT_STREQ(dialog.statusLine()->getText(), L"Missing glslang. Please install this library.\n");

  dialog.windowedChoice()->setChecked(true);
  dialog.OnEvent(guiEvent(irr::gui::EGET_CHECKBOX_CHANGED, dialog.windowedChoice()));
  EXPECT_FALSE(dialog.fullScreenChoice()->isChecked());
  dialog.modeList()->setSelected(0);
  dialog.OnEvent(guiEvent(irr::gui::EGET_BUTTON_CLICKED, dialog.okButton()));
  ASSERT_EQ(dialog.state(), DisplayDialog::State::Accepted);
  DisplayRecord r = dialog.result();
  EXPECT_EQ(r.width, 800);
  EXPECT_EQ(r.height, 600);
  EXPECT_EQ(r.colorBits, 32);
  EXPECT_EQ(r.windowed, 1);
  EXPECT_EQ(r.vsync, 1);
  EXPECT_EQ(r.antialias, -1);
  EXPECT_EQ(screenModeOption("WIDTH"), 800);
  EXPECT_EQ(screenModeOption("bpp"), 32);
  EXPECT_EQ(screenModeOption("centered"), 0);
  EXPECT_EQ(screenModeOption("fps"), -1);
  EXPECT_EQ(screenModeOption("depth"), -1);
}

TEST_F(DialogTest, DisplayDialogCancels) {
  DisplayDialog dialog;
  dialog.build(device, {{1024, 768, 32, 60}}, {1024, 768, 32, 0}, "");
  dialog.OnEvent(guiEvent(irr::gui::EGET_BUTTON_CLICKED, dialog.cancelButton()));
  EXPECT_EQ(dialog.state(), DisplayDialog::State::Cancelled);
}

TEST_F(DialogTest, FileRequesterFiltersAndWalksFolders) {
  test::TempFolder folder;
  folder.write("scene.TSCN", "");
  folder.write("notes.txt", "");
  folder.write("demos/intro.demo.ini", "");
  FileRequesterDialog dialog;
  dialog.build(device, "Open Tesk file",
               {{"All supported", "*.tscn;*.x;*.demo.ini;*.lua;*.tlua"}, {"All", "*.*"}}, folder.path());
  EXPECT_EQ(dialog.entries(), (std::vector<std::string>{"../", "demos/", "scene.TSCN"}));
  dialog.selectFilter(1);
  EXPECT_EQ(dialog.entries(), (std::vector<std::string>{"../", "demos/", "notes.txt", "scene.TSCN"}));
  dialog.selectFilter(0);
  dialog.activate(1);
  EXPECT_EQ(dialog.directory(), folder.path() + "/demos");
  EXPECT_EQ(dialog.entries(), (std::vector<std::string>{"../", "intro.demo.ini"}));
  dialog.activate(1);
  EXPECT_EQ(dialog.state(), FileRequesterDialog::State::Chosen);
  EXPECT_EQ(dialog.chosenPath(), folder.path() + "/demos/intro.demo.ini");
}

}  // namespace
}  // namespace tk
