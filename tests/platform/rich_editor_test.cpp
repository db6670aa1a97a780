#include "platform/rich_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

#include <random>

#include "platform/conversions.h"
#include "support/file_contents.h"
#include "support/layout_widths.h"
#include "support/paragraph_format_printing.h"
#include "support/scripted_seam.h"

namespace {

class RichEditorTest : public ::testing::Test {
 protected:
  RichEditorTest() {
    editor.resize(400, 300);
    editor.show();
    QObject::connect(&editor, &RichEditor::on_content_changed, [this] { ++content_changes; });
  }

  // Types the text as the user would, key by key.
  void type(const QString& text) {
    for (QChar c : text) {
      const int key = c == u'\n' ? Qt::Key_Return : Qt::Key_unknown;
      const QString chars = c == u'\n' ? QStringLiteral("\r") : QString(c);
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, chars);
      QApplication::sendEvent(&editor, &press);
    }
  }

  void select(int start, int length) {
    editor.set_selection_start(start);
    editor.set_selection_length(length);
  }

  QString text() const { return editor.toPlainText(); }

  QTemporaryDir dir;
  RichEditor editor;
  int content_changes = 0;
};

TEST_F(RichEditorTest, WritingContentLoadsWithoutModifiedAndRaisesOneChange) {
  type(QStringLiteral("第一段 \"引号\"\n第二段"));
  select(0, 3);
  CharFormat red_bold;
  red_bold.effects = effect_bold;
  red_bold.colour = 0x000000FF;
  red_bold.size = 14;
  editor.richedit_set_sel_char_format(red_bold);
  const QString rtf = editor.content();
  EXPECT_TRUE(rtf.startsWith(QStringLiteral("{\\rtf")));

  RichEditor loaded;
  int changes = 0;
  QObject::connect(&loaded, &RichEditor::on_content_changed, [&] { ++changes; });
  loaded.set_content(rtf);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(loaded.modified());
  EXPECT_EQ(loaded.toPlainText(), QStringLiteral("第一段 \"引号\"\n第二段"));
  EXPECT_EQ(loaded.selection_start(), 0);
  loaded.set_selection_start(1);
  const CharFormat read = loaded.richedit_get_sel_char_format();
  EXPECT_EQ(read.effects, effect_bold);
  EXPECT_EQ(read.colour, 0x000000FFu);
  EXPECT_EQ(read.size, 14);
  // A load cannot be undone into the previous text.
  loaded.richedit_undo();
  EXPECT_EQ(loaded.toPlainText(), QStringLiteral("第一段 \"引号\"\n第二段"));

  loaded.set_content(QString());
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(loaded.toPlainText().isEmpty());
  EXPECT_FALSE(loaded.modified());
}

TEST_F(RichEditorTest, TextThatIsNoRtfLoadsAsPlainText) {
  editor.set_content(QStringLiteral("普通文字 {not rtf}"));
  EXPECT_EQ(text(), QStringLiteral("普通文字 {not rtf}"));
  EXPECT_FALSE(editor.modified());
}

// Stored bytes load as they are: every byte of a binary picture comes back in its hex form, and the
// text after it stays as it was.
TEST_F(RichEditorTest, BinaryPictureBytesLoadFromTheStoredBytes) {
  const QByteArray stored =
      "{\\rtf1\\ansi a{\\pict\\wmetafile8\\picwgoal150\\pichgoal150\\bin6 \xff}\xfe{\\\x80}b}";
  editor.set_content_bytes(stored);
  EXPECT_EQ(text(), u"a\uFFFCb"_qs);
  EXPECT_TRUE(editor.content().contains(
      QStringLiteral("{\\pict\\wmetafile8\\picwgoal150\\pichgoal150\nff7dfe7b5c80}")))
      << editor.content().toStdString();
}

TEST_F(RichEditorTest, UserEditsSetModifiedAndRaiseChanges) {
  editor.set_content(QStringLiteral("abc"));
  content_changes = 0;
  EXPECT_FALSE(editor.modified());
  editor.set_selection_start(3);
  type(QStringLiteral("de"));
  EXPECT_TRUE(editor.modified());
  EXPECT_EQ(content_changes, 2);
  editor.set_modified(false);
  EXPECT_FALSE(editor.modified());
}

TEST_F(RichEditorTest, SelectionIsClampedAndMinusOneSelectsAll) {
  editor.set_content(QStringLiteral("0123456789\nab"));
  struct Case {
    int start;
    int length;
    int want_start;
    int want_length;
  };
  const Case cases[] = {
      {3, 4, 3, 4},   {-5, 2, 0, 2},  {100, 0, 13, 0},
      {11, 5, 11, 2}, {10, 1, 10, 1},  // the paragraph break is one position
      {5, -1, 0, 13}, {6, -3, 3, 3},
  };
  for (const Case& c : cases) {
    select(c.start, c.length);
    EXPECT_EQ(editor.selection_start(), c.want_start) << c.start << "," << c.length;
    EXPECT_EQ(editor.selection_length(), c.want_length) << c.start << "," << c.length;
  }
  select(2, 5);
  editor.set_selection_start(4);
  EXPECT_EQ(editor.selection_length(), 0);
}

// Half a character outside the BMP can be neither selected nor typed over: what is left is
// always whole characters.
TEST_F(RichEditorTest, SelectionsTakeCharactersOutsideTheBmpWhole) {
  struct Case {
    int start;
    int length;
    int want_start;
    int want_length;
    QString after_typing;
  };
  // "A😀B": the emoji takes positions 1 and 2.
  const Case cases[] = {
      {2, 0, 1, 0, QStringLiteral("Ax😀B")},
      {1, 1, 1, 2, QStringLiteral("AxB")},
      {0, 2, 0, 3, QStringLiteral("xB")},
      {4, -2, 1, 3, QStringLiteral("Ax")},
  };
  for (const Case& c : cases) {
    editor.setPlainText(QStringLiteral("A😀B"));
    select(c.start, c.length);
    EXPECT_EQ(editor.selection_start(), c.want_start) << c.start << "," << c.length;
    EXPECT_EQ(editor.selection_length(), c.want_length) << c.start << "," << c.length;
    editor.setFocus();
    type(QStringLiteral("x"));
    EXPECT_EQ(text(), c.after_typing) << c.start << "," << c.length;
  }
}

TEST_F(RichEditorTest, TextLengthCountsGbkBytesAndBreaksAsTwo) {
  const std::pair<QString, int> cases[] = {
      {QString(), 0},
      {QStringLiteral("abcdefg"), 7},
      {QStringLiteral("一二三四五"), 10},
      {QStringLiteral("ab\ncd"), 6},
      {QStringLiteral("\n\n"), 4},
      {QStringLiteral("中a\n文"), 7},
  };
  for (const auto& [content, bytes] : cases) {
    editor.set_content(content);
    EXPECT_EQ(editor.richedit_text_length(), bytes) << content.toStdString();
  }
}

// A load is counted from the document's whole text at once; every kind of block and character
// must count as the plain text does, and an edit afterwards recounts only its own paragraphs.
TEST_F(RichEditorTest, TextLengthOfLoadedRichContentCountsItsPlainText) {
  const std::pair<const char*, int> cases[] = {
      {R"({\rtf1\ansi\ansicpg936 ab\line cd\par ef})", 10},
      {R"({\rtf1\ansi\ansicpg936 \u20013?\u25991?\tab x\~y})", 8},
      {R"({\rtf1 a\par\trowd\cellx1000\cellx2000 b\cell \u20013?\cell\row c})", 0},
      {R"({\rtf1 x{\pict\pngblip\picw10\pich10 89504e47}y\par\par})", 0},
      {R"({\rtf1 h{\v hidden}i\par{\field{\*\fldinst HYPERLINK "u"}{\fldrslt link}}})", 0},
  };
  for (const auto& [rtf, bytes] : cases) {
    editor.set_content(QString::fromLatin1(rtf));
    const int plain = gbk_byte_count(editor.toPlainText());
    EXPECT_EQ(editor.richedit_text_length(), plain) << rtf;
    if (bytes > 0) {
      EXPECT_EQ(plain, bytes) << rtf;
    }
    QTextCursor cursor(editor.document());
    cursor.setPosition(1);
    cursor.insertText(QStringLiteral("中\n"));
    EXPECT_EQ(editor.richedit_text_length(), gbk_byte_count(editor.toPlainText())) << rtf;
  }
}
TEST_F(RichEditorTest, TextLengthFollowsEditsUndoAndLoads) {
  editor.set_content(QStringLiteral("开始\n"));
  std::mt19937 random(7);
  const QString pieces[] = {QStringLiteral("字"), QStringLiteral("x"), QStringLiteral("\n"),
                            QStringLiteral("中文\nab"), QStringLiteral("€")};
  for (int step = 0; step < 300; ++step) {
    const int end = editor.document()->characterCount() - 1;
    QTextCursor cursor(editor.document());
    cursor.setPosition(std::uniform_int_distribution<int>(0, end)(random));
    switch (step % 5) {
      case 0:
      case 1:
        cursor.insertText(pieces[random() % 5]);
        break;
      case 2:
        cursor.setPosition(std::uniform_int_distribution<int>(0, end)(random),
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        break;
      case 3:
        editor.richedit_undo();
        break;
      case 4:
        if (step % 50 == 4)
          editor.set_content(editor.toPlainText());
        break;
    }
    ASSERT_EQ(editor.richedit_text_length(), gbk_byte_count(editor.toPlainText())) << step;
  }
}

// The visual line of a position counted from the layouts of every block before it.
int line_from_layouts(const QTextDocument& document, int position) {
  int lines = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.contains(position)) {
      return lines + block.layout()->lineForTextPosition(position - block.position()).lineNumber() +
             1;
    }
    lines += block.layout()->lineCount();
  }
  return -1;
}

TEST_F(RichEditorTest, LineFromCharCountsWrappedLines) {
  // A scroll bar that came and went would change the width and hide a stale count.
  editor.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor.resize(120, 300);
  EXPECT_EQ(editor.richedit_line_from_char(0), 1);
  QString long_paragraph;
  for (int i = 0; i < 20; ++i)
    long_paragraph += QStringLiteral("word%1 ").arg(i);
  editor.set_content(QStringLiteral("first\n") + long_paragraph + QStringLiteral("\n最后一行"));
  EXPECT_EQ(editor.richedit_line_from_char(0), 1);
  EXPECT_EQ(editor.richedit_line_from_char(6), 2);
  const int last = editor.document()->characterCount() - 1;
  const int last_line = editor.richedit_line_from_char(last);
  EXPECT_GT(last_line, 4);
  EXPECT_EQ(last_line, line_from_layouts(*editor.document(), last));

  // An edit that adds a wrapped line moves the lines after it; a wider editor has fewer lines.
  QTextCursor cursor(editor.document());
  cursor.setPosition(10);
  cursor.insertText(QStringLiteral("inserted words that wrap "));
  EXPECT_EQ(editor.richedit_line_from_char(editor.document()->characterCount() - 1),
            line_from_layouts(*editor.document(), editor.document()->characterCount() - 1));
  EXPECT_GT(editor.richedit_line_from_char(editor.document()->characterCount() - 1), last_line);
  cursor.setPosition(10);
  cursor.setPosition(60, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  EXPECT_EQ(editor.richedit_line_from_char(editor.document()->characterCount() - 1),
            line_from_layouts(*editor.document(), editor.document()->characterCount() - 1));
  editor.resize(2000, 300);
  EXPECT_EQ(editor.richedit_line_from_char(editor.document()->characterCount() - 1), 3);
  editor.set_word_wrap(false);
  editor.resize(120, 300);
  EXPECT_FALSE(editor.word_wrap());
  EXPECT_EQ(editor.richedit_line_from_char(editor.document()->characterCount() - 1), 3);
  EXPECT_EQ(editor.richedit_line_from_char(100000), 3);
}

QString long_paragraph() {
  QString text;
  for (int i = 0; i < 3000; ++i)
    text += QStringLiteral("词%1 ").arg(i);
  return text;
}

TEST_F(RichEditorTest, ALoadedDocumentIsLaidOutAtTheWidthItIsShownWith) {
  const int wide = editor.viewport()->width();
  LayoutWidths layouts(editor);
  // A long text is laid out once, with the scroll bar standing: it does not narrow the text
  // after the layout.
  editor.set_content(long_paragraph());
  EXPECT_TRUE(editor.verticalScrollBar()->isVisible());
  const int narrow = editor.viewport()->width();
  EXPECT_LT(narrow, wide);
  const std::vector<int> widths = layouts.take();
  ASSERT_FALSE(widths.empty());
  EXPECT_EQ(widths, std::vector<int>(widths.size(), narrow));

  // A short one takes the whole width again.
  editor.set_content(QStringLiteral("短文 short"));
  EXPECT_FALSE(editor.verticalScrollBar()->isVisible());
  EXPECT_EQ(editor.viewport()->width(), wide);
  EXPECT_EQ(qRound(editor.document()->textWidth()), wide);

  // A scroll bar the program switched off stays off.
  editor.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  editor.set_content(long_paragraph());
  EXPECT_FALSE(editor.verticalScrollBar()->isVisible());
  EXPECT_EQ(editor.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(qRound(editor.document()->textWidth()), wide);
}

TEST_F(RichEditorTest, AResizeKeepsTheCaretInViewUntilTheUserScrollsElsewhere) {
  editor.set_content(long_paragraph());
  editor.set_selection_start(editor.document()->characterCount() - 1);
  const auto caret_in_view = [this] {
    return editor.viewport()->rect().contains(editor.cursorRect());
  };
  ASSERT_TRUE(caret_in_view());
  editor.resize(300, 200);
  EXPECT_TRUE(caret_in_view());

  editor.verticalScrollBar()->setValue(0);
  editor.resize(400, 300);
  EXPECT_EQ(editor.verticalScrollBar()->value(), 0);
  EXPECT_FALSE(caret_in_view());
}

TEST_F(RichEditorTest, SelectionCharFormatRoundTripsEveryField) {
  editor.set_content(QStringLiteral("格式文字abc"));
  for (int effects = 0; effects < 16; ++effects) {
    CharFormat format;
    format.font_name = QStringLiteral("SimSun");
    format.size = 8 + effects;
    format.effects = effects;
    format.colour = effects % 2 ? 0x00FF8800 : default_colour;
    select(1, 3);
    editor.richedit_set_sel_char_format(format);
    const CharFormat read = editor.richedit_get_sel_char_format();
    EXPECT_EQ(read.font_name, format.font_name);
    EXPECT_EQ(read.size, format.size);
    EXPECT_EQ(read.effects, effects);
    EXPECT_EQ(read.colour, format.colour) << effects;
  }
  // Characters outside the selection keep their format.
  select(0, 1);
  EXPECT_EQ(editor.richedit_get_sel_char_format().effects, 0);
  EXPECT_EQ(editor.richedit_get_sel_char_format().colour, default_colour);
}

TEST_F(RichEditorTest, ToolbarStyleToggleKeepsTheOtherBits) {
  editor.set_content(QStringLiteral("粗体斜体"));
  select(0, 4);
  CharFormat format = editor.richedit_get_sel_char_format();
  format.effects = effect_bold | effect_italic | effect_strikeout;
  editor.richedit_set_sel_char_format(format);
  format = editor.richedit_get_sel_char_format();
  format.effects ^= effect_bold;
  editor.richedit_set_sel_char_format(format);
  EXPECT_EQ(editor.richedit_get_sel_char_format().effects, 10);
}

TEST_F(RichEditorTest, FreshFormatShowsDefaultsAndLineHeightAppliesToParagraphs) {
  const CharFormat fresh = editor.richedit_get_sel_char_format();
  EXPECT_EQ(fresh.font_name, QStringLiteral("宋体"));
  EXPECT_EQ(fresh.size, 9);
  EXPECT_EQ(fresh.effects, 0);
  EXPECT_EQ(fresh.colour, default_colour);
  EXPECT_EQ(fresh.line_height, 0);

  editor.set_content(QStringLiteral("一\n二\n三"));
  select(0, 3);
  CharFormat tall;
  tall.line_height = 30;
  editor.richedit_set_sel_char_format(tall);
  EXPECT_EQ(editor.richedit_get_sel_char_format().line_height, 30);
  editor.set_selection_start(4);
  EXPECT_EQ(editor.richedit_get_sel_char_format().line_height, 0);
}

// Runs the format commands of the toolbar and the menus on the selection: each reads the
// selection's format, changes one field and writes the record back.
void run_format_commands(RichEditor& editor) {
  for (const int effect : {effect_bold, effect_italic, effect_underline, effect_strikeout}) {
    CharFormat format = editor.richedit_get_sel_char_format();
    format.effects ^= effect;
    editor.richedit_set_sel_char_format(format);
    EXPECT_EQ(editor.richedit_get_sel_char_format().effects & effect, format.effects & effect);
  }
  CharFormat format = editor.richedit_get_sel_char_format();
  format.colour = 0x000000FF;
  editor.richedit_set_sel_char_format(format);
  EXPECT_EQ(editor.richedit_get_sel_char_format().colour, 0x000000FFu);
}

// A format command changes only the field it is about: line spacing that the record's whole
// points cannot hold (1.15 lines) stays as each paragraph has it.
TEST_F(RichEditorTest, FormatCommandsKeepTheLineSpacing) {
  editor.set_content(
      QStringLiteral("{\\rtf1\\ansi\\pard\\sl276\\slmult1 spaced\\par"
                     "\\pard\\sl-250\\slmult0 exactly\\par\\pard single\\par}"));
  const auto spacing = [this] {
    std::vector<std::pair<int, qreal>> blocks;
    for (QTextBlock b = editor.document()->begin(); b.isValid(); b = b.next())
      blocks.emplace_back(b.blockFormat().lineHeightType(), b.blockFormat().lineHeight());
    return blocks;
  };
  const auto original = spacing();
  ASSERT_EQ(original.front(), std::make_pair(int{QTextBlockFormat::ProportionalHeight}, 115.0));
  const QString content = editor.content();

  editor.set_selection_length(-1);
  const CharFormat read = editor.richedit_get_sel_char_format();
  EXPECT_GT(read.line_height, 0) << "1.15 lines is no single spacing";
  editor.richedit_set_sel_char_format(read);
  EXPECT_FALSE(editor.modified());
  EXPECT_EQ(editor.content(), content);

  run_format_commands(editor);
  EXPECT_TRUE(editor.modified());
  EXPECT_EQ(spacing(), original);
  EXPECT_TRUE(editor.content().contains(QStringLiteral("\\sl276\\slmult1")));
  EXPECT_TRUE(editor.content().contains(QStringLiteral("\\sl-250\\slmult0")));
}

// Half-point sizes (10.5 points, the usual size of Chinese text) read as whole points and stay
// as they are until a size command sets another.
TEST_F(RichEditorTest, FormatCommandsKeepHalfPointSizes) {
  editor.set_content(QStringLiteral("{\\rtf1\\ansi\\fs21 small {\\fs28 big} small}"));
  const auto sizes = [this] {
    std::vector<qreal> points;
    for (auto it = editor.document()->begin().begin(); !it.atEnd(); ++it)
      points.push_back(it.fragment().charFormat().fontPointSize());
    return points;
  };
  ASSERT_EQ(sizes(), (std::vector<qreal>{10.5, 14, 10.5}));

  editor.set_selection_length(-1);
  EXPECT_EQ(editor.richedit_get_sel_char_format().size, 11);
  run_format_commands(editor);
  EXPECT_EQ(sizes(), (std::vector<qreal>{10.5, 14, 10.5}));
  EXPECT_TRUE(editor.content().contains(QStringLiteral("\\fs21")));

  CharFormat format = editor.richedit_get_sel_char_format();
  format.size = 12;
  editor.richedit_set_sel_char_format(format);
  EXPECT_EQ(sizes(), std::vector<qreal>{12});
}

// On a selection whose characters differ, a record read from the selection changes only the field
// the command changed, while a fresh record (custom colour, the font-size window) gives every
// character each of its fields.
TEST_F(RichEditorTest, AFreshRecordAppliesEveryFieldAndAReadOneOnlyItsChange) {
  struct Case {
    const char* name;
    bool fresh;
    CharFormat second;  // what the second character reads afterwards
  };
  CharFormat bold_big_red;
  bold_big_red.size = 14;
  bold_big_red.effects = effect_bold;
  bold_big_red.colour = 0x000000FF;
  CharFormat fresh_green;
  fresh_green.colour = 0x0000FF00;
  CharFormat italic_too = bold_big_red;
  italic_too.effects = effect_bold | effect_italic;
  for (const Case& c :
       {Case{"fresh colour", true, fresh_green}, Case{"italic", false, italic_too}}) {
    SCOPED_TRACE(c.name);
    editor.set_content(QStringLiteral("AB"));
    select(1, 1);
    editor.richedit_set_sel_char_format(bold_big_red);
    select(0, 2);
    CharFormat format = c.fresh ? fresh_green : editor.richedit_get_sel_char_format();
    if (!c.fresh)
      format.effects ^= effect_italic;
    editor.richedit_set_sel_char_format(format);
    select(1, 1);
    const CharFormat second = editor.richedit_get_sel_char_format();
    EXPECT_EQ(second.size, c.second.size);
    EXPECT_EQ(second.effects, c.second.effects);
    EXPECT_EQ(second.colour, c.second.colour);
    select(0, 1);
    EXPECT_EQ(editor.richedit_get_sel_char_format().effects, c.fresh ? 0 : effect_italic);
  }
}

TEST_F(RichEditorTest, CaretFormatAppliesToTypedText) {
  editor.set_content(QStringLiteral("ab"));
  editor.set_selection_start(2);
  CharFormat italic_blue;
  italic_blue.effects = effect_italic;
  italic_blue.colour = 0x00FF0000;
  editor.richedit_set_sel_char_format(italic_blue);
  EXPECT_FALSE(editor.modified());
  type(QStringLiteral("cd"));
  select(2, 2);
  EXPECT_EQ(editor.richedit_get_sel_char_format().effects, effect_italic);
  EXPECT_EQ(editor.richedit_get_sel_char_format().colour, 0x00FF0000u);
}

TEST_F(RichEditorTest, ProgramFormatsSetModifiedOnlyWhenTheyChangeText) {
  ParagraphFormat centred;
  centred.alignment = 2;
  editor.richedit_set_para_format(centred);
  EXPECT_FALSE(editor.modified());
  editor.set_content(QStringLiteral("文字"));
  select(0, 1);
  CharFormat bold;
  bold.effects = effect_bold;
  editor.richedit_set_sel_char_format(bold);
  EXPECT_TRUE(editor.modified());
}

TEST_F(RichEditorTest, DefaultCharFormatSetsTheFontOfNewText) {
  CharFormat format;
  format.font_name = QStringLiteral("SimSun");
  format.size = 12;
  format.colour = 0x000000FF;
  editor.richedit_set_default_char_format(format);
  EXPECT_FALSE(editor.modified());
  EXPECT_EQ(editor.document()->defaultFont().pointSize(), 12);
  type(QStringLiteral("新"));
  select(0, 1);
  const CharFormat read = editor.richedit_get_sel_char_format();
  EXPECT_EQ(read.font_name, QStringLiteral("SimSun"));
  EXPECT_EQ(read.size, 12);
  EXPECT_EQ(read.colour, 0x000000FFu);
}

TEST_F(RichEditorTest, ParagraphFormatAppliesToEverySelectedParagraph) {
  editor.set_content(QStringLiteral("一段\n二段\n三段"));
  select(1, 3);  // from the first paragraph into the second
  ParagraphFormat format;
  format.bullet = 1;
  format.first_line_indent = 10;
  format.other_lines_indent = 6;
  format.right_indent = 12;
  format.alignment = 3;
  editor.richedit_set_para_format(format);
  for (int position : {0, 3}) {
    editor.set_selection_start(position);
    EXPECT_EQ(editor.richedit_get_para_format(), format);
  }
  editor.set_selection_start(6);
  EXPECT_EQ(editor.richedit_get_para_format().bullet, 0);
  EXPECT_EQ(editor.richedit_get_para_format().alignment, 1);

  select(0, 4);
  format.bullet = 0;
  format.alignment = 2;
  editor.richedit_set_para_format(format);
  editor.set_selection_start(3);
  EXPECT_EQ(editor.richedit_get_para_format().bullet, 0);
  EXPECT_EQ(editor.richedit_get_para_format().alignment, 2);
  EXPECT_EQ(editor.document()->findBlock(3).blockFormat().indent(), 0);

  // Alignment 0 names none: the paragraph keeps its own.
  format.alignment = 0;
  editor.richedit_set_para_format(format);
  EXPECT_EQ(editor.richedit_get_para_format().alignment, 2);
}

TEST_F(RichEditorTest, FindGivesTheFirstHitAtOrAfterStart) {
  editor.set_content(QStringLiteral("xaaa Abc\n中文中文"));
  struct Case {
    int start;
    bool match_case;
    QString text;
    int want;
  };
  const Case cases[] = {
      {0, false, QStringLiteral("aa"), 1},     {2, false, QStringLiteral("aa"), 2},
      {3, false, QStringLiteral("aa"), -1},    {0, true, QStringLiteral("abc"), -1},
      {0, false, QStringLiteral("abc"), 5},    {0, true, QStringLiteral("Abc"), 5},
      {0, false, QStringLiteral("中文"), 9},   {10, false, QStringLiteral("中文"), 11},
      {0, false, QStringLiteral("c\n中"), -1}, {-3, false, QStringLiteral("x"), 0},
      {500, false, QStringLiteral("x"), -1},   {0, false, QString(), -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(editor.richedit_find_text(c.start, c.match_case, c.text), c.want)
        << c.start << " " << c.text.toStdString();
  }
}

TEST_F(RichEditorTest, EditCommandsWorkOnTheSelection) {
  editor.set_content(QStringLiteral("删除这些字"));
  select(2, 2);
  editor.richedit_delete_selection();
  EXPECT_EQ(text(), QStringLiteral("删除字"));
  EXPECT_TRUE(editor.modified());
  editor.richedit_undo();
  EXPECT_EQ(text(), QStringLiteral("删除这些字"));

  select(0, 2);
  editor.richedit_cut();
  EXPECT_EQ(text(), QStringLiteral("这些字"));
  editor.set_selection_start(3);
  editor.richedit_paste();
  EXPECT_EQ(text(), QStringLiteral("这些字删除"));
  select(0, 1);
  editor.richedit_copy();
  editor.set_selection_start(0);
  editor.richedit_paste();
  EXPECT_EQ(text(), QStringLiteral("这这些字删除"));
}

TEST_F(RichEditorTest, FormatsSurviveTheStoredForm) {
  editor.set_content(QStringLiteral("标题\n正文 \"引用\""));
  select(0, 2);
  CharFormat heading;
  heading.font_name = QStringLiteral("SimSun");
  heading.size = 15;
  heading.line_height = 24;
  heading.effects = effect_bold | effect_underline;
  heading.colour = 0x000080FF;
  editor.richedit_set_sel_char_format(heading);
  ParagraphFormat paragraph;
  paragraph.bullet = 1;
  paragraph.first_line_indent = 10;
  paragraph.other_lines_indent = 20;
  paragraph.right_indent = 5;
  paragraph.alignment = 2;
  editor.richedit_set_para_format(paragraph);

  RichEditor loaded;
  loaded.set_content(editor.content());
  EXPECT_EQ(loaded.toPlainText(), text());
  loaded.set_selection_start(0);
  loaded.set_selection_length(2);
  const CharFormat read = loaded.richedit_get_sel_char_format();
  EXPECT_EQ(read.font_name, heading.font_name);
  EXPECT_EQ(read.size, heading.size);
  EXPECT_EQ(read.line_height, heading.line_height);
  EXPECT_EQ(read.effects, heading.effects);
  EXPECT_EQ(read.colour, heading.colour);
  EXPECT_EQ(loaded.richedit_get_para_format(), paragraph);
  loaded.set_selection_start(4);
  EXPECT_EQ(loaded.richedit_get_sel_char_format().colour, default_colour);
  EXPECT_EQ(loaded.richedit_get_para_format().bullet, 0);
}

TEST_F(RichEditorTest, OpenLoadsRtfAndTextFilesAsModified) {
  ScriptedSeam seam;
  SeamInstaller installed(seam);
  const QString folder = dir.filePath(QStringLiteral("我的 文档"));
  ASSERT_TRUE(QDir().mkpath(folder));

  RichEditor source;
  source.set_content(QStringLiteral("富文本 \"内容\""));
  const struct {
    QString name;
    QByteArray bytes;
    QString want;
  } files[] = {
      {QStringLiteral("文章.rtf"), source.content().toLatin1(), QStringLiteral("富文本 \"内容\"")},
      {QStringLiteral("gbk.txt"), QStringEncoder("GBK").encode(QStringLiteral("国标\n文字")),
       QStringLiteral("国标\n文字")},
      {QStringLiteral("utf8.txt"), QStringLiteral("统一码 {\\rtf text").toUtf8(),
       QStringLiteral("统一码 {\\rtf text")},
  };
  for (const auto& file : files) {
    const QString path = folder + u'/' + file.name;
    write_file(path, file.bytes);
    editor.set_content(QStringLiteral("旧"));
    content_changes = 0;
    seam.choose_file_next(path);
    EXPECT_FALSE(editor.richedit_open().isEmpty());
    EXPECT_EQ(text(), file.want);
    EXPECT_TRUE(editor.modified());
    EXPECT_EQ(content_changes, 1);
  }
  ASSERT_FALSE(seam.dialogs().empty());
  EXPECT_EQ(seam.dialogs().back().dialog_type, 0);
  EXPECT_EQ(seam.dialogs().back().filter,
            QStringLiteral("丰富文本(*.RTF)|*.RTF|文本文件(*.TXT)|*.TXT|所有文件|*.*"));

  seam.cancel_file_next();
  editor.set_content(QStringLiteral("旧"));
  EXPECT_TRUE(editor.richedit_open().isEmpty());
  EXPECT_EQ(text(), QStringLiteral("旧"));
  EXPECT_FALSE(editor.modified());
}

TEST_F(RichEditorTest, MouseEventsReportPositionAndShiftState) {
  std::vector<std::tuple<char, int, int, int>> events;
  QObject::connect(&editor, &RichEditor::on_left_button_down,
                   [&](int x, int y, int shift) { events.emplace_back('L', x, y, shift); });
  QObject::connect(&editor, &RichEditor::on_right_button_down,
                   [&](int x, int y, int shift) { events.emplace_back('R', x, y, shift); });
  QObject::connect(&editor, &RichEditor::on_double_click,
                   [&](int x, int y, int shift) { events.emplace_back('D', x, y, shift); });
  const auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
    const QPointF at(30, 12);
    QMouseEvent event(type, at, editor.viewport()->mapToGlobal(at), button, button, mods);
    QApplication::sendEvent(editor.viewport(), &event);
  };
  send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
  send(QEvent::MouseButtonPress, Qt::RightButton, Qt::AltModifier);
  send(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::NoModifier);
  const std::vector<std::tuple<char, int, int, int>> want = {
      {'L', 30, 12, 3}, {'R', 30, 12, 4}, {'D', 30, 12, 0}};
  EXPECT_EQ(events, want);
  events.clear();
  send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::ShiftModifier);
  send(QEvent::MouseButtonPress, Qt::RightButton, Qt::ControlModifier);
  const std::vector<std::tuple<char, int, int, int>> apart = {{'L', 30, 12, 2}, {'R', 30, 12, 1}};
  EXPECT_EQ(events, apart) << "Ctrl 1 and Shift 2, as every control reports them";
}

TEST_F(RichEditorTest, ShowsNoContextMenuOfItsOwn) {
  bool menu_shown = false;
  QTimer::singleShot(0, [&] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      menu_shown = true;
      popup->close();
    }
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20),
                          editor.viewport()->mapToGlobal(QPoint(20, 20)));
  QApplication::sendEvent(editor.viewport(), &event);
  QApplication::processEvents();
  EXPECT_FALSE(menu_shown);
}

TEST_F(RichEditorTest, BackgroundColourPaintsTheTextArea) {
  editor.set_background_colour(0x000060C0);
  const QWidget& area = *editor.viewport();
  EXPECT_EQ(area.palette().color(area.backgroundRole()), QColor(0xC0, 0x60, 0x00));
  editor.set_background_colour(0x00FFFFFF);
  EXPECT_EQ(area.palette().color(area.backgroundRole()), QColor(Qt::white));
}

TEST_F(RichEditorTest, PageColourOutlastsStyleSheetChanges) {
  // A skin polishes the text area anew at every change; the page colour given to the editor stays.
  qApp->setStyleSheet(QStringLiteral("QDialog { background-color: #202020; }"));
  editor.set_background_colour(0x000060C0);
  for (const char* sheet : {"RichEditor { border: 2px solid blue; }", ""}) {
    qApp->setStyleSheet(QString::fromLatin1(sheet));
    QApplication::processEvents();
    const QImage shown = editor.viewport()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() - 5, shown.height() - 5), QColor(0xC0, 0x60, 0x00))
        << sheet;
  }
}

TEST_F(RichEditorTest, SongtiShowsWithAnInstalledCjkFont) {
  for (const QString& name : {QStringLiteral("宋体"), QStringLiteral("SimSun")}) {
    EXPECT_TRUE(QFontInfo(QFont(name, 9)).family().contains(QStringLiteral("CJK")))
        << QFontInfo(QFont(name, 9)).family().toStdString();
  }
  EXPECT_EQ(editor.font().pointSize(), 9);
}

}  // namespace
