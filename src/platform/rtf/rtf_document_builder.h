#pragma once

#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextImageFormat>

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/rtf/rtf_picture.h"
#include "platform/rtf/rtf_state.h"

class QTextDocument;
class QTextList;

namespace rtf {

// The list a paragraph belongs to, as far as the RTF tells.
struct ListItem {
  ListKind kind = ListKind::none;
  int override_number = 0;  // \lsN; 0 when none is given
  int label_number = 0;     // the number its label shows; 0 when the label shows none
};

// Fills a document paragraph by paragraph inside one edit block, with undo off. A paragraph's
// runs wait until its end, when its properties are known. Plain paragraphs in a row (one run of
// text, the same formats, no list) go into the document together, as setPlainText inserts them:
// a long run of short lines then costs what its text costs.
class DocumentBuilder {
 public:
  explicit DocumentBuilder(QTextDocument& document);
  DocumentBuilder(const DocumentBuilder&) = delete;
  DocumentBuilder& operator=(const DocumentBuilder&) = delete;
  ~DocumentBuilder();

  // The format must outlive the paragraph. Line ends and control characters are dropped.
  void add_text(QStringView text, const QTextCharFormat* format);
  // What the editor shows of a picture, at the given size in pixels, and the picture as it came.
  void add_image(const QVariant& shown, const KeptPicture& kept, QSizeF size);
  // RTF that shows nothing, kept as it came in 7-bit form, to be read with \ucN of unicode_skip.
  void add_kept(const QByteArray& rtf, int unicode_skip);
  // Hidden text: one object that shows nothing stands for a run of it.
  void add_hidden(QStringView text);
  // Where the paragraph stands, to look back at what was added since.
  struct Mark {
    int paragraph = 0;
    std::size_t runs = 0;
    qsizetype text = 0;  // the length of the last run's text
  };
  Mark mark() const;
  // Whether all that was added since the mark is one picture and blanks.
  bool only_picture_since(const Mark& mark) const;
  // Given only_picture_since, the picture becomes the shown part of the group, which is written in
  // its place; the blanks go, as the group holds them.
  void keep_group(const Mark& mark, const QByteArray& group, int unicode_skip);
  // When nothing was added since the mark, the group is kept in its place as it came; false when
  // something shows.
  bool keep_invisible_group(const Mark& mark, const QByteArray& group, int unicode_skip);
  bool paragraph_empty() const { return runs_.empty(); }
  // The format of the paragraph's first run, or null.
  const QTextCharFormat* first_format() const;

  void end_paragraph(const QTextBlockFormat& block, const ListItem& list,
                     const QTextCharFormat& mark);

  // Tables: depth 1 is a table in the text, 2 one in a cell of it, and so on. A paragraph ended
  // at a depth goes into the open cell there, and a cell or a row ends at its depth; a paragraph
  // of the text and the end of the document close every open table.
  void end_table_paragraph(const QTextBlockFormat& block, const ListItem& list,
                           const QTextCharFormat& mark, int depth);
  void end_cell(int depth);
  void end_row(int depth);
  void close_tables();

 private:
  struct Run {
    QString text;
    const QTextCharFormat* format = nullptr;
    int image = -1;   // index into images_
    int object = -1;  // index into objects_; a hidden run's text is its text
  };
  struct Paragraph {
    QTextBlockFormat block;
    ListItem list;
    QTextCharFormat mark;
    std::vector<Run> runs;
    std::vector<QTextImageFormat> images;
    std::vector<QTextCharFormat> objects;
  };
  struct Table;
  // A paragraph, or a table when table is set.
  struct Item {
    Paragraph paragraph;
    std::unique_ptr<Table> table;
  };
  using Cell = std::vector<Item>;
  struct Table {
    std::vector<std::vector<Cell>> rows;
    std::vector<Cell> row;  // the cells of the row not yet ended
    Cell cell;              // the cell not yet ended
  };

  // The paragraph's runs, which wait no more.
  Paragraph take_paragraph(const QTextBlockFormat& block, const ListItem& list,
                           const QTextCharFormat& mark);
  // Starts the paragraph's block at the cursor: the unused block there, or a new one.
  static void start_block(QTextCursor& cursor, bool& unused, const QTextBlockFormat& block,
                          const QTextCharFormat& mark);
  void insert_paragraph(QTextCursor& cursor, bool& unused, Paragraph& paragraph);
  // The table goes in at the cursor, which then stands in the unused block after it.
  void insert_table(QTextCursor& cursor, bool& unused, Table& table);
  // The open table at the depth, opened when needed; deeper ones are closed.
  Table& table_at(int depth);
  void close_innermost_table();
  // Inserts the plain paragraphs that wait.
  void flush_plain();
  // The list the paragraph continues, null when it starts one. A label with a number decides:
  // the list whose next number it shows. Without one: the list of the paragraph's override, else
  // the list of the paragraph before.
  QTextList* list_to_continue(const ListItem& item) const;

  QTextDocument& document_;
  QTextCursor cursor_;
  bool undo_was_enabled_;
  bool first_block_ = true;
  std::vector<Run> runs_;
  std::vector<QTextImageFormat> images_;
  std::vector<QTextCharFormat> objects_;
  int image_count_ = 0;
  int paragraph_count_ = 0;
  // Plain paragraphs not yet inserted: their texts joined by paragraph separators, their block
  // format and the one format of their text and marks (its address tells it apart).
  QString plain_text_;
  QTextBlockFormat plain_block_;
  const QTextCharFormat* plain_format_ = nullptr;
  QTextCharFormat plain_mark_;
  QTextList* previous_list_ = nullptr;  // the list of the paragraph before
  ListKind previous_kind_ = ListKind::none;
  QTextList* last_numbered_ = nullptr;
  std::unordered_map<int, QTextList*> by_override_;  // by override number and kind
  std::vector<std::unique_ptr<Table>> tables_;       // the open ones, the outermost first
};

}  // namespace rtf
