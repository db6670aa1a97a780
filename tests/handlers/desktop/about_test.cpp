#include "handlers/desktop/about.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>

#include "platform/controls/hyperlink.h"
#include "support/main_window_fixture.h"
#include "windows/about_window.h"
#include "windows/main_window.h"

namespace {

// Stands in for the desktop's opener of local files.
class FileOpener : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened << url; }
};

void click(QWidget* widget) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  const QPointF global = widget->mapToGlobal(at);
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

using AboutTest = MainWindowFixture;

TEST_F(AboutTest, TheAboutWindowShowsItsTextsAndItsLinksOpenTheShippedPages) {
  FileOpener opener;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "open");
  start_main_window();
  seam().on_next_modal([](QWidget* shown) {
    auto& window = *static_cast<AboutWindow*>(shown);
    // An empty caption stands as one blank, so the title bar shows nothing.
    EXPECT_EQ(window.windowTitle(), QStringLiteral(" "));
    EXPECT_EQ(window.标签1->text(), QStringLiteral("WrenfoldV2.5 "));
    EXPECT_EQ(window.标签4->text(), QStringLiteral("© Wrenfold 开发者"));
    EXPECT_EQ(window.超级链接框1->text(), QStringLiteral("作者博客"));
    EXPECT_EQ(window.超级链接框2->text(), QStringLiteral("使用帮助"));
    click(window.超级链接框2);
    click(window.超级链接框1);
    EXPECT_TRUE(window.超级链接框1->visited());
  });
  choose_menu(MenuCommand::about);
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  EXPECT_EQ(seam().modal_windows(), QStringList{QStringLiteral("AboutWindow")});
  EXPECT_EQ(opener.opened,
            (QList<QUrl>{QUrl::fromLocalFile(path(QStringLiteral("help/help.html"))),
                         QUrl::fromLocalFile(path(QStringLiteral("help/about.html")))}));
}

}  // namespace

#include "about_test.moc"
