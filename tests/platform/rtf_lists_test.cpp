#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <vector>

#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"

namespace {

// The number the editor shows before each paragraph, 0 where it shows none.
std::vector<int> numbers_of(const QTextDocument& document) {
  std::vector<int> numbers;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QTextList* list = block.textList();
    const bool numbered = list && list->format().style() == QTextListFormat::ListDecimal;
    numbers.push_back(numbered ? list->itemNumber(block) + 1 : 0);
  }
  return numbers;
}

QByteArray pn(int label, const char* text) {
  return "{\\pntext\\f0 " + QByteArray::number(label) +
         ".\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxta.}}" + text +
         "\\par\n";
}

QByteArray ls(int override_number, int label, const char* text) {
  return "{\\listtext\\pard\\plain " + QByteArray::number(label) + ".\\tab}\\ls" +
         QByteArray::number(override_number) + "\\ilvl0 " + text + "\\par\\pard\n";
}

struct Case {
  const char* name;
  QByteArray body;
  std::vector<int> numbers;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

// Lists show the numbers their labels show: a list that starts again at 1 does not go on from
// the one before it, and a list that goes on after other paragraphs keeps counting.
const Case cases[] = {
    {"legacy_restart_right_after_a_list",
     pn(1, "a") + pn(2, "b") + pn(3, "c") + pn(1, "d") + pn(2, "e"),
     {1, 2, 3, 1, 2}},
    {"legacy_lists_apart", pn(1, "a") + pn(2, "b") + "\\pard x\\par\n" + pn(1, "c"), {1, 2, 0, 1}},
    {"legacy_list_going_on_after_a_paragraph",
     pn(1, "a") + pn(2, "b") + "\\pard x\\par\n" + pn(3, "c") + pn(4, "d"),
     {1, 2, 0, 3, 4}},
    {"override_starting_again",
     ls(1, 1, "a") + ls(1, 2, "b") + ls(1, 3, "c") + ls(2, 1, "d") + ls(2, 2, "e"),
     {1, 2, 3, 1, 2}},
    {"same_override_after_a_paragraph",
     ls(1, 1, "a") + ls(1, 2, "b") + "x\\par\n" + ls(1, 3, "c") + "y\\par\n" + ls(3, 1, "d"),
     {1, 2, 0, 3, 0, 1}},
};

class RtfLists : public ::testing::TestWithParam<Case> {};

TEST_P(RtfLists, NumberAsTheLabelsAndKeepTheirNumbersAfterASave) {
  QTextDocument document;
  read_rtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\n" + GetParam().body + "}", document);
  EXPECT_EQ(numbers_of(document), GetParam().numbers);

  const QByteArray written = write_rtf(document);
  QTextDocument again;
  read_rtf(written, again);
  EXPECT_EQ(numbers_of(again), GetParam().numbers) << written.constData();
}

INSTANTIATE_TEST_SUITE_P(Cases, RtfLists, ::testing::ValuesIn(cases),
                         [](const auto& test_case) { return std::string(test_case.param.name); });

// Word and LibreOffice number by list override, not by the labels: each list of the editor has
// its own, so that a list that starts again at 1 does so there too.
TEST(RtfListsWritten, EachListHasItsOwnOverride) {
  QTextDocument document;
  read_rtf("{\\rtf1\\ansi\\pard\n" + pn(1, "a") + pn(2, "b") + "\\pard x\\par\n" + pn(1, "c") +
               pn(2, "d") + "}",
           document);
  const QByteArray written = write_rtf(document);
  EXPECT_TRUE(
      written.contains("{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0"
                       "\\ls1}{\\listoverride\\listid2\\listoverridecount0\\ls2}}"))
      << written.constData();
  EXPECT_EQ(written.count("}}\\ls1"), 2) << written.constData();
  EXPECT_EQ(written.count("}}\\ls2"), 2) << written.constData();
}

}  // namespace
