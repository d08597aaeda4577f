// Every golden file once through the window: the project opened at start, each export written by Save As
// and the NFO saved from its tab, byte for byte as the render path gives them.

#include <QAbstractButton>
#include <QAction>
#include <QTabWidget>

#include "commands/save_as.h"
#include "gui/form_fixture.h"
#include "support/goldens.h"

namespace quillory::testing {
namespace {

using GoldenExportTest = FormTest;

// The Save As type index (1-based, after the project document) of an exported format, 0 for none.
int SaveAsIndex(Format format) {
  int index = 1;
  for (const FormatInfo& info : Formats()) {
    if (info.save_as_type.empty()) continue;
    ++index;
    if (info.format == format) return index;
  }
  return 0;
}

TEST_F(GoldenExportTest, TheWindowWritesEveryGoldenFile) {
  int written = 0;
  for (const Golden& golden : kGoldens) {
    const std::string folder = GoldenFolder(golden);
    SCOPED_TRACE(folder + " " + std::string(golden.format.name));
    Start({folder + "/project.qlx"});
    const std::string out =
        dir.File("out" + std::to_string(written) + std::string(InfoOf(golden.format).extension));
    if (golden.format == Format::kNfo) {
      Find<QTabWidget>("PageControl1")->setCurrentIndex(3);
      dialogs.AnswerSave(out);
      Find<QAbstractButton>("Button39")->click();
    } else if (const int index = SaveAsIndex(golden.format)) {
      dialogs.AnswerSave(out, index);
      Find<QAction>("Save1")->trigger();
    } else {
      continue;  // the preview page is checked by the preview tests
    }
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(ReadFile(out), ReadFile(folder + "/" + golden.expected));
    ++written;
  }
  EXPECT_GE(written, 10);
}

}  // namespace
}  // namespace quillory::testing
