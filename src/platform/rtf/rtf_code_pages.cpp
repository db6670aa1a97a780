#include "platform/rtf/rtf_code_pages.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <memory>

namespace rtf {

namespace {

const iconv_t no_converter = reinterpret_cast<iconv_t>(-1);

QByteArray iconv_name(int code_page) {
  switch (code_page) {
    case 1361:
      return "JOHAB";
    case 10000:
      return "MACINTOSH";
    default:
      return "CP" + QByteArray::number(code_page);
  }
}

}  // namespace

int code_page_for_charset(int charset) {
  switch (charset) {
    case 0:
    case 2:  // symbol fonts: only list labels use them
      return 1252;
    case 77:
      return 10000;
    case 128:
      return 932;
    case 129:
      return 949;
    case 130:
      return 1361;
    case 134:
      return 936;
    case 136:
      return 950;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 163:
      return 1258;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 204:
      return 1251;
    case 222:
      return 874;
    case 238:
      return 1250;
    case 254:
      return 437;
    case 255:
      return 850;
    default:
      return 0;
  }
}

CodePageDecoder::~CodePageDecoder() {
  for (const auto& [code_page, handle] : converters_) {
    if (handle != no_converter)
      iconv_close(static_cast<iconv_t>(handle));
  }
}

void* CodePageDecoder::converter(int code_page) {
  for (const auto& [known, handle] : converters_) {
    if (known == code_page)
      return handle;
  }
  iconv_t handle = iconv_open("UTF-16LE", iconv_name(code_page).constData());
  converters_.emplace_back(code_page, handle);
  return handle;
}

void CodePageDecoder::decode(std::string_view bytes, int code_page, QString& out) {
  // ASCII reads alike in every code page; widened here, as most text runs are short.
  std::size_t plain = 0;
  while (plain < bytes.size() && static_cast<unsigned char>(bytes[plain]) < 0x80)
    ++plain;
  out.append(QLatin1String(bytes.data(), static_cast<qsizetype>(plain)));
  if (plain == bytes.size())
    return;
  bytes.remove_prefix(plain);
  if (code_page == 65001) {
    out.append(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return;
  }
  auto handle = static_cast<iconv_t>(converter(code_page));
  if (handle == no_converter)
    handle = static_cast<iconv_t>(converter(1252));
  if (handle == no_converter) {
    out.append(QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return;
  }
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  // One byte never gives more than two UTF-16 units.
  const qsizetype decoded = out.size();
  out.resize(decoded + static_cast<qsizetype>(bytes.size()) * 2);
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  char* target = reinterpret_cast<char*>(out.data() + decoded);
  std::size_t out_left = bytes.size() * 4;
  while (in_left > 0) {
    if (iconv(handle, &in, &in_left, &target, &out_left) != static_cast<std::size_t>(-1))
      break;
    if (errno != EILSEQ)
      break;  // an incomplete pair at the end is dropped
    ++in;
    --in_left;
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize((reinterpret_cast<QChar*>(target) - out.data()));
}

const std::uint16_t* gbk_double_byte_table() {
  static const std::unique_ptr<std::array<std::uint16_t, 0x10000>> table = [] {
    auto codes = std::make_unique<std::array<std::uint16_t, 0x10000>>();
    codes->fill(0);
    iconv_t handle = iconv_open("CP936", "UTF-16LE");
    if (handle == no_converter)
      return codes;
    for (char32_t u = 0x80; u < 0x10000; ++u) {
      if (u >= 0xD800 && u < 0xE000)
        continue;
      char in[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
      unsigned char result[4];
      char* in_ptr = in;
      char* out_ptr = reinterpret_cast<char*>(result);
      std::size_t in_left = sizeof in;
      std::size_t out_left = sizeof result;
      iconv(handle, nullptr, nullptr, nullptr, nullptr);
      if (iconv(handle, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<std::size_t>(-1) &&
          sizeof result - out_left == 2) {
        (*codes)[u] = static_cast<std::uint16_t>(result[0] << 8 | result[1]);
      }
    }
    iconv_close(handle);
    return codes;
  }();
  return table->data();
}

}  // namespace rtf
