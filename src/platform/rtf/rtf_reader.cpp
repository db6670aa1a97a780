#include "platform/rtf/rtf_reader.h"

#include <QHash>
#include <QStringDecoder>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/rtf/rtf_code_pages.h"
#include "platform/rtf/rtf_control_words.h"
#include "platform/rtf/rtf_document_builder.h"
#include "platform/rtf/rtf_kept_formats.h"
#include "platform/rtf/rtf_picture.h"
#include "platform/rtf/rtf_state.h"
#include "platform/rtf/rtf_tokenizer.h"

namespace rtf {

namespace {

// Deeper groups share the state of the deepest saved one, so memory stays bounded.
constexpr std::size_t max_depth = 4096;
constexpr double twips_per_pixel = 15.0;
constexpr double himetric_per_pixel = 2540.0 / 96.0;
// The side of a picture that gives no size at all.
constexpr double unsized_picture_pixels = 32;
// List labels and shape property names are short; bytes beyond these say nothing.
constexpr std::size_t max_name_bytes = 16;
// Tables in cells of tables, deeper than any document has them.
constexpr int max_table_depth = 16;
// Field instructions beyond this say nothing the reader uses; the rest is dropped.
constexpr qsizetype max_instruction_chars = 4096;
// The anchor mark of a footnote, which the footnote's own group follows.
constexpr char footnote_mark[] = "{\\super\\chftn}";

struct CharPropsHash {
  std::size_t operator()(const CharProps& p) const {
    return qHashMulti(0, p.font, p.half_points, p.bold, p.italic, p.underline, p.strike,
                      p.foreground, p.background, p.asian_font, p.asian_half_points, p.asian_bold,
                      p.asian_italic, p.vertical, p.caps, p.hidden, p.field);
  }
};

struct ParaPropsHash {
  std::size_t operator()(const ParaProps& p) const {
    return qHashMulti(0, p.alignment, p.line_multiple, p.first_indent, p.left_indent,
                      p.right_indent, p.line_spacing);
  }
};

// Picture words that are written back as they came, in this order.
struct KeptWord {
  Word word;
  const char* name;
};
constexpr KeptWord kept_words[] = {
    {Word::picw, "picw"},
    {Word::pich, "pich"},
    {Word::piccropt, "piccropt"},
    {Word::piccropb, "piccropb"},
    {Word::piccropl, "piccropl"},
    {Word::piccropr, "piccropr"},
    {Word::picbmp, "picbmp"},
    {Word::picbpp, "picbpp"},
    {Word::wbmbitspixel, "wbmbitspixel"},
    {Word::wbmplanes, "wbmplanes"},
    {Word::wbmwidthbytes, "wbmwidthbytes"},
};
constexpr std::size_t kept_word_count = std::size(kept_words);
constexpr std::size_t picw_index = 0;
constexpr std::size_t pich_index = 1;
static_assert(kept_words[picw_index].word == Word::picw &&
              kept_words[pich_index].word == Word::pich);

struct GivenWord {
  bool given = false;
  bool has_parameter = false;
  int value = 0;
};

PictureType picture_type_of(Word word) {
  switch (word) {
    case Word::pngblip:
      return PictureType::png;
    case Word::jpegblip:
      return PictureType::jpeg;
    case Word::emfblip:
      return PictureType::emf;
    case Word::wmetafile:
      return PictureType::wmf;
    case Word::dibitmap:
      return PictureType::dib;
    case Word::wbitmap:
      return PictureType::ddb;
    case Word::macpict:
      return PictureType::mac;
    case Word::pmmetafile:
      return PictureType::os2;
    default:
      return PictureType::none;
  }
}

struct Picture {
  bool in_shape = false;  // the picture of a shape, not one of the text
  PictureType type = PictureType::none;
  std::string type_word;  // as it came, with its parameter
  std::array<GivenWord, kept_word_count> kept;
  int width_goal = 0;  // twips
  int height_goal = 0;
  int scale_x = 100;
  int scale_y = 100;
  int pending_nibble = -1;
  QByteArray data;

  // The type word and the kept words in one order, so that a picture written and read again
  // gives the same words.
  QByteArray words() const {
    QByteArray out = QByteArray::fromStdString(type_word);
    for (std::size_t i = 0; i < kept_word_count; ++i) {
      if (!kept[i].given)
        continue;
      out += '\\';
      out += kept_words[i].name;
      if (kept[i].has_parameter)
        out += QByteArray::number(kept[i].value);
    }
    return out;
  }

  // The size \picw and \pich give in pixels: bitmaps count pixels, other pictures 0.01 mm.
  QSizeF described_size() const {
    const bool bitmap = type == PictureType::dib || type == PictureType::ddb;
    const auto side = [&](const GivenWord& word) {
      if (!word.given || word.value <= 0)
        return unsized_picture_pixels;
      return bitmap ? word.value : word.value / himetric_per_pixel;
    };
    return {side(kept[picw_index]), side(kept[pich_index])};
  }
};

struct Font {
  QString name;
  int code_page = 0;  // 0: the document's
};

// A field's instruction as it reads and, for a link, its target.
struct Field {
  QString instruction;
  QString href;
};

// The arguments of an instruction: quoted texts or words, switches (\l) as they stand.
QStringList instruction_arguments(const QString& instruction) {
  QStringList arguments;
  qsizetype i = 0;
  while (i < instruction.size()) {
    if (instruction[i].isSpace()) {
      ++i;
      continue;
    }
    const bool quoted = instruction[i] == u'"';
    const qsizetype start = quoted ? i + 1 : i;
    qsizetype end = start;
    while (end < instruction.size() &&
           (quoted ? instruction[end] != u'"' : !instruction[end].isSpace())) {
      ++end;
    }
    arguments << instruction.mid(start, end - start);
    i = end + (quoted ? 1 : 0);
  }
  return arguments;
}

// The target of a HYPERLINK instruction: its address, "#" and the place after \l; empty for
// another field.
QString link_target(const QString& instruction) {
  const QStringList arguments = instruction_arguments(instruction);
  if (arguments.isEmpty() ||
      arguments.front().compare(QStringLiteral("HYPERLINK"), Qt::CaseInsensitive) != 0)
    return {};
  QString address;
  QString place;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QStringLiteral("\\l") && i + 1 < arguments.size()) {
      place = arguments[++i];
    } else if (arguments[i].startsWith(u'\\')) {
      ++i;  // a switch with its argument (\o tip, \t frame)
    } else if (address.isEmpty()) {
      address = arguments[i];
    }
  }
  return place.isEmpty() ? address : address + u'#' + place;
}

constexpr std::size_t no_offset = std::string_view::npos;

// A group that goes back as it came when all it shows is one picture: an embedded object or a
// field whose result is a picture (a linked picture, a picture with a link), a shape that shows its
// picture or a picture for its result.
struct KeptGroup {
  std::size_t depth;   // the saved states while inside it
  std::size_t offset;  // of its "{"
  int unicode_skip;
  DocumentBuilder::Mark mark;
  std::size_t text_bytes;  // text bytes read before it
};

// Bytes of a kept group that its 7-bit form says otherwise.
struct Replacement {
  std::size_t from;
  std::size_t to;
  QByteArray bytes;
  bool sound = true;  // false: no 7-bit form says them alike
};

// Appends bytes as our 7-bit RTF says them: a byte beyond ASCII as \'xx, a NUL (skipped like a
// line end) as a line end.
void append_seven_bit(QByteArray& out, std::string_view bytes) {
  std::size_t plain = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte != 0 && byte < 0x80)
      continue;
    out.append(bytes.data() + plain, static_cast<qsizetype>(i - plain));
    if (byte == 0) {
      out += '\n';
    } else {
      const char escape[] = {'\\', '\'', hex_digits[byte >> 4], hex_digits[byte & 0xF]};
      out.append(escape, 4);
    }
    plain = i + 1;
  }
  out.append(bytes.data() + plain, static_cast<qsizetype>(bytes.size() - plain));
}

// A text byte that shows as a character in some code page: a kept group that holds one would read
// otherwise where fonts or code pages differ, as in the document it is written back into.
bool may_show(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte > 0x20 && byte != 0x7F;
}

// Destinations whose text bytes the reader takes in: binary data there must not turn into hex.
bool reads_bytes(Destination destination) {
  switch (destination) {
    case Destination::text:
    case Destination::font_table:
    case Destination::colour_table:
    case Destination::picture:
    case Destination::list_label:
    case Destination::shape_name:
      return true;
    default:
      return false;
  }
}

// Twips beyond any page (about 700 inches) are clamped so pixel sizes stay sane.
constexpr int max_twips = 1 << 20;

int measure(int twips) {
  return std::clamp(twips, -max_twips, max_twips);
}

bool is_cjk(char16_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
         (c >= 0xFF00 && c <= 0xFFEF);
}

ListKind list_kind_of_pn(Word word) {
  switch (word) {
    case Word::pnlvlblt:
      return ListKind::bullet;
    case Word::pnlvlbody:
    case Word::pndec:
    case Word::pnucltr:
    case Word::pnlcltr:
    case Word::pnucrm:
    case Word::pnlcrm:
      return ListKind::decimal;
    default:
      return ListKind::none;
  }
}

char16_t special_character(Word word) {
  switch (word) {
    case Word::emdash:
      return u'\u2014';
    case Word::endash:
      return u'\u2013';
    case Word::lquote:
      return u'\u2018';
    case Word::rquote:
      return u'\u2019';
    case Word::ldblquote:
      return u'\u201C';
    case Word::rdblquote:
      return u'\u201D';
    case Word::bullet:
      return u'\u2022';
    case Word::emspace:
      return u'\u2003';
    case Word::enspace:
      return u'\u2002';
    case Word::qmspace:
      return u'\u2005';
    case Word::zwj:
      return u'\u200D';
    case Word::zwnj:
      return u'\u200C';
    case Word::ltrmark:
      return u'\u200E';
    case Word::rtlmark:
      return u'\u200F';
    case Word::zwbo:
      return u'\u200B';
    case Word::zwnbo:
      return u'\uFEFF';
    case Word::tab:
      return u'\t';
    case Word::line:
      return u'\u2028';
    default:
      return 0;
  }
}

constexpr std::string_view unicode_word = "u";
// Characters of room a text buffer keeps between runs.
constexpr qsizetype max_kept_room = 64 * 1024;

// The UTF-16 unit of a \uN parameter, which writers give signed above 32767.
char16_t unicode_unit(int value) {
  return static_cast<char16_t>(value < 0 ? value + 65536 : value);
}

// Gives meaning to the tokens: a state per group, the font and colour tables, pictures and the
// paragraphs handed to the builder.
class Reader {
 public:
  explicit Reader(QTextDocument& document) : builder_(document) {}

  void read(std::string_view rtf);

 private:
  void on_group_start();
  // False once the outermost group is closed.
  bool on_group_end();
  void on_word(const Token& token);
  void on_text_word(ControlWord control, const Token& token);
  void on_symbol(unsigned char symbol);
  void on_bytes(std::string_view bytes);
  void on_unicode(char16_t unit);
  // The \uN words that follow a first one in the text, each with its fallback, go in without
  // the token loop: CJK text holds one for every character.
  void read_unicode_run(Tokenizer& tokenizer);
  // Text of the body in the current properties; CJK characters take the associated ones.
  void add_text(QStringView text);

  int code_page() const;
  void decode_pending_bytes();
  // Gives the text of the current run to the builder.
  void flush_bytes();
  const QTextCharFormat* format_for(const CharProps& props);
  QTextBlockFormat block_format_for(const ParaProps& props);
  // Into the open table cell at the depth; -1: at the paragraph's own depth, 0 in the text.
  void end_paragraph(int depth = -1);
  void finish();

  void start_font(int number);
  void finish_font();
  void start_picture(bool in_shape);
  void on_picture_word(ControlWord control, const Token& token);
  void finish_picture();
  void on_shape_word(ControlWord control);
  // The instruction read becomes a field of the group around it.
  void finish_instruction();

  // Notes how the 7-bit form of kept groups says the token that starts at the offset; the token
  // is read after.
  void note_replacement(const Token& token, std::size_t from);
  void start_kept_group();
  void finish_kept_group();
  // The 7-bit form of the input from the offset through the current token; none when part of it
  // has none.
  std::optional<QByteArray> seven_bit_form(std::size_t offset) const;

  DocumentBuilder builder_;
  CodePageDecoder decoder_;
  std::string_view input_;
  std::size_t token_end_ = 0;
  std::size_t group_opened_at_ = no_offset;  // the "{" when the token is its group's first
  std::vector<KeptGroup> kept_groups_;       // the innermost last
  std::vector<Replacement> replacements_;    // inside the outermost kept group, in order
  std::size_t text_bytes_ = 0;               // bytes of text that may show, while a group is kept
  State state_;
  std::vector<State> saved_;
  std::size_t overflow_depth_ = 0;
  bool ignorable_ = false;
  int skip_ = 0;  // fallback characters still to drop after \uN

  int document_code_page_ = 1252;
  int default_font_ = 0;
  std::unordered_map<int, Font> fonts_;
  std::vector<Field> fields_{Field()};  // 0: none
  std::string instruction_bytes_;       // not yet decoded
  QString instruction_;
  std::vector<QColor> colours_;
  QColor colour_;
  bool colour_given_ = false;

  // Text of the current run not yet given to the builder: characters, then bytes not yet
  // decoded. It goes in one piece when anything but text comes.
  QString pending_text_;
  std::string pending_bytes_;

  bool font_open_ = false;
  int font_number_ = 0;
  Font font_;
  std::string font_bytes_;

  Picture picture_;
  std::string shape_property_;  // the name of the shape property being read
  bool shape_has_picture_ = false;
  ListKind pn_kind_ = ListKind::none;
  bool has_label_ = false;
  std::string label_;

  std::unordered_map<CharProps, QTextCharFormat, CharPropsHash> char_formats_;
  std::unordered_map<ParaProps, QTextBlockFormat, ParaPropsHash> block_formats_;
  CharProps last_props_;
  const QTextCharFormat* last_format_ = nullptr;
  ParaProps last_para_props_;
  const QTextBlockFormat* last_block_format_ = nullptr;
};

void Reader::read(std::string_view rtf) {
  input_ = rtf;
  Tokenizer tokenizer(rtf);
  TokenType previous = TokenType::end;
  for (;;) {
    const std::size_t from = tokenizer.position();
    Token token = tokenizer.next();
    if (token.type == TokenType::end)
      break;
    token_end_ = tokenizer.position();
    group_opened_at_ = previous == TokenType::group_start ? from - 1 : no_offset;
    previous = token.type;
    if (!kept_groups_.empty())
      note_replacement(token, from);
    if (token.type == TokenType::group_start) {
      on_group_start();
      continue;
    }
    if (token.type == TokenType::group_end) {
      if (!on_group_end())
        break;
      continue;
    }
    if (skip_ > 0) {
      if (token.type == TokenType::text) {
        const std::size_t dropped =
            std::min<std::size_t>(static_cast<std::size_t>(skip_), token.data.size());
        skip_ -= static_cast<int>(dropped);
        token.data.remove_prefix(dropped);
        if (token.data.empty())
          continue;
      } else {
        --skip_;
        continue;
      }
    }
    const bool ignorable = std::exchange(ignorable_, false);
    switch (token.type) {
      case TokenType::control_word:
        if (ignorable) {
          const ControlWord control = find_control_word(token.data);
          if (control.kind != Kind::destination) {
            flush_bytes();
            state_.destination = Destination::skip;
            break;
          }
        }
        on_word(token);
        // The fallback of \uN is mostly hex bytes, which go unread at once.
        if (skip_ > 0)
          skip_ -= tokenizer.skip_hex_bytes(skip_);
        if (token.data == unicode_word)
          read_unicode_run(tokenizer);
        break;
      case TokenType::control_symbol:
        on_symbol(token.symbol);
        break;
      case TokenType::hex_byte: {
        const char byte = static_cast<char>(token.symbol);
        on_bytes(std::string_view(&byte, 1));
        break;
      }
      case TokenType::binary:
        if (state_.destination == Destination::picture) {
          picture_.data.append(token.data.data(), static_cast<qsizetype>(token.data.size()));
        }
        break;
      case TokenType::text:
        on_bytes(token.data);
        break;
      default:
        break;
    }
  }
  finish();
}

void Reader::on_group_start() {
  flush_bytes();
  skip_ = 0;
  ignorable_ = false;
  if (saved_.size() >= max_depth) {
    ++overflow_depth_;
    return;
  }
  saved_.push_back(state_);
  if (state_.destination == Destination::upr) {
    state_.destination = Destination::skip;
    state_.upr_child = true;
  }
}

bool Reader::on_group_end() {
  flush_bytes();
  skip_ = 0;
  ignorable_ = false;
  if (overflow_depth_ > 0) {
    --overflow_depth_;
    return true;
  }
  if (saved_.empty())
    return false;
  const bool kept_group_ends = !kept_groups_.empty() && kept_groups_.back().depth == saved_.size();
  const Destination closing = state_.destination;
  state_ = saved_.back();
  saved_.pop_back();
  if (closing != state_.destination) {
    switch (closing) {
      case Destination::picture:
        finish_picture();
        break;
      case Destination::list_descriptor:
        if (pn_kind_ != ListKind::none)
          state_.para.list = pn_kind_;
        break;
      case Destination::field_instruction:
        finish_instruction();
        break;
      default:
        break;
    }
  }
  if (closing == Destination::font_table)
    finish_font();
  if (kept_group_ends)
    finish_kept_group();
  return !saved_.empty();
}

void Reader::on_word(const Token& token) {
  const ControlWord control = find_control_word(token.data);
  const int value = token.parameter;
  if (control.kind == Kind::skipped_destination) {
    flush_bytes();
    state_.destination = Destination::skip;
    return;
  }
  switch (control.word) {
    case Word::uc:
      state_.unicode_skip = std::clamp(value, 0, 64);
      return;
    case Word::u:
      if (token.has_parameter)
        on_unicode(unicode_unit(value));
      skip_ = state_.unicode_skip;
      return;
    case Word::ud:
      if (state_.upr_child) {
        state_.destination = state_.upr_outer;
        state_.upr_child = false;
      }
      return;
    case Word::shpinst:
      flush_bytes();
      state_.destination =
          state_.destination == Destination::text ? Destination::shape : Destination::skip;
      shape_property_.clear();
      return;
    default:
      break;
  }

  switch (state_.destination) {
    case Destination::text:
      on_text_word(control, token);
      return;
    case Destination::font_table:
      switch (control.word) {
        case Word::f:
          start_font(value);
          return;
        case Word::fcharset:
          flush_bytes();
          font_.code_page = code_page_for_charset(value);
          return;
        case Word::cpg:
          flush_bytes();
          font_.code_page = value;
          return;
        default:
          return;
      }
    case Destination::colour_table:
      if (control.word == Word::red)
        colour_.setRed(std::clamp(value, 0, 255));
      if (control.word == Word::green)
        colour_.setGreen(std::clamp(value, 0, 255));
      if (control.word == Word::blue)
        colour_.setBlue(std::clamp(value, 0, 255));
      if (control.word == Word::red || control.word == Word::green || control.word == Word::blue) {
        colour_given_ = true;
      }
      return;
    case Destination::picture:
      on_picture_word(control, token);
      return;
    case Destination::shape:
    case Destination::shape_value:
      on_shape_word(control);
      return;
    case Destination::list_descriptor: {
      const ListKind kind = list_kind_of_pn(control.word);
      if (kind == ListKind::bullet || (kind == ListKind::decimal && pn_kind_ == ListKind::none)) {
        pn_kind_ = kind;
      }
      return;
    }
    default:
      return;
  }
}

void Reader::on_text_word(ControlWord control, const Token& token) {
  const int value = token.parameter;
  const bool on = !token.has_parameter || value != 0;
  CharProps& chars = state_.chars;
  ParaProps& para = state_.para;
  if (const char16_t c = special_character(control.word)) {
    on_unicode(c);
    return;
  }
  flush_bytes();
  switch (control.word) {
    case Word::ansi:
      document_code_page_ = 1252;
      break;
    case Word::mac:
      document_code_page_ = 10000;
      break;
    case Word::pc:
      document_code_page_ = 437;
      break;
    case Word::pca:
      document_code_page_ = 850;
      break;
    case Word::ansicpg:
      if (value > 0)
        document_code_page_ = value;
      break;
    case Word::deff:
      default_font_ = value;
      break;
    case Word::fonttbl:
      state_.destination = Destination::font_table;
      font_open_ = false;
      break;
    case Word::colortbl:
      state_.destination = Destination::colour_table;
      colour_ = QColor(0, 0, 0);
      colour_given_ = false;
      break;
    case Word::pict:
      start_picture(false);
      break;
    case Word::object:
    case Word::field:
    case Word::shp:
    case Word::shpgrp:
      // A shape's result looks at the picture of its own shape only, so a kept group reads alike
      // wherever it stands.
      shape_has_picture_ = false;
      start_kept_group();
      break;
    case Word::shprslt:
      // The shape's result is what readers without shapes show: the shape's picture stands for it.
      if (shape_has_picture_)
        state_.destination = Destination::skip;
      shape_has_picture_ = false;
      break;
    case Word::pntext:
    case Word::listtext:
      state_.destination = Destination::list_label;
      has_label_ = true;
      break;
    case Word::pn:
      state_.destination = Destination::list_descriptor;
      pn_kind_ = ListKind::none;
      break;
    case Word::upr:
      state_.upr_outer = state_.destination;
      state_.destination = Destination::upr;
      break;
    case Word::plain: {
      // The text stays the result of its field: that is no character format.
      const int field = chars.field;
      chars = CharProps();
      chars.field = field;
      break;
    }
    case Word::super:
      chars.vertical = on ? 1 : 0;
      break;
    case Word::sub:
      chars.vertical = on ? 2 : 0;
      break;
    case Word::nosupersub:
      chars.vertical = 0;
      break;
    case Word::caps:
      if (on || chars.caps == 1)
        chars.caps = on ? 1 : 0;
      break;
    case Word::scaps:
      if (on || chars.caps == 2)
        chars.caps = on ? 2 : 0;
      break;
    case Word::v:
      chars.hidden = on;
      break;
    case Word::fldinst:
      state_.destination = Destination::field_instruction;
      instruction_.clear();
      instruction_bytes_.clear();
      break;
    case Word::fldrslt:
      chars.field = state_.field;
      break;
    case Word::footnote:
      // Nothing of it shows; it goes back as it came, in its place.
      start_kept_group();
      state_.destination = Destination::skip;
      break;
    case Word::chftn:
      builder_.add_kept(QByteArray(footnote_mark), state_.unicode_skip);
      break;
    case Word::dbch:
      state_.double_byte = true;
      break;
    case Word::loch:
    case Word::hich:
    case Word::rtlch:
    case Word::ltrch:
      state_.double_byte = false;
      break;
    case Word::af:
      if (state_.double_byte)
        chars.asian_font = std::max(value, 0);
      break;
    case Word::afs:
      if (state_.double_byte)
        chars.asian_half_points = std::clamp(value, 0, 32767);
      break;
    case Word::ab:
      if (state_.double_byte)
        chars.asian_bold = on;
      break;
    case Word::ai:
      if (state_.double_byte)
        chars.asian_italic = on;
      break;
    case Word::f:
      chars.font = value;
      break;
    case Word::fs:
      chars.half_points = token.has_parameter ? std::clamp(value, 0, 32767) : 24;
      break;
    case Word::b:
      chars.bold = on;
      break;
    case Word::i:
      chars.italic = on;
      break;
    case Word::ul:
    case Word::uld:
    case Word::uldb:
    case Word::uldash:
    case Word::uldashd:
    case Word::uldashdd:
    case Word::ulth:
    case Word::ulw:
    case Word::ulwave:
    case Word::ulhwave:
    case Word::ululdbwave:
    case Word::ulthd:
    case Word::ulthdash:
    case Word::ulldash:
    case Word::ulthldash:
    case Word::ulthdashd:
    case Word::ulthdashdd:
      chars.underline = on;
      break;
    case Word::ulnone:
      chars.underline = false;
      break;
    case Word::strike:
    case Word::striked:
      chars.strike = on;
      break;
    case Word::cf:
      chars.foreground = value;
      break;
    case Word::highlight:
    case Word::cb:
    case Word::chcbpat:
      chars.background = value;
      break;
    case Word::pard:
      para = ParaProps();
      break;
    case Word::ql:
      para.alignment = 1;
      break;
    case Word::qc:
      para.alignment = 2;
      break;
    case Word::qr:
      para.alignment = 3;
      break;
    case Word::qj:
    case Word::qd:
      para.alignment = 4;
      break;
    case Word::fi:
      para.first_indent = measure(value);
      break;
    case Word::li:
    case Word::lin:
      para.left_indent = measure(value);
      break;
    case Word::ri:
    case Word::rin:
      para.right_indent = measure(value);
      break;
    case Word::sl:
      para.line_spacing = measure(value);
      break;
    case Word::slmult:
      para.line_multiple = on;
      break;
    case Word::ls:
      para.list_override = std::clamp(value, 0, 1 << 20);
      break;
    case Word::par:
    case Word::page:
    case Word::sect:
      end_paragraph();
      break;
    case Word::intbl:
      para.table_depth = std::max(para.table_depth, 1);
      break;
    case Word::itap:
      para.table_depth = std::clamp(value, 0, max_table_depth);
      break;
    case Word::cell:
      end_paragraph(1);
      builder_.end_cell(1);
      break;
    case Word::nestcell:
      end_paragraph(std::max(para.table_depth, 2));
      builder_.end_cell(std::max(para.table_depth, 2));
      break;
    case Word::row:
    case Word::nestrow: {
      const int depth = control.word == Word::row ? 1 : std::max(para.table_depth, 2);
      if (!builder_.paragraph_empty())
        end_paragraph(depth);
      builder_.end_row(depth);
      break;
    }
    default:
      break;
  }
}

void Reader::on_symbol(unsigned char symbol) {
  switch (symbol) {
    case '\\':
    case '{':
    case '}': {
      const char byte = static_cast<char>(symbol);
      on_bytes(std::string_view(&byte, 1));
      return;
    }
    case '*':
      ignorable_ = true;
      return;
    case '~':
      if (state_.destination == Destination::text)
        on_unicode(u'\u00A0');
      return;
    case '_':
      if (state_.destination == Destination::text)
        on_unicode(u'\u2011');
      return;
    case '\n':
      if (state_.destination == Destination::text) {
        flush_bytes();
        end_paragraph();
      }
      return;
    default:
      return;
  }
}

void Reader::on_bytes(std::string_view bytes) {
  switch (state_.destination) {
    case Destination::text:
      pending_bytes_.append(bytes);
      if (!kept_groups_.empty())
        text_bytes_ +=
            static_cast<std::size_t>(std::count_if(bytes.begin(), bytes.end(), may_show));
      return;
    case Destination::font_table:
      for (const char c : bytes) {
        if (c == ';') {
          finish_font();
        } else if (font_open_) {
          font_bytes_.push_back(c);
        }
      }
      return;
    case Destination::colour_table:
      for (const char c : bytes) {
        if (c != ';')
          continue;
        colours_.push_back(colour_given_ ? colour_ : QColor());
        colour_ = QColor(0, 0, 0);
        colour_given_ = false;
      }
      return;
    case Destination::picture:
      for (const char c : bytes) {
        const int nibble = hex_value(c);
        if (nibble < 0)
          continue;
        if (picture_.pending_nibble < 0) {
          picture_.pending_nibble = nibble;
        } else {
          picture_.data.append(static_cast<char>(picture_.pending_nibble << 4 | nibble));
          picture_.pending_nibble = -1;
        }
      }
      return;
    case Destination::list_label:
      label_.append(bytes.substr(0, max_name_bytes - std::min(label_.size(), max_name_bytes)));
      return;
    case Destination::shape_name:
      shape_property_.append(
          bytes.substr(0, max_name_bytes - std::min(shape_property_.size(), max_name_bytes)));
      return;
    case Destination::field_instruction:
      if (instruction_bytes_.size() + static_cast<std::size_t>(instruction_.size()) <
          max_instruction_chars) {
        instruction_bytes_.append(bytes);
      }
      return;
    default:
      return;
  }
}

void Reader::on_unicode(char16_t unit) {
  if (state_.destination == Destination::text) {
    if (!pending_bytes_.empty())
      decode_pending_bytes();
    pending_text_.append(QChar(unit));
  } else if (state_.destination == Destination::font_table && font_open_) {
    if (!font_bytes_.empty()) {
      decoder_.decode(font_bytes_, font_.code_page ? font_.code_page : document_code_page_,
                      font_.name);
      font_bytes_.clear();
    }
    font_.name.append(QChar(unit));
  } else if (state_.destination == Destination::field_instruction) {
    decoder_.decode(instruction_bytes_, code_page(), instruction_);
    instruction_bytes_.clear();
    if (instruction_.size() < max_instruction_chars)
      instruction_.append(QChar(unit));
  }
}

void Reader::read_unicode_run(Tokenizer& tokenizer) {
  int value = 0;
  if (state_.destination != Destination::text || !kept_groups_.empty() || skip_ != 0 ||
      !tokenizer.take_word(unicode_word, value)) {
    return;
  }
  // Bytes before come first, as on_unicode has them (a \u without a parameter decoded none).
  decode_pending_bytes();
  std::array<char16_t, 256> units;
  std::size_t count = 0;
  do {
    units[count++] = unicode_unit(value);
    if (count == units.size()) {
      pending_text_.append(QStringView(units.data(), count));
      count = 0;
    }
    skip_ = state_.unicode_skip - tokenizer.skip_hex_bytes(state_.unicode_skip);
  } while (skip_ == 0 && tokenizer.take_word(unicode_word, value));
  pending_text_.append(QStringView(units.data(), count));
  token_end_ = tokenizer.position();
}

int Reader::code_page() const {
  // After \dbch the bytes are those of the associated double-byte font.
  const CharProps& chars = state_.chars;
  int number = state_.double_byte && chars.asian_font >= 0 ? chars.asian_font : chars.font;
  if (number < 0)
    number = default_font_;
  const auto it = fonts_.find(number);
  return it != fonts_.end() && it->second.code_page != 0 ? it->second.code_page
                                                         : document_code_page_;
}

void Reader::decode_pending_bytes() {
  if (pending_bytes_.empty())
    return;
  decoder_.decode(pending_bytes_, code_page(), pending_text_);
  pending_bytes_.clear();
}

void Reader::flush_bytes() {
  decode_pending_bytes();
  if (pending_text_.isEmpty())
    return;
  add_text(pending_text_);
  // Keeps its room for the next run, unless that room is large: memory given back now is what
  // the document takes next.
  if (pending_text_.capacity() > max_kept_room)
    pending_text_.clear();
  else
    pending_text_.resize(0);
}

void Reader::add_text(QStringView text) {
  if (state_.chars.hidden) {
    builder_.add_hidden(text);
    return;
  }
  if (!state_.chars.has_asian()) {
    builder_.add_text(text, format_for(state_.chars));
    return;
  }
  const CharProps other_props = state_.chars.other();
  const CharProps asian_props = state_.chars.asian();
  if (asian_props == other_props) {
    builder_.add_text(text, format_for(other_props));
    return;
  }
  const QTextCharFormat* other = format_for(other_props);
  const QTextCharFormat* asian = format_for(asian_props);
  qsizetype start = 0;
  while (start < text.size()) {
    const bool cjk = is_cjk(text[start].unicode());
    qsizetype end = start + 1;
    while (end < text.size() && is_cjk(text[end].unicode()) == cjk)
      ++end;
    builder_.add_text(text.sliced(start, end - start), cjk ? asian : other);
    start = end;
  }
}

const QTextCharFormat* Reader::format_for(const CharProps& props) {
  if (last_format_ != nullptr && props == last_props_)
    return last_format_;
  auto [it, added] = char_formats_.try_emplace(props);
  if (added) {
    QTextCharFormat& format = it->second;
    const auto font = fonts_.find(props.font < 0 ? default_font_ : props.font);
    if (font != fonts_.end() && !font->second.name.isEmpty()) {
      format.setFontFamilies({font->second.name});
    }
    if (props.half_points > 0)
      format.setFontPointSize(props.half_points / 2.0);
    if (props.bold)
      format.setFontWeight(QFont::Bold);
    if (props.italic)
      format.setFontItalic(true);
    if (props.underline)
      format.setFontUnderline(true);
    if (props.strike)
      format.setFontStrikeOut(true);
    const auto colour = [this](int index) {
      return index > 0 && index < static_cast<int>(colours_.size()) ? colours_[index] : QColor();
    };
    if (const QColor c = colour(props.foreground); c.isValid())
      format.setForeground(c);
    if (const QColor c = colour(props.background); c.isValid())
      format.setBackground(c);
    if (props.vertical != 0) {
      format.setVerticalAlignment(props.vertical == 1 ? QTextCharFormat::AlignSuperScript
                                                      : QTextCharFormat::AlignSubScript);
    }
    if (props.caps != 0)
      format.setFontCapitalization(props.caps == 1 ? QFont::AllUppercase : QFont::SmallCaps);
    if (props.field > 0) {
      const Field& field = fields_[static_cast<std::size_t>(props.field)];
      format.setProperty(field_instruction_property, field.instruction);
      if (!field.href.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(field.href);
      }
    }
  }
  last_props_ = props;
  last_format_ = &it->second;
  return last_format_;
}

QTextBlockFormat Reader::block_format_for(const ParaProps& props) {
  ParaProps key = props;
  key.list = ListKind::none;
  key.list_override = 0;
  key.table_depth = 0;
  if (last_block_format_ != nullptr && key == last_para_props_)
    return *last_block_format_;
  auto [it, added] = block_formats_.try_emplace(key);
  if (added) {
    QTextBlockFormat& format = it->second;
    static constexpr Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignHCenter,
                                                   Qt::AlignRight, Qt::AlignJustify};
    if (props.alignment != 0)
      format.setAlignment(alignments[props.alignment]);
    if (props.first_indent != 0)
      format.setTextIndent(props.first_indent / twips_per_pixel);
    if (props.left_indent != 0)
      format.setLeftMargin(props.left_indent / twips_per_pixel);
    if (props.right_indent != 0)
      format.setRightMargin(props.right_indent / twips_per_pixel);
    if (props.line_spacing != 0) {
      if (props.line_multiple) {
        format.setLineHeight(std::abs(props.line_spacing) * 100.0 / 240.0,
                             QTextBlockFormat::ProportionalHeight);
      } else if (props.line_spacing > 0) {
        format.setLineHeight(props.line_spacing / twips_per_pixel, QTextBlockFormat::MinimumHeight);
      } else {
        format.setLineHeight(-static_cast<double>(props.line_spacing) / twips_per_pixel,
                             QTextBlockFormat::FixedHeight);
      }
    }
  }
  last_para_props_ = key;
  last_block_format_ = &it->second;
  return it->second;
}

// The first number in a list label ("12." gives 12), 0 when it holds none.
int label_number(std::string_view label) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  const auto first = std::find_if(label.begin(), label.end(), digit);
  int number = 0;
  for (auto it = first; it != label.end() && digit(*it) && number < 1'000'000; ++it)
    number = number * 10 + (*it - '0');
  return number;
}

void Reader::end_paragraph(int depth) {
  flush_bytes();
  ListItem list;
  list.kind = state_.para.list;
  list.override_number = state_.para.list_override;
  list.label_number = has_label_ ? label_number(label_) : 0;
  if (list.kind == ListKind::none && (list.override_number > 0 || has_label_)) {
    const bool numbered = label_.find_first_of("0123456789") != std::string::npos;
    list.kind = numbered ? ListKind::decimal : ListKind::bullet;
  }
  const QTextCharFormat* mark = builder_.first_format();
  if (mark == nullptr)
    mark = format_for(state_.chars);
  if (depth < 0)
    depth = state_.para.table_depth;
  if (depth > 0) {
    builder_.end_table_paragraph(block_format_for(state_.para), list, *mark, depth);
  } else {
    builder_.end_paragraph(block_format_for(state_.para), list, *mark);
  }
  has_label_ = false;
  label_.clear();
}

void Reader::finish() {
  flush_bytes();
  // A picture cut off by the end of the file keeps what it holds.
  if (state_.destination == Destination::picture)
    finish_picture();
  if (!builder_.paragraph_empty())
    end_paragraph();
  builder_.close_tables();
}

void Reader::start_font(int number) {
  finish_font();
  font_open_ = true;
  font_number_ = number;
  font_ = Font();
  font_bytes_.clear();
}

void Reader::finish_font() {
  if (!font_open_)
    return;
  decoder_.decode(font_bytes_, font_.code_page ? font_.code_page : document_code_page_, font_.name);
  font_.name = font_.name.trimmed();
  fonts_.try_emplace(font_number_, std::move(font_));
  font_open_ = false;
  font_bytes_.clear();
}

void Reader::start_picture(bool in_shape) {
  flush_bytes();
  state_.destination = Destination::picture;
  picture_ = Picture();
  picture_.in_shape = in_shape;
}

void Reader::on_picture_word(ControlWord control, const Token& token) {
  const int value = token.parameter;
  switch (control.word) {
    case Word::picwgoal:
      picture_.width_goal = measure(value);
      return;
    case Word::pichgoal:
      picture_.height_goal = measure(value);
      return;
    case Word::picscalex:
      picture_.scale_x = std::clamp(value, 0, 10000);
      return;
    case Word::picscaley:
      picture_.scale_y = std::clamp(value, 0, 10000);
      return;
    default:
      break;
  }
  if (const PictureType type = picture_type_of(control.word); type != PictureType::none) {
    picture_.type = type;
    picture_.type_word = '\\' + std::string(token.data);
    if (token.has_parameter)
      picture_.type_word += std::to_string(value);
    return;
  }
  for (std::size_t i = 0; i < kept_word_count; ++i) {
    if (kept_words[i].word == control.word) {
      const int kept = i == picw_index || i == pich_index ? measure(value) : value;
      picture_.kept[i] = {true, token.has_parameter, kept};
      return;
    }
  }
}

// Every picture that shows is kept, also one the editor cannot draw: that one shows as a box of
// its size.
void Reader::finish_picture() {
  Picture picture = std::move(picture_);
  picture_ = Picture();
  if (picture.data.isEmpty())
    return;
  const PictureView view = view_of(picture.type, picture.data);
  const QSizeF natural = view.natural.isValid() ? QSizeF(view.natural) : picture.described_size();
  const auto side = [](int goal, int scale, double pixels) {
    const double scaled = goal > 0 ? goal / twips_per_pixel : pixels;
    return std::min((scale > 0 ? scaled * scale / 100.0 : scaled), max_twips / twips_per_pixel);
  };
  KeptPicture kept;
  kept.words = picture.words();
  kept.data = picture.data;
  builder_.add_image(view.resource, kept,
                     QSizeF(side(picture.width_goal, picture.scale_x, natural.width()),
                            side(picture.height_goal, picture.scale_y, natural.height())));
  if (picture.in_shape)
    shape_has_picture_ = true;
}

// Inside a shape only its picture property (pib) shows; text boxes and other properties are left
// to the shape's result.
void Reader::on_shape_word(ControlWord control) {
  switch (control.word) {
    case Word::sn:
      state_.destination = Destination::shape_name;
      shape_property_.clear();
      return;
    case Word::sv:
      state_.destination = Destination::shape_value;
      return;
    case Word::pict:
      if (state_.destination == Destination::shape_value && shape_property_ == "pib") {
        start_picture(true);
      } else {
        state_.destination = Destination::skip;
      }
      return;
    default:
      return;
  }
}

// Binary data goes as hex where hex means the same: in a picture (unless half a hex byte waits)
// and where no bytes are read. Where text is read, and in place of a character skipped after \uN,
// it means nothing and goes as an empty \bin0 that is still one token.
void Reader::note_replacement(const Token& token, std::size_t from) {
  Replacement replacement{from, token_end_, QByteArray()};
  if (token.type == TokenType::binary && !token.data.empty()) {
    if (skip_ > 0 ||
        (reads_bytes(state_.destination) && state_.destination != Destination::picture)) {
      replacement.bytes = "\\bin0 ";
    } else if (state_.destination == Destination::picture && picture_.pending_nibble >= 0) {
      replacement.sound = false;
    } else {
      replacement.bytes = '\n' + QByteArray::fromRawData(token.data.data(),
                                                         static_cast<qsizetype>(token.data.size()))
                                     .toHex();
    }
  } else if (token.type == TokenType::control_symbol &&
             (token.symbol == 0 || token.symbol >= 0x80)) {
    // A symbol no reader knows, which this reader ignores as well.
    replacement.bytes = "\\?";
  } else {
    return;
  }
  replacements_.push_back(std::move(replacement));
}

// Only a group that starts with its word is kept, so that written back it is found again.
void Reader::start_kept_group() {
  if (group_opened_at_ != no_offset && overflow_depth_ == 0) {
    kept_groups_.push_back(
        {saved_.size(), group_opened_at_, state_.unicode_skip, builder_.mark(), text_bytes_});
  }
}

std::optional<QByteArray> Reader::seven_bit_form(std::size_t offset) const {
  QByteArray bytes;
  std::size_t at = offset;
  for (const Replacement& replacement : replacements_) {
    if (replacement.from < offset)
      continue;  // before this group, inside an outer one
    if (!replacement.sound)
      return std::nullopt;
    append_seven_bit(bytes, input_.substr(at, replacement.from - at));
    bytes += replacement.bytes;
    at = replacement.to;
  }
  append_seven_bit(bytes, input_.substr(at, token_end_ - at));
  return bytes;
}

void Reader::finish_kept_group() {
  const KeptGroup group = kept_groups_.back();
  kept_groups_.pop_back();
  // Text bytes that showed nothing here (a code page without them) may show where it is written.
  if (text_bytes_ == group.text_bytes) {
    if (builder_.only_picture_since(group.mark)) {
      if (const auto bytes = seven_bit_form(group.offset))
        builder_.keep_group(group.mark, *bytes, group.unicode_skip);
    } else if (const auto bytes = seven_bit_form(group.offset)) {
      // A footnote, a field without a result, an object without a picture.
      builder_.keep_invisible_group(group.mark, *bytes, group.unicode_skip);
    }
  }
  if (kept_groups_.empty())
    replacements_.clear();
}

void Reader::finish_instruction() {
  decoder_.decode(instruction_bytes_, code_page(), instruction_);
  instruction_bytes_.clear();
  // Control characters say nothing, and no document holds them.
  instruction_.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
  Field field;
  field.instruction = instruction_.trimmed();
  instruction_.clear();
  if (field.instruction.isEmpty()) {
    state_.field = 0;
    return;
  }
  field.href = link_target(field.instruction);
  state_.field = static_cast<int>(fields_.size());
  fields_.push_back(std::move(field));
}

// Not RTF at all: old contents stored as plain text, UTF-8 or else GBK.
void read_plain_text(const QByteArray& bytes, QTextDocument& document) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (utf8.hasError()) {
    text.clear();
    CodePageDecoder gbk;
    gbk.decode(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), 936,
               text);
  }
  // Control characters are dropped as in RTF text; line ends and tabs stay.
  text.removeIf([](QChar c) {
    return (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c.unicode() == 0x7F;
  });
  const bool undo = document.isUndoRedoEnabled();
  document.setUndoRedoEnabled(false);
  document.setPlainText(text);
  document.setUndoRedoEnabled(undo);
}

}  // namespace

}  // namespace rtf

void read_rtf(const QByteArray& rtf, QTextDocument& document) {
  const qsizetype start = rtf.indexOf("{\\rtf");
  if (start < 0) {
    rtf::read_plain_text(rtf, document);
    return;
  }
  rtf::Reader reader(document);
  reader.read(
      std::string_view(rtf.constData() + start, static_cast<std::size_t>(rtf.size() - start)));
}
