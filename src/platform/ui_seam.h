#pragma once

#include <QString>

#include <array>
#include <optional>

#include "platform/colorref.h"

class CommonDialog;
class QWidget;

// Buttons and answers of message boxes.
inline constexpr int buttons_ok = 0;
inline constexpr int buttons_yes_no = 4;
inline constexpr int answer_ok = 0;
inline constexpr int answer_yes = 5;
inline constexpr int answer_no = 6;

// Message boxes, common dialogs, the colour dialog and modal windows all pass through one seam,
// so tests can answer them from a script and see every box that was shown.
class UiSeam {
 public:
  virtual ~UiSeam() = default;
  // title: nullopt leaves it to the platform's default.
  virtual int message_box(const QString& text, int buttons,
                          const std::optional<QString>& title) = 0;
  virtual bool file_dialog(CommonDialog& dialog) = 0;
  virtual bool font_dialog(CommonDialog& dialog) = 0;
  // The custom colours are the dialog's 16 slots for this call.
  virtual std::optional<Colorref> colour_dialog(QWidget* owner,
                                                std::array<Colorref, 16>& custom_colours) = 0;
  // Shows the window modally and returns once it has closed.
  virtual void run_modal(QWidget* window) = 0;
};

// The title the platform shows when a box's title is left out.
QString default_message_title();
