// The window on the screen this process runs on: tests/gui/CMakeLists.txt runs this test again on the
// screens of common laptops at large scale factors.
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include "gui/form_fixture.h"

namespace quillory::testing {
namespace {

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
