#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/common_dialog.h"
#include "platform/ui_seam.h"

// One message box as the program showed it.
struct ShownMessage {
  QString text;
  int buttons = buttons_ok;
  // nullopt: the title was left to the platform's default.
  std::optional<QString> title;
  int answer = answer_ok;
  // false when a Yes/No box found no scripted answer and was answered No.
  bool scripted = true;
};

// What the user picks in a font dialog; the colour is not part of Qt's font dialog.
struct FontChoice {
  QString name;
  int size = 0;
  int bold = 0;
  int italic = 0;
  int underline = 0;
  int strikeout = 0;
};

// One colour dialog as the program opened it.
struct ShownColourDialog {
  QWidget* owner = nullptr;
  std::array<Colorref, 16> custom_colours{};
};

// A seam answered from a script the test fills beforehand. It records every box, dialog and
// modal window in order and never blocks: anything left unscripted is cancelled (Yes/No boxes
// answer No, OK boxes OK) and counted in unscripted().
class ScriptedSeam : public UiSeam {
 public:
  using ModalScript = std::function<void(QWidget*)>;

  // The answer of the next Yes/No box. OK boxes can only answer OK and take nothing from here.
  void answer_next(int answer);
  const std::vector<ShownMessage>& messages() const { return messages_; }
  // Runs while each box is up, before it is answered, to see the program's state at that moment.
  void watch_messages(std::function<void(const QString& text)> watcher);
  QStringList message_texts() const;

  // The next file dialog confirms this file name, or is cancelled.
  void choose_file_next(const QString& file_name);
  void cancel_file_next();
  // The next font dialog confirms this choice, or is cancelled.
  void choose_font_next(const FontChoice& choice);
  void cancel_font_next();
  // The properties of every file and font dialog as they stood when it opened.
  const std::vector<CommonDialog>& dialogs() const { return dialogs_; }

  // The next colour dialog confirms this colour, or is cancelled.
  void choose_colour_next(Colorref colour);
  void cancel_colour_next();
  const std::vector<ShownColourDialog>& colour_dialogs() const { return colour_dialogs_; }

  // Modal windows: the window is shown, the script acts on it as the user would, then the window
  // is closed if the script left it open. A script for "the next modal window" is used once and
  // goes first; a script for an object name serves every window of that name.
  void on_next_modal(ModalScript script);
  void on_modal(const QString& object_name, ModalScript script);
  // The object names of the modal windows in the order they were run.
  const QStringList& modal_windows() const { return modal_windows_; }

  // Boxes, dialogs and modal windows that found no script.
  int unscripted() const { return unscripted_; }
  // Forgets every record; the scripts still waiting stay.
  void clear_records();

  int message_box(const QString& text, int buttons, const std::optional<QString>& title) override;
  bool file_dialog(CommonDialog& dialog) override;
  bool font_dialog(CommonDialog& dialog) override;
  std::optional<Colorref> colour_dialog(QWidget* owner,
                                        std::array<Colorref, 16>& custom_colours) override;
  void run_modal(QWidget* window) override;

 private:
  std::deque<int> answers_;
  std::deque<std::optional<QString>> files_;
  std::deque<std::optional<FontChoice>> fonts_;
  std::deque<std::optional<Colorref>> colours_;
  std::deque<ModalScript> next_modal_;
  std::map<QString, ModalScript> named_modal_;
  std::function<void(const QString&)> message_watcher_;

  std::vector<ShownMessage> messages_;
  std::vector<CommonDialog> dialogs_;
  std::vector<ShownColourDialog> colour_dialogs_;
  QStringList modal_windows_;
  int unscripted_ = 0;
};

// Installs a seam for the lifetime of this object and puts the one before it back afterwards.
class SeamInstaller {
 public:
  explicit SeamInstaller(UiSeam& seam);
  SeamInstaller(const SeamInstaller&) = delete;
  SeamInstaller& operator=(const SeamInstaller&) = delete;
  ~SeamInstaller();

 private:
  UiSeam* previous_;
};
