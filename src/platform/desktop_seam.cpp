#include "platform/desktop_seam.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>

#include <memory>

#include "platform/common_dialog.h"
#include "platform/font_dialog.h"
#include "platform/window_caption.h"

namespace {

// Ends a window's modal loop once the program hides it, which every way of closing it does. The
// window system's own hide events (minimising) leave the loop running, as QDialog's does.
class HideWatcher : public QObject {
 public:
  explicit HideWatcher(QEventLoop& loop) : loop_(loop) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Hide && !event->spontaneous())
      loop_.quit();
    return QObject::eventFilter(watched, event);
  }

 private:
  QEventLoop& loop_;
};

// A Yes/No box is answered by its buttons only, as the system's own: Esc or the close box would
// answer No, and No to the save question throws the unsaved text away.
class YesNoBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->matches(QKeySequence::Cancel))
      return;
    QMessageBox::keyPressEvent(event);
  }
  void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

}  // namespace

QStringList to_qt_name_filters(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString pattern = parts[i + 1].trimmed();
    pattern.replace(u';', u' ');
    // "*.*" means every file, also one without a dot.
    pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
    if (pattern.isEmpty())
      continue;
    filters << parts[i] + QStringLiteral(" (") + pattern + u')';
  }
  return filters;
}

QString to_default_suffix(const QString& default_ext) {
  QString suffix = default_ext.trimmed();
  if (suffix.startsWith(u'*'))
    suffix.remove(0, 1);
  if (suffix.startsWith(u'.'))
    suffix.remove(0, 1);
  if (suffix.contains(u'*') || suffix.contains(u'?'))
    return QString();
  return suffix;
}

int DesktopSeam::message_box(const QString& text, int buttons,
                             const std::optional<QString>& title) {
  const bool yes_no = buttons == buttons_yes_no;
  const QString shown_title = title.value_or(default_message_title());
  const QMessageBox::StandardButtons choices =
      yes_no ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
  QWidget* owner = QApplication::activeWindow();
  std::unique_ptr<QMessageBox> box =
      yes_no ? std::make_unique<YesNoBox>(QMessageBox::NoIcon, QString(), text, choices, owner)
             : std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString(), text, choices, owner);
  set_window_caption(box.get(), shown_title);
  // Messages quote titles and names the user typed: never read them as markup.
  box->setTextFormat(Qt::PlainText);
  if (yes_no)
    box->setDefaultButton(QMessageBox::Yes);
  const int pressed = box->exec();
  if (!yes_no)
    return answer_ok;
  return pressed == QMessageBox::Yes ? answer_yes : answer_no;
}

bool DesktopSeam::file_dialog(CommonDialog& dialog) {
  QFileDialog files(QApplication::activeWindow());
  const bool save = dialog.dialog_type == 1;
  files.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  files.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!dialog.title.isEmpty())
    files.setWindowTitle(dialog.title);
  const QStringList filters = to_qt_name_filters(dialog.filter);
  if (!filters.isEmpty())
    files.setNameFilters(filters);
  if (!dialog.initial_dir.isEmpty())
    files.setDirectory(dialog.initial_dir);
  if (!dialog.file_name.isEmpty())
    files.selectFile(dialog.file_name);
  files.setDefaultSuffix(to_default_suffix(dialog.default_ext));
  if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty())
    return false;
  dialog.file_name = files.selectedFiles().constFirst();
  return true;
}

bool DesktopSeam::font_dialog(CommonDialog& dialog) {
  // Qt's own font dialog has no colour; this one offers the colour with the font.
  FontDialog fonts(QApplication::activeWindow());
  fonts.read_from(dialog);
  if (fonts.exec() != QDialog::Accepted)
    return false;
  fonts.write_to(dialog);
  return true;
}

std::optional<Colorref> DesktopSeam::colour_dialog(QWidget* owner,
                                                   std::array<Colorref, 16>& custom_colours) {
  const int count = std::min<int>(QColorDialog::customCount(), int(custom_colours.size()));
  for (int i = 0; i < count; ++i)
    QColorDialog::setCustomColor(i, to_qcolor(custom_colours[i]));
  const QColor chosen = QColorDialog::getColor(Qt::black, owner);
  for (int i = 0; i < count; ++i)
    custom_colours[i] = to_colorref(QColorDialog::customColor(i));
  if (!chosen.isValid())
    return std::nullopt;
  return to_colorref(chosen);
}

void DesktopSeam::run_modal(QWidget* window) {
  if (auto* dialog = qobject_cast<QDialog*>(window)) {
    dialog->exec();
    return;
  }
  // Closing clears the attribute and posts the deletion; the window goes before the caller goes on.
  const bool delete_on_close = window->testAttribute(Qt::WA_DeleteOnClose);
  QPointer<QWidget> guard(window);
  window->setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  HideWatcher watcher(loop);
  window->installEventFilter(&watcher);
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  window->show();
  // A window that closed itself while being shown has nothing left to wait for.
  if (guard && guard->isVisible())
    loop.exec(QEventLoop::DialogExec);
  if (!guard)
    return;
  guard->removeEventFilter(&watcher);
  if (delete_on_close && !guard->testAttribute(Qt::WA_DeleteOnClose))
    delete guard.data();
}
