#include "platform/tray_icon.h"

TrayIcon::TrayIcon(QObject* owner) : QObject(owner), icon_(new QSystemTrayIcon(this)) {
  connect(icon_, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            emit on_tray_event(tray_action_code(reason));
          });
}

void TrayIcon::set_tray_icon(const QIcon& icon, const QString& tip) {
  icon_->setIcon(icon);
  icon_->setToolTip(tip);
  icon_->show();
}

void TrayIcon::remove_tray_icon() {
  icon_->hide();
}

int tray_action_code(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      return tray_click;
    case QSystemTrayIcon::DoubleClick:
      return tray_double_click;
    case QSystemTrayIcon::Context:
      return tray_context;
    default:
      return 0;
  }
}
