#include "platform/rtf/rtf_document_builder.h"

#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>

#include "platform/rtf/rtf_kept_formats.h"

namespace rtf {

namespace {

// Cells of a row beyond this go into its last cell, so that a hostile row cannot make every row
// of its table that wide.
constexpr std::size_t max_columns = 64;
// Plain paragraphs in a row go into the document in pieces of about this many characters.
constexpr qsizetype plain_piece_chars = 32 * 1024;

bool is_dropped(char16_t c) {
  return (c < 0x20 && c != u'\t') || c == 0x7F || c == 0x2029;
}

bool is_blank(QStringView text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' ' || c == u'\t'; });
}

// Appends the text without the characters a document does not hold.
void append_kept_characters(QString& target, QStringView text) {
  qsizetype clean = 0;
  while (clean < text.size() && !is_dropped(text[clean].unicode()))
    ++clean;
  target.append(text.first(clean));
  for (qsizetype i = clean; i < text.size(); ++i) {
    if (!is_dropped(text[i].unicode()))
      target.append(text[i]);
  }
}

QTextCharFormat kept_object_format() {
  QTextCharFormat format;
  format.setObjectType(kept_object_type);
  return format;
}

}  // namespace

DocumentBuilder::DocumentBuilder(QTextDocument& document)
    : document_(document), undo_was_enabled_(document.isUndoRedoEnabled()) {
  document_.setUndoRedoEnabled(false);
  document_.clear();
  cursor_ = QTextCursor(&document_);
  cursor_.beginEditBlock();
}

DocumentBuilder::~DocumentBuilder() {
  flush_plain();
  cursor_.endEditBlock();
  document_.setUndoRedoEnabled(undo_was_enabled_);
}

void DocumentBuilder::add_text(QStringView text, const QTextCharFormat* format) {
  if (runs_.empty() || runs_.back().format != format || runs_.back().image >= 0 ||
      runs_.back().object >= 0) {
    runs_.push_back({QString(), format});
  }
  append_kept_characters(runs_.back().text, text);
  if (runs_.back().text.isEmpty())
    runs_.pop_back();
}

void DocumentBuilder::add_kept(const QByteArray& rtf, int unicode_skip) {
  QTextCharFormat format = kept_object_format();
  format.setProperty(kept_rtf_property, rtf);
  format.setProperty(kept_unicode_skip_property, unicode_skip);
  objects_.push_back(format);
  runs_.push_back({QString(), nullptr, -1, static_cast<int>(objects_.size()) - 1});
}

void DocumentBuilder::add_hidden(QStringView text) {
  const bool continues =
      !runs_.empty() && runs_.back().object >= 0 &&
      !objects_[static_cast<std::size_t>(runs_.back().object)].hasProperty(kept_rtf_property);
  if (!continues) {
    objects_.push_back(kept_object_format());
    runs_.push_back({QString(), nullptr, -1, static_cast<int>(objects_.size()) - 1});
  }
  append_kept_characters(runs_.back().text, text);
  if (runs_.back().text.isEmpty()) {
    runs_.pop_back();
    objects_.pop_back();
  }
}

void DocumentBuilder::add_image(const QVariant& shown, const KeptPicture& kept, QSizeF size) {
  const QString name = QStringLiteral("rtfimg:%1").arg(++image_count_);
  document_.addResource(QTextDocument::ImageResource, QUrl(name), shown);
  keep_picture(document_, QUrl(name), kept);
  QTextImageFormat format;
  format.setName(name);
  format.setWidth(size.width());
  format.setHeight(size.height());
  images_.push_back(format);
  runs_.push_back({QString(), nullptr, static_cast<int>(images_.size()) - 1});
}

DocumentBuilder::Mark DocumentBuilder::mark() const {
  return {paragraph_count_, runs_.size(), runs_.empty() ? 0 : runs_.back().text.size()};
}

bool DocumentBuilder::only_picture_since(const Mark& mark) const {
  if (mark.paragraph != paragraph_count_ || mark.runs > runs_.size())
    return false;
  if (mark.runs > 0) {
    const QString& text = runs_[mark.runs - 1].text;
    if (text.size() < mark.text || !is_blank(QStringView(text).sliced(mark.text)))
      return false;
  }
  const auto added = runs_.begin() + static_cast<std::ptrdiff_t>(mark.runs);
  return std::count_if(added, runs_.end(), [](const Run& run) { return run.image >= 0; }) == 1 &&
         std::all_of(added, runs_.end(),
                     [](const Run& run) { return run.image >= 0 || is_blank(run.text); });
}

void DocumentBuilder::keep_group(const Mark& mark, const QByteArray& group, int unicode_skip) {
  if (mark.runs > 0)
    runs_[mark.runs - 1].text.truncate(mark.text);
  const auto added = runs_.begin() + static_cast<std::ptrdiff_t>(mark.runs);
  const Run picture =
      *std::find_if(added, runs_.end(), [](const Run& run) { return run.image >= 0; });
  runs_.erase(added, runs_.end());
  runs_.push_back(picture);
  const QUrl name(images_[static_cast<std::size_t>(picture.image)].name());
  if (auto kept = kept_picture(document_, name)) {
    kept->group = group;
    kept->unicode_skip = unicode_skip;
    keep_picture(document_, name, *kept);
  }
}

bool DocumentBuilder::keep_invisible_group(const Mark& mark, const QByteArray& group,
                                           int unicode_skip) {
  // Blanks show: as the group reads again, they would stay text.
  if (mark.paragraph != paragraph_count_ || mark.runs != runs_.size() ||
      (mark.runs > 0 && runs_.back().text.size() != mark.text)) {
    return false;
  }
  add_kept(group, unicode_skip);
  return true;
}

const QTextCharFormat* DocumentBuilder::first_format() const {
  for (const Run& run : runs_) {
    if (run.image < 0 && run.object < 0)
      return run.format;
  }
  return nullptr;
}

QTextList* DocumentBuilder::list_to_continue(const ListItem& item) const {
  const auto found = by_override_.find(item.override_number * 4 + static_cast<int>(item.kind));
  QTextList* const same_override =
      item.override_number > 0 && found != by_override_.end() ? found->second : nullptr;
  QTextList* const previous = previous_kind_ == item.kind ? previous_list_ : nullptr;
  if (item.kind == ListKind::decimal && item.label_number > 0) {
    // The numbers the writer showed decide: a label of 1 starts again, whatever came before.
    for (QTextList* list : {same_override, previous, last_numbered_}) {
      if (list != nullptr && list->count() + 1 == item.label_number)
        return list;
    }
    return nullptr;
  }
  return item.override_number > 0 ? same_override : previous;
}

void DocumentBuilder::start_block(QTextCursor& cursor, bool& unused, const QTextBlockFormat& block,
                                  const QTextCharFormat& mark) {
  if (unused) {
    cursor.setBlockFormat(block);
    cursor.setBlockCharFormat(mark);
    unused = false;
  } else {
    cursor.insertBlock(block, mark);
  }
}

void DocumentBuilder::flush_plain() {
  if (plain_format_ == nullptr)
    return;
  // The separators make blocks of the current block's format and the text's format as marks.
  start_block(cursor_, first_block_, plain_block_, plain_mark_);
  cursor_.insertText(plain_text_, plain_mark_);
  plain_text_.clear();
  plain_format_ = nullptr;
}

void DocumentBuilder::end_paragraph(const QTextBlockFormat& block, const ListItem& list,
                                    const QTextCharFormat& mark) {
  if (!tables_.empty())
    close_tables();
  const bool plain = list.kind == ListKind::none &&
                     (runs_.empty() || (runs_.size() == 1 && runs_.front().image < 0 &&
                                        runs_.front().format == &mark));
  if (plain) {
    if (plain_format_ != nullptr && (plain_format_ != &mark || plain_block_ != block))
      flush_plain();
    if (plain_format_ == nullptr) {
      plain_format_ = &mark;
      plain_mark_ = mark;
      plain_block_ = block;
    } else {
      plain_text_ += QChar::ParagraphSeparator;
    }
    if (!runs_.empty()) {
      if (plain_text_.isEmpty())
        plain_text_ = std::move(runs_.front().text);
      else
        plain_text_ += runs_.front().text;
    }
    // Pieces of this size go in while they are still in the cache, and no copy of the whole
    // text is held beside the document's.
    if (plain_text_.size() >= plain_piece_chars)
      flush_plain();
    previous_list_ = nullptr;
    previous_kind_ = ListKind::none;
    runs_.clear();
    images_.clear();
    ++paragraph_count_;
    return;
  }
  flush_plain();
  Paragraph paragraph = take_paragraph(block, list, mark);
  insert_paragraph(cursor_, first_block_, paragraph);
}

DocumentBuilder::Paragraph DocumentBuilder::take_paragraph(const QTextBlockFormat& block,
                                                           const ListItem& list,
                                                           const QTextCharFormat& mark) {
  Paragraph paragraph{block, list, mark, std::move(runs_), std::move(images_), std::move(objects_)};
  runs_.clear();
  images_.clear();
  objects_.clear();
  ++paragraph_count_;
  return paragraph;
}

void DocumentBuilder::insert_paragraph(QTextCursor& cursor, bool& unused, Paragraph& paragraph) {
  start_block(cursor, unused, paragraph.block, paragraph.mark);
  const ListItem& list = paragraph.list;
  QTextList* target = nullptr;
  if (list.kind != ListKind::none) {
    target = list_to_continue(list);
    if (target != nullptr) {
      target->add(cursor.block());
    } else {
      QTextListFormat format;
      format.setStyle(list.kind == ListKind::decimal ? QTextListFormat::ListDecimal
                                                     : QTextListFormat::ListDisc);
      target = cursor.createList(format);
    }
    if (list.override_number > 0)
      by_override_[list.override_number * 4 + static_cast<int>(list.kind)] = target;
    if (list.kind == ListKind::decimal)
      last_numbered_ = target;
  }
  previous_list_ = target;
  previous_kind_ = list.kind;
  for (const Run& run : paragraph.runs) {
    if (run.image >= 0) {
      cursor.insertImage(paragraph.images[static_cast<std::size_t>(run.image)]);
    } else if (run.object >= 0) {
      QTextCharFormat& format = paragraph.objects[static_cast<std::size_t>(run.object)];
      if (!run.text.isEmpty())
        format.setProperty(hidden_text_property, run.text);
      cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
    } else {
      cursor.insertText(run.text, *run.format);
    }
  }
}

void DocumentBuilder::end_table_paragraph(const QTextBlockFormat& block, const ListItem& list,
                                          const QTextCharFormat& mark, int depth) {
  Table& table = table_at(depth);
  table.cell.push_back({take_paragraph(block, list, mark), nullptr});
}

void DocumentBuilder::end_cell(int depth) {
  Table& table = table_at(depth);
  table.row.push_back(std::move(table.cell));
  table.cell.clear();
}

void DocumentBuilder::end_row(int depth) {
  Table& table = table_at(depth);
  if (!table.cell.empty())
    end_cell(depth);
  if (!table.row.empty())
    table.rows.push_back(std::move(table.row));
  table.row.clear();
}

void DocumentBuilder::close_tables() {
  while (!tables_.empty())
    close_innermost_table();
}

DocumentBuilder::Table& DocumentBuilder::table_at(int depth) {
  const auto wanted = static_cast<std::size_t>(std::max(depth, 1));
  while (tables_.size() > wanted)
    close_innermost_table();
  while (tables_.size() < wanted)
    tables_.push_back(std::make_unique<Table>());
  return *tables_.back();
}

// What a table holds when it closes stays in it: an open cell and row become its last ones.
void DocumentBuilder::close_innermost_table() {
  std::unique_ptr<Table> table = std::move(tables_.back());
  tables_.pop_back();
  if (!table->cell.empty()) {
    table->row.push_back(std::move(table->cell));
    table->cell.clear();
  }
  if (!table->row.empty())
    table->rows.push_back(std::move(table->row));
  if (table->rows.empty())
    return;
  if (!tables_.empty()) {
    tables_.back()->cell.push_back({Paragraph(), std::move(table)});
    return;
  }
  flush_plain();
  insert_table(cursor_, first_block_, *table);
}

void DocumentBuilder::insert_table(QTextCursor& cursor, bool& unused, Table& table) {
  std::size_t columns = 1;
  for (std::vector<Cell>& row : table.rows) {
    while (row.size() > max_columns) {
      Cell& last = row[max_columns - 1];
      for (Item& item : row.back())
        last.push_back(std::move(item));
      row.pop_back();
    }
    columns = std::max(columns, row.size());
  }
  QTextTableFormat format;
  format.setBorder(1);
  format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
  format.setBorderCollapse(true);
  format.setCellSpacing(0);
  format.setCellPadding(2);
  format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
  QTextTable* shown =
      cursor.insertTable(static_cast<int>(table.rows.size()), static_cast<int>(columns), format);
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    std::vector<Cell>& row = table.rows[r];
    for (std::size_t c = 0; c < row.size(); ++c) {
      QTextCursor at =
          shown->cellAt(static_cast<int>(r), static_cast<int>(c)).firstCursorPosition();
      bool cell_unused = true;
      for (Item& item : row[c]) {
        if (item.table) {
          insert_table(at, cell_unused, *item.table);
        } else {
          insert_paragraph(at, cell_unused, item.paragraph);
        }
      }
    }
  }
  cursor = shown->lastCursorPosition();
  cursor.movePosition(QTextCursor::NextBlock);
  unused = true;
}

}  // namespace rtf
