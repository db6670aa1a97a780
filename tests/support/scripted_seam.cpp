#include "support/scripted_seam.h"

#include <QPointer>
#include <QWidget>

#include "platform/ui_seam_in_use.h"

namespace {

// Callers make sure the queue is not empty.
template <class T>
T take_front(std::deque<T>& queue) {
  T front = std::move(queue.front());
  queue.pop_front();
  return front;
}

}  // namespace

void ScriptedSeam::answer_next(int answer) {
  answers_.push_back(answer);
}

void ScriptedSeam::watch_messages(std::function<void(const QString& text)> watcher) {
  message_watcher_ = std::move(watcher);
}

QStringList ScriptedSeam::message_texts() const {
  QStringList texts;
  for (const ShownMessage& message : messages_)
    texts << message.text;
  return texts;
}

void ScriptedSeam::choose_file_next(const QString& file_name) {
  files_.emplace_back(file_name);
}
void ScriptedSeam::cancel_file_next() {
  files_.emplace_back(std::nullopt);
}
void ScriptedSeam::choose_font_next(const FontChoice& choice) {
  fonts_.emplace_back(choice);
}
void ScriptedSeam::cancel_font_next() {
  fonts_.emplace_back(std::nullopt);
}
void ScriptedSeam::choose_colour_next(Colorref colour) {
  colours_.emplace_back(colour);
}
void ScriptedSeam::cancel_colour_next() {
  colours_.emplace_back(std::nullopt);
}
void ScriptedSeam::on_next_modal(ModalScript script) {
  next_modal_.push_back(std::move(script));
}

void ScriptedSeam::on_modal(const QString& object_name, ModalScript script) {
  named_modal_[object_name] = std::move(script);
}

void ScriptedSeam::clear_records() {
  messages_.clear();
  dialogs_.clear();
  colour_dialogs_.clear();
  modal_windows_.clear();
  unscripted_ = 0;
}

int ScriptedSeam::message_box(const QString& text, int buttons,
                              const std::optional<QString>& title) {
  if (message_watcher_)
    message_watcher_(text);
  ShownMessage shown{text, buttons, title, answer_ok, true};
  if (buttons == buttons_yes_no) {
    shown.scripted = !answers_.empty();
    shown.answer = shown.scripted ? take_front(answers_) : answer_no;
    if (!shown.scripted)
      ++unscripted_;
  }
  messages_.push_back(shown);
  return shown.answer;
}

bool ScriptedSeam::file_dialog(CommonDialog& dialog) {
  dialogs_.push_back(dialog);
  if (files_.empty()) {
    ++unscripted_;
    return false;
  }
  const std::optional<QString> choice = take_front(files_);
  if (!choice)
    return false;
  dialog.file_name = *choice;
  return true;
}

bool ScriptedSeam::font_dialog(CommonDialog& dialog) {
  dialogs_.push_back(dialog);
  if (fonts_.empty()) {
    ++unscripted_;
    return false;
  }
  const std::optional<FontChoice> choice = take_front(fonts_);
  if (!choice)
    return false;
  const FontChoice& font = *choice;
  dialog.font_name = font.name;
  dialog.font_size = font.size;
  dialog.font_bold = font.bold;
  dialog.font_italic = font.italic;
  dialog.font_underline = font.underline;
  dialog.font_strikeout = font.strikeout;
  return true;
}

std::optional<Colorref> ScriptedSeam::colour_dialog(QWidget* owner,
                                                    std::array<Colorref, 16>& custom_colours) {
  colour_dialogs_.push_back({owner, custom_colours});
  if (colours_.empty()) {
    ++unscripted_;
    return std::nullopt;
  }
  return take_front(colours_);
}

void ScriptedSeam::run_modal(QWidget* window) {
  const QString name = window->objectName();
  modal_windows_ << name;
  ModalScript script;
  if (!next_modal_.empty()) {
    script = take_front(next_modal_);
  } else {
    const auto named = named_modal_.find(name);
    if (named != named_modal_.end())
      script = named->second;
    else
      ++unscripted_;
  }
  // Closing clears the attribute and posts the deletion; the window goes before the caller goes on.
  const bool delete_on_close = window->testAttribute(Qt::WA_DeleteOnClose);
  QPointer<QWidget> guard(window);
  window->show();
  if (script)
    script(window);
  if (guard && guard->isVisible())
    guard->close();
  // A window that refuses to close would keep a real modal loop running; here it is hidden.
  if (guard && guard->isVisible())
    guard->hide();
  if (guard && delete_on_close && !guard->testAttribute(Qt::WA_DeleteOnClose))
    delete guard.data();
}

SeamInstaller::SeamInstaller(UiSeam& seam) : previous_(&ui_seam()) {
  set_ui_seam(&seam);
}
SeamInstaller::~SeamInstaller() {
  set_ui_seam(previous_);
}
