#include "platform/windows.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <vector>

#include "platform/common_dialog.h"
#include "platform/ui_seam.h"
#include "platform/ui_seam_in_use.h"
#include "platform/window_caption.h"

namespace {

// While a modal box, dialog or window is up, the windows that stay on top (the find window) step
// back, so that none covers the question nobody could answer otherwise; each goes on top again
// once it is answered.
class TopmostStepBack {
 public:
  TopmostStepBack() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->isVisible() && window_topmost(window)) {
        set_window_topmost(window, false);
        stepped_back_.emplace_back(window);
      }
    }
  }
  TopmostStepBack(const TopmostStepBack&) = delete;
  TopmostStepBack& operator=(const TopmostStepBack&) = delete;
  ~TopmostStepBack() {
    for (const QPointer<QWidget>& window : stepped_back_) {
      if (window)
        set_window_topmost(window, true);
    }
  }

 private:
  std::vector<QPointer<QWidget>> stepped_back_;
};

}  // namespace

int show_message_box(const QString& text, int buttons, const QString& title) {
  const TopmostStepBack step_back;
  return ui_seam().message_box(text, buttons, title);
}

int show_message_box(const QString& text, int buttons) {
  const TopmostStepBack step_back;
  return ui_seam().message_box(text, buttons, std::nullopt);
}

int run_common_dialog(CommonDialog& dialog) {
  const TopmostStepBack step_back;
  switch (dialog.kind) {
    case CommonDialog::Kind::file:
      return ui_seam().file_dialog(dialog) ? 1 : 0;
    case CommonDialog::Kind::font:
      return ui_seam().font_dialog(dialog) ? 1 : 0;
  }
  return 0;
}

std::optional<Colorref> choose_colour(QWidget* owner, std::array<Colorref, 16>& custom_colours) {
  const TopmostStepBack step_back;
  return ui_seam().colour_dialog(owner, custom_colours);
}

void load_window(QWidget* window, bool modal) {
  set_window_caption(window, window->windowTitle());
  if (modal) {
    const TopmostStepBack step_back;
    ui_seam().run_modal(window);
    return;
  }
  window->show();
  window->raise();
  window->activateWindow();
}

void show_in_front(QWidget* window) {
  // A window hidden while minimised would show minimised again.
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

bool window_seen(const QWidget* window) {
  return window->isVisible() && !window->isMinimized();
}

bool close_window(QWidget* window) {
  return window->close();
}

void centre_on_screen(QWidget* window) {
  // The frame is centred, title bar included, once the window system has reported it.
  const QRect frame(QPoint(), window->frameGeometry().size());
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    window->move(screen->availableGeometry().center() - frame.center());
}

bool window_topmost(const QWidget* window) {
  return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void set_window_topmost(QWidget* window, bool on) {
  Qt::WindowFlags flags = window->windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, on);
  if (flags == window->windowFlags())
    return;
  QWindow* handle = window->windowHandle();
  if (handle == nullptr) {
    window->setWindowFlags(flags);
    return;
  }
  // setWindowFlags would hide the window first, and hiding ends a modal window's run.
  window->overrideWindowFlags(flags);
  handle->setFlags(flags);
}

void make_fixed_topmost_window(QWidget* window) {
  window->setWindowFlags((fixed_dialog_frame & ~Qt::WindowSystemMenuHint) |
                         Qt::WindowStaysOnTopHint);
  window->setFixedSize(window->size());
  centre_on_screen(window);
}

void process_events() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void delay_ms(int milliseconds) {
  if (milliseconds <= 0) {
    process_events();
    return;
  }
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}
