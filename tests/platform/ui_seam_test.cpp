#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

#include "platform/common_dialog.h"
#include "platform/desktop_seam.h"
#include "platform/event_boundary.h"
#include "platform/font_dialog.h"
#include "platform/fonts.h"
#include "platform/program_dir.h"
#include "platform/runtime_error.h"
#include "platform/ui_seam.h"
#include "platform/ui_seam_in_use.h"
#include "platform/windows.h"
#include "support/program_dir_fixture.h"

namespace {

// Acts on the first visible top-level widget of type W as soon as one shows, as a user at the
// screen would; the modal loop that opened it keeps running meanwhile.
template <class W>
void when_shown(std::function<void(W*)> act) {
  auto* poll = new QTimer(qApp);
  // Gives up after a few seconds so a dialog that never came cannot be answered in a later test.
  auto polls_left = std::make_shared<int>(1000);
  QObject::connect(poll, &QTimer::timeout, [poll, act, polls_left] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* found = qobject_cast<W*>(widget);
      if (found && found->isVisible()) {
        poll->stop();
        poll->deleteLater();
        act(found);
        return;
      }
    }
    if (--*polls_left == 0) {
      poll->stop();
      poll->deleteLater();
    }
  });
  poll->start(5);
}

void click(QMessageBox* box, QMessageBox::StandardButton which) {
  box->button(which)->click();
}

}  // namespace

TEST(QtNameFilters, AreMadeFromCommonDialogFilters) {
  const struct {
    const char16_t* filter;
    QStringList expected;
  } cases[] = {
      {u"丰富文本(*.RTF)|*.RTF|所有文件|*.*",
       {QStringLiteral("丰富文本(*.RTF) (*.RTF)"), QStringLiteral("所有文件 (*)")}},
      {u"数据库文件(*.ewd)|*.ewd", {QStringLiteral("数据库文件(*.ewd) (*.ewd)")}},
      {u"图片文件|*.jpg;*.bmp;*.png", {QStringLiteral("图片文件 (*.jpg *.bmp *.png)")}},
      {u"", {}},
      {u"名称没有模式", {}},
      {u"皮肤|*.she|多余", {QStringLiteral("皮肤 (*.she)")}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(to_qt_name_filters(QString::fromUtf16(c.filter)), c.expected)
        << QString::fromUtf16(c.filter).toStdString();
}

TEST(QtNameFilters, DefaultExtensionBecomesASuffix) {
  const struct {
    const char* ext;
    const char* suffix;
  } cases[] = {{"*.txt", "txt"}, {"*.ewd", "ewd"}, {".rtf", "rtf"},
               {"she", "she"},   {"*.*", ""},      {"", ""}};
  for (const auto& c : cases)
    EXPECT_EQ(to_default_suffix(QString::fromLatin1(c.ext)), QString::fromLatin1(c.suffix))
        << c.ext;
}

class ScriptedSeamTest : public ProgramDirFixture {};

TEST_F(ScriptedSeamTest, MessageBoxesAreRecordedAndAnsweredFromTheScript) {
  seam().answer_next(answer_yes);
  EXPECT_EQ(show_message_box(QStringLiteral("备份成功"), buttons_ok, QString()), answer_ok);
  EXPECT_EQ(show_message_box(QStringLiteral("是否继续还原"), buttons_yes_no, QString()),
            answer_yes);
  EXPECT_EQ(show_message_box(QStringLiteral("还原失败"), buttons_ok), answer_ok);
  EXPECT_EQ(show_message_box(QStringLiteral("再问一次"), buttons_yes_no, QStringLiteral("标题")),
            answer_no);

  const std::vector<ShownMessage>& shown = seam().messages();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(seam().message_texts(),
            QStringList({QStringLiteral("备份成功"), QStringLiteral("是否继续还原"),
                         QStringLiteral("还原失败"), QStringLiteral("再问一次")}));
  EXPECT_EQ(shown[0].title, std::optional<QString>(QString()));
  EXPECT_EQ(shown[1].buttons, buttons_yes_no);
  EXPECT_EQ(shown[2].title, std::nullopt) << "left out: the platform's default title";
  EXPECT_EQ(shown[3].title, std::optional<QString>(QStringLiteral("标题")));
  EXPECT_TRUE(shown[0].scripted && shown[1].scripted && shown[2].scripted);
  EXPECT_FALSE(shown[3].scripted);
  EXPECT_EQ(seam().unscripted(), 1);
}

TEST_F(ScriptedSeamTest, CommonDialogsGoToTheSeamByKind) {
  CommonDialog files(CommonDialog::Kind::file);
  files.dialog_type = 1;
  files.file_name = QStringLiteral("JSB");
  files.filter = QStringLiteral("丰富文本(*.RTF)|*.RTF|所有文件|*.*");
  const QString chosen = path(QStringLiteral("datab/副本 \"一\".rtf"));
  seam().choose_file_next(chosen);
  seam().cancel_file_next();
  EXPECT_EQ(run_common_dialog(files), 1);
  EXPECT_EQ(files.file_name, chosen);
  EXPECT_EQ(run_common_dialog(files), 0);
  EXPECT_EQ(files.file_name, chosen) << "a cancelled dialog changes nothing";
  EXPECT_EQ(run_common_dialog(files), 0) << "unscripted: cancelled";

  CommonDialog font(CommonDialog::Kind::font);
  font.font_colour = 0x000000FF;
  seam().choose_font_next({QStringLiteral("宋体"), 14, 1, 1, 0, 1});
  EXPECT_EQ(run_common_dialog(font), 1);
  EXPECT_EQ(font.font_name, QStringLiteral("宋体"));
  EXPECT_EQ(font.font_size, 14);
  EXPECT_EQ(
      font.font_bold + font.font_italic * 2 + font.font_underline * 4 + font.font_strikeout * 8,
      11);
  EXPECT_EQ(font.font_colour, 0x000000FFu);

  ASSERT_EQ(seam().dialogs().size(), 4u);
  EXPECT_EQ(seam().dialogs()[0].file_name, QStringLiteral("JSB")) << "recorded as it opened";
  EXPECT_EQ(seam().dialogs()[3].kind, CommonDialog::Kind::font);
  EXPECT_EQ(seam().unscripted(), 1);
}

TEST_F(ScriptedSeamTest, ModalWindowsRunTheirScriptAndEndClosed) {
  QWidget 窗口;
  窗口.setObjectName(QStringLiteral("BackupWindow"));
  int runs = 0;
  seam().on_modal(QStringLiteral("BackupWindow"), [&](QWidget* window) {
    ++runs;
    EXPECT_TRUE(window->isVisible());
  });
  load_window(&窗口, true);
  load_window(&窗口, true);
  EXPECT_EQ(runs, 2);
  EXPECT_FALSE(窗口.isVisible());

  // A one-time script goes first; a window closed on close is gone when load_window returns.
  QPointer<QWidget> deleted = new QWidget;
  deleted->setAttribute(Qt::WA_DeleteOnClose);
  deleted->setObjectName(QStringLiteral("BackupWindow"));
  bool next_ran = false;
  seam().on_next_modal([&](QWidget* window) {
    next_ran = true;
    close_window(window);
  });
  load_window(deleted, true);
  EXPECT_TRUE(next_ran);
  EXPECT_EQ(runs, 2);
  EXPECT_TRUE(deleted.isNull());

  QWidget other;
  other.setObjectName(QStringLiteral("FontSizeWindow"));
  load_window(&other, true);
  EXPECT_FALSE(other.isVisible());
  EXPECT_EQ(seam().modal_windows(),
            QStringList({QStringLiteral("BackupWindow"), QStringLiteral("BackupWindow"),
                         QStringLiteral("BackupWindow"), QStringLiteral("FontSizeWindow")}));
  EXPECT_EQ(seam().unscripted(), 1);

  QWidget modeless;
  load_window(&modeless, false);
  EXPECT_TRUE(modeless.isVisible());
  EXPECT_EQ(seam().modal_windows().size(), 4);
}

TEST_F(ScriptedSeamTest, ARunTimeErrorIsReportedAndTheProgramGoesOn) {
  bool after_error = false;
  auto handler = guarded([&](int code) {
    throw RuntimeError(code);
    after_error = true;
  });
  handler(error_not_text);
  handler(error_not_numeric);
  EXPECT_FALSE(after_error);
  ASSERT_EQ(seam().messages().size(), 2u);
  EXPECT_EQ(seam().messages()[0].text, RuntimeError(error_not_text).message());
  EXPECT_EQ(seam().messages()[1].text, RuntimeError(error_not_numeric).message());
  EXPECT_EQ(seam().messages()[0].buttons, buttons_ok);
  EXPECT_EQ(seam().messages()[0].title, std::optional<QString>(QString()));
}

TEST(EventLoop, DelayAndProcessEventsRunPendingHandlers) {
  int ran = 0;
  QMetaObject::invokeMethod(
      qApp, [&] { ++ran; }, Qt::QueuedConnection);
  process_events();
  EXPECT_EQ(ran, 1);
  bool timer_fired = false;
  QTimer::singleShot(10, [&] { timer_fired = true; });
  delay_ms(60);
  EXPECT_TRUE(timer_fired);
}

class DesktopSeamTest : public ::testing::Test {
 protected:
  DesktopSeam desktop;
  QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/wrenfold 对话框-XXXXXX")};
};

TEST_F(DesktopSeamTest, MessageBoxesAnswerWithTheButtonPressed) {
  QString title;
  QString text;
  Qt::TextFormat format = Qt::AutoText;
  when_shown<QMessageBox>([&](QMessageBox* box) {
    title = box->windowTitle();
    text = box->text();
    format = box->textFormat();
    click(box, QMessageBox::No);
  });
  EXPECT_EQ(desktop.message_box(QStringLiteral("<b>是否</b>继续"), buttons_yes_no, std::nullopt),
            answer_no);
  EXPECT_EQ(title, default_message_title());
  EXPECT_EQ(title, QStringLiteral("Wrenfold"));
  EXPECT_EQ(text, QStringLiteral("<b>是否</b>继续"));
  EXPECT_EQ(format, Qt::PlainText);

  when_shown<QMessageBox>([&](QMessageBox* box) {
    title = box->windowTitle();
    click(box, QMessageBox::Yes);
  });
  EXPECT_EQ(desktop.message_box(QStringLiteral("问"), buttons_yes_no, QString()), answer_yes);
  // The window system would show the program's name for an empty title: the box gets one that
  // shows nothing instead.
  EXPECT_FALSE(title.isEmpty());
  EXPECT_TRUE(title.trimmed().isEmpty()) << title.toStdString();

  bool only_ok = false;
  when_shown<QMessageBox>([&](QMessageBox* box) {
    only_ok = box->buttons().size() == 1 && box->button(QMessageBox::Ok);
    click(box, QMessageBox::Ok);
  });
  EXPECT_EQ(desktop.message_box(QStringLiteral("备份成功"), buttons_ok, QString()), answer_ok);
  EXPECT_TRUE(only_ok);
}

TEST_F(DesktopSeamTest, YesNoBoxIsAnsweredByItsButtonsOnly) {
  bool still_open = false;
  when_shown<QMessageBox>([&](QMessageBox* box) {
    QPointer<QMessageBox> shown(box);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(box, &escape);
    box->close();
    QApplication::processEvents();
    still_open = shown && shown->isVisible();
    if (shown)
      click(shown, QMessageBox::Yes);
  });
  EXPECT_EQ(desktop.message_box(QStringLiteral("当前内容已被修改 是否进行保存"), buttons_yes_no,
                                QString()),
            answer_yes);
  EXPECT_TRUE(still_open) << "Esc and the close box must not answer No for the user";
}

TEST_F(DesktopSeamTest, FileDialogTakesTheCommonDialogsProperties) {
  CommonDialog dialog(CommonDialog::Kind::file);
  dialog.dialog_type = 1;
  dialog.title = QStringLiteral("另存为 \"副本\"");
  dialog.initial_dir = dir.path();
  dialog.file_name = QStringLiteral("JSB");
  dialog.filter = QStringLiteral("丰富文本(*.RTF)|*.RTF|所有文件|*.*");
  dialog.default_ext = QStringLiteral("*.txt");
  QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
  QStringList filters;
  QString suffix;
  QString title;
  when_shown<QFileDialog>([&](QFileDialog* files) {
    mode = files->acceptMode();
    filters = files->nameFilters();
    suffix = files->defaultSuffix();
    title = files->windowTitle();
    files->selectFile(QStringLiteral("我的 副本"));
    static_cast<QDialog*>(files)->accept();
  });
  ASSERT_TRUE(desktop.file_dialog(dialog));
  EXPECT_EQ(mode, QFileDialog::AcceptSave);
  EXPECT_EQ(filters, QStringList({QStringLiteral("丰富文本(*.RTF) (*.RTF)"),
                                  QStringLiteral("所有文件 (*)")}));
  EXPECT_EQ(suffix, QStringLiteral("txt"));
  EXPECT_EQ(title, dialog.title);
  EXPECT_EQ(dialog.file_name, dir.filePath(QStringLiteral("我的 副本.txt")));

  dialog.dialog_type = 0;
  when_shown<QFileDialog>([&](QFileDialog* files) {
    mode = files->acceptMode();
    files->reject();
  });
  EXPECT_FALSE(desktop.file_dialog(dialog));
  EXPECT_EQ(mode, QFileDialog::AcceptOpen);
  EXPECT_EQ(dialog.file_name, dir.filePath(QStringLiteral("我的 副本.txt")));
}

TEST_F(DesktopSeamTest, FontDialogReadsAndWritesTheFontPropertiesWithTheColour) {
  CommonDialog dialog(CommonDialog::Kind::font);
  const QString installed = QFontDatabase::families().value(0);
  ASSERT_FALSE(installed.isEmpty());
  dialog.font_name = installed;
  dialog.font_size = 13;
  dialog.font_bold = 1;
  dialog.font_strikeout = 1;
  dialog.font_colour = 0x00FF0000;
  struct Shown {
    QString title, family;
    int size = 0;
    bool bold = false, italic = false, strikeout = false;
    Colorref colour = 0;
    QColor preview;
  } shown;
  QColor colour_offered;
  when_shown<FontDialog>([&](FontDialog* fonts) {
    shown = {fonts->windowTitle(),
             fonts->family->currentText(),
             fonts->size->value(),
             fonts->bold->isChecked(),
             fonts->italic->isChecked(),
             fonts->strikeout->isChecked(),
             fonts->colour(),
             fonts->preview->palette().color(QPalette::WindowText)};
    when_shown<QColorDialog>([&](QColorDialog* colours) {
      colour_offered = colours->currentColor();
      colours->setCurrentColor(QColor(0x11, 0x22, 0x33));
      colours->accept();
    });
    fonts->colour_button->click();
    fonts->size->setValue(20);
    fonts->bold->setChecked(false);
    fonts->italic->setChecked(true);
    fonts->underline->setChecked(true);
    fonts->buttons->button(QDialogButtonBox::Ok)->click();
  });
  ASSERT_TRUE(desktop.font_dialog(dialog));
  EXPECT_EQ(shown.title, QStringLiteral("字体"));
  EXPECT_EQ(shown.family, installed);
  EXPECT_EQ(shown.size, 13);
  EXPECT_TRUE(shown.bold && shown.strikeout && !shown.italic);
  EXPECT_EQ(shown.colour, 0x00FF0000u);
  EXPECT_EQ(to_colorref(shown.preview), 0x00FF0000u) << "the preview shows the colour";
  EXPECT_EQ(to_colorref(colour_offered), 0x00FF0000u);
  EXPECT_EQ(dialog.font_name, installed);
  EXPECT_EQ(dialog.font_size, 20);
  EXPECT_EQ(dialog.font_bold, 0);
  EXPECT_EQ(dialog.font_italic, 1);
  EXPECT_EQ(dialog.font_underline, 1);
  EXPECT_EQ(dialog.font_strikeout, 1);
  EXPECT_EQ(dialog.font_colour, 0x00332211u);

  // Cancelled, even after a new colour was chosen: every property stays.
  when_shown<FontDialog>([&](FontDialog* fonts) {
    fonts->set_colour(0x000000FF);
    fonts->size->setValue(30);
    fonts->buttons->button(QDialogButtonBox::Cancel)->click();
  });
  EXPECT_FALSE(desktop.font_dialog(dialog));
  EXPECT_EQ(dialog.font_size, 20);
  EXPECT_EQ(dialog.font_colour, 0x00332211u);
}

TEST_F(DesktopSeamTest, FontDialogKeepsANameShownThroughASubstitute) {
  install_font_substitutions();
  CommonDialog dialog(CommonDialog::Kind::font);
  dialog.font_name = QStringLiteral("宋体");
  dialog.font_size = 9;
  QString shown;
  when_shown<FontDialog>([&](FontDialog* fonts) {
    shown = fonts->family->currentText();
    fonts->accept();
  });
  ASSERT_TRUE(desktop.font_dialog(dialog));
  EXPECT_EQ(shown, QStringLiteral("宋体"));
  EXPECT_EQ(dialog.font_name, QStringLiteral("宋体"));
  EXPECT_EQ(dialog.font_size, 9);
  EXPECT_EQ(dialog.font_colour, 0u);

  // Left empty, the dialog offers the program's font.
  dialog.font_name.clear();
  dialog.font_size = 0;
  when_shown<FontDialog>([](FontDialog* fonts) { fonts->accept(); });
  ASSERT_TRUE(desktop.font_dialog(dialog));
  EXPECT_FALSE(dialog.font_name.isEmpty());
  EXPECT_EQ(dialog.font_size, QApplication::font().pointSize());
}

TEST_F(DesktopSeamTest, ColourDialogUsesTheCustomColoursOfTheCall) {
  std::array<Colorref, 16> custom;
  custom.fill(0x00FFFFFF);
  custom[3] = 0x000080FF;
  QColor slot_three;
  when_shown<QColorDialog>([&](QColorDialog* colours) {
    slot_three = QColorDialog::customColor(3);
    colours->setCurrentColor(QColor(0x11, 0x22, 0x33));
    colours->accept();
  });
  EXPECT_EQ(desktop.colour_dialog(nullptr, custom), std::optional<Colorref>(0x00332211));
  EXPECT_EQ(to_colorref(slot_three), 0x000080FFu);

  when_shown<QColorDialog>([](QColorDialog* colours) { colours->reject(); });
  EXPECT_EQ(desktop.colour_dialog(nullptr, custom), std::nullopt);
}

TEST_F(DesktopSeamTest, RunModalReturnsOnceTheWindowHasClosed) {
  QPointer<QWidget> window = new QWidget;
  window->setObjectName(QStringLiteral("LoginWindow"));
  window->setAttribute(Qt::WA_DeleteOnClose);
  bool was_modal = false;
  QTimer::singleShot(20, [&] {
    was_modal = window && window->isVisible() && window->isModal();
    window->close();
  });
  desktop.run_modal(window);
  EXPECT_TRUE(was_modal);
  EXPECT_TRUE(window.isNull()) << "a window deleted on close is gone on return";

  QDialog dialog;
  QTimer::singleShot(20, [&] { dialog.reject(); });
  desktop.run_modal(&dialog);
  EXPECT_FALSE(dialog.isVisible());

  // A window that closes while it is being shown does not hang the caller.
  struct ClosesAtOnce : QWidget {
    void showEvent(QShowEvent*) override {
      QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
  } quick;
  desktop.run_modal(&quick);
  EXPECT_FALSE(quick.isVisible());
}

TEST_F(DesktopSeamTest, TopmostSwitchesWithoutEndingAModalRun) {
  QDialog dialog;
  set_window_topmost(&dialog, true);
  bool in_run_while_off = false;
  bool in_run_after = false;
  QTimer::singleShot(20, [&] {
    set_window_topmost(&dialog, false);
    in_run_while_off = dialog.isVisible() && !window_topmost(&dialog);
    set_window_topmost(&dialog, true);
    QTimer::singleShot(20, [&] {
      in_run_after = dialog.isVisible() && window_topmost(&dialog);
      dialog.reject();
    });
  });
  desktop.run_modal(&dialog);
  EXPECT_TRUE(in_run_while_off);
  EXPECT_TRUE(in_run_after);
}

class ProgramDirFixtureTest : public ProgramDirFixture {};

TEST_F(ProgramDirFixtureTest, GivesAFreshProgramDirectoryWithAnEmptyDatabase) {
  EXPECT_EQ(get_program_dir(), program_dir());
  EXPECT_TRUE(program_dir().contains(u' '));
  EXPECT_TRUE(program_dir().contains(QStringLiteral("程序")));
  for (const char* folder : {"config", "datab", "skin/s", "ico"})
    EXPECT_TRUE(QDir(path(QString::fromLatin1(folder))).isEmpty()) << folder;
  EXPECT_EQ(&ui_seam(), &seam());
  ASSERT_TRUE(db().is_open());
  EXPECT_EQ(row_count(QStringLiteral("文章管理")), 0);
  EXPECT_EQ(row_count(QStringLiteral("目录管理")), 0);
  EXPECT_EQ(table_rows(QStringLiteral("用户管理")),
            std::vector<QStringList>({{QStringLiteral("1"), QStringLiteral("假"), QString()}}));
}

TEST_F(ProgramDirFixtureTest, SeedsAndReadsRowsAsStored) {
  const QString name = QStringLiteral("O'Brien \"日记\"");
  const QString content = QStringLiteral("'; drop table 目录管理; -- % \\ 😀");
  EXPECT_GT(seed_category(name, QStringLiteral("1")), 0);
  EXPECT_GT(seed_article(name, QStringLiteral("1"), QStringLiteral("标题 一"), content), 0);
  EXPECT_GT(seed_article(name, QStringLiteral("2"), QStringLiteral("未保存"), std::nullopt), 0);
  EXPECT_TRUE(
      seed_sql(db(), QStringLiteral("insert into 目录管理(目录位置,目录名称) values(2,'数')")));

  EXPECT_EQ(
      query_rows(QStringLiteral("select 目录名称, typeof(目录位置) from 目录管理 order by ID")),
      std::vector<QStringList>(
          {{name, QStringLiteral("text")}, {QStringLiteral("数"), QStringLiteral("text")}}));
  const std::vector<QStringList> articles = table_rows(QStringLiteral("文章管理"));
  ASSERT_EQ(articles.size(), 2u);
  EXPECT_EQ(
      articles[0].mid(1),
      QStringList({name, QStringLiteral("1"), content, QStringLiteral("标题 一"),
                   QStringLiteral("2024-01-02 03:04:05"), QStringLiteral("2024-01-02 03:04:05")}));
  EXPECT_TRUE(articles[1][3].isNull()) << "content never saved stays NULL";
  EXPECT_EQ(query_rows(QStringLiteral("select 文章内容 is null from 文章管理 order by ID")),
            std::vector<QStringList>({{QStringLiteral("0")}, {QStringLiteral("1")}}));

  close_db();
  EXPECT_EQ(row_count(QStringLiteral("文章管理")), 2) << "reopened on the next use";
}

TEST(TestProgramDir, PutsTheProgramDirectoryAndSeamBack) {
  const QString before = get_program_dir();
  UiSeam* const seam_before = &ui_seam();
  QString inside;
  {
    TestProgramDir program;
    ASSERT_TRUE(program.ok());
    inside = program.dir();
    EXPECT_EQ(get_program_dir(), inside);
    EXPECT_EQ(&ui_seam(), &program.seam());
  }
  EXPECT_EQ(get_program_dir(), before);
  EXPECT_EQ(&ui_seam(), seam_before);
  EXPECT_FALSE(QDir(inside).exists());
}
