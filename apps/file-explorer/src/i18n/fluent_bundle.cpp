#include "i18n/fluent_bundle.h"

#include <fmt/format.h>

#include <cmath>

#include "i18n/plural_rules.h"

namespace fe::fluent {
namespace {

// Message references may nest; a cycle must end in an error, not a stack overflow.
constexpr int kMaxReferenceDepth = 16;
// A pattern may name the same message several times at every level, so a few short messages could
// expand to gigabytes; one text resolves at most this many references.
constexpr std::size_t kMaxReferences = 1000;

const ArgValue* find_arg(const Args& args, std::string_view name) {
  for (const auto& [arg_name, value] : args) {
    if (arg_name == name) return &value;
  }
  return nullptr;
}

}  // namespace

std::string format_plain_number(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-∞" : "∞";
  // Whole numbers below 10^21 print all their digits; others use the shortest exact form.
  if (value == std::trunc(value) && std::fabs(value) < 1e21) return fmt::format("{:.0f}", value == 0 ? 0.0 : value);
  return fmt::format("{}", value);
}

Bundle::Bundle(const Locale& locale) : plural_rules_(std::make_unique<PluralRules>(locale)) {}
Bundle::~Bundle() = default;
Bundle::Bundle(Bundle&&) noexcept = default;
Bundle& Bundle::operator=(Bundle&&) noexcept = default;

std::size_t Bundle::add_resource(Resource resource) {
  std::size_t refused = 0;
  for (Message& message : resource.messages) {
    if (!messages_.try_emplace(std::move(message.id), std::move(message.value)).second) ++refused;
  }
  return refused;
}

const Pattern* Bundle::message_value(std::string_view id) const {
  const auto it = messages_.find(id);
  return it == messages_.end() ? nullptr : &it->second;
}

std::string Bundle::format_pattern(const Pattern& pattern, const Args& args, std::vector<FormatError>& errors) const {
  std::string out;
  std::size_t references = 0;
  write_pattern(pattern, args, 0, references, out, errors);
  return out;
}

std::optional<std::string> Bundle::format_message(std::string_view id, const Args& args) const {
  const Pattern* pattern = message_value(id);
  if (!pattern) return std::nullopt;
  std::vector<FormatError> errors;
  std::string out;
  std::size_t references = 0;
  write_pattern(*pattern, args, 0, references, out, errors);
  if (!errors.empty()) return std::nullopt;
  return out;
}

void Bundle::write_pattern(const Pattern& pattern, const Args& args, int depth, std::size_t& references,
                           std::string& out, std::vector<FormatError>& errors) const {
  for (const PatternElement& element : pattern.elements) {
    if (element.placeable) {
      write_expression(*element.placeable, args, depth, references, out, errors);
    } else {
      out += element.text;
    }
  }
}

void Bundle::write_expression(const Expression& expression, const Args& args, int depth, std::size_t& references,
                              std::string& out, std::vector<FormatError>& errors) const {
  switch (expression.kind) {
    case Expression::Kind::StringLiteral:
      out += expression.name;
      return;
    case Expression::Kind::NumberLiteral:
      out += format_plain_number(expression.number);
      return;
    case Expression::Kind::Variable: {
      const ArgValue* value = find_arg(args, expression.name);
      if (!value) {
        errors.push_back({FormatError::Kind::UnknownArgument, expression.name});
        out += "{$" + expression.name + "}";
      } else if (const double* number = std::get_if<double>(value)) {
        out += format_plain_number(*number);
      } else {
        out += std::get<std::string>(*value);
      }
      return;
    }
    case Expression::Kind::MessageReference: {
      const Pattern* pattern = message_value(expression.name);
      if (!pattern) {
        errors.push_back({FormatError::Kind::UnknownMessage, expression.name});
        out += "{" + expression.name + "}";
      } else if (++references > kMaxReferences) {
        errors.push_back({FormatError::Kind::TooManyReferences, expression.name});
        out += "{" + expression.name + "}";
      } else if (depth >= kMaxReferenceDepth) {
        errors.push_back({FormatError::Kind::TooDeep, expression.name});
        out += "{" + expression.name + "}";
      } else {
        write_pattern(*pattern, args, depth + 1, references, out, errors);
      }
      return;
    }
    case Expression::Kind::Select:
      write_pattern(select_variant(expression, args, errors), args, depth, references, out, errors);
      return;
  }
}

const Pattern& Bundle::select_variant(const Expression& select, const Args& args,
                                      std::vector<FormatError>& errors) const {
  const Expression& selector = *select.selector;
  const Pattern& fallback = select.variants[select.default_variant].value;

  std::optional<double> number;
  const std::string* text = nullptr;
  switch (selector.kind) {
    case Expression::Kind::Variable: {
      const ArgValue* value = find_arg(args, selector.name);
      if (!value) {
        errors.push_back({FormatError::Kind::BadSelector, selector.name});
        return fallback;
      }
      if (const double* n = std::get_if<double>(value)) {
        number = *n;
      } else {
        text = &std::get<std::string>(*value);
      }
      break;
    }
    case Expression::Kind::NumberLiteral:
      number = selector.number;
      break;
    case Expression::Kind::StringLiteral:
      text = &selector.name;
      break;
    default:
      errors.push_back({FormatError::Kind::BadSelector, selector.name});
      return fallback;
  }

  // A numeric key must match exactly; an identifier key matches the plural category of a
  // number, or a string selector's text. The first matching variant wins.
  std::optional<std::string_view> category;
  for (const Variant& variant : select.variants) {
    if (variant.key.kind == VariantKey::Kind::Number) {
      if (number && *number == variant.key.number) return variant.value;
      continue;
    }
    if (text) {
      if (*text == variant.key.name) return variant.value;
      continue;
    }
    if (!category) category = plural_rules_->category(*number);
    if (*category == variant.key.name) return variant.value;
  }
  return fallback;
}

}  // namespace fe::fluent
