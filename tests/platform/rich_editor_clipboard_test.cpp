#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextDocument>

#include <vector>

#include "platform/rich_editor.h"
#include "platform/rtf/rtf_reader.h"
#include "platform/rtf_test_helpers.h"

namespace {

using rtf_test::pictures_of;

const QByteArray png = QByteArray::fromHex(
    "89504e470d0a1a0a0000000d4948445200000002000000020802000000fdd49a730000001049444154789c63f8"
    "cfc000440c100a001fee03fd8b5f14d40000000049454e44ae426082");
const QByteArray wmf = QByteArray::fromHex("010009000003");

// A PNG and a WMF, which Qt cannot draw, as Word and LibreOffice write them.
QByteArray two_pictures(const char* before, const char* between, const char* after) {
  return QByteArray("{\\rtf1\\ansi ") + before + "{\\*\\shppict{\\pict\\pngblip\\picw2\\pich2 " +
         png.toHex() + "}}{\\nonshppict{\\pict\\wmetafile8 0a0b}}" + between +
         "{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720 " + wmf.toHex() + "}" +
         after + "\\par}";
}

class RichEditorClipboardTest : public ::testing::Test {
 protected:
  RichEditorClipboardTest() {
    editor.resize(400, 300);
    editor.show();
  }

  void select(int start, int length) {
    editor.set_selection_start(start);
    editor.set_selection_length(length);
  }

  // The pictures of the article as it is stored and opened again.
  std::vector<rtf_test::Picture> stored_pictures() const {
    QTextDocument reopened;
    read_rtf(editor.content().toLatin1(), reopened);
    return pictures_of(reopened);
  }

  static void expect_both_pictures(const std::vector<rtf_test::Picture>& pictures) {
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].words, "\\pngblip\\picw2\\pich2");
    EXPECT_EQ(pictures[0].bytes, png);
    EXPECT_EQ(pictures[1].words, "\\wmetafile8\\picw2540\\pich1270");
    EXPECT_EQ(pictures[1].bytes, wmf);
    EXPECT_EQ(pictures[1].size, QSizeF(96, 48));
  }

  RichEditor editor;
};

// The picture's resource belongs to the article it came from and is gone once another one loads:
// the clipboard carries the pictures themselves in our RTF.
TEST_F(RichEditorClipboardTest, PicturesCopiedFromOneArticleArePastedIntoAnother) {
  editor.set_content(QString::fromLatin1(two_pictures("a", "b", "c")));
  select(0, -1);
  editor.richedit_copy();
  const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
  for (const char* type : {"text/rtf", "application/rtf", "text/richtext"})
    EXPECT_TRUE(offered->data(QLatin1String(type)).startsWith("{\\rtf1")) << type;
  EXPECT_EQ(offered->text(), u"a\uFFFCb\uFFFCc"_qs);
  EXPECT_TRUE(offered->hasHtml());

  editor.set_content(QString::fromLatin1("{\\rtf1 other article\\par}"));
  editor.set_selection_start(5);
  editor.richedit_paste();
  EXPECT_TRUE(editor.modified());
  EXPECT_EQ(editor.toPlainText(), u"othera\uFFFCb\uFFFCc article"_qs);
  expect_both_pictures(stored_pictures());
}

// Word, WPS and LibreOffice offer RTF under one of these types beside HTML and plain text, which
// lose the pictures; the paste is one step to undo and the user's edit.
TEST_F(RichEditorClipboardTest, RtfOfferedByAnotherProgramIsWhatIsPasted) {
  for (const char* type : {"text/rtf", "application/rtf", "text/richtext"}) {
    SCOPED_TRACE(type);
    editor.set_content(QStringLiteral("{\\rtf1 before after\\par}"));
    auto* offered = new QMimeData;
    offered->setData(QLatin1String(type), two_pictures("x", "y", "z"));
    offered->setHtml(QStringLiteral("<p>html</p>"));
    offered->setText(QStringLiteral("plain"));
    QGuiApplication::clipboard()->setMimeData(offered);
    editor.set_selection_start(7);
    editor.richedit_paste();
    EXPECT_EQ(editor.toPlainText(), u"before x\uFFFCy\uFFFCzafter"_qs);
    EXPECT_TRUE(editor.modified());
    expect_both_pictures(stored_pictures());
    editor.richedit_undo();
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("before after"));
  }

  // Data under an RTF type that is no RTF leaves the paste to the other types.
  auto* offered = new QMimeData;
  offered->setData(QStringLiteral("text/richtext"), "<bold>rich</bold>");
  offered->setText(QStringLiteral("plain"));
  QGuiApplication::clipboard()->setMimeData(offered);
  editor.set_content(QString());
  editor.richedit_paste();
  EXPECT_EQ(editor.toPlainText(), QStringLiteral("plain"));
}

// A picture that shows as a grey box is still the picture: cut, paste, undo and redo keep it.
TEST_F(RichEditorClipboardTest, APictureQtCannotDrawSurvivesCutPasteUndoAndRedo) {
  editor.set_content(QString::fromLatin1(two_pictures("ab", "cd", "ef")));
  const auto expect_moved = [this] {
    EXPECT_EQ(editor.toPlainText(), u"\uFFFCab\uFFFCcdef"_qs);
    const auto pictures = stored_pictures();
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].words, "\\wmetafile8\\picw2540\\pich1270");
    EXPECT_EQ(pictures[0].bytes, wmf);
    EXPECT_EQ(pictures[0].size, QSizeF(96, 48));
    EXPECT_EQ(pictures[1].bytes, png);
  };
  select(5, 1);
  editor.richedit_cut();
  EXPECT_EQ(editor.toPlainText(), u"ab\uFFFCcdef"_qs);
  editor.set_selection_start(0);
  editor.richedit_paste();
  expect_moved();

  editor.richedit_undo();
  editor.richedit_undo();
  EXPECT_EQ(editor.toPlainText(), u"ab\uFFFCcd\uFFFCef"_qs);
  expect_both_pictures(stored_pictures());
  editor.redo();
  editor.redo();
  expect_moved();
}

// An embedded object is as long-lived as the picture that shows it: deleted with it, back with an
// undo, and carried along by the clipboard.
TEST_F(RichEditorClipboardTest, AnObjectGoesAndComesWithItsPicture) {
  const QByteArray object =
      "{\\object\\objemb{\\*\\objclass Equation.3}{\\*\\objdata 0105}"
      "{\\result{\\pict\\wmetafile8 0a0b}}}";
  editor.set_content(QString::fromLatin1("{\\rtf1\\uc2 one " + object + " two\\par}"));
  select(4, 1);
  editor.richedit_copy();
  editor.richedit_delete_selection();
  EXPECT_FALSE(editor.content().contains(QStringLiteral("objdata")));
  editor.richedit_undo();
  EXPECT_TRUE(editor.content().contains(QString::fromLatin1(object)));

  editor.set_content(QStringLiteral("{\\rtf1 another\\par}"));
  editor.set_selection_start(7);
  editor.richedit_paste();
  EXPECT_EQ(editor.toPlainText(), u"another\uFFFC"_qs);
  EXPECT_TRUE(editor.content().contains(QString::fromLatin1(object)));
}

}  // namespace
