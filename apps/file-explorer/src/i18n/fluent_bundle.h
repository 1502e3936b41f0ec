#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "i18n/fluent_syntax.h"
#include "i18n/locale.h"
#include "i18n/message_args.h"

namespace fe::fluent {

class PluralRules;

struct FormatError {
  enum class Kind {
    UnknownArgument,    // a `{ $name }` the caller did not pass
    UnknownMessage,     // a reference to a message the bundle does not hold
    BadSelector,        // a selector whose value could not be found
    TooDeep,            // message references nested too deeply or cyclic
    TooManyReferences,  // more message references than one text may resolve
  };
  Kind kind;
  std::string name;

  friend bool operator==(const FormatError&, const FormatError&) = default;
};

// Messages of one locale, formatted with that locale's plural rules. Placeables are never
// wrapped in directional isolation marks: the text holds only pattern and argument characters.
class Bundle {
 public:
  explicit Bundle(const Locale& locale);
  ~Bundle();
  Bundle(Bundle&&) noexcept;
  Bundle& operator=(Bundle&&) noexcept;

  // Adds every message; an id the bundle already holds keeps its first definition.
  // Returns the number of messages refused as duplicates.
  std::size_t add_resource(Resource resource);

  std::size_t size() const { return messages_.size(); }
  bool has_message(std::string_view id) const { return message_value(id) != nullptr; }

  // The parsed value of message `id`, or null.
  const Pattern* message_value(std::string_view id) const;

  // Formats `pattern`; every problem is appended to `errors` and the text still comes back,
  // with "{$name}" or "{id}" standing in for what could not be resolved.
  std::string format_pattern(const Pattern& pattern, const Args& args, std::vector<FormatError>& errors) const;

  // The formatted value of message `id`; nullopt when it is missing or formatting reported an error.
  std::optional<std::string> format_message(std::string_view id, const Args& args) const;

 private:
  struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
  };

  // `references` counts the message references resolved so far for one text.
  void write_pattern(const Pattern& pattern, const Args& args, int depth, std::size_t& references, std::string& out,
                     std::vector<FormatError>& errors) const;
  void write_expression(const Expression& expression, const Args& args, int depth, std::size_t& references,
                        std::string& out, std::vector<FormatError>& errors) const;
  const Pattern& select_variant(const Expression& select, const Args& args, std::vector<FormatError>& errors) const;

  std::unique_ptr<PluralRules> plural_rules_;
  std::unordered_map<std::string, Pattern, StringHash, std::equal_to<>> messages_;
};

// Writes a number as plain decimal digits without grouping: 1500 → "1500", 2.5 → "2.5".
std::string format_plain_number(double value);

}  // namespace fe::fluent
