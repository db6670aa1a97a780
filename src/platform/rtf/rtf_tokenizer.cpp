#include "platform/rtf/rtf_tokenizer.h"

#include <algorithm>
#include <array>
#include <limits>

namespace rtf {

namespace {

// Bytes that end a text run.
constexpr std::array<bool, 256> text_stops = [] {
  std::array<bool, 256> stops{};
  for (unsigned char c : {'\\', '{', '}', '\r', '\n', '\0'})
    stops[c] = true;
  return stops;
}();

bool is_letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// A control word's parameter at the position: an optional minus and digits, the value clamped to
// int. Moves past it; false, without moving, when there is none.
bool read_parameter(const char*& at, const char* end, int& parameter) {
  const char* digit = at;
  const bool negative = end - digit > 1 && digit[0] == '-' && is_digit(digit[1]);
  if (negative)
    ++digit;
  if (digit == end || !is_digit(*digit))
    return false;
  // Ten digits cannot overflow; beyond them the value only grows while it is within int.
  const char* const unchecked = digit + std::min<std::ptrdiff_t>(end - digit, 10);
  long long value = 0;
  for (; digit < unchecked && is_digit(*digit); ++digit)
    value = value * 10 + (*digit - '0');
  for (; digit < end && is_digit(*digit); ++digit) {
    if (value <= std::numeric_limits<int>::max())
      value = value * 10 + (*digit - '0');
  }
  if (negative)
    value = -value;
  parameter = static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
  at = digit;
  return true;
}

Token of_type(TokenType type, std::string_view data = {}) {
  Token token;
  token.type = type;
  token.data = data;
  return token;
}

}  // namespace

Token Tokenizer::next() {
  while (pos_ < input_.size()) {
    const char c = input_[pos_];
    switch (c) {
      case '{':
        ++pos_;
        return of_type(TokenType::group_start);
      case '}':
        ++pos_;
        return of_type(TokenType::group_end);
      case '\\':
        return read_control();
      case '\r':
      case '\n':
      case '\0':
        ++pos_;
        continue;
      default: {
        const char* const start = input_.data() + pos_;
        const char* const end = input_.data() + input_.size();
        const char* at = start + 1;
        while (at < end && !text_stops[static_cast<unsigned char>(*at)])
          ++at;
        pos_ += static_cast<std::size_t>(at - start);
        return of_type(TokenType::text, std::string_view(start, at - start));
      }
    }
  }
  return {};
}

bool Tokenizer::take_word(std::string_view name, int& parameter) {
  const char* const begin = input_.data();
  const char* const end = begin + input_.size();
  const char* at = begin + pos_;
  if (static_cast<std::size_t>(end - at) < name.size() + 2 || *at != '\\' ||
      std::string_view(at + 1, name.size()) != name) {
    return false;
  }
  at += 1 + name.size();
  if (is_letter(*at) || !read_parameter(at, end, parameter))
    return false;
  if (at < end && *at == ' ')
    ++at;
  pos_ = static_cast<std::size_t>(at - begin);
  return true;
}

int Tokenizer::skip_hex_bytes(int count) {
  const char* const data = input_.data();
  const std::size_t size = input_.size();
  int skipped = 0;
  while (skipped < count && pos_ + 3 < size && data[pos_] == '\\' && data[pos_ + 1] == '\'' &&
         (hex_value(data[pos_ + 2]) | hex_value(data[pos_ + 3])) >= 0) {
    pos_ += 4;
    ++skipped;
  }
  return skipped;
}

Token Tokenizer::read_control() {
  const char* const begin = input_.data();
  const char* const end = begin + input_.size();
  const char* at = begin + pos_ + 1;  // past the backslash
  if (at == end) {
    pos_ = input_.size();
    return {};
  }
  const char first = *at++;
  if (!is_letter(first)) {
    Token token = of_type(TokenType::control_symbol);
    token.symbol = static_cast<unsigned char>(first == '\r' ? '\n' : first);
    if (first == '\'') {
      const int high = at < end ? hex_value(at[0]) : -1;
      const int low = at + 1 < end ? hex_value(at[1]) : -1;
      // A broken escape carries no byte; the handler ignores this symbol.
      if (high >= 0 && low >= 0) {
        at += 2;
        token.type = TokenType::hex_byte;
        token.symbol = static_cast<unsigned char>(high * 16 + low);
      }
    }
    pos_ = static_cast<std::size_t>(at - begin);
    return token;
  }

  const char* const name = at - 1;
  while (at < end && is_letter(*at))
    ++at;
  Token token = of_type(TokenType::control_word);
  token.data =
      std::string_view(name, std::min(static_cast<std::size_t>(at - name), max_word_length));

  token.has_parameter = read_parameter(at, end, token.parameter);
  if (at < end && *at == ' ')
    ++at;
  pos_ = static_cast<std::size_t>(at - begin);

  if (token.data == "bin") {
    // The payload follows the delimiter; \bin without a count carries nothing.
    const std::size_t length =
        token.has_parameter && token.parameter > 0
            ? std::min<std::size_t>(static_cast<std::size_t>(token.parameter), input_.size() - pos_)
            : 0;
    Token payload = of_type(TokenType::binary, input_.substr(pos_, length));
    pos_ += length;
    return payload;
  }
  return token;
}

}  // namespace rtf
