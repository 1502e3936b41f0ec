#pragma once

// The Fluent subset our catalogues use: messages `id = pattern`, placeables with variable and
// message references and literals, and select expressions with `[key]` / `*[default]` variants,
// each variant on its own line. No terms, attributes or functions.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fe::fluent {

struct Expression;

// Either literal text or a placeable holding one expression.
struct PatternElement {
  std::string text;
  std::unique_ptr<Expression> placeable;  // null for text
};

struct Pattern {
  std::vector<PatternElement> elements;
};

struct VariantKey {
  enum class Kind { Identifier, Number };
  Kind kind = Kind::Identifier;
  std::string name;   // identifier, or the number's source text
  double number = 0;  // for Kind::Number
};

struct Variant {
  VariantKey key;
  Pattern value;
};

struct Expression {
  enum class Kind { Variable, MessageReference, StringLiteral, NumberLiteral, Select };
  Kind kind = Kind::Variable;
  std::string name;   // variable name, message id, string value or number source text
  double number = 0;  // NumberLiteral
  // Select only:
  std::unique_ptr<Expression> selector;
  std::vector<Variant> variants;
  std::size_t default_variant = 0;
};

struct Message {
  std::string id;
  Pattern value;
};

struct SyntaxError {
  std::size_t line;  // 1-based line where the broken entry starts
  std::string what;
};

struct Resource {
  std::vector<Message> messages;
  std::vector<SyntaxError> errors;
};

// Parses a whole resource. A broken entry is dropped and reported in `errors`; parsing resumes
// at the next line that can start an entry, so one mistake loses one message only.
Resource parse(std::string_view source);

}  // namespace fe::fluent
