// Parser for the Fluent subset of our catalogues.
//
// The shape follows the Fluent grammar: an entry starts at column 0; a pattern continues on
// following lines that are indented and do not begin with '[', '*', '.' or '}'; indented lines
// lose their common indentation; a select expression lists each variant on its own line.

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "i18n/fluent_syntax.h"

namespace fe::fluent {
namespace {

constexpr int kEnd = -1;
// Nested select expressions recurse; a hostile file must not exhaust the stack.
constexpr int kMaxNesting = 24;

bool is_id_start(int c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool is_id_char(int c) {
  return is_id_start(c) || (c >= '0' && c <= '9') || c == '_' || c == '-';
}
bool is_digit(int c) {
  return c >= '0' && c <= '9';
}

void append_utf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// A pattern piece before dedentation: indentation runs are kept apart so that the common
// indentation of all continuation lines can be removed afterwards.
struct RawElement {
  enum class Kind { Text, Indent, Placeable };
  Kind kind;
  std::string text;
  std::unique_ptr<Expression> placeable;
};

class Parser {
 public:
  explicit Parser(std::string_view source) : src_(source) {}

  Resource run() {
    Resource resource;
    while (pos_ < src_.size()) {
      const std::size_t entry_start = pos_;
      if (skip_blank_line()) continue;
      const int c = at(pos_);
      if (c == '#' && skip_comment()) continue;
      if (is_id_start(c)) {
        error_.clear();
        nesting_ = 0;
        if (auto message = parse_message()) {
          resource.messages.push_back(std::move(*message));
          continue;
        }
      } else {
        error_ = c == '#' ? "malformed comment" : "expected a message";
      }
      resource.errors.push_back({line_of(entry_start), error_.empty() ? "syntax error" : error_});
      skip_to_next_entry(entry_start);
    }
    return resource;
  }

 private:
  int at(std::size_t p) const { return p < src_.size() ? static_cast<unsigned char>(src_[p]) : kEnd; }

  std::size_t eol_length(std::size_t p) const {
    if (at(p) == '\n') return 1;
    if (at(p) == '\r' && at(p + 1) == '\n') return 2;
    return 0;
  }
  bool is_eol(std::size_t p) const { return eol_length(p) != 0; }

  std::size_t line_of(std::size_t offset) {
    for (; line_cursor_ < offset && line_cursor_ < src_.size(); ++line_cursor_) {
      if (src_[line_cursor_] == '\n') ++line_;
    }
    return line_;
  }

  bool fail(std::string what) {
    if (error_.empty()) error_ = std::move(what);
    return false;
  }

  void skip_blank_inline() {
    while (at(pos_) == ' ') ++pos_;
  }

  // Spaces and line ends, as allowed inside placeables.
  void skip_blank() {
    for (;;) {
      if (at(pos_) == ' ') {
        ++pos_;
      } else if (std::size_t n = eol_length(pos_)) {
        pos_ += n;
      } else {
        return;
      }
    }
  }

  // A line holding nothing but spaces.
  bool skip_blank_line() {
    std::size_t p = pos_;
    while (at(p) == ' ') ++p;
    if (at(p) == kEnd) {
      pos_ = p;
      return true;
    }
    if (std::size_t n = eol_length(p)) {
      pos_ = p + n;
      return true;
    }
    return false;
  }

  // "#", "##" or "###" followed by a space or the line end.
  bool skip_comment() {
    std::size_t p = pos_;
    int hashes = 0;
    while (at(p) == '#' && hashes < 3) {
      ++p;
      ++hashes;
    }
    if (at(p) != ' ' && !is_eol(p) && at(p) != kEnd) return false;
    while (at(p) != kEnd && !is_eol(p)) ++p;
    pos_ = p + eol_length(p);
    return true;
  }

  // Resumes at the next line that begins like an entry. Rewinds to the last line end before the
  // failure (when that lies inside the broken entry) so that a following message right after the
  // failure point is not swallowed.
  void skip_to_next_entry(std::size_t entry_start) {
    std::size_t from = entry_start;
    if (pos_ > entry_start) {
      const std::size_t last_nl = src_.rfind('\n', pos_ - 1);
      if (last_nl != std::string_view::npos && last_nl >= entry_start) from = last_nl;
    }
    pos_ = from;
    for (;;) {
      const std::size_t nl = src_.find('\n', pos_);
      if (nl == std::string_view::npos) {
        pos_ = src_.size();
        return;
      }
      pos_ = nl + 1;
      const int c = at(pos_);
      if (is_id_start(c) || c == '#') return;
    }
  }

  std::optional<std::string> parse_identifier() {
    if (!is_id_start(at(pos_))) {
      fail("expected an identifier");
      return std::nullopt;
    }
    const std::size_t start = pos_;
    while (is_id_char(at(pos_))) ++pos_;
    return std::string(src_.substr(start, pos_ - start));
  }

  std::optional<Message> parse_message() {
    auto id = parse_identifier();
    if (!id) return std::nullopt;
    skip_blank_inline();
    if (at(pos_) != '=') {
      fail("expected '=' after the message id");
      return std::nullopt;
    }
    ++pos_;
    bool broken = false;
    auto value = maybe_parse_pattern(broken);
    if (broken) return std::nullopt;
    if (!value) {
      fail("message has no value");
      return std::nullopt;
    }
    // The pattern ends at a line end that no continuation follows.
    pos_ += eol_length(pos_);
    return Message{std::move(*id), std::move(*value)};
  }

  // After blanks: the number of line ends in the blank lines from `p` and the start of the first
  // line with content (or the end of the input).
  std::pair<std::size_t, std::size_t> peek_blank_block(std::size_t p) const {
    std::size_t breaks = 0;
    for (;;) {
      std::size_t q = p;
      while (at(q) == ' ') ++q;
      if (std::size_t n = eol_length(q)) {
        ++breaks;
        p = q + n;
        continue;
      }
      if (at(q) == kEnd) return {breaks, q};
      return {breaks, p};
    }
  }

  // An indented line whose first character can continue a pattern.
  bool is_continuation(std::size_t line_start) const {
    std::size_t p = line_start;
    while (at(p) == ' ') ++p;
    if (p == line_start) return false;
    const int c = at(p);
    return c != kEnd && !is_eol(p) && c != '}' && c != '.' && c != '[' && c != '*';
  }

  // A pattern on the same line, or starting on an indented line below; nullopt when there is
  // no value. `broken` reports a syntax error inside the value.
  std::optional<Pattern> maybe_parse_pattern(bool& broken) {
    skip_blank_inline();
    if (at(pos_) != kEnd && !is_eol(pos_)) return finish(parse_pattern(false), broken);
    if (is_eol(pos_)) {
      const auto [breaks, line_start] = peek_blank_block(pos_);
      (void)breaks;
      if (is_continuation(line_start)) {
        pos_ = line_start;
        return finish(parse_pattern(true), broken);
      }
    }
    return std::nullopt;
  }

  static std::optional<Pattern> finish(std::optional<Pattern> pattern, bool& broken) {
    if (!pattern) broken = true;
    return pattern;
  }

  std::optional<Pattern> parse_pattern(bool block) {
    std::vector<RawElement> raw;
    std::size_t common_indent = std::numeric_limits<std::size_t>::max();
    if (block) {
      const std::size_t start = pos_;
      skip_blank_inline();
      common_indent = pos_ - start;
      raw.push_back({RawElement::Kind::Indent, std::string(pos_ - start, ' '), nullptr});
    }
    for (;;) {
      const int c = at(pos_);
      if (c == kEnd) break;
      if (is_eol(pos_)) {
        const auto [breaks, line_start] = peek_blank_block(pos_);
        if (!is_continuation(line_start)) break;
        pos_ = line_start;
        skip_blank_inline();
        const std::size_t indent = pos_ - line_start;
        common_indent = std::min(common_indent, indent);
        raw.push_back({RawElement::Kind::Indent, std::string(breaks, '\n') + std::string(indent, ' '), nullptr});
        continue;
      }
      if (c == '}') {
        fail("unbalanced closing brace");
        return std::nullopt;
      }
      if (c == '{') {
        auto expression = parse_placeable();
        if (!expression) return std::nullopt;
        raw.push_back({RawElement::Kind::Placeable, {}, std::move(expression)});
        continue;
      }
      const std::size_t start = pos_;
      while (at(pos_) != kEnd && at(pos_) != '{' && at(pos_) != '}' && !is_eol(pos_)) ++pos_;
      raw.push_back({RawElement::Kind::Text, std::string(src_.substr(start, pos_ - start)), nullptr});
    }
    return dedent(std::move(raw), common_indent);
  }

  static Pattern dedent(std::vector<RawElement> raw, std::size_t common_indent) {
    Pattern pattern;
    for (auto& element : raw) {
      if (element.kind == RawElement::Kind::Placeable) {
        pattern.elements.push_back({{}, std::move(element.placeable)});
        continue;
      }
      std::string text = std::move(element.text);
      if (element.kind == RawElement::Kind::Indent) text.resize(text.size() - std::min(common_indent, text.size()));
      if (!pattern.elements.empty() && !pattern.elements.back().placeable) {
        pattern.elements.back().text += text;
      } else if (!text.empty()) {
        pattern.elements.push_back({std::move(text), nullptr});
      }
    }
    if (!pattern.elements.empty() && !pattern.elements.back().placeable) {
      std::string& last = pattern.elements.back().text;
      const std::size_t keep = last.find_last_not_of(" \n");
      if (keep == std::string::npos) {
        pattern.elements.pop_back();
      } else {
        last.resize(keep + 1);
      }
    }
    return pattern;
  }

  // At '{'.
  std::unique_ptr<Expression> parse_placeable() {
    if (++nesting_ > kMaxNesting) {
      fail("placeables nested too deeply");
      return nullptr;
    }
    ++pos_;
    skip_blank();
    auto expression = parse_inline_expression();
    if (!expression) return nullptr;
    skip_blank();
    if (at(pos_) == '-' && at(pos_ + 1) == '>') {
      pos_ += 2;
      expression = parse_select(std::move(expression));
      if (!expression) return nullptr;
      skip_blank();
    }
    if (at(pos_) != '}') {
      fail("expected '}'");
      return nullptr;
    }
    ++pos_;
    --nesting_;
    return expression;
  }

  std::unique_ptr<Expression> parse_select(std::unique_ptr<Expression> selector) {
    if (selector->kind == Expression::Kind::MessageReference) {
      fail("a message reference cannot select");
      return nullptr;
    }
    skip_blank_inline();
    if (!is_eol(pos_)) {
      fail("variants must start on a new line");
      return nullptr;
    }
    auto select = std::make_unique<Expression>();
    select->kind = Expression::Kind::Select;
    select->selector = std::move(selector);
    bool has_default = false;
    for (;;) {
      skip_blank();
      bool is_default = false;
      if (at(pos_) == '*') {
        is_default = true;
        ++pos_;
      }
      if (at(pos_) != '[') {
        if (is_default) {
          fail("expected '[' after '*'");
          return nullptr;
        }
        break;
      }
      ++pos_;
      skip_blank();
      auto key = parse_variant_key();
      if (!key) return nullptr;
      skip_blank();
      if (at(pos_) != ']') {
        fail("expected ']'");
        return nullptr;
      }
      ++pos_;
      bool broken = false;
      auto value = maybe_parse_pattern(broken);
      if (broken) return nullptr;
      if (!value) {
        fail("variant has no value");
        return nullptr;
      }
      if (is_default) {
        if (has_default) {
          fail("more than one default variant");
          return nullptr;
        }
        has_default = true;
        select->default_variant = select->variants.size();
      }
      select->variants.push_back({std::move(*key), std::move(*value)});
    }
    if (!has_default) {
      fail("select expression without a default variant");
      return nullptr;
    }
    return select;
  }

  std::optional<VariantKey> parse_variant_key() {
    const int c = at(pos_);
    if (is_digit(c) || c == '-') {
      auto number = parse_number();
      if (!number) return std::nullopt;
      return VariantKey{VariantKey::Kind::Number, std::move(number->first), number->second};
    }
    auto name = parse_identifier();
    if (!name) return std::nullopt;
    return VariantKey{VariantKey::Kind::Identifier, std::move(*name), 0};
  }

  // -?[0-9]+(\.[0-9]+)?
  std::optional<std::pair<std::string, double>> parse_number() {
    const std::size_t start = pos_;
    if (at(pos_) == '-') ++pos_;
    if (!is_digit(at(pos_))) {
      fail("expected a number");
      return std::nullopt;
    }
    while (is_digit(at(pos_))) ++pos_;
    if (at(pos_) == '.') {
      ++pos_;
      if (!is_digit(at(pos_))) {
        fail("expected digits after '.'");
        return std::nullopt;
      }
      while (is_digit(at(pos_))) ++pos_;
    }
    const std::string_view text = src_.substr(start, pos_ - start);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
      fail("number out of range");
      return std::nullopt;
    }
    return std::pair{std::string(text), value};
  }

  std::unique_ptr<Expression> parse_inline_expression() {
    auto expression = std::make_unique<Expression>();
    const int c = at(pos_);
    if (c == '$') {
      ++pos_;
      auto name = parse_identifier();
      if (!name) return nullptr;
      expression->kind = Expression::Kind::Variable;
      expression->name = std::move(*name);
      return expression;
    }
    if (c == '"') {
      auto text = parse_string_literal();
      if (!text) return nullptr;
      expression->kind = Expression::Kind::StringLiteral;
      expression->name = std::move(*text);
      return expression;
    }
    if (is_digit(c) || (c == '-' && is_digit(at(pos_ + 1)))) {
      auto number = parse_number();
      if (!number) return nullptr;
      expression->kind = Expression::Kind::NumberLiteral;
      expression->name = std::move(number->first);
      expression->number = number->second;
      return expression;
    }
    if (is_id_start(c)) {
      auto id = parse_identifier();
      if (!id) return nullptr;
      if (at(pos_) == '(' || at(pos_) == '.') {
        fail("functions and attributes are not supported");
        return nullptr;
      }
      expression->kind = Expression::Kind::MessageReference;
      expression->name = std::move(*id);
      return expression;
    }
    fail(c == '-' ? "terms are not supported" : "expected an expression");
    return nullptr;
  }

  // At '"'. Escapes: \" \\ \uXXXX \UXXXXXX.
  std::optional<std::string> parse_string_literal() {
    ++pos_;
    std::string text;
    for (;;) {
      const int c = at(pos_);
      if (c == kEnd || is_eol(pos_)) {
        fail("unterminated string literal");
        return std::nullopt;
      }
      ++pos_;
      if (c == '"') return text;
      if (c != '\\') {
        text.push_back(static_cast<char>(c));
        continue;
      }
      const int e = at(pos_);
      if (e == '"' || e == '\\') {
        text.push_back(static_cast<char>(e));
        ++pos_;
        continue;
      }
      const std::size_t digits = e == 'u' ? 4 : e == 'U' ? 6 : 0;
      if (digits == 0) {
        fail("unknown escape sequence");
        return std::nullopt;
      }
      ++pos_;
      std::uint32_t cp = 0;
      const char* first = src_.data() + pos_;
      if (pos_ + digits > src_.size() || std::from_chars(first, first + digits, cp, 16).ptr != first + digits) {
        fail("malformed unicode escape");
        return std::nullopt;
      }
      pos_ += digits;
      if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
      append_utf8(text, cp);
    }
  }

  std::string_view src_;
  std::size_t pos_ = 0;
  std::string error_;
  int nesting_ = 0;
  std::size_t line_cursor_ = 0;
  std::size_t line_ = 1;
};

}  // namespace

Resource parse(std::string_view source) {
  return Parser(source).run();
}

}  // namespace fe::fluent
