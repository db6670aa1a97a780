#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

// The icon in the desktop's notification area that a window owns; it goes with its owner.
// Actions on it arrive as on_tray_event with the codes below. Where the desktop has no
// notification area the icon is simply not seen.
class TrayIcon : public QObject {
  Q_OBJECT

 public:
  explicit TrayIcon(QObject* owner);

  // Shows the icon with its tip text.
  void set_tray_icon(const QIcon& icon, const QString& tip);
  // Removes it.
  void remove_tray_icon();
  bool is_set() const { return icon_->isVisible(); }
  QString tip() const { return icon_->toolTip(); }

 signals:
  void on_tray_event(int code);

 private:
  QSystemTrayIcon* icon_;
};

inline constexpr int tray_click = 1;
inline constexpr int tray_double_click = 2;
inline constexpr int tray_context = 3;

// The code an activation is reported with; 0 for one the program gives no code.
int tray_action_code(QSystemTrayIcon::ActivationReason reason);
