#include <gtest/gtest.h>

#include <QGroupBox>
#include <QTabWidget>

#include "handlers/access/layout.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/controls/splitter_bar.h"
#include "platform/controls/status_bar.h"
#include "platform/rich_editor.h"
#include "support/main_window_fixture.h"
#include "windows/main_window.h"

namespace {

// The window started and its client area set to the worked example's 752 x 515.
class LayoutTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    main = &start_main_window();
    resize_client_area(752, 515);
  }

  std::vector<int> part_widths() const {
    std::vector<int> widths;
    for (int part = 0; part < 4; ++part)
      widths.push_back(main->状态条1->statusbar_get_part_width(part));
    return widths;
  }

  MainWindow* main = nullptr;
};

TEST_F(LayoutTest, WorkedExample) {
  ASSERT_EQ(main->centralWidget()->size(), QSize(752, 515));
  EXPECT_EQ(main->高级选择夹1->geometry(), QRect(1, 33, 750, 463));
  EXPECT_EQ(main->超级编辑框1->geometry(), QRect(9, 10, 566, 445));
  EXPECT_EQ(main->分隔条1->geometry(), QRect(573, 10, 10, 445));
  EXPECT_EQ(main->组合框1->x(), 583);
  EXPECT_EQ(main->超级列表框1->geometry(), QRect(583, 35, 160, 420));
  EXPECT_EQ(main->分组框1->pos(), QPoint(583, 422));
  EXPECT_EQ(main->状态条1->geometry(), QRect(0, 495, 752, 20));
  EXPECT_EQ(part_widths(), (std::vector<int>{188, 188, 188, 188}));
}

TEST_F(LayoutTest, StatusPartsAreAQuarterOfTheBarTruncated) {
  for (const auto& [width, part] : {std::pair{755, 188}, {760, 190}, {3, 0}}) {
    SCOPED_TRACE(width);
    resize_client_area(width, 515);
    EXPECT_EQ(main->状态条1->width(), width);
    EXPECT_EQ(part_widths(), (std::vector<int>(4, part)));
  }
}

TEST_F(LayoutTest, AdjustPositionTwiceRestoresTheList) {
  choose_menu(MenuCommand::record_adjust);
  EXPECT_TRUE(main->分组框1->isVisible());
  EXPECT_EQ(main->超级列表框1->height(), 388);
  EXPECT_EQ(main->分组框1->geometry(), QRect(583, 422, 160, 35));
  choose_menu(MenuCommand::record_adjust);
  EXPECT_FALSE(main->分组框1->isVisible());
  EXPECT_EQ(main->超级列表框1->height(), 420);
}

TEST_F(LayoutTest, ResizeClosesTheOpenPanel) {
  choose_menu(MenuCommand::record_adjust);
  resize_client_area(800, 600);
  EXPECT_FALSE(main->分组框1->isVisible());
  EXPECT_EQ(main->超级列表框1->height(), main->超级编辑框1->height() - 25);
  EXPECT_EQ(main->超级编辑框1->size(), QSize(800 - 160 - 26, 600 - 52 - 18));
  EXPECT_EQ(main->分组框1->y(), 600 - 93);
}

TEST_F(LayoutTest, SplitterMoveClosesThePanelAndMovesTheBoundary) {
  choose_menu(MenuCommand::record_adjust);
  emit main->分隔条1->on_moved(573, 500);
  EXPECT_FALSE(main->分组框1->isVisible());
  EXPECT_EQ(main->超级列表框1->height(), 420);
  EXPECT_EQ(main->分隔条1->x(), 500);
  EXPECT_EQ(main->超级编辑框1->width(), 566 - 73);
  for (QWidget* column :
       {static_cast<QWidget*>(main->超级列表框1), static_cast<QWidget*>(main->组合框1)}) {
    EXPECT_EQ(column->x(), 510);
    EXPECT_EQ(column->x() + column->width(), 752 - 10);
  }
  // The column keeps its new width through a resize; the editor takes the change.
  resize_client_area(852, 515);
  EXPECT_EQ(main->超级列表框1->width(), 232);
  EXPECT_EQ(main->超级编辑框1->width(), 852 - 232 - 26);
}

// Dragged as far as it goes either way, the splitter leaves both sides usable.
TEST_F(LayoutTest, SplitterDragsLeaveTheEditorAndTheColumnUsable) {
  const struct {
    const char* name;
    int dragged_to;
    int splitter_x;
  } cases[] = {
      {"far left", -300, 9 + splitter_min_side},
      {"onto the editor's left edge", 20, 9 + splitter_min_side},
      {"far right", 5000, 752 - 20 - splitter_min_side},
      {"onto the window's right edge", 740, 752 - 20 - splitter_min_side},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int old_position = main->分隔条1->x();
    const int old_editor_width = main->超级编辑框1->width();
    emit main->分隔条1->on_moved(old_position, c.dragged_to);
    EXPECT_EQ(main->分隔条1->x(), c.splitter_x);
    EXPECT_EQ(main->超级编辑框1->width(), old_editor_width + c.splitter_x - old_position);
    EXPECT_GE(main->超级编辑框1->width(), splitter_min_side);
    EXPECT_GE(main->超级列表框1->width(), splitter_min_side);
    EXPECT_GE(main->组合框1->width(), splitter_min_side);
    emit main->分隔条1->on_moved(main->分隔条1->x(), 573);
  }
}

TEST_F(LayoutTest, SizesStayAtZeroOrMore) {
  emit main->分隔条1->on_moved(573, 500);
  EXPECT_EQ(main->超级列表框1->width(), 232);
  EXPECT_EQ(main->超级编辑框1->width(), 493);
  // The window's minimum size may keep the client area wider than asked, never higher than 52.
  resize_client_area(40, 30);
  const QSize client = main->centralWidget()->size();
  ASSERT_LT(client.height(), 52);
  EXPECT_EQ(main->高级选择夹1->height(), 0);
  EXPECT_EQ(main->超级编辑框1->width(), qMax(0, client.width() - 232 - 26));
  EXPECT_EQ(main->超级编辑框1->height(), 0);
  EXPECT_EQ(main->超级列表框1->height(), 0);
}

}  // namespace
