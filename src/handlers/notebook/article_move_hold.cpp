#include "handlers/notebook/article_move_hold.h"

#include <QPointer>
#include <QTimer>

#include "handlers/notebook/article_move.h"
#include "platform/event_boundary.h"
#include "windows/globals.h"
#include "windows/main_window.h"

namespace {

constexpr int pause_between_moves_ms = 80;

// One button's repeat. The next pass is a timer started when a move has ended, rather than a
// loop inside the press handler that would run every other event nested inside it.
struct HeldButton {
  void (*move)();
  QPointer<QTimer> next_pass;
};

HeldButton& up_button() {
  static HeldButton button{move_article_up, {}};
  return button;
}

HeldButton& down_button() {
  static HeldButton button{move_article_down, {}};
  return button;
}

void run_pass(HeldButton& button);

QTimer& next_pass_timer(HeldButton& button) {
  if (button.next_pass.isNull()) {
    auto* timer = new QTimer(&main_window());
    timer->setSingleShot(true);
    timer->setInterval(pause_between_moves_ms);
    // Never earlier than the pause.
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, timer,
                     [pass = guarded([&button] { run_pass(button); })] { pass(); });
    button.next_pass = timer;
  }
  return *button.next_pass;
}

// A move, and the next one after the pause unless a release came meanwhile. A run-time error in
// the move ends the repeat.
void run_pass(HeldButton& button) {
  if (globals().move_repeat_active != 1)
    return;
  button.move();
  if (globals().move_repeat_active == 1)
    next_pass_timer(button).start();
}

void press(HeldButton& button) {
  globals().move_repeat_active = 1;
  run_pass(button);
}

void release() {
  globals().move_repeat_active = 0;
  for (HeldButton* button : {&up_button(), &down_button()}) {
    if (!button->next_pass.isNull())
      button->next_pass->stop();
  }
}

}  // namespace

void main_move_up_left_button_down() {
  press(up_button());
}

void main_move_up_left_button_up() {
  release();
}

void main_move_down_left_button_down() {
  press(down_button());
}

void main_move_down_left_button_up() {
  release();
}
