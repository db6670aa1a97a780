#include "windows/page_setup_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "platform/controls/colour_picker.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/picture_button.h"

namespace {

TEST(PageSetupWindow, ControlsStartAsTheFormDescribesThem) {
  PageSetupWindow page;
  EXPECT_EQ(page.windowTitle(), QStringLiteral("页面设定"));
  EXPECT_TRUE(page.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(page.分组框2->geometry(), QRect(8, 8, 176, 176));
  EXPECT_EQ(page.分组框3->geometry(), QRect(8, 184, 360, 38));
  EXPECT_EQ(page.颜色选择器2->parentWidget(), page.分组框2);
  EXPECT_EQ(page.颜色选择器2->geometry(), QRect(80, 112, 83, 24));
  EXPECT_EQ(page.组合框2->geometry(), QRect(85, 142, 76, 20));
  EXPECT_EQ(page.图形按钮3->geometry(), QRect(279, 10, 70, 22));
  EXPECT_EQ(page.标签2->text(), QStringLiteral("非首行缩进:"));
  EXPECT_EQ(page.图形按钮3->text(), QStringLiteral("取 消"));
  EXPECT_EQ(page.选择框1->text(), QStringLiteral("下次使用现行设置"));
  EXPECT_TRUE(page.选择框5->isChecked());
  EXPECT_FALSE(page.选择框1->isChecked());
  EXPECT_EQ(page.组合框1->combo_item_count(), 0);
  ASSERT_EQ(page.组合框2->combo_item_count(), 3);
  EXPECT_EQ(page.组合框2->combo_item_text(2), QStringLiteral("右对齐"));
  EXPECT_EQ(page.组合框2->selected_index(), 0);
}

TEST(PageSetupWindow, TabVisitsTheInputControlsInTheirOrder) {
  PageSetupWindow page;
  QList<QWidget*> visited;
  QWidget* widget = page.编辑框1;
  do {
    if (widget->focusPolicy() & Qt::TabFocus)
      visited << widget;
    widget = widget->nextInFocusChain();
  } while (widget != page.编辑框1);
  const QList<QWidget*> expected = {page.编辑框1, page.编辑框2, page.颜色选择器1, page.颜色选择器2,
                                    page.组合框1, page.选择框5, page.编辑框3,     page.编辑框4,
                                    page.编辑框5, page.组合框2, page.选择框1};
  EXPECT_EQ(visited, expected);
}

TEST(PageSetupWindow, KeysAreReportedAndEscClosesNothingByItself) {
  PageSetupWindow page;
  page.show();
  std::vector<std::pair<int, int>> keys;
  QObject::connect(&page, &PageSetupWindow::on_key_down,
                   [&keys](int key, int shift) { keys.emplace_back(key, shift); });
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::ShiftModifier);
  QApplication::sendEvent(page.编辑框4, &esc);
  EXPECT_EQ(keys, (std::vector<std::pair<int, int>>{{27, 2}}));
  EXPECT_TRUE(page.isVisible());
}

}  // namespace
