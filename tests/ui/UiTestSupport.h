#pragma once
// What every window test starts from: a Qt application on the offscreen
// platform, made once, and a fresh program folder with the shipped
// pattern store, removed at the end.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "editor/ScriptedPorts.h"

namespace kroma {

class TUiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "kroma_ui_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
  }
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "kroma-ui-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    std::filesystem::copy_file(std::string(KROMA_SOURCE_DIR) + "/data/patterns.bmp", folder_ + "/patterns.bmp");
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string folder_;
  TScriptedPrompts prompts_;
};

}  // namespace kroma
