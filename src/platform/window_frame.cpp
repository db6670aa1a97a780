#include "platform/window_frame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/windows.h"

namespace {

const char* const placer_name = "window_frame_placer";

QSize frame_extents(const QWidget* window) {
  return outer_size(window) - window->size();
}

void apply(QWidget* window, QSize outer) {
  window->resize(outer - frame_extents(window));
  centre_on_screen(window);
}

// Places its window again as soon as the window system has reported the frame, then goes.
class FramePlacer : public QObject {
 public:
  FramePlacer(QWidget* window, QSize outer) : QObject(window), window_(window), outer_(outer) {
    setObjectName(QString::fromLatin1(placer_name));
    window->installEventFilter(this);
  }
  void set_outer(QSize outer) { outer_ = outer; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // The frame is known when the window shows or, under a window manager, once it has been
    // framed, which the window learns as a move.
    const bool shown_or_framed = event->type() == QEvent::Show || event->type() == QEvent::Move;
    if (watched == window_ && shown_or_framed && window_->isVisible() &&
        !frame_extents(window_).isNull()) {
      window_->removeEventFilter(this);
      apply(window_, outer_);
      deleteLater();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget* window_;
  QSize outer_;
};

}  // namespace

QSize outer_size(const QWidget* window) {
  return window->frameGeometry().size();
}

void place_centred(QWidget* window, QSize outer) {
  apply(window, outer);
  if (!frame_extents(window).isNull())
    return;
  auto* placer = dynamic_cast<FramePlacer*>(
      window->findChild<QObject*>(QString::fromLatin1(placer_name), Qt::FindDirectChildrenOnly));
  if (placer != nullptr)
    placer->set_outer(outer);
  else
    new FramePlacer(window, outer);
}

QSize available_screen_size() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableSize() : QSize();
}
