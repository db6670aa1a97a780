#include "platform/rtf/rtf_writer.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/rtf/rtf_code_pages.h"
#include "platform/rtf/rtf_kept_formats.h"
#include "platform/rtf/rtf_picture.h"
#include "platform/rtf/rtf_tokenizer.h"

namespace {

constexpr double twips_per_pixel = 15.0;
constexpr double himetric_per_pixel = 2540.0 / 96.0;
constexpr int hex_line_length = 128;
// The width tables are given on a page: Letter or A4 less Word's margins.
constexpr int text_width = 9000;
// \ucN of the document: a character beyond ASCII is followed by two GBK bytes.
constexpr int unicode_skip = 2;
// Font and colour tables of ordinary documents fit here.
constexpr qsizetype header_room = 16 * 1024;

// Rounds to a whole RTF number; sizes no document needs are clamped rather than overflowing.
int whole(double value) {
  if (!(value == value))
    return 0;
  return static_cast<int>(std::lround(std::clamp(value, -1e9, 1e9)));
}

// What a run sets, with font and colour table indexes (colour 0: none).
struct RunProps {
  bool image = false;
  bool kept = false;  // an object that stands for kept RTF or hidden text
  int font = 0;
  int half_points = 24;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  int foreground = 0;
  int background = 0;
  int vertical = 0;  // 1 raised, 2 lowered
  int caps = 0;      // 1 capitals, 2 small capitals
  int field = 0;     // index + 1 into the writer's fields
};

// The instruction a field's result text goes back with: its own, or one that names the link.
QString field_instruction(const QTextCharFormat& format) {
  const QString instruction = format.stringProperty(rtf::field_instruction_property);
  if (!instruction.isEmpty() || !format.isAnchor())
    return instruction;
  const QString href = format.anchorHref();
  if (href.startsWith(u'#'))
    return QStringLiteral("HYPERLINK \\l \"") + href.mid(1) + u'"';
  return QStringLiteral("HYPERLINK \"") + href + u'"';
}

bool is_cjk_font(const QString& name) {
  for (const QChar c : name) {
    if (c.unicode() >= 0x80)
      return true;
  }
  static const QStringList cjk_names = {"SimSun",     "NSimSun",
                                        "SimHei",     "KaiTi",
                                        "FangSong",   "Microsoft YaHei",
                                        "MingLiU",    "PMingLiU",
                                        "DengXian",   "Microsoft JhengHei",
                                        "STSong",     "STHeiti",
                                        "STKaiti",    "STFangsong",
                                        "Source Han", "WenQuanYi",
                                        "AR PL",      "Droid Sans Fallback"};
  for (const QString& known : cjk_names) {
    if (name.startsWith(known, Qt::CaseInsensitive))
      return true;
  }
  return name.contains(QLatin1String("CJK"), Qt::CaseInsensitive);
}

// An append-only byte buffer: room is made once per piece, bytes are written through a pointer.
class Output {
 public:
  // Room for the given bytes after a gap that after() fills with the header, so the body is
  // never moved to make room for it.
  void reserve(qsizetype bytes, qsizetype gap) {
    grow(gap + bytes);
    gap_ = used_ = gap;
  }
  void append(std::string_view text) {
    std::memcpy(room(static_cast<qsizetype>(text.size())), text.data(), text.size());
    used_ += static_cast<qsizetype>(text.size());
  }
  void push_back(char c) {
    *room(1) = c;
    ++used_;
  }
  void number(int value) {
    char* at = room(12);
    used_ += std::to_chars(at, at + 12, value).ptr - at;
  }
  // Space for at least the given bytes; advance() then counts those written.
  char* room(qsizetype bytes) {
    if (used_ + bytes > buffer_.size())
      grow(std::max(buffer_.size() * 2, used_ + bytes + 4096));
    return base_ + used_;
  }
  void advance(qsizetype bytes) { used_ += bytes; }
  // The bytes as lowercase hex, a line break before every line of the given bytes.
  void hex_lines(const QByteArray& bytes, qsizetype bytes_per_line) {
    const qsizetype lines = (bytes.size() + bytes_per_line - 1) / bytes_per_line;
    char* at = room(bytes.size() * 2 + lines);
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
      if (i % bytes_per_line == 0)
        *at++ = '\n';
      *at++ = rtf::hex_digits[in[i] >> 4];
      *at++ = rtf::hex_digits[in[i] & 0xF];
    }
    used_ = at - base_;
  }
  // The header's bytes, then these.
  QByteArray after(const Output& header) {
    if (header.used_ > gap_) {
      // A header beyond the gap (many fonts or lists): one copy into a buffer of the whole size.
      QByteArray joined(header.used_ + used_ - gap_, Qt::Uninitialized);
      std::memcpy(joined.data(), header.base_, static_cast<std::size_t>(header.used_));
      std::memcpy(joined.data() + header.used_, base_ + gap_,
                  static_cast<std::size_t>(used_ - gap_));
      return joined;
    }
    buffer_.resize(used_);
    std::memcpy(base_ + gap_ - header.used_, header.base_, static_cast<std::size_t>(header.used_));
    buffer_.remove(0, gap_ - header.used_);
    return std::move(buffer_);
  }

 private:
  void grow(qsizetype bytes) {
    buffer_.resize(bytes);
    base_ = buffer_.data();
  }

  QByteArray buffer_;
  char* base_ = nullptr;
  qsizetype used_ = 0;
  qsizetype gap_ = 0;
};

class Writer {
 public:
  explicit Writer(const QTextDocument& document) : document_(document) {}

  QByteArray write();

 private:
  int font_index(const QString& name);
  int colour_index(const QBrush& brush);
  const RunProps& props_of(int format_index, const QTextCharFormat& format);
  // The cached properties of a format index, or null: saves building the format.
  const RunProps* cached_props(int format_index) const {
    const auto slot = static_cast<std::size_t>(format_index);
    return format_index >= 0 && slot < props_by_format_.size() && props_by_format_[slot]
               ? &*props_by_format_[slot]
               : nullptr;
  }
  void write_props(const RunProps& props);
  // depth: of the table cell the paragraph is in, 0 in the text.
  void write_paragraph_start(const QTextBlock& block, int depth);
  void write_block(const QTextBlock& block, int depth, std::string_view ending);
  // The blocks and tables from begin to end, the last block ending as given.
  // width: twips for the tables among them.
  void write_items(QTextFrame::iterator begin, const QTextFrame::iterator& end, int depth,
                   int width, std::string_view last_ending);
  void write_table(const QTextTable& table, int depth, int width);
  void write_text(QStringView text);
  void write_image(const QTextImageFormat& format);
  void write_picture(const QByteArray& words, const QByteArray& data, double width, double height);
  void write_group(const QByteArray& group, int group_unicode_skip);
  void write_kept(const QTextCharFormat& format);
  void open_field(int field);
  void close_field();
  int list_number(const QTextList* list);
  void write_list_tables();
  void word(const char* text);
  void word(const char* text, int value);
  void hex_byte(unsigned value);
  void write_name(const QString& name);

  const QTextDocument& document_;
  Output out_;
  bool delimit_ = false;  // a control word was written last and text follows
  QStringList fonts_;
  QHash<QString, int> font_indexes_;
  int symbol_font_ = -1;
  std::vector<const QTextList*> lists_;  // \lsN is the list at N - 1
  QHash<const QTextList*, int> list_numbers_;
  std::vector<QRgb> colours_;
  QHash<QRgb, int> colour_indexes_;
  std::vector<std::optional<RunProps>> props_by_format_;
  RunProps written_;
  QStringList fields_;  // instructions, a field's number - 1
  QHash<QString, int> field_numbers_;
  int open_field_ = 0;
  RunProps outside_field_;  // what the text around the open field's group has
};

void Writer::word(const char* text) {
  out_.push_back('\\');
  out_.append(text);
  delimit_ = true;
}

void Writer::word(const char* text, int value) {
  out_.push_back('\\');
  out_.append(text);
  out_.number(value);
  delimit_ = true;
}

void Writer::hex_byte(unsigned value) {
  const char escape[] = {'\\', '\'', rtf::hex_digits[(value >> 4) & 0xF],
                         rtf::hex_digits[value & 0xF]};
  out_.append(std::string_view(escape, 4));
  delimit_ = false;
}

int Writer::font_index(const QString& name) {
  const auto it = font_indexes_.constFind(name);
  if (it != font_indexes_.constEnd())
    return it.value();
  fonts_.append(name);
  const int index = static_cast<int>(fonts_.size()) - 1;
  font_indexes_.insert(name, index);
  return index;
}

int Writer::colour_index(const QBrush& brush) {
  const QRgb rgb = brush.color().rgb() & 0xFFFFFF;
  const auto it = colour_indexes_.constFind(rgb);
  if (it != colour_indexes_.constEnd())
    return it.value();
  colours_.push_back(rgb);
  const int index = static_cast<int>(colours_.size());
  colour_indexes_.insert(rgb, index);
  return index;
}

QString effective_family(const QTextCharFormat& format, const QTextDocument& document) {
  const QStringList families = format.fontFamilies().toStringList();
  if (!families.isEmpty() && !families.first().isEmpty())
    return families.first();
  const QString family = format.stringProperty(QTextFormat::FontFamily);
  return family.isEmpty() ? document.defaultFont().family() : family;
}

const RunProps& Writer::props_of(int format_index, const QTextCharFormat& format) {
  if (format_index < 0)
    format_index = 0;
  const auto slot = static_cast<std::size_t>(format_index);
  if (slot >= props_by_format_.size())
    props_by_format_.resize(slot + 1);
  std::optional<RunProps>& cached = props_by_format_[slot];
  if (!cached) {
    RunProps props;
    props.image = format.isImageFormat();
    props.kept = format.objectType() == rtf::kept_object_type;
    props.font = font_index(effective_family(format, document_));
    double points = format.hasProperty(QTextFormat::FontPointSize)
                        ? format.fontPointSize()
                        : document_.defaultFont().pointSizeF();
    if (points <= 0)
      points = 12;
    props.half_points = whole(points * 2);
    props.bold = format.fontWeight() > QFont::Medium;
    props.italic = format.fontItalic();
    props.underline = format.fontUnderline();
    props.strike = format.fontStrikeOut();
    if (format.hasProperty(QTextFormat::ForegroundBrush) &&
        format.foreground().style() != Qt::NoBrush) {
      props.foreground = colour_index(format.foreground());
    }
    if (format.hasProperty(QTextFormat::BackgroundBrush) &&
        format.background().style() != Qt::NoBrush) {
      props.background = colour_index(format.background());
    }
    switch (format.verticalAlignment()) {
      case QTextCharFormat::AlignSuperScript:
        props.vertical = 1;
        break;
      case QTextCharFormat::AlignSubScript:
        props.vertical = 2;
        break;
      default:
        break;
    }
    switch (format.fontCapitalization()) {
      case QFont::AllUppercase:
        props.caps = 1;
        break;
      case QFont::SmallCaps:
        props.caps = 2;
        break;
      default:
        break;
    }
    if (const QString instruction = field_instruction(format); !instruction.isEmpty()) {
      auto it = field_numbers_.constFind(instruction);
      if (it == field_numbers_.constEnd()) {
        fields_.append(instruction);
        it = field_numbers_.insert(instruction, static_cast<int>(fields_.size()));
      }
      props.field = it.value();
    }
    cached = props;
  }
  return *cached;
}

void Writer::write_props(const RunProps& props) {
  if (props.font != written_.font) {
    // LibreOffice takes the font of CJK text from \dbch\af only.
    word("loch");
    word("f", props.font);
    word("dbch");
    word("af", props.font);
  }
  if (props.half_points != written_.half_points)
    word("fs", props.half_points);
  if (props.bold != written_.bold)
    word(props.bold ? "b" : "b0");
  if (props.italic != written_.italic)
    word(props.italic ? "i" : "i0");
  if (props.underline != written_.underline)
    word(props.underline ? "ul" : "ulnone");
  if (props.strike != written_.strike)
    word(props.strike ? "strike" : "strike0");
  if (props.foreground != written_.foreground)
    word("cf", props.foreground);
  if (props.background != written_.background)
    word("highlight", props.background);
  if (props.vertical != written_.vertical)
    word(props.vertical == 1 ? "super" : props.vertical == 2 ? "sub" : "nosupersub");
  if (props.caps != written_.caps) {
    if (written_.caps != 0)
      word(written_.caps == 1 ? "caps0" : "scaps0");
    if (props.caps != 0)
      word(props.caps == 1 ? "caps" : "scaps");
  }
  written_ = props;
}

int Writer::list_number(const QTextList* list) {
  const auto it = list_numbers_.constFind(list);
  if (it != list_numbers_.constEnd())
    return it.value();
  lists_.push_back(list);
  const int number = static_cast<int>(lists_.size());
  list_numbers_.insert(list, number);
  return number;
}

// One list with one level per list of the document, so that Word and LibreOffice number each
// list from 1 as the editor does; WordPad reads the \pn words instead.
void Writer::write_list_tables() {
  if (lists_.empty())
    return;
  out_.append("{\\*\\listtable");
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    out_.append("{\\list\\listtemplateid");
    out_.number(number);
    out_.append("\\listsimple{\\listlevel");
    if (lists_[i]->format().style() == QTextListFormat::ListDecimal) {
      out_.append("\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}");
    } else {
      out_.append("\\levelnfc23\\levelstartat1{\\leveltext\\'01\\'b7;}{\\levelnumbers;}\\f");
      out_.number(symbol_font_);
      out_.push_back('}');
    }
    out_.append("\\listid");
    out_.number(number);
    out_.push_back('}');
  }
  out_.append("}\n{\\*\\listoverridetable");
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    out_.append("{\\listoverride\\listid");
    out_.number(static_cast<int>(i) + 1);
    out_.append("\\listoverridecount0\\ls");
    out_.number(static_cast<int>(i) + 1);
    out_.push_back('}');
  }
  out_.append("}\n");
}

void Writer::write_paragraph_start(const QTextBlock& block, int depth) {
  word("pard");
  if (depth > 0)
    word("intbl");
  if (depth > 1)
    word("itap", depth);
  if (const QTextList* list = block.textList()) {
    if (list->format().style() == QTextListFormat::ListDecimal) {
      out_.append("{\\pntext\\f0 ");
      out_.number(list->itemNumber(block) + 1);
      out_.append(".\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxta.}}");
    } else {
      if (symbol_font_ < 0)
        symbol_font_ = font_index(QStringLiteral("Symbol"));
      out_.append("{\\pntext\\f");
      out_.number(symbol_font_);
      out_.append("\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf");
      out_.number(symbol_font_);
      out_.append("\\pnindent0{\\pntxtb\\'B7}}");
    }
    word("ls", list_number(list));
  }
  const QTextBlockFormat format = block.blockFormat();
  if (format.hasProperty(QTextFormat::BlockAlignment)) {
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter) {
      word("qc");
    } else if (alignment & (Qt::AlignRight | Qt::AlignTrailing)) {
      word("qr");
    } else if (alignment & Qt::AlignJustify) {
      word("qj");
    } else {
      word("ql");
    }
  }
  if (const int fi = whole(format.textIndent() * twips_per_pixel))
    word("fi", fi);
  if (const int li = whole(format.leftMargin() * twips_per_pixel))
    word("li", li);
  if (const int ri = whole(format.rightMargin() * twips_per_pixel))
    word("ri", ri);
  switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
      word("sl", whole(format.lineHeight() * 240 / 100));
      word("slmult1");
      break;
    case QTextBlockFormat::MinimumHeight:
      word("sl", whole(format.lineHeight() * twips_per_pixel));
      word("slmult0");
      break;
    case QTextBlockFormat::FixedHeight:
      word("sl", -whole(format.lineHeight() * twips_per_pixel));
      word("slmult0");
      break;
    default:
      break;
  }
}

void Writer::write_text(QStringView text) {
  static const std::uint16_t* const gbk_table = rtf::gbk_double_byte_table();
  const char16_t* c = text.utf16();
  const char16_t* const end = c + text.size();
  while (c < end) {
    if (*c >= 0x20 && *c < 0x7F) {
      // A run of printable ASCII, escaped where RTF needs it.
      if (delimit_ && *c != u'\\' && *c != u'{' && *c != u'}')
        out_.push_back(' ');
      delimit_ = false;
      const char16_t* run_end = c;
      while (run_end < end && *run_end >= 0x20 && *run_end < 0x7F)
        ++run_end;
      char* at = out_.room((run_end - c) * 2);
      char* const start = at;
      for (; c < run_end; ++c) {
        if (*c == u'\\' || *c == u'{' || *c == u'}')
          *at++ = '\\';
        *at++ = static_cast<char>(*c);
      }
      out_.advance(at - start);
      continue;
    }
    if (*c == u'\t') {
      word("tab");
    } else if (*c == 0x2028) {
      word("line");
    } else if (*c >= 0x80) {
      // \uN, then the fallback for readers without \u: two GBK bytes, as \uc2 announces.
      char* at = out_.room(24);
      char* const start = at;
      *at++ = '\\';
      *at++ = 'u';
      at = std::to_chars(at, at + 6, static_cast<int16_t>(*c)).ptr;
      if (const unsigned gbk = gbk_table[*c]) {
        for (const unsigned byte : {gbk >> 8, gbk & 0xFF}) {
          *at++ = '\\';
          *at++ = '\'';
          *at++ = rtf::hex_digits[byte >> 4];
          *at++ = rtf::hex_digits[byte & 0xF];
        }
      } else {
        *at++ = '?';
        *at++ = '?';
      }
      out_.advance(at - start);
      delimit_ = false;
    }
    ++c;
  }
}

void Writer::write_name(const QString& name) {
  for (const QChar qc : name) {
    const char16_t c = qc.unicode();
    if (c >= 0x20 && c < 0x7F && c != u';' && c != u'\\' && c != u'{' && c != u'}') {
      out_.push_back(static_cast<char>(c));
    } else if (const unsigned gbk = c >= 0x80 ? rtf::gbk_double_byte(c) : 0) {
      hex_byte(gbk >> 8);
      hex_byte(gbk);
    } else {
      out_.append("\\u");
      out_.number(static_cast<int16_t>(c));
      out_.append("??");
    }
  }
}

// The image's bytes as PNG or JPEG, with the blip word that names them.
std::pair<QByteArray, const char*> image_bytes(const QVariant& resource) {
  QImage image;
  if (resource.typeId() == QMetaType::QByteArray) {
    const QByteArray bytes = resource.toByteArray();
    if (bytes.startsWith("\x89PNG"))
      return {bytes, "pngblip"};
    if (bytes.startsWith("\xFF\xD8\xFF"))
      return {bytes, "jpegblip"};
    image = QImage::fromData(bytes);
  } else if (resource.typeId() == QMetaType::QImage) {
    image = resource.value<QImage>();
  } else if (resource.typeId() == QMetaType::QPixmap) {
    image = resource.value<QPixmap>().toImage();
  }
  if (image.isNull())
    return {};
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return {png, "pngblip"};
}

void Writer::write_picture(const QByteArray& words, const QByteArray& data, double width,
                           double height) {
  out_.append("{\\pict");
  out_.append(std::string_view(words.constData(), static_cast<std::size_t>(words.size())));
  // A goal of 0 reads as none given: a picture shown smaller than a twip keeps one twip.
  if (width > 0)
    word("picwgoal", std::max(1, whole(width * twips_per_pixel)));
  if (height > 0)
    word("pichgoal", std::max(1, whole(height * twips_per_pixel)));
  out_.hex_lines(data, hex_line_length / 2);
  out_.push_back('}');
  delimit_ = false;
}

// The group is read again as in the document it came from, skipping after \uN as it did there.
void Writer::write_group(const QByteArray& group, int group_unicode_skip) {
  const bool own_skip = group_unicode_skip != unicode_skip;
  if (own_skip) {
    out_.append("{\\uc");
    out_.number(group_unicode_skip);
  }
  out_.append(std::string_view(group.constData(), static_cast<std::size_t>(group.size())));
  if (own_skip)
    out_.push_back('}');
  delimit_ = false;
}

// What the editor cannot show goes back in its place: kept RTF as it came, hidden text as such.
void Writer::write_kept(const QTextCharFormat& format) {
  if (format.hasProperty(rtf::kept_rtf_property)) {
    write_group(format.property(rtf::kept_rtf_property).toByteArray(),
                format.intProperty(rtf::kept_unicode_skip_property));
    return;
  }
  out_.push_back('{');
  word("v");
  write_text(format.stringProperty(rtf::hidden_text_property));
  out_.push_back('}');
  delimit_ = false;
}

// The result text that follows is the field's; the properties written inside its group end
// with it.
void Writer::open_field(int field) {
  out_.append("{\\field{\\*\\fldinst ");
  delimit_ = false;
  write_text(fields_[field - 1]);
  out_.append("}{\\fldrslt");
  delimit_ = true;
  outside_field_ = written_;
  open_field_ = field;
}

void Writer::close_field() {
  if (open_field_ == 0)
    return;
  out_.append("}}");
  delimit_ = false;
  written_ = outside_field_;
  open_field_ = 0;
}

void Writer::write_image(const QTextImageFormat& format) {
  const QUrl name(format.name());
  // A picture read from RTF goes back with its own type and bytes, shown or not; one that shows an
  // object or a shape goes back as that whole group.
  if (const auto kept = rtf::kept_picture(document_, name)) {
    if (kept->group.isEmpty()) {
      write_picture(kept->words, kept->data, format.width(), format.height());
    } else {
      write_group(kept->group, kept->unicode_skip);
    }
    return;
  }
  const auto [bytes, blip] = image_bytes(document_.resource(QTextDocument::ImageResource, name));
  if (bytes.isEmpty())
    return;
  QByteArray data = bytes;
  QBuffer buffer(&data);
  const QSize natural = QImageReader(&buffer).size();
  if (!natural.isValid())
    return;  // no reader could show it either
  const QByteArray words = QByteArray("\\") + blip + "\\picw" +
                           QByteArray::number(whole(natural.width() * himetric_per_pixel)) +
                           "\\pich" +
                           QByteArray::number(whole(natural.height() * himetric_per_pixel));
  write_picture(words, bytes, format.width() > 0 ? format.width() : natural.width(),
                format.height() > 0 ? format.height() : natural.height());
}

void Writer::write_block(const QTextBlock& block, int depth, std::string_view ending) {
  write_paragraph_start(block, depth);
  const QString text = block.text();
  qsizetype offset = 0;  // fragments follow each other through the block's text
  QTextBlock::iterator it = block.begin();
  if (it.atEnd() && block.isValid())
    write_props(props_of(block.charFormatIndex(), block.charFormat()));
  for (; !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    const qsizetype start = offset;
    offset += fragment.length();
    const int index = fragment.charFormatIndex();
    const RunProps* props = cached_props(index);
    if (props == nullptr)
      props = &props_of(index, fragment.charFormat());
    if (props->field != open_field_) {
      close_field();
      if (props->field != 0)
        open_field(props->field);
    }
    if (props->image) {
      const QTextImageFormat image = fragment.charFormat().toImageFormat();
      for (int i = 0; i < fragment.length(); ++i)
        write_image(image);
      continue;
    }
    if (props->kept) {
      const QTextCharFormat format = fragment.charFormat();
      for (int i = 0; i < fragment.length(); ++i)
        write_kept(format);
      continue;
    }
    write_props(*props);
    write_text(QStringView(text).sliced(start, fragment.length()));
  }
  close_field();
  out_.append(ending);
  delimit_ = false;
}

void Writer::write_items(QTextFrame::iterator begin, const QTextFrame::iterator& end, int depth,
                         int width, std::string_view last_ending) {
  struct Item {
    QTextBlock block;
    const QTextTable* table = nullptr;
  };
  std::vector<Item> items;
  for (QTextFrame::iterator it = begin; it != end; ++it) {
    if (const QTextFrame* frame = it.currentFrame()) {
      if (const auto* table = qobject_cast<const QTextTable*>(frame))
        items.push_back({QTextBlock(), table});
    } else {
      items.push_back({it.currentBlock(), nullptr});
    }
  }
  // An empty paragraph that holds no list item and no paragraph format of its own.
  const auto bare = [](const Item& item) {
    return !item.table && item.block.length() <= 1 && item.block.textList() == nullptr &&
           item.block.blockFormat().properties().isEmpty();
  };
  for (std::size_t i = 0; i < items.size(); ++i) {
    const Item& item = items[i];
    const bool last = i + 1 == items.size();
    if (item.table) {
      write_table(*item.table, depth + 1, width);
      if (last)  // a cell ends with a paragraph
        write_block(QTextBlock(), depth, last_ending);
      continue;
    }
    // The document holds an empty block before a table that starts its frame and after one that
    // ends the text; readers make them again, bare.
    if (bare(item) && ((i == 0 && !last && items[1].table) ||
                       (depth == 0 && last && i > 0 && items[i - 1].table))) {
      continue;
    }
    write_block(item.block, depth, last ? last_ending : std::string_view("\\par\n"));
  }
}

// Columns share the width that holds the table, unless they have widths of their own.
void Writer::write_table(const QTextTable& table, int depth, int width) {
  const int columns = table.columns();
  const QList<QTextLength> widths = table.format().columnWidthConstraints();
  QByteArray definition = "\\trowd\\trgaph108";
  std::vector<int> column_widths;
  int right = 0;
  for (int c = 0; c < columns; ++c) {
    const bool fixed = c < widths.size() && widths[c].type() == QTextLength::FixedLength;
    column_widths.push_back(fixed ? std::max(1, whole(widths[c].rawValue() * twips_per_pixel))
                                  : std::max(1, width / columns));
    right += column_widths.back();
    definition += "\\cellx" + QByteArray::number(right);
  }
  const std::string_view cell_end = depth == 1 ? "\\cell\n" : "\\nestcell\n";
  for (int r = 0; r < table.rows(); ++r) {
    if (depth == 1) {
      out_.append(std::string_view(definition.constData(), definition.size()));
      out_.push_back('\n');
    }
    for (int c = 0; c < columns; ++c) {
      const QTextTableCell cell = table.cellAt(r, c);
      if (cell.row() == r && cell.column() == c) {
        write_items(cell.begin(), cell.end(), depth, column_widths[static_cast<std::size_t>(c)],
                    cell_end);
      } else {
        write_block(QTextBlock(), depth, cell_end);  // under a cell that spans it
      }
    }
    if (depth == 1) {
      out_.append("\\row\n");
    } else {
      out_.append("{\\*\\nesttableprops");
      out_.append(std::string_view(definition.constData(), definition.size()));
      out_.append("\\nestrow}{\\nonesttables\\par}\n");
    }
  }
  delimit_ = false;
}

QByteArray Writer::write() {
  // Font 0, the document's default font, is the first one used.
  QTextBlock first = document_.begin();
  for (; first.isValid(); first = first.next()) {
    const QTextBlock::iterator it = first.begin();
    if (!it.atEnd()) {
      props_of(it.fragment().charFormatIndex(), it.fragment().charFormat());
      break;
    }
  }
  if (fonts_.isEmpty())
    font_index(QStringLiteral("宋体"));
  // Readers differ on the default size (LibreOffice takes 10 points), so the first run says both.
  written_.font = -1;
  written_.half_points = -1;

  out_.reserve(document_.characterCount() * 8 + 4096, header_room);
  QTextFrame* root = document_.rootFrame();
  write_items(root->begin(), root->end(), 0, text_width, "\\par\n");
  out_.push_back('}');

  Output body = std::move(out_);
  out_ = Output();
  out_.append("{\\rtf1\\ansi\\ansicpg936\\deff0\\uc");
  out_.number(unicode_skip);
  out_.append("{\\fonttbl");
  for (qsizetype i = 0; i < fonts_.size(); ++i) {
    const QString& name = fonts_[i];
    const int charset = i == symbol_font_ ? 2 : is_cjk_font(name) ? 134 : 0;
    out_.append("{\\f");
    out_.number(static_cast<int>(i));
    out_.append("\\fnil\\fcharset");
    out_.number(charset);
    out_.push_back(' ');
    write_name(name);
    out_.append(";}");
  }
  out_.append("}\n{\\colortbl ;");
  for (const QRgb rgb : colours_) {
    out_.append("\\red");
    out_.number(qRed(rgb));
    out_.append("\\green");
    out_.number(qGreen(rgb));
    out_.append("\\blue");
    out_.number(qBlue(rgb));
    out_.push_back(';');
  }
  out_.append("}\n");
  write_list_tables();
  return body.after(out_);
}

}  // namespace

QByteArray write_rtf(const QTextDocument& document) {
  return Writer(document).write();
}
