#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyleOptionToolButton>
#include <QToolButton>
#include <QWheelEvent>

#include "platform/controls/colour_picker.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/edit_box.h"
#include "platform/controls/key_code.h"
#include "platform/controls/picture_button.h"
#include "platform/controls/report_list.h"
#include "platform/controls/result_list.h"
#include "platform/controls/splitter_bar.h"
#include "platform/controls/status_bar.h"
#include "platform/controls/toolbar.h"
#include "support/scripted_seam.h"

namespace {

void send_mouse(QWidget* widget, QEvent::Type type, QPoint at,
                Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const Qt::MouseButtons buttons =
      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
  const QPointF global = widget->mapToGlobal(QPointF(at));
  QMouseEvent event(type, QPointF(at), widget->window()->mapFromGlobal(global), global,
                    Qt::LeftButton, buttons, modifiers);
  QApplication::sendEvent(widget, &event);
}

void send_key(QWidget* widget, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
}

void send_wheel(QWidget* widget, int delta) {
  const QPointF at(5, 5);
  QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

// A list of three articles with Chinese titles, one of them quoted, and a recorder of events.
class ReportListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.add_column(QStringLiteral("记录列表"), 150);
    for (const QString& title :
         {QStringLiteral("日记一"), QStringLiteral("\"引号\"标题"), QStringLiteral("第三篇")})
      list.listview_insert_row(title);
    QObject::connect(&list, &ReportList::on_current_row_changed,
                     [this] { seen_rows.push_back(list.current_row()); });
  }

  ReportList list;
  std::vector<int> seen_rows;
};

TEST_F(ReportListTest, ProgramWriteRaisesBeforeReturningAndOnlyOnARealChange) {
  list.set_current_row(1);
  EXPECT_EQ(seen_rows, std::vector<int>{1});
  list.set_current_row(1);
  EXPECT_EQ(seen_rows, std::vector<int>{1}) << "the same row again is no change";
  list.set_current_row(2);
  EXPECT_EQ(seen_rows, (std::vector<int>{1, 2}));
  list.set_current_row(-1);
  EXPECT_EQ(list.current_row(), -1);
  EXPECT_EQ(seen_rows, (std::vector<int>{1, 2})) << "clearing the selection is silent";
  list.set_current_row(2);
  EXPECT_EQ(seen_rows, (std::vector<int>{1, 2, 2})) << "after a clear the row is new again";
}

TEST_F(ReportListTest, FillsAndClearsRaiseNothingAndLeaveNoRowCurrent) {
  EXPECT_EQ(list.current_row(), -1);
  list.set_current_row(0);
  list.listview_clear();
  EXPECT_EQ(list.current_row(), -1);
  EXPECT_EQ(list.listview_row_count(), 0);
  EXPECT_EQ(list.listview_insert_row(QStringLiteral("新的")), 0);
  EXPECT_EQ(list.listview_insert_row(QStringLiteral("再一个")), 1);
  list.add_column(QStringLiteral("所属"), 2);
  list.listview_append_rows({{QStringLiteral("甲"), QStringLiteral("一")}, {QString(), "二"}});
  EXPECT_EQ(list.listview_row_count(), 4);
  EXPECT_EQ(list.listview_get_cell_text(2, 0), QStringLiteral("甲"));
  EXPECT_EQ(list.listview_get_cell_text(3, 1), QStringLiteral("二"));
  EXPECT_EQ(list.columnWidth(1), 2) << "as narrow as given";
  EXPECT_EQ(list.current_row(), -1);
  // Focus alone puts Qt's cursor on a row; that is no choice of a row.
  list.show();
  list.setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(list.current_row(), -1);
  EXPECT_EQ(seen_rows, std::vector<int>{0});
  EXPECT_EQ(list.listview_get_cell_text(-1), QString());
  EXPECT_EQ(list.listview_get_cell_text(7), QString());
}

TEST_F(ReportListTest, UserClickOnARowRaisesTheEvent) {
  list.resize(200, 200);
  list.show();
  const QRect row_rect = list.visualItemRect(list.topLevelItem(2));
  send_mouse(list.viewport(), QEvent::MouseButtonPress, row_rect.center());
  send_mouse(list.viewport(), QEvent::MouseButtonRelease, row_rect.center());
  EXPECT_EQ(seen_rows, std::vector<int>{2});
}

TEST_F(ReportListTest, UserCannotLeaveTheListWithoutARow) {
  list.resize(200, 200);
  list.show();
  list.set_current_row(1);
  const QRect row_rect = list.visualItemRect(list.topLevelItem(1));
  send_mouse(list.viewport(), QEvent::MouseButtonPress, row_rect.center(), Qt::ControlModifier);
  send_mouse(list.viewport(), QEvent::MouseButtonRelease, row_rect.center(), Qt::ControlModifier);
  QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::ControlModifier, QStringLiteral(" "));
  QApplication::sendEvent(&list, &space);
  const QPoint below_rows(row_rect.center().x(), list.viewport()->height() - 2);
  send_mouse(list.viewport(), QEvent::MouseButtonPress, below_rows);
  send_mouse(list.viewport(), QEvent::MouseButtonRelease, below_rows);
  EXPECT_EQ(list.current_row(), 1);
  EXPECT_EQ(seen_rows, std::vector<int>{1});
}

TEST_F(ReportListTest, LabelEditHandlerDecidesWhetherTheTypedTitleStands) {
  for (const bool accept : {false, true}) {
    SCOPED_TRACE(accept);
    QString seen_label;
    list.set_label_edit_handler([&] {
      seen_label = list.edited_label();
      return accept;
    });
    list.resize(200, 200);
    list.show();
    list.listview_edit_label(1);
    auto* editor = list.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("改名 \"后\""));
    send_key(editor, Qt::Key_Return);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(seen_label, QStringLiteral("改名 \"后\""));
    EXPECT_EQ(list.listview_get_cell_text(1),
              accept ? QStringLiteral("改名 \"后\"") : QStringLiteral("\"引号\"标题"));
  }
}

class ComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const QString& name :
         {QStringLiteral("工作"), QStringLiteral("\"私人\" 笔记"), QStringLiteral("杂项")})
      combo.combo_add_item(name);
    QObject::connect(&combo, &ComboBox::on_dropdown, [this] {
      events.push_back("dropdown " + std::to_string(combo.selected_index()));
    });
    QObject::connect(&combo, &ComboBox::on_selection_changed, [this] {
      events.push_back("changed " + std::to_string(combo.selected_index()));
    });
  }

  ComboBox combo;
  std::vector<std::string> events;
};

// The rows go in from their first column; cells beyond them, an empty cell and non-ASCII text
// read back as given, and a refill or clear leaves no row current.
TEST(ResultList, ShowsRowsFromTheirFirstColumnAndForgetsTheChoiceOnARefill) {
  ResultList list;
  for (int column = 0; column < 4; ++column)
    list.add_column(QString::number(column), 50);
  QPixmap picture(24, 24);
  picture.fill(Qt::blue);
  list.set_row_picture(QIcon(picture));
  TextRows rows(2);
  for (const char* cell : {"标题一", "", "b'1", "分类"})
    rows.append(QByteArrayView(cell));
  list.listview_set_rows(rows, 1);
  ASSERT_EQ(list.listview_row_count(), 2);
  const std::tuple<int, int, QString> cells[] = {{0, 0, ""},    {0, 1, "标题一"}, {0, 2, ""},
                                                 {1, 1, "b'1"}, {1, 2, "分类"},   {1, 3, ""},
                                                 {2, 1, ""},    {-1, 1, ""},      {0, 4, ""}};
  for (const auto& [row, column, text] : cells)
    EXPECT_EQ(list.listview_get_cell_text(row, column), text) << row << "," << column;
  EXPECT_FALSE(list.model()->index(1, 0).data(Qt::DecorationRole).isNull());
  EXPECT_TRUE(list.model()->index(1, 1).data(Qt::DecorationRole).isNull());
  EXPECT_EQ(list.current_row(), -1);
  list.set_current_row(1);
  EXPECT_EQ(list.current_row(), 1);
  list.listview_set_rows(rows, 1);
  EXPECT_EQ(list.current_row(), -1);
  list.set_current_row(0);
  TextRows taken = list.listview_take_rows();
  EXPECT_EQ(list.listview_row_count(), 0);
  EXPECT_EQ(list.current_row(), -1);
  EXPECT_EQ(taken.text(1, 1), "分类");
  // Reused for a refill, the rows keep nothing of what they held.
  taken.clear(1);
  taken.append(QByteArrayView("新"));
  EXPECT_EQ(taken.row_count(), 1);
  EXPECT_EQ(taken.text(0, 0), "新");
  EXPECT_EQ(taken.text(0, 1), "");
}

TEST_F(ComboBoxTest, ProgramWritesAndFillsRaiseNothing) {
  EXPECT_EQ(combo.selected_index(), -1) << "adding items selects none";
  combo.set_selected_index(2);
  EXPECT_EQ(combo.selected_index(), 2);
  combo.set_selected_index(9);
  EXPECT_EQ(combo.selected_index(), -1);
  combo.combo_clear();
  EXPECT_EQ(combo.combo_item_count(), 0);
  EXPECT_EQ(combo.combo_item_text(0), QString());
  EXPECT_TRUE(events.empty());
}

TEST_F(ComboBoxTest, KeyboardAndWheelOnTheClosedBoxDropDownFirstWithTheOldItem) {
  combo.set_selected_index(0);
  send_key(&combo, Qt::Key_Down);
  EXPECT_EQ(events, (std::vector<std::string>{"dropdown 0", "changed 1"}));
  events.clear();
  send_wheel(&combo, -120);
  EXPECT_EQ(events, (std::vector<std::string>{"dropdown 1", "changed 2"}));
  events.clear();
  // At the last item neither a step down nor the wheel changes anything, so nothing is raised.
  send_key(&combo, Qt::Key_Down);
  send_wheel(&combo, -120);
  EXPECT_TRUE(events.empty());
  send_key(&combo, Qt::Key_Up);
  EXPECT_EQ(events, (std::vector<std::string>{"dropdown 2", "changed 1"}));
}

// A handler that cannot let the selection go (its save failed) keeps the list closed and the old
// item selected.
TEST_F(ComboBoxTest, ARefusedDropdownNeitherOpensNorSteps) {
  QObject::connect(&combo, &ComboBox::on_dropdown, [this] { combo.refuse_dropdown(); });
  combo.set_selected_index(0);
  combo.show();
  combo.showPopup();
  EXPECT_FALSE(combo.view()->isVisible());
  send_key(&combo, Qt::Key_Down);
  send_wheel(&combo, -120);
  EXPECT_EQ(combo.selected_index(), 0);
  EXPECT_EQ(events, (std::vector<std::string>{"dropdown 0", "dropdown 0", "dropdown 0"}));
}

TEST_F(ComboBoxTest, ChoosingFromThePopupDropsDownThenChanges) {
  combo.set_selected_index(0);
  combo.show();
  combo.showPopup();
  EXPECT_EQ(events, std::vector<std::string>{"dropdown 0"});
  QAbstractItemView* view = combo.view();
  view->setCurrentIndex(combo.model()->index(2, 0));
  send_key(view, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(events, (std::vector<std::string>{"dropdown 0", "changed 2"}));
  EXPECT_EQ(combo.combo_item_text(combo.selected_index()), QStringLiteral("杂项"));
}

TEST_F(ComboBoxTest, ChoosingOrTypingTheSelectedItemChangesNothing) {
  combo.set_selected_index(2);
  combo.show();
  combo.showPopup();
  QAbstractItemView* view = combo.view();
  view->setCurrentIndex(combo.model()->index(2, 0));
  send_key(view, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(events, std::vector<std::string>{"dropdown 2"}) << "the drop-down asks, no more";
  events.clear();
  // A letter that no other item starts with moves nothing, so it raises nothing either.
  send_key(&combo, Qt::Key_unknown, QStringLiteral("杂"));
  send_key(&combo, Qt::Key_unknown, QStringLiteral("q"));
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(combo.selected_index(), 2);
}

TEST(ComboBox, SelectionFieldHeightSetsTheBoxHeight) {
  ComboBox combo;
  combo.set_selection_field_height(16);
  EXPECT_GE(combo.height(), 16);
  EXPECT_LE(combo.height(), 24);
}

TEST(StatusBar, PartsLieSideBySideWithTheirWidths) {
  StatusBar bar;
  bar.resize(656, 20);
  for (const QString& text : {QStringLiteral("当前位置："), QStringLiteral("当前行号：")})
    bar.add_part(text, 150);
  bar.statusbar_set_part_width(0, 188);
  bar.statusbar_set_part_text(1, QStringLiteral("当前行号：3"));
  EXPECT_EQ(bar.part_count(), 2);
  EXPECT_EQ(bar.statusbar_get_part_width(0), 188);
  EXPECT_EQ(bar.statusbar_part_text(1), QStringLiteral("当前行号：3"));
  EXPECT_EQ(bar.statusbar_part_text(5), QString());
  auto* second = bar.childAt(190, 10);
  ASSERT_NE(second, nullptr) << "part 1 starts where part 0 ends";
}

TEST(PictureButton, ReportsDownUpAndClickAndDrawsTwoStates) {
  PictureButton button;
  button.setText(QStringLiteral("向上"));
  button.resize(70, 22);
  button.show();
  std::vector<std::string> events;
  QObject::connect(&button, &PictureButton::on_left_button_down, [&](int x, int y, int shift) {
    events.push_back("down " + std::to_string(x) + "," + std::to_string(y) + "," +
                     std::to_string(shift));
  });
  QObject::connect(&button, &PictureButton::on_left_button_up, [&](int x, int y, int) {
    events.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  });
  QObject::connect(&button, &PictureButton::on_clicked, [&] { events.push_back("clicked"); });

  const QImage up = button.grab().toImage();
  send_mouse(&button, QEvent::MouseButtonPress, QPoint(10, 5), Qt::ShiftModifier);
  const QImage pressed = button.grab().toImage();
  send_mouse(&button, QEvent::MouseButtonRelease, QPoint(12, 6));
  EXPECT_EQ(events, (std::vector<std::string>{"down 10,5,2", "up 12,6", "clicked"}));
  EXPECT_NE(up, pressed) << "the pressed picture differs from the one at rest";
  EXPECT_NE(up.pixelColor(1, 11), up.pixelColor(35, 2)) << "a frame around the face";
}

TEST(PictureButton, APressThatAModalWindowInterruptsEndsWithARelease) {
  QWidget window;
  PictureButton button(&window);
  window.show();
  std::vector<std::string> events;
  QObject::connect(&button, &PictureButton::on_left_button_down,
                   [&](int, int, int) { events.push_back("down"); });
  QObject::connect(&button, &PictureButton::on_left_button_up, [&](int x, int y, int) {
    events.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  });
  send_mouse(&button, QEvent::MouseButtonPress, QPoint(10, 5));
  QDialog question;
  question.setWindowModality(Qt::ApplicationModal);
  question.show();
  QApplication::processEvents();
  EXPECT_EQ(events, (std::vector<std::string>{"down", "up 10,5"}));
  EXPECT_FALSE(button.isDown());
  question.hide();
  // The release that follows, and a later question, report nothing more.
  send_mouse(&button, QEvent::MouseButtonRelease, QPoint(10, 5));
  question.show();
  QApplication::processEvents();
  EXPECT_EQ(events, (std::vector<std::string>{"down", "up 10,5"}));
}

TEST(EditBox, ReportsEachKeyWithItsCodeBeforeHandlingIt) {
  EditBox box;
  std::vector<std::pair<int, QString>> keys;
  QObject::connect(&box, &EditBox::on_key_down,
                   [&](int code, int shift) { keys.emplace_back(code + 100 * shift, box.text()); });
  send_key(&box, Qt::Key_A, QStringLiteral("a"));
  send_key(&box, Qt::Key_5, QStringLiteral("5"));
  send_key(&box, Qt::Key_Return);
  send_key(&box, Qt::Key_Enter);
  send_key(&box, Qt::Key_Escape);
  send_key(&box, Qt::Key_F5);
  QKeyEvent shifted(QEvent::KeyPress, Qt::Key_Tab, Qt::ShiftModifier | Qt::ControlModifier);
  QApplication::sendEvent(&box, &shifted);
  const std::vector<std::pair<int, QString>> expected = {
      {65, ""}, {53, "a"}, {13, "a5"}, {13, "a5"}, {27, "a5"}, {0, "a5"}, {309, "a5"}};
  EXPECT_EQ(keys, expected);
}

TEST(PictureButton, ASkinThatStylesItDrawsItsFaceAndDetachingBringsTheOwnBack) {
  PictureButton button;
  button.setText(QStringLiteral("向下"));
  button.resize(70, 22);
  button.show();
  const QImage own = button.grab().toImage();
  qApp->setStyleSheet(QStringLiteral("PictureButton { background-color: #102030; border: none; }"));
  const QImage skinned = button.grab().toImage();
  qApp->setStyleSheet(QString());
  EXPECT_EQ(skinned.pixelColor(3, 11), QColor(0x10, 0x20, 0x30));
  EXPECT_EQ(button.grab().toImage(), own);
}

TEST(SplitterBar, ReportsOldAndNewLeftInItsParent) {
  QWidget frame;
  frame.resize(750, 463);
  SplitterBar bar(&frame);
  bar.setGeometry(573, 10, 10, 445);
  frame.show();
  std::vector<std::pair<int, int>> moves;
  QObject::connect(&bar, &SplitterBar::on_moved, [&](int old_position, int new_position) {
    moves.emplace_back(old_position, new_position);
  });
  send_mouse(&bar, QEvent::MouseButtonPress, QPoint(5, 100));
  send_mouse(&bar, QEvent::MouseMove, QPoint(-40, 100));
  // The bar follows the pointer, so the release lies 100 pixels left of the press on the screen.
  send_mouse(&bar, QEvent::MouseButtonRelease, QPoint(5 - 100 + 45, 100));
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0], std::make_pair(573, 473));
}

TEST(Toolbar, DropDownButtonReportsBodyAndArrowApart) {
  Toolbar toolbar;
  toolbar.add_button(QIcon(), QStringLiteral("新建"));
  toolbar.add_separator();
  toolbar.add_dropdown_button(QIcon(), QStringLiteral("字体大小"));
  toolbar.resize(200, 32);
  toolbar.show();
  QApplication::processEvents();
  std::vector<std::string> events;
  QObject::connect(&toolbar, &Toolbar::on_button_clicked,
                   [&](int index) { events.push_back("button " + std::to_string(index)); });
  QObject::connect(&toolbar, &Toolbar::on_dropdown_clicked,
                   [&](int index) { events.push_back("arrow " + std::to_string(index)); });
  EXPECT_TRUE(toolbar.is_separator(1));
  EXPECT_EQ(toolbar.button(1), nullptr);
  QToolButton* dropdown = toolbar.button(2);
  ASSERT_NE(dropdown, nullptr);
  const QPoint body(4, dropdown->height() / 2);
  const QPoint arrow(dropdown->width() - 3, dropdown->height() / 2);
  for (const QPoint& at : {body, arrow}) {
    send_mouse(dropdown, QEvent::MouseButtonPress, at);
    send_mouse(dropdown, QEvent::MouseButtonRelease, at);
  }
  toolbar.button(0)->click();
  EXPECT_EQ(events, (std::vector<std::string>{"button 2", "arrow 2", "button 0"}));
}

TEST(ColourPicker, ClickChoosesItsColourAndShowsIt) {
  ScriptedSeam seam;
  SeamInstaller installer(seam);
  ColourPicker picker;
  picker.resize(83, 24);
  picker.show();
  picker.set_colour(0x000000FF);
  const QImage red = picker.grab().toImage();
  EXPECT_EQ(red.pixelColor(41, 12), QColor(Qt::red));

  seam.choose_colour_next(0x00FF0000);
  send_mouse(&picker, QEvent::MouseButtonPress, QPoint(40, 12));
  send_mouse(&picker, QEvent::MouseButtonRelease, QPoint(40, 12));
  EXPECT_EQ(picker.colour(), 0x00FF0000u);
  EXPECT_EQ(picker.grab().toImage().pixelColor(41, 12), QColor(Qt::blue));

  seam.cancel_colour_next();
  send_key(&picker, Qt::Key_Space);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier);
  QApplication::sendEvent(&picker, &release);
  EXPECT_EQ(picker.colour(), 0x00FF0000u) << "a cancelled dialog keeps the colour";

  ASSERT_EQ(seam.colour_dialogs().size(), 2u);
  EXPECT_EQ(seam.colour_dialogs()[0].owner, &picker);
  EXPECT_EQ(seam.colour_dialogs()[1].custom_colours[0], 0x00FF0000u)
      << "the dialog offers the colour held";
}

TEST(KeyCode, KeysReportTheirVirtualKeyNumbers) {
  const std::pair<int, int> keys[] = {
      {Qt::Key_Escape, 27}, {Qt::Key_Return, 13}, {Qt::Key_Enter, 13}, {Qt::Key_A, 65},
      {Qt::Key_9, 57},      {Qt::Key_Left, 37},   {Qt::Key_F1, 0},
  };
  for (const auto& [qt_key, code] : keys)
    EXPECT_EQ(key_code(qt_key), code) << qt_key;
}

}  // namespace
