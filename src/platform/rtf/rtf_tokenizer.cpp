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

Token of_type(TokenType type, std::string_view data = {}) {
  Token token;
  token.type = type;
  token.data = data;
  return token;
}

}  // namespace

int hex_value(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

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
        const std::size_t start = pos_;
        while (pos_ < input_.size() && !text_stops[static_cast<unsigned char>(input_[pos_])]) {
          ++pos_;
        }
        return of_type(TokenType::text, input_.substr(start, pos_ - start));
      }
    }
  }
  return {};
}

int Tokenizer::skip_hex_bytes(int count) {
  int skipped = 0;
  while (skipped < count && pos_ + 3 < input_.size() && input_[pos_] == '\\' &&
         input_[pos_ + 1] == '\'' && hex_value(input_[pos_ + 2]) >= 0 &&
         hex_value(input_[pos_ + 3]) >= 0) {
    pos_ += 4;
    ++skipped;
  }
  return skipped;
}

Token Tokenizer::read_control() {
  ++pos_;  // the backslash
  if (pos_ >= input_.size())
    return {};
  const char first = input_[pos_];
  if (!is_letter(first)) {
    ++pos_;
    if (first == '\'') {
      const int high = pos_ < input_.size() ? hex_value(input_[pos_]) : -1;
      const int low = pos_ + 1 < input_.size() ? hex_value(input_[pos_ + 1]) : -1;
      if (high < 0 || low < 0) {
        // A broken escape carries no byte; the handler ignores this symbol.
        Token broken = of_type(TokenType::control_symbol);
        broken.symbol = '\'';
        return broken;
      }
      pos_ += 2;
      Token token = of_type(TokenType::hex_byte);
      token.symbol = static_cast<unsigned char>(high * 16 + low);
      return token;
    }
    Token token = of_type(TokenType::control_symbol);
    token.symbol = static_cast<unsigned char>(first == '\r' ? '\n' : first);
    return token;
  }

  const std::size_t start = pos_;
  while (pos_ < input_.size() && is_letter(input_[pos_]))
    ++pos_;
  Token token = of_type(TokenType::control_word);
  token.data = input_.substr(start, std::min(pos_ - start, max_word_length));

  const bool negative =
      pos_ + 1 < input_.size() && input_[pos_] == '-' && is_digit(input_[pos_ + 1]);
  if (negative)
    ++pos_;
  if (pos_ < input_.size() && is_digit(input_[pos_])) {
    long long value = 0;
    for (; pos_ < input_.size() && is_digit(input_[pos_]); ++pos_) {
      if (value <= std::numeric_limits<int>::max())
        value = value * 10 + (input_[pos_] - '0');
    }
    if (negative)
      value = -value;
    value = std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max());
    token.has_parameter = true;
    token.parameter = static_cast<int>(value);
  }
  if (pos_ < input_.size() && input_[pos_] == ' ')
    ++pos_;

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
