#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolButton>

#include "platform/controls/combo_box.h"
#include "platform/controls/picture_button.h"
#include "platform/controls/report_list.h"
#include "platform/controls/splitter_bar.h"
#include "platform/controls/status_bar.h"
#include "platform/controls/toolbar.h"
#include "platform/rich_editor.h"
#include "support/main_window_fixture.h"
#include "windows/main_window.h"
#include "windows/toolbar_buttons.h"

namespace {

// One line per item: the path of captions, its shortcut, and [hidden] / [ticked].
QStringList describe(const QMenu* menu, const QString& path) {
  QStringList lines;
  for (const QAction* item : menu->actions()) {
    if (item->isSeparator()) {
      lines << path + QStringLiteral("/-");
      continue;
    }
    const QString item_path = path + u'/' + item->text();
    if (item->menu() != nullptr) {
      lines << describe(item->menu(), item_path);
      continue;
    }
    QString line = item_path;
    if (!item->shortcut().isEmpty())
      line += u' ' + item->shortcut().toString();
    if (!item->isVisible())
      line += QStringLiteral(" [hidden]");
    if (item->isChecked())
      line += QStringLiteral(" [ticked]");
    // Qt disables what it hides; only a shown item can be disabled by the form.
    if (item->isVisible() && !item->isEnabled())
      line += QStringLiteral(" [disabled]");
    lines << line;
  }
  return lines;
}

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, MenuBarHoldsEveryMenuAndItemInDisplayOrder) {
  MainWindow& main = start_main_window();
  QStringList lines;
  for (const QAction* top : main.menuBar()->actions())
    lines << describe(top->menu(), top->text());
  // 删除's key is set by the editor commands, not by the form.
  lines.replaceInStrings(QRegularExpression(QStringLiteral("^(编辑相关/删除) .*$")),
                         QStringLiteral("\\1"));
  const QStringList expected = {"文件相关/新建 Ctrl+N",       "文件相关/打开 Ctrl+O",
                                "文件相关/保存 Ctrl+S",       "文件相关/另存为...",
                                "编辑相关/撤销 Ctrl+Z",       "编辑相关/-",
                                "编辑相关/剪切 Ctrl+X",       "编辑相关/复制 Ctrl+C",
                                "编辑相关/粘贴 Ctrl+V",       "编辑相关/删除",
                                "编辑相关/刷新 [hidden]",     "编辑相关/-",
                                "编辑相关/查找 Ctrl+F",       "编辑相关/全选 Ctrl+A",
                                "文本设置/字体设置",          "文本设置/字体颜色",
                                "文本设置/背景颜色",          "皮肤设置/皮肤特效/开启特效",
                                "皮肤设置/皮肤特效/关闭特效", "皮肤设置/皮肤透明/透明设置",
                                "皮肤设置/皮肤选择/黑炫静目", "皮肤设置/皮肤选择/和谐健康",
                                "皮肤设置/皮肤选择/华夏之心", "皮肤设置/皮肤选择/色彩缤纷",
                                "皮肤设置/皮肤选择/积木依然", "皮肤设置/皮肤自选/自选皮肤",
                                "记录查找/记录查找",          "目录设置/目录管理",
                                "常规设置/页面设置",          "功能设置/功能设置",
                                "其他相关/自动换行 [ticked]", "数据设置/数据备份",
                                "数据设置/数据恢复",          "关于/软件相关"};
  EXPECT_EQ(lines.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
  EXPECT_EQ(main.menu_edit, main.menuBar()->actions().at(1)->menu())
      << "the editor's context menu is the menu bar's 编辑相关";
}

TEST_F(MainWindowTest, PopupMenusExistButNeverInTheMenuBar) {
  MainWindow& main = start_main_window();
  struct Case {
    QMenu* menu;
    const char* title;
    QStringList items;
  };
  const QStringList colours_tail = {"白色", "-", "自定"};
  const Case cases[] = {
      {main.menu_font_colour, "字体颜色菜单",
       QStringList{"黑色", "青绿", "天蓝", "橙黄", "红色", "蓝色"} + colours_tail},
      {main.menu_background_colour, "背景颜色菜单",
       QStringList{"黑色", "灰色", "银白", "灰绿", "黄褐", "褐绿"} + colours_tail},
      {main.menu_font_size,
       "字体大小菜单",
       {"小六", "六号", "小五", "五号", "小四", "四号", "小三", "-", "自定"}},
      {main.menu_record,
       "记录功能菜单",
       {"保存记录", "-", "向上移动", "向下移动", "调整位置", "-", "新建记录", "重新命名",
        "删除记录", "-", "记录属性"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    ASSERT_NE(c.menu, nullptr);
    QStringList expected;
    for (const QString& item : c.items)
      expected << QString::fromUtf8(c.title) + u'/' + item;
    EXPECT_EQ(describe(c.menu, QString::fromUtf8(c.title)).join(u'\n').toStdString(),
              expected.join(u'\n').toStdString());
    for (const QAction* top : main.menuBar()->actions()) {
      EXPECT_NE(top->menu(), c.menu);
      EXPECT_NE(top->text(), QString::fromUtf8(c.title));
    }
  }
  EXPECT_EQ(main.menuBar()->actions().size(), 11);
  for (int command = 0; command < static_cast<int>(MenuCommand::count); ++command)
    EXPECT_NE(main.action(static_cast<MenuCommand>(command)), nullptr) << command;
}

TEST_F(MainWindowTest, ToolbarHasTwentyTwoButtonsWithSeparatorsAndDropDowns) {
  MainWindow& main = start_main_window();
  Toolbar* toolbar = main.工具条1;
  EXPECT_EQ(toolbar->parentWidget(), main.centralWidget());
  EXPECT_EQ(toolbar->pos(), QPoint(0, 0));
  EXPECT_EQ(toolbar->size(), QSize(624, 32));
  EXPECT_FALSE(toolbar->isMovable());
  EXPECT_EQ(toolbar->iconSize(), QSize(24, 24));
  ASSERT_EQ(toolbar->button_count(), 22);
  const QStringList tooltips = {
      "新建", "打开", "保存",   "", "剪切", "复制", "粘贴", "", "查找",     "刷新",     "",
      "加粗", "倾斜", "下划线", "", "居左", "居中", "居右", "", "字体大小", "文本颜色", "背景颜色"};
  for (int index = 0; index < 22; ++index) {
    SCOPED_TRACE(index);
    const bool separator = index == 3 || index == 7 || index == 10 || index == 14 || index == 18;
    EXPECT_EQ(toolbar->is_separator(index), separator);
    if (separator)
      continue;
    QToolButton* button = toolbar->button(index);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolTip(), tooltips[index]);
    // A screen reader names the button as its tooltip does.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), tooltips[index]);
    EXPECT_TRUE(button->text().isEmpty() || button->toolButtonStyle() == Qt::ToolButtonIconOnly);
    EXPECT_FALSE(button->icon().pixmap(24, 24).toImage().isNull());
    EXPECT_EQ(button->popupMode() == QToolButton::MenuButtonPopup, index >= 19);
  }
}

TEST_F(MainWindowTest, EveryButtonHasANameForScreenReaders) {
  MainWindow& main = start_main_window();
  const QList<QAbstractButton*> buttons = main.findChildren<QAbstractButton*>();
  ASSERT_FALSE(buttons.isEmpty());
  for (QAbstractButton* button : buttons) {
    // Qt's own overflow buttons of the menu bar and the toolbar are not ours to name.
    if (button->objectName().startsWith(u"qt_"))
      continue;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
        << button->metaObject()->className() << " " << button->objectName().toStdString();
  }
}

TEST_F(MainWindowTest, ToolbarBodyAndArrowReportTheirIndex) {
  MainWindow& main = start_main_window();
  std::vector<std::pair<char, int>> seen;
  QObject::connect(main.工具条1, &Toolbar::on_button_clicked,
                   [&](int index) { seen.emplace_back('b', index); });
  QObject::connect(main.工具条1, &Toolbar::on_dropdown_clicked,
                   [&](int index) { seen.emplace_back('a', index); });
  click_toolbar_button(toolbar_refresh);
  click_toolbar_button(toolbar_text_colour);
  click_toolbar_arrow(toolbar_text_colour);
  for (QWidget* popup : QApplication::topLevelWidgets())
    if (qobject_cast<QMenu*>(popup) != nullptr)
      popup->hide();
  EXPECT_EQ(seen, (std::vector<std::pair<char, int>>{{'b', 9}, {'b', 20}, {'a', 20}}));
}

TEST_F(MainWindowTest, ControlsStartAsTheFormDescribesThem) {
  MainWindow& main = start_main_window();
  EXPECT_EQ(main.windowTitle(), QStringLiteral("WrenfoldV2.5"));
  EXPECT_FALSE(main.windowIcon().isNull());
  EXPECT_EQ(main.windowIcon().availableSizes().size(), 7);
  EXPECT_EQ(main.超级编辑框1->parentWidget(), main.高级选择夹1);
  EXPECT_EQ(main.组合框1->parentWidget(), main.高级选择夹1);
  EXPECT_EQ(main.图形按钮1->parentWidget(), main.分组框1);
  EXPECT_FALSE(main.分组框1->isVisible());
  EXPECT_TRUE(main.图形按钮1->isVisibleTo(main.分组框1));
  EXPECT_EQ(main.图形按钮1->text(), QStringLiteral("向上"));
  EXPECT_EQ(main.图形按钮2->text(), QStringLiteral("向下"));
  EXPECT_EQ(main.图形按钮2->geometry(), QRect(80, 8, 70, 22));
  EXPECT_EQ(main.超级列表框1->headerItem()->text(0), QStringLiteral("记录列表"));
  EXPECT_EQ(main.超级列表框1->columnCount(), 1);
  EXPECT_EQ(main.超级列表框1->columnWidth(0), 150);
  EXPECT_EQ(main.组合框1->selected_index(), -1);
  EXPECT_TRUE(main.超级编辑框1->word_wrap());
  ASSERT_EQ(main.状态条1->part_count(), 4);
  EXPECT_EQ(main.状态条1->statusbar_part_text(1), QStringLiteral("当前行号："));
  EXPECT_EQ(main.状态条1->statusbar_part_text(2), QStringLiteral("共计字数："));
  EXPECT_EQ(main.状态条1->parentWidget(), main.centralWidget());
}

}  // namespace

namespace {

using MainWindowRoutingTest = MainWindowFixture;

TEST_F(MainWindowRoutingTest, UserActionsReachTheirHandlers) {
  seed_category(QStringLiteral("工作"), QStringLiteral("1"));
  seed_category(QStringLiteral("\"私人\" 笔记"), QStringLiteral("2"));
  seed_article(QStringLiteral("\"私人\" 笔记"), QStringLiteral("1"), QStringLiteral("周一"),
               std::nullopt);
  MainWindow& main = start_main_window();

  choose_category(1);
  EXPECT_EQ(main.组合框1->selected_index(), 1);
  ASSERT_EQ(main.超级列表框1->listview_row_count(), 1);
  click_list_row(0);
  EXPECT_EQ(main.超级列表框1->current_row(), 0);
  type_into_editor(QStringLiteral("今天开会"));
  EXPECT_TRUE(main.超级编辑框1->modified());
  click_toolbar_button(toolbar_save);
  EXPECT_FALSE(main.超级编辑框1->modified());
  const auto rows = query_rows(QStringLiteral("select 文章内容 is not null from 文章管理"));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].value(0), QStringLiteral("1")) << "the toolbar's save stored the article";
}

}  // namespace
