#include "platform/rich_editor.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFontMetricsF>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStringConverter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>

#include <algorithm>
#include <limits>
#include <vector>

#include "platform/common_dialog.h"
#include "platform/controls/shift_state.h"
#include "platform/conversions.h"
#include "platform/fonts.h"
#include "platform/rtf/rtf_fragment.h"
#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"
#include "platform/windows.h"

namespace {

// Sizes, line heights and indents beyond this many points (RichEdit's own limit) would make the
// layout hang or overflow, so they are clamped.
constexpr int max_points = 1638;

qreal points_to_px(int points) {
  return std::clamp(points, -max_points, max_points) * 4.0 / 3.0;
}
int px_to_points(qreal px) {
  return qRound(px * 3.0 / 4.0);
}

// The height of the paragraph's lines in points, 0 for single spacing. Proportional spacing
// (1.15 lines) gives the height its lines take in the font, so that it never reads as single.
int line_height_points(const QTextBlock& block, const QFont& font) {
  const QTextBlockFormat format = block.blockFormat();
  switch (format.lineHeightType()) {
    case QTextBlockFormat::MinimumHeight:
    case QTextBlockFormat::FixedHeight:
      return px_to_points(format.lineHeight());
    case QTextBlockFormat::ProportionalHeight:
      if (format.lineHeight() == 100)
        return 0;
      return std::max(
          1, px_to_points(QFontMetricsF(font).lineSpacing() * format.lineHeight() / 100.0));
    default:
      return 0;
  }
}

// A block's GBK byte count, kept in the block so that an edit recounts only the blocks it
// touched. The editor's total follows every count, also when Qt deletes a block with its data.
class GbkBytes : public QTextBlockUserData {
 public:
  explicit GbkBytes(std::shared_ptr<qint64> total) : total_(std::move(total)) {}
  ~GbkBytes() override { *total_ -= bytes_; }

  void set(qint64 bytes) {
    *total_ += bytes - bytes_;
    bytes_ = bytes;
  }

 private:
  std::shared_ptr<qint64> total_;
  qint64 bytes_ = 0;
};

// A paragraph's GBK bytes; a line break inside it reads as one in the plain text, CR LF.
qint64 paragraph_gbk_bytes(QStringView text) {
  qint64 bytes = 0;
  qsizetype start = 0;
  for (qsizetype at = 0; (at = text.indexOf(QChar::LineSeparator, start)) >= 0; start = at + 1)
    bytes += gbk_byte_count(text.sliced(start, at - start)) + 2;
  return bytes + gbk_byte_count(text.sliced(start));
}

QString decode_text_file(const QByteArray& bytes) {
  if (const auto encoding = QStringConverter::encodingForData(bytes)) {
    QStringDecoder decoder(*encoding);
    return decoder.decode(bytes);
  }
  QStringDecoder utf8(QStringConverter::Utf8);
  const QString text = utf8.decode(bytes);
  if (!utf8.hasError())
    return text;
  QStringDecoder gbk("GB18030");
  return gbk.decode(bytes);
}

bool looks_like_rtf(QByteArrayView bytes) {
  return bytes.trimmed().startsWith("{\\rtf");
}

// The types under which programs offer RTF on the clipboard, the one most take first.
const QStringList& rtf_mime_types() {
  static const QStringList types = {QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
                                    QStringLiteral("text/richtext")};
  return types;
}

// The RTF the clipboard offers, empty when it offers none.
QByteArray offered_rtf(const QMimeData& source) {
  for (const QString& type : rtf_mime_types()) {
    if (!source.hasFormat(type))
      continue;
    if (QByteArray rtf = source.data(type); looks_like_rtf(rtf))
      return rtf;
  }
  return {};
}

// The selection as the clipboard gives it out: our RTF under every RTF type, the plain text and
// Qt's HTML, each made when a program asks for it. The copy holds the selection's pictures, so
// that a paste finds them after the editor has loaded another article.
class SelectionMimeData : public QMimeData {
 public:
  explicit SelectionMimeData(const QTextCursor& selection) : copy_(selection) {}

  QStringList formats() const override {
    return rtf_mime_types() +
           QStringList{QStringLiteral("text/html"), QStringLiteral("text/plain")};
  }

 protected:
  QVariant retrieveData(const QString& type, QMetaType /*preferred*/) const override {
    if (rtf_mime_types().contains(type)) {
      if (rtf_.isEmpty())
        rtf_ = write_rtf(copy_.document());
      return rtf_;
    }
    if (type == QLatin1String("text/html"))
      return copy_.document().toHtml();
    if (type == QLatin1String("text/plain"))
      return copy_.document().toPlainText();
    return {};
  }

 private:
  mutable rtf::SelectionCopy copy_;
  mutable QByteArray rtf_;
};

// The blocks that hold [start, end] (at least the block at start).
template <typename Visit>
void for_each_block(const QTextDocument& document, int start, int end, Visit visit) {
  for (QTextBlock block = document.findBlock(start); block.isValid(); block = block.next()) {
    visit(block);
    if (block.position() + block.length() > end)
      break;
  }
}

// Merging formats cannot remove a property: takes the foreground off each run in [start, end)
// that has one, so that the text shows the default colour.
void clear_foreground(QTextDocument& document, int start, int end) {
  struct Run {
    int start;
    int end;
    QTextCharFormat format;
  };
  std::vector<Run> coloured;
  for_each_block(document, start, end, [&](const QTextBlock& block) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const int from = std::max(start, fragment.position());
      const int to = std::min(end, fragment.position() + fragment.length());
      if (from < to && fragment.charFormat().hasProperty(QTextFormat::ForegroundBrush)) {
        coloured.push_back({from, to, fragment.charFormat()});
      }
    }
  });
  for (Run& run : coloured) {
    QTextCursor part(&document);
    part.setPosition(run.start);
    part.setPosition(run.end, QTextCursor::KeepAnchor);
    run.format.clearForeground();
    part.setCharFormat(run.format);
  }
}

// A position between the two halves of a character outside the BMP, moved to the character's
// start or end, so that no selection or edit of the program's leaves half a character.
int whole_character_position(const QTextDocument& document, int position, bool forward) {
  const bool inside = position > 0 && document.characterAt(position).isLowSurrogate() &&
                      document.characterAt(position - 1).isHighSurrogate();
  if (!inside)
    return position;
  return forward ? position + 1 : position - 1;
}

}  // namespace

RichEditor::RichEditor(QWidget* parent) : QTextEdit(parent) {
  install_font_substitutions();
  setFont(QFont(QStringLiteral("宋体"), 9));
  // The program pops up its own menu on the right button.
  setContextMenuPolicy(Qt::PreventContextMenu);
  QTextDocument* doc = document();
  connect(doc, &QTextDocument::contentsChange, this, &RichEditor::on_contents_change);
  connect(this, &QTextEdit::textChanged, this, [this] {
    if (!loading_)
      emit on_content_changed();
  });
  on_contents_change(0, 0, doc->characterCount());
}

void RichEditor::on_contents_change(int position, int /*removed*/, int added) {
  ++changes_;
  line_counts_valid_to_ = std::min(line_counts_valid_to_, position);
  const QTextDocument& doc = *document();
  // A change of most of the document, as a load is, is counted from one copy of the document's
  // text rather than a copy of each paragraph's.
  const bool most = qint64{added} * 2 >= doc.characterCount();
  const QString whole = most ? doc.toRawText() : QString();
  const int end = position + added;
  QTextBlock block = doc.findBlock(position);
  for (int at = block.position(); block.isValid(); block = block.next()) {
    const int length = block.length();
    const QString own = most ? QString() : block.text();
    auto* counted = static_cast<GbkBytes*>(block.userData());
    if (!counted) {
      counted = new GbkBytes(gbk_bytes_);
      block.setUserData(counted);
    }
    counted->set(paragraph_gbk_bytes(most ? QStringView(whole).sliced(at, length - 1) : own));
    at += length;
    if (at > end)
      break;
  }
}

template <typename Fill>
void RichEditor::load(Fill fill, bool modified) {
  QTextDocument* doc = document();
  loading_ = true;
  doc->setUndoRedoEnabled(false);
  // Without a caret in the document while it fills: a caret carried along would need the whole
  // document laid out at once to repaint it afterwards.
  setTextCursor(QTextCursor());
  hold_scroll_bar();
  {
    // One change that starts from one clear() lets the layout work lazily; fill clears once.
    QTextCursor batch(doc);
    batch.beginEditBlock();
    fill(*doc);
    batch.endEditBlock();
  }
  setTextCursor(QTextCursor(doc));
  if (isVisible())
    release_scroll_bar();
  doc->setUndoRedoEnabled(true);
  doc->setModified(modified);
  loading_ = false;
  emit on_content_changed();
}

template <typename Change>
void RichEditor::change_formats(Change change) {
  QTextDocument* doc = document();
  const bool was_modified = doc->isModified();
  const int changes_before = changes_;
  change();
  if (doc->isEmpty() || changes_ == changes_before)
    doc->setModified(was_modified);
}

QString RichEditor::content() const {
  return QString::fromLatin1(write_rtf(*document()));
}

void RichEditor::set_content(const QString& rtf) {
  set_content_bytes(rtf.toUtf8());
}

void RichEditor::set_content_bytes(const QByteArray& stored) {
  load(
      [&stored](QTextDocument& doc) {
        if (stored.isEmpty()) {
          doc.clear();
          return;
        }
        read_rtf(stored, doc);
      },
      false);
}

bool RichEditor::modified() const {
  return document()->isModified();
}

void RichEditor::set_modified(bool modified) {
  document()->setModified(modified);
}

int RichEditor::selection_start() const {
  return textCursor().selectionStart();
}

void RichEditor::set_selection_start(int position) {
  QTextCursor cursor = textCursor();
  const int clamped = std::clamp(position, 0, document()->characterCount() - 1);
  cursor.setPosition(whole_character_position(*document(), clamped, false));
  setTextCursor(cursor);
  if (isVisible())
    note_caret_in_view();
}

int RichEditor::selection_length() const {
  const QTextCursor cursor = textCursor();
  return cursor.selectionEnd() - cursor.selectionStart();
}

void RichEditor::set_selection_length(int length) {
  if (length == -1) {
    selectAll();
    return;
  }
  QTextCursor cursor = textCursor();
  const int start = cursor.selectionStart();
  const qint64 end =
      std::clamp<qint64>(qint64{start} + length, 0, document()->characterCount() - 1);
  // Both ends move outward, so the selection takes every character it touches whole.
  const bool forward = length >= 0;
  cursor.setPosition(whole_character_position(*document(), start, !forward));
  cursor.setPosition(whole_character_position(*document(), static_cast<int>(end), forward),
                     QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

bool RichEditor::word_wrap() const {
  return lineWrapMode() != QTextEdit::NoWrap;
}

void RichEditor::set_word_wrap(bool wrap) {
  setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void RichEditor::set_background_colour(Colorref colour) {
  page_colour_ = colour == default_colour ? QColor() : to_qcolor(colour);
  show_colours();
}

void RichEditor::show_colours() {
  QPalette colours = palette();
  colours.setColor(QPalette::Base,
                   page_colour_.isValid() ? page_colour_ : QPalette().color(QPalette::Base));
  colours.setColor(QPalette::Text,
                   text_colour_.isValid() ? text_colour_ : QPalette().color(QPalette::Text));
  setPalette(colours);
  viewport()->setPalette(colours);
}

void RichEditor::hold_scroll_bar() {
  // Laid out without the scroll bar, a long document would be laid out once more when the bar
  // appears and narrows the text, which costs seconds for a long paragraph.
  if (verticalScrollBarPolicy() != Qt::ScrollBarAsNeeded)
    return;
  scroll_bar_held_ = true;
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void RichEditor::release_scroll_bar() {
  // The layout is done: the bar goes if the text fits without it.
  if (!scroll_bar_held_)
    return;
  scroll_bar_held_ = false;
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void RichEditor::showEvent(QShowEvent* event) {
  // The first showing scrolls the caret into view.
  const bool first = !shown_before_;
  shown_before_ = true;
  QTextEdit::showEvent(event);
  release_scroll_bar();
  if (first)
    note_caret_in_view();
}

void RichEditor::note_caret_in_view() {
  caret_view_scroll_ = verticalScrollBar()->value();
}

bool RichEditor::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Resize) {
    // A window framed after it showed resizes the text area: a caret the program had put in view
    // stays in view until the user scrolls elsewhere.
    const bool caret_in_view = caret_view_scroll_ == verticalScrollBar()->value();
    const bool handled = QTextEdit::viewportEvent(event);
    if (caret_in_view) {
      ensureCursorVisible();
      note_caret_in_view();
    }
    return handled;
  }
  // A style sheet polishes the text area with colours of its own; the page and text colours
  // given to the editor stay.
  const bool restyled = event->type() == QEvent::Polish || event->type() == QEvent::StyleChange;
  if (restyled && (page_colour_.isValid() || text_colour_.isValid()))
    show_colours();
  return QTextEdit::viewportEvent(event);
}

int RichEditor::richedit_text_length() const {
  const qint64 bytes = *gbk_bytes_ + 2 * qint64{document()->blockCount() - 1};
  return static_cast<int>(std::min<qint64>(bytes, std::numeric_limits<int>::max()));
}

void RichEditor::sync_line_counts(const QTextBlock& through) const {
  const QTextDocument* doc = document();
  if (doc->textWidth() != line_counts_width_ || doc->defaultFont() != line_counts_font_) {
    line_counts_width_ = doc->textWidth();
    line_counts_font_ = doc->defaultFont();
    line_counts_valid_to_ = 0;
  }
  if (through.position() < line_counts_valid_to_)
    return;
  for (QTextBlock block = doc->findBlock(line_counts_valid_to_);
       block.isValid() && block.position() <= through.position(); block = block.next()) {
    const int lines = std::max(1, block.layout()->lineCount());
    if (block.lineCount() != lines)
      block.setLineCount(lines);
  }
  line_counts_valid_to_ = through.position() + through.length();
}

int RichEditor::richedit_line_from_char(int position) const {
  const QTextDocument* doc = document();
  position = std::clamp(position, 0, doc->characterCount() - 1);
  const QTextBlock block = doc->findBlock(position);
  // Lays the document out up to this block, which the lazy layout may not have reached.
  doc->documentLayout()->blockBoundingRect(block);
  sync_line_counts(block);
  const QTextLine line = block.layout()->lineForTextPosition(position - block.position());
  return block.firstLineNumber() + (line.isValid() ? line.lineNumber() : 0) + 1;
}

CharFormat RichEditor::richedit_get_sel_char_format() const {
  const QTextCursor cursor = textCursor();
  QTextCharFormat format;
  if (cursor.hasSelection()) {
    QTextCursor first(document());
    first.setPosition(cursor.selectionStart() + 1);
    format = first.charFormat();
  } else {
    format = cursor.charFormat();
  }
  const QFont default_font = document()->defaultFont();
  CharFormat result;
  const QStringList families = format.fontFamilies().toStringList();
  result.font_name = families.isEmpty() ? default_font.family() : families.first();
  result.size = format.hasProperty(QTextFormat::FontPointSize) ? qRound(format.fontPointSize())
                                                               : default_font.pointSize();
  result.effects = (format.fontWeight() >= QFont::DemiBold ? effect_bold : 0) |
                   (format.fontItalic() ? effect_italic : 0) |
                   (format.fontUnderline() ? effect_underline : 0) |
                   (format.fontStrikeOut() ? effect_strikeout : 0);
  const QBrush foreground = format.foreground();
  result.colour =
      format.hasProperty(QTextFormat::ForegroundBrush) && foreground.style() != Qt::NoBrush
          ? to_colorref(foreground.color())
          : default_colour;
  result.line_height = line_height_points(document()->findBlock(cursor.selectionStart()),
                                          format.font().resolve(default_font));
  result.read_from_selection = true;
  return result;
}

// In a record read from the selection, a field that still equals what richedit_get_sel_char_format
// reads is left as each character has it: the record goes back as it was read with one field
// changed, and only that field may change (a 10.5 point size reads as 11 and must stay 10.5; 1.15
// line spacing must stay). The other fields, and every field of a fresh record, apply to the
// whole selection.
void RichEditor::richedit_set_sel_char_format(const CharFormat& format) {
  const CharFormat current = richedit_get_sel_char_format();
  const bool every_field = !format.read_from_selection;
  QTextCharFormat change;
  // An empty name (no font chosen) keeps the font the text has.
  if (!format.font_name.isEmpty() && (every_field || format.font_name != current.font_name))
    change.setFontFamilies(QStringList{format.font_name});
  if (every_field || format.size != current.size)
    change.setFontPointSize(std::clamp(format.size, 1, max_points));
  const int effects_changed =
      every_field ? (effect_bold | effect_italic | effect_underline | effect_strikeout)
                  : format.effects ^ current.effects;
  if (effects_changed & effect_bold)
    change.setFontWeight(format.effects & effect_bold ? QFont::Bold : QFont::Normal);
  if (effects_changed & effect_italic)
    change.setFontItalic(format.effects & effect_italic);
  if (effects_changed & effect_underline)
    change.setFontUnderline(format.effects & effect_underline);
  if (effects_changed & effect_strikeout)
    change.setFontStrikeOut(format.effects & effect_strikeout);
  const bool colour_changed = every_field || format.colour != current.colour;
  const bool default_colour_given = colour_changed && format.colour == default_colour;
  if (colour_changed && !default_colour_given)
    change.setForeground(to_qcolor(format.colour));

  QTextBlockFormat spacing;
  if (format.line_height > 0) {
    spacing.setLineHeight(points_to_px(format.line_height), QTextBlockFormat::MinimumHeight);
  } else {
    spacing.setLineHeight(0, QTextBlockFormat::SingleHeight);
  }
  // Only paragraphs whose spacing really changes are touched, so the editor stays unmodified
  // when none does.
  bool spacing_changed = false;
  if (!every_field) {
    spacing_changed = format.line_height != current.line_height;
  } else {
    const QTextCursor selection = textCursor();
    for_each_block(*document(), selection.selectionStart(), selection.selectionEnd(),
                   [&](const QTextBlock& block) {
                     const QTextBlockFormat now = block.blockFormat();
                     spacing_changed = spacing_changed ||
                                       now.lineHeightType() != spacing.lineHeightType() ||
                                       now.lineHeight() != spacing.lineHeight();
                   });
  }

  change_formats([&] {
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    if (spacing_changed)
      cursor.mergeBlockFormat(spacing);
    if (cursor.hasSelection()) {
      if (!change.properties().isEmpty())
        cursor.mergeCharFormat(change);
      if (default_colour_given)
        clear_foreground(*document(), cursor.selectionStart(), cursor.selectionEnd());
    } else {
      QTextCharFormat typing = cursor.charFormat();
      typing.merge(change);
      if (default_colour_given)
        typing.clearForeground();
      setCurrentCharFormat(typing);
    }
    cursor.endEditBlock();
  });
}

void RichEditor::richedit_set_default_char_format(const CharFormat& format) {
  QFont font = document()->defaultFont();
  if (!format.font_name.isEmpty())
    font.setFamilies(QStringList{format.font_name});
  font.setPointSize(std::clamp(format.size, 1, max_points));
  font.setBold(format.effects & effect_bold);
  font.setItalic(format.effects & effect_italic);
  font.setUnderline(format.effects & effect_underline);
  font.setStrikeOut(format.effects & effect_strikeout);
  // The widget's font is the document's default font; setting both keeps them from parting.
  setFont(font);
  document()->setDefaultFont(font);
  text_colour_ = format.colour == default_colour ? QColor() : to_qcolor(format.colour);
  show_colours();
  if (document()->isEmpty()) {
    // What is typed into the empty text carries the format, so that it is stored with the text.
    QTextCharFormat typing;
    typing.setFont(font);
    if (format.colour != default_colour)
      typing.setForeground(to_qcolor(format.colour));
    setCurrentCharFormat(typing);
  }
}

ParagraphFormat RichEditor::richedit_get_para_format() const {
  const QTextBlock block = document()->findBlock(textCursor().selectionStart());
  const QTextBlockFormat format = block.blockFormat();
  ParagraphFormat result;
  result.bullet = block.textList() ? 1 : 0;
  result.first_line_indent = px_to_points(format.textIndent());
  result.other_lines_indent = px_to_points(format.leftMargin());
  result.right_indent = px_to_points(format.rightMargin());
  const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
  result.alignment = alignment & Qt::AlignHCenter ? 2 : alignment & Qt::AlignRight ? 3 : 1;
  return result;
}

void RichEditor::richedit_set_para_format(const ParagraphFormat& format) {
  QTextBlockFormat change;
  static constexpr Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  // Any other number names no alignment and keeps the one the paragraphs have.
  if (format.alignment >= 1 && format.alignment <= 3) {
    change.setAlignment(alignments[format.alignment - 1] | Qt::AlignAbsolute);
  }
  // Indents wider than the text area would push the text out of sight, where no scroll bar
  // reaches: together they leave a quarter of its width, and the first line starts inside it.
  // The editor's own width holds before it is first shown, when its text area is not laid out.
  const qreal text_width = width() - 2 * frameWidth() - 2 * document()->documentMargin();
  const qreal room = 0.75 * std::max<qreal>(0, text_width);
  const qreal left = std::clamp<qreal>(points_to_px(format.other_lines_indent), 0, room);
  const qreal right = std::clamp<qreal>(points_to_px(format.right_indent), 0, room - left);
  change.setLeftMargin(left);
  change.setRightMargin(right);
  change.setTextIndent(
      std::clamp<qreal>(points_to_px(format.first_line_indent), -left, room - left - right));

  change_formats([&] {
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.mergeBlockFormat(change);
    std::vector<QTextBlock> blocks;
    for_each_block(*document(), cursor.selectionStart(), cursor.selectionEnd(),
                   [&](const QTextBlock& block) { blocks.push_back(block); });
    if (format.bullet == 1) {
      if (std::any_of(blocks.begin(), blocks.end(),
                      [](const QTextBlock& b) { return !b.textList(); })) {
        cursor.createList(QTextListFormat::ListDisc);
      }
    } else {
      for (const QTextBlock& block : blocks) {
        QTextList* list = block.textList();
        if (!list)
          continue;
        // Leaving the list would add the list's indent to the paragraph's own.
        const int indent = block.blockFormat().indent();
        list->remove(block);
        QTextCursor paragraph(block);
        QTextBlockFormat unindented = paragraph.blockFormat();
        unindented.setIndent(indent);
        paragraph.setBlockFormat(unindented);
      }
    }
    cursor.endEditBlock();
  });
}

void RichEditor::richedit_undo() {
  undo();
}
void RichEditor::richedit_cut() {
  cut();
}
void RichEditor::richedit_copy() {
  copy();
}
void RichEditor::richedit_paste() {
  paste();
}

void RichEditor::richedit_delete_selection() {
  QTextCursor cursor = textCursor();
  cursor.removeSelectedText();
  setTextCursor(cursor);
}

int RichEditor::richedit_find_text(int start, bool match_case, const QString& text) const {
  const QTextDocument* doc = document();
  if (text.isEmpty() || start >= doc->characterCount() - 1)
    return -1;
  const QTextCursor hit =
      doc->find(text, std::max(start, 0),
                match_case ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags());
  return hit.isNull() ? -1 : hit.selectionStart();
}

QString RichEditor::richedit_open() {
  CommonDialog dialog(CommonDialog::Kind::file);
  dialog.dialog_type = 0;
  dialog.filter = QStringLiteral("丰富文本(*.RTF)|*.RTF|文本文件(*.TXT)|*.TXT|所有文件|*.*");
  if (run_common_dialog(dialog) != 1)
    return {};
  QFile file(dialog.file_name);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  const QByteArray bytes = file.readAll();
  // The user's document replaced the text: it is the user's edit.
  load(
      [&bytes](QTextDocument& doc) {
        if (looks_like_rtf(bytes)) {
          read_rtf(bytes, doc);
        } else {
          doc.setPlainText(decode_text_file(bytes));
        }
      },
      true);
  return content();
}

void RichEditor::refresh_display() {
  viewport()->update();
}

void RichEditor::redraw() {
  viewport()->repaint();
}

void RichEditor::set_focus() {
  setFocus();
}

void RichEditor::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const int shift = shift_state(event->modifiers());
  pending_left_click_.reset();
  if (event->button() == Qt::RightButton)
    emit on_right_button_down(at.x(), at.y(), shift);
  const QTextCursor before = textCursor();
  QTextEdit::mousePressEvent(event);
  if (event->button() != Qt::LeftButton)
    return;
  // Reported once the click has placed the caret. A press in the selection may start a drag, so
  // the editor moves the caret only when the button comes up.
  const QTextCursor after = textCursor();
  const bool caret_waits = after.hasSelection() && after.position() == before.position() &&
                           after.anchor() == before.anchor();
  if (caret_waits) {
    pending_left_click_ = PendingClick{at.x(), at.y(), shift};
    return;
  }
  emit on_left_button_down(at.x(), at.y(), shift);
}

void RichEditor::mouseReleaseEvent(QMouseEvent* event) {
  QTextEdit::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !pending_left_click_)
    return;
  const PendingClick click = *pending_left_click_;
  pending_left_click_.reset();
  emit on_left_button_down(click.x, click.y, click.shift_state);
}

QMimeData* RichEditor::createMimeDataFromSelection() const {
  return new SelectionMimeData(textCursor());
}

bool RichEditor::canInsertFromMimeData(const QMimeData* source) const {
  const auto offered = [source](const QString& type) { return source->hasFormat(type); };
  return std::any_of(rtf_mime_types().begin(), rtf_mime_types().end(), offered) ||
         QTextEdit::canInsertFromMimeData(source);
}

void RichEditor::insertFromMimeData(const QMimeData* source) {
  const QByteArray rtf = offered_rtf(*source);
  if (rtf.isEmpty()) {
    QTextEdit::insertFromMimeData(source);
    return;
  }
  QTextDocument pasted;
  read_rtf(rtf, pasted);
  QTextCursor cursor = textCursor();
  rtf::insert_document(pasted, cursor);
  setTextCursor(cursor);
  ensureCursorVisible();
}

void RichEditor::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit on_double_click(at.x(), at.y(), shift_state(event->modifiers()));
  QTextEdit::mouseDoubleClickEvent(event);
}
