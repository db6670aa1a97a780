#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>
#include <QTextTable>

#include "platform/rich_editor.h"
#include "platform/rtf/rtf_kept_formats.h"
#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"

namespace {

QByteArray fixture(const char* name) {
  QFile file(QStringLiteral(WRENFOLD_TEST_DATA_DIR "/rtf/structure/") + QLatin1String(name));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
  return file.readAll();
}

// The cells that hold the block, the outermost first ("<1,0/0,1>"), and its alignment.
QString place_of(const QTextBlock& block) {
  QStringList cells;
  const QTextCursor cursor(block);
  for (QTextFrame* frame = cursor.currentFrame(); frame != nullptr; frame = frame->parentFrame()) {
    if (auto* table = qobject_cast<QTextTable*>(frame)) {
      const QTextTableCell cell = table->cellAt(block.position());
      cells.prepend(QStringLiteral("%1,%2").arg(cell.row()).arg(cell.column()));
    }
  }
  QString place = cells.isEmpty() ? QString() : u'<' + cells.join(u'/') + u'>';
  if (block.blockFormat().hasProperty(QTextFormat::BlockAlignment))
    place += QStringLiteral("align%1:").arg(int(block.blockFormat().alignment()));
  return place;
}

// One line per paragraph, a part per fragment: its text and what it is beyond its text (a link's
// target, raised or lowered, capitals, the result of a field, hidden text, RTF kept as it came).
QString structure_of(const QTextDocument& document) {
  QStringList lines;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    QStringList parts{place_of(block)};
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const QTextCharFormat format = fragment.charFormat();
      QString part;
      if (format.objectType() == rtf::kept_object_type) {
        part = format.hasProperty(rtf::hidden_text_property)
                   ? u"hidden:"_qs + format.stringProperty(rtf::hidden_text_property)
                   : u"kept:"_qs +
                         QString::fromLatin1(format.property(rtf::kept_rtf_property).toByteArray());
      } else {
        part = fragment.text();
      }
      if (format.isAnchor())
        part += u"|link:"_qs + format.anchorHref();
      if (format.hasProperty(rtf::field_instruction_property))
        part += u"|field:"_qs + format.stringProperty(rtf::field_instruction_property);
      if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        part += u"|super"_qs;
      if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        part += u"|sub"_qs;
      if (format.fontCapitalization() == QFont::AllUppercase)
        part += u"|caps"_qs;
      if (format.fontCapitalization() == QFont::SmallCaps)
        part += u"|scaps"_qs;
      parts << u'[' + part + u']';
    }
    lines << parts.join(QString());
  }
  return lines.join(u'\n');
}

struct StructureCase {
  const char* file;
  const char16_t* structure;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const StructureCase& c, std::ostream* out) {
  *out << c.file;
}

class RtfStructure : public ::testing::TestWithParam<StructureCase> {};

// Read, written and read again, each file gives what it holds, the same both times; writing again
// gives the same bytes.
TEST_P(RtfStructure, ReadWriteReadKeepsIt) {
  const StructureCase& c = GetParam();
  QTextDocument document;
  read_rtf(fixture(c.file), document);
  EXPECT_EQ(structure_of(document), QString::fromUtf16(c.structure));

  const QByteArray written = write_rtf(document);
  QTextDocument again;
  read_rtf(written, again);
  EXPECT_EQ(structure_of(again), structure_of(document)) << written.constData();
  EXPECT_EQ(again.toPlainText(), document.toPlainText());
  EXPECT_EQ(write_rtf(again), written);
}

const StructureCase structure_cases[] = {
    {"link.rtf",
     u"[See ][the site|link:https://example.com/a?b=1&c=ä|field:HYPERLINK "
     u"\"https://example.com/a?b=1&c=ä\"][ and ][this part|link:#part2|field:HYPERLINK \\l "
     u"\"part2\"][.]"},
    {"footnote.rtf",
     u"[Text][kept:{\\super\\chftn}][kept:{\\footnote\\pard\\plain{\\cs17\\super\\chftn} The note "
     u"\\u27880?\\u37322?.}][ goes on][3|field:PAGE][ and ][kept:{\\field{\\*\\fldinst DATE \\\\@ "
     u"\"yyyy\"}}][.]"},
    {"super_sub.rtf", u"[E = mc][2|super][ and H][2|sub][O, x][n|super][ back.]"},
    {"caps.rtf", u"[shouted|caps][ and ][small caps|scaps][ and ][on|caps][ off.]"},
    // The empty paragraph that a document holds before a table at its start.
    {"table_2x2.rtf",
     u"[Before]\n<0,0>align4:[名称]\n<0,1>align2:[Price]\n<1,0>[Apple]\n<1,0>[second "
     u"line]\n<1,1>align2:[3.50]\n[After]"},
    {"nested_table.rtf",
     u"\n<0,0>[Outer one]\n<0,0/0,0>[In A]\n<0,0/0,1>align4:[In B]\n<0,0>[below]\n<0,1>[Outer "
     u"two]\n[Text]"},
    {"hidden.rtf",
     u"[Shown ][hidden:hidden 你][ shown][hidden: also hidden][ end.]\n[hidden:whole "
     u"hidden paragraph]"},
};

// One character typed anywhere, then saved: the typed character is plain text in its place, and
// nothing the file held is lost or doubled.
TEST_P(RtfStructure, ACharacterTypedAnywhereKeepsTheRest) {
  const QByteArray rtf = fixture(GetParam().file);
  RichEditor editor;
  editor.set_content_bytes(rtf);
  const QString text = editor.toPlainText();
  const QString structure = structure_of(*editor.document());
  for (int position = 0; position <= text.size(); ++position) {
    SCOPED_TRACE(position);
    editor.set_content_bytes(rtf);
    editor.set_selection_start(position);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("Z"));
    QApplication::sendEvent(&editor, &key);
    QTextDocument saved;
    read_rtf(editor.content().toLatin1(), saved);
    EXPECT_EQ(saved.toPlainText(), QString(text).insert(position, u'Z'));
    QString without = structure_of(saved);
    without.remove(u'Z');
    EXPECT_EQ(without.remove(u"[]"_qs), structure);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, RtfStructure, ::testing::ValuesIn(structure_cases),
                         [](const auto& test_case) {
                           std::string name = test_case.param.file;
                           return name.substr(0, name.find('.'));
                         });

// Each paragraph's place, whether it is a list item and its number there.
QString paragraphs_and_lists(const QTextDocument& document) {
  QStringList lines;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QTextList* list = block.textList();
    lines << place_of(block) +
                 (list ? QStringLiteral("item%1:").arg(list->itemNumber(block)) : "") +
                 block.text();
  }
  return lines.join(u'\n');
}

// The writer leaves out the empty paragraph that stands before or after a table only when a
// reader makes it again as it was: a list item or a paragraph format of its own goes back.
TEST(RtfStructure, EmptyParagraphsBesideTablesKeepTheirListAndFormat) {
  const char* const cases[] = {
      R"({\rtf1\ansi{\pn\pndec}\par\trowd\cellx1000\pard\intbl a\cell\row b})",
      "{\\rtf1{\\pn\\pndec}\\\r\\cell}",
      R"({\rtf1\ansi\qc\par\trowd\cellx1000\pard\intbl a\cell\row b})",
      R"({\rtf1\ansi\trowd\cellx1000\pard\intbl a\cell\row\pard{\pn\pndec}\par})",
      R"({\rtf1\ansi\trowd\cellx1000\pard\intbl a\cell\row})",
  };
  for (const char* rtf : cases) {
    SCOPED_TRACE(rtf);
    QTextDocument document;
    read_rtf(rtf, document);
    const QByteArray written = write_rtf(document);
    QTextDocument again;
    read_rtf(written, again);
    EXPECT_EQ(paragraphs_and_lists(again), paragraphs_and_lists(document)) << written.constData();
    EXPECT_EQ(write_rtf(again), written);
  }
}

}  // namespace
