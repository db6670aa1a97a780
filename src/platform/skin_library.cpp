#include "platform/skin_library.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <optional>

#include "platform/failure_log.h"
#include "platform/files.h"
#include "platform/skin_palette.h"

namespace {

// A skin is a few dozen kilobytes; a larger file is something else picked by mistake.
constexpr qint64 largest_skin_bytes = 1024 * 1024;

qreal opacity_of(int alpha) {
  return std::clamp(alpha, 0, 255) / 255.0;
}

// Gives every menu the menu alpha when it shows, so menus made after the call have it too.
class MenuAlphaFilter : public QObject {
 public:
  qreal opacity = 1.0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      if (auto* menu = qobject_cast<QMenu*>(watched))
        menu->setWindowOpacity(opacity);
    }
    return QObject::eventFilter(watched, event);
  }
};

struct SkinState {
  // The palette before the first skin, which detaching brings back.
  std::optional<QPalette> platform_palette;
  QString sheet;
  QString effects_sheet;
  bool effects_on = false;
  QPointer<MenuAlphaFilter> menu_alpha;
};

SkinState& state() {
  static SkinState skin;
  return skin;
}

void show_current_skin() {
  const SkinState& skin = state();
  QString sheet = skin.sheet;
  if (skin.effects_on && !skin.effects_sheet.isEmpty())
    sheet += u'\n' + skin.effects_sheet;
  qApp->setStyleSheet(sheet);
}

}  // namespace

int attach_skin(const QString& file) {
  const BoundedRead read = read_bounded_file(file, largest_skin_bytes);
  if (!read.whole()) {
    log_failure(QStringLiteral("read the skin"), file, read.failure);
    return skin_unreadable;
  }
  QString text = QString::fromUtf8(read.bytes);
  if (text.startsWith(QChar::ByteOrderMark))
    text.remove(0, 1);
  if (!text.startsWith(QLatin1String(skin_file_marker))) {
    log_failure(QStringLiteral("use the skin"), file,
                QStringLiteral("not a skin of this program: its first line does not start with ") +
                    QLatin1String(skin_file_marker));
    return skin_not_ours;
  }

  SkinState& skin = state();
  if (!skin.platform_palette)
    skin.platform_palette = QApplication::palette();
  QApplication::setPalette(skin_palette(text, *skin.platform_palette));
  skin.sheet = text;
  skin.effects_sheet.clear();
  const qsizetype marker = text.indexOf(QLatin1String(skin_effects_marker));
  if (marker >= 0) {
    skin.sheet = text.left(marker);
    skin.effects_sheet = text.mid(marker);
  }
  show_current_skin();
  return skin_attached;
}

void detach_skin() {
  SkinState& skin = state();
  if (skin.platform_palette)
    QApplication::setPalette(*skin.platform_palette);
  skin.sheet.clear();
  skin.effects_sheet.clear();
  show_current_skin();
}

void set_skin_effects(int on) {
  SkinState& skin = state();
  const bool effects_on = on == 1;
  if (skin.effects_on == effects_on)
    return;
  skin.effects_on = effects_on;
  show_current_skin();
}

void set_window_alpha(QWidget* window, int alpha) {
  if (window != nullptr)
    window->setWindowOpacity(opacity_of(alpha));
}

void set_menu_alpha(int alpha) {
  SkinState& skin = state();
  if (skin.menu_alpha == nullptr) {
    skin.menu_alpha = new MenuAlphaFilter;
    skin.menu_alpha->setParent(qApp);
    qApp->installEventFilter(skin.menu_alpha);
  }
  skin.menu_alpha->opacity = opacity_of(alpha);
  for (QWidget* widget : QApplication::allWidgets())
    if (auto* menu = qobject_cast<QMenu*>(widget))
      menu->setWindowOpacity(skin.menu_alpha->opacity);
}
