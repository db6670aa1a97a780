#pragma once

#include <QTextEdit>

#include <memory>
#include <optional>

#include "platform/colorref.h"

class QTextBlock;

// The editor's character format. Sizes in points; line height in points (0: single spacing).
// effects: 1 bold, 2 italic, 4 underline, 8 strike-out.
struct CharFormat {
  QString font_name = QStringLiteral("宋体");
  int size = 9;
  int line_height = 0;
  int effects = 0;
  Colorref colour = default_colour;
  // Set by richedit_get_sel_char_format. Such a record, applied, changes only the fields that
  // differ from what was read, so the rest of a mixed selection keeps its own; a fresh record
  // applies every field.
  bool read_from_selection = false;
};

// The paragraph format. Indents in points (0: none); alignment 1 left, 2 centre, 3 right;
// bullet 1: a bulleted paragraph.
struct ParagraphFormat {
  int bullet = 0;
  int first_line_indent = 0;
  int other_lines_indent = 0;
  int right_indent = 0;
  int alignment = 0;

  bool operator==(const ParagraphFormat&) const = default;
};

inline constexpr int effect_bold = 1;
inline constexpr int effect_italic = 2;
inline constexpr int effect_underline = 4;
inline constexpr int effect_strikeout = 8;

// The rich-text editor control. Its rich-text form (content) is RTF. Editor positions are
// QTextCursor positions: one per UTF-16 unit (a character beyond the BMP counts two), a paragraph
// break counting one.
class RichEditor : public QTextEdit {
  Q_OBJECT

 public:
  explicit RichEditor(QWidget* parent = nullptr);

  // The whole document as RTF; writing it replaces the document ("" empties it) and raises
  // on_content_changed without setting modified.
  QString content() const;
  void set_content(const QString& rtf);
  // The content as the bytes it was stored in, read as they are: RTF whatever bytes its binary
  // data and legacy text hold, or a plain text in UTF-8 or else GBK.
  void set_content_bytes(const QByteArray& stored);

  // Set by the user's edits only; the program writes only false.
  bool modified() const;
  void set_modified(bool modified);

  int selection_start() const;
  // Moves the caret (clamped to the text) and empties the selection. A position inside a
  // character outside the BMP moves to its start.
  void set_selection_start(int position);
  int selection_length() const;
  // Selects from selection_start; -1 selects the whole text. A character outside the BMP that the
  // selection would cut in half is taken whole.
  void set_selection_length(int length);

  bool word_wrap() const;
  void set_word_wrap(bool wrap);
  void set_background_colour(Colorref colour);

  // Bytes of the text's GBK form, a paragraph break counting 2 (CR LF).
  int richedit_text_length() const;
  // The visual line that holds the position, wrapped lines counted; the first line is 1.
  int richedit_line_from_char(int position) const;

  CharFormat richedit_get_sel_char_format() const;
  void richedit_set_sel_char_format(const CharFormat& format);
  void richedit_set_default_char_format(const CharFormat& format);
  ParagraphFormat richedit_get_para_format() const;
  // Indents are bounded so that the text keeps room within the editor's width.
  void richedit_set_para_format(const ParagraphFormat& format);

  void richedit_undo();
  void richedit_cut();
  void richedit_copy();
  void richedit_paste();
  void richedit_delete_selection();
  // The first hit at or after start, as an editor position; -1 when there is none.
  int richedit_find_text(int start, bool match_case, const QString& text) const;
  // Offers an open dialog for RTF and text files and loads the chosen one; the loaded document
  // counts as modified. Gives the loaded document's content, or "" when nothing was opened.
  QString richedit_open();

  void refresh_display();
  void redraw();
  void set_focus();

 signals:
  void on_content_changed();
  void on_left_button_down(int x, int y, int shift_state);
  void on_right_button_down(int x, int y, int shift_state);
  void on_double_click(int x, int y, int shift_state);

 protected:
  // Mouse events: x and y in the text area, shift state 1 Ctrl, 2 Shift, 4 Alt. The left button
  // is reported once the editor has put the caret where the click goes.
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  // Shown, the editor has laid out the document it was given while hidden.
  void showEvent(QShowEvent* event) override;
  // The clipboard and drag and drop carry our RTF beside the plain text and HTML, and RTF that
  // is offered is what a paste takes, so that pictures and formats arrive whole.
  QMimeData* createMimeDataFromSelection() const override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // Replaces the document through fill, which starts with one clear(), as one change with an
  // empty undo history; raises on_content_changed once.
  template <typename Fill>
  void load(Fill fill, bool modified);
  // Runs a format command. It counts as the user's edit (modified) only when it changed the
  // formats of a document that holds text: formatting the caret or the empty document does not.
  template <typename Change>
  void change_formats(Change change);
  void on_contents_change(int position, int removed, int added);
  // Gives the editor and its text area the page and default text colours; an invalid colour
  // stands for the platform's own.
  void show_colours();
  // A new document is laid out with the vertical scroll bar standing, a hidden editor's when it
  // is shown; then the bar follows the document's height again.
  void hold_scroll_bar();
  void release_scroll_bar();
  // Notes that the caret is in view at the present scroll position.
  void note_caret_in_view();
  void sync_line_counts(const QTextBlock& through) const;

  struct PendingClick {
    int x;
    int y;
    int shift_state;
  };
  // A left press in the selection, reported when the button comes up and the caret has moved.
  std::optional<PendingClick> pending_left_click_;
  QColor page_colour_;
  QColor text_colour_;
  bool loading_ = false;
  bool scroll_bar_held_ = false;
  bool shown_before_ = false;
  // The scroll position at which the program last brought the caret into view.
  std::optional<int> caret_view_scroll_;
  int changes_ = 0;
  // GBK bytes of every block's text, the breaks between blocks not counted.
  std::shared_ptr<qint64> gbk_bytes_ = std::make_shared<qint64>(0);
  // QTextBlock line counts (wrapped lines) are kept for the blocks before this position, for the
  // layout width and font they were counted with.
  mutable int line_counts_valid_to_ = 0;
  mutable qreal line_counts_width_ = -2;
  mutable QFont line_counts_font_;
};
