#pragma once

#include <QString>
#include <QStringList>

#include "platform/ui_seam.h"

// The seam of the running program: Qt's own message box and standard dialogs.
class DesktopSeam : public UiSeam {
 public:
  int message_box(const QString& text, int buttons, const std::optional<QString>& title) override;
  bool file_dialog(CommonDialog& dialog) override;
  bool font_dialog(CommonDialog& dialog) override;
  std::optional<Colorref> colour_dialog(QWidget* owner,
                                        std::array<Colorref, 16>& custom_colours) override;
  void run_modal(QWidget* window) override;
};

// A common dialog's filter "name|pattern|name|pattern" as Qt's name filters "name (pattern)";
// patterns separated by ";" are separated by blanks. A name without its pattern is dropped.
QStringList to_qt_name_filters(const QString& filter);

// A default extension such as "*.txt" or ".txt" as the suffix Qt appends ("txt"); "*.*" or an
// empty text give none.
QString to_default_suffix(const QString& default_ext);
