// The window on screens of every size: FitWindow's arithmetic, and the window itself on the screen this
// process runs on (tests/gui/CMakeLists.txt runs this test again on small screens and at large scale
// factors).
#include "app/window_fit.h"

#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include "gui/form_fixture.h"

namespace quillory {
void PrintTo(const WindowFit& fit, std::ostream* out) {
  *out << fit.client.width() << "x" << fit.client.height() << " at " << fit.frame_at.x() << ","
       << fit.frame_at.y() << (fit.scrolls ? ", scrolled" : "");
}
}  // namespace quillory

namespace quillory::testing {
namespace {

TEST(WindowFit, TheWholeLayoutWhereItFitsElseAScrolledAreaWithTheTitleBarOnScreen) {
  const QSize pages(692, 684);
  const QMargins frame(6, 36, 6, 6);
  const QSize bars(15, 15);
  const struct {
    const char* name;
    QRect available;
    WindowFit fit;
  } cases[] = {
      {"room to spare: centred", {0, 0, 1920, 1080}, {{692, 706}, {608, 166}, false}},
      {"a free area off the origin", {100, 50, 800, 800}, {{692, 706}, {148, 76}, false}},
      {"too low: a vertical bar", {0, 0, 1280, 720}, {{707, 678}, {280, 0}, true}},
      {"too low and too narrow", {0, 0, 683, 384}, {{671, 342}, {0, 0}, true}},
      {"too narrow: a horizontal bar", {0, 0, 600, 900}, {{588, 721}, {0, 68}, true}},
      {"narrow by less than the bar", {0, 0, 700, 1000}, {{688, 721}, {0, 118}, true}},
  };
  for (const auto& c : cases) EXPECT_EQ(FitWindow(pages, 22, c.available, frame, bars), c.fit) << c.name;
}

using ScreenTest = FormTest;

// On the screen of this run: the title bar and the menus are on screen, and every part of the layout can
// be reached, by scrolling where the screen is too small for it.
TEST_F(ScreenTest, TheWindowFitsTheScreen) {
  Start();
  const QRect available = form->screen()->availableGeometry();
  SCOPED_TRACE(QString("%1x%2 free at scale %3")
                   .arg(available.width())
                   .arg(available.height())
                   .arg(form->devicePixelRatio())
                   .toStdString());
  EXPECT_TRUE(available.contains(form->frameGeometry())) << form->frameGeometry().y();
  QMenuBar* menus = form->menuBar();
  EXPECT_TRUE(available.contains(QRect(menus->mapToGlobal(QPoint(0, 0)), menus->size())));
  auto* area = Find<QScrollArea>("PageArea");
  auto* pages = Find<QTabWidget>("PageControl1");
  EXPECT_EQ(pages->size(), QSize(692, 684));
  const bool fits = form->minimumSize() == form->maximumSize();
  EXPECT_EQ(fits, area->viewport()->size() == pages->size());
  if (fits) return;
  // The far corner of the layout scrolls into view.
  area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
  area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
  const QPoint corner = pages->mapTo(area->viewport(), QPoint(pages->width() - 1, pages->height() - 1));
  EXPECT_TRUE(area->viewport()->rect().contains(corner)) << corner.x() << "," << corner.y();
  EXPECT_LE(form->width(), available.width());
}

}  // namespace
}  // namespace quillory::testing
