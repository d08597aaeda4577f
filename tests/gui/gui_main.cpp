// The GUI tests' entry point: one QApplication on the offscreen platform (also when the program is only
// asked for its list of tests at build time), with every XDG folder in a fresh temporary folder and the
// page view's plugin taken from the build tree.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QStandardPaths>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::string home = (std::filesystem::temp_directory_path() / "quillory-gui-XXXXXX").string();
  if (::mkdtemp(home.data()) == nullptr) return 2;
  for (const char* folder : {"data", "config", "cache", "runtime"}) {
    std::filesystem::create_directory(home + "/" + folder);
  }
  std::filesystem::permissions(home + "/runtime", std::filesystem::perms::owner_all);
  qputenv("XDG_DATA_HOME", (home + "/data").c_str());
  qputenv("XDG_CONFIG_HOME", (home + "/config").c_str());
  qputenv("XDG_CACHE_HOME", (home + "/cache").c_str());
  qputenv("XDG_RUNTIME_DIR", (home + "/runtime").c_str());
  QStandardPaths::setTestModeEnabled(true);
  // The window finds the page view's plugin in the build tree.
  if (qEnvironmentVariableIsEmpty("QUILLORY_PLUGIN_DIR"))
    qputenv("QUILLORY_PLUGIN_DIR", QUILLORY_PLUGIN_BUILD_DIR);

  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);
  return result;
}
