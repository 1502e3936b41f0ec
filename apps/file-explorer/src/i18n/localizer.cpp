#include "i18n/localizer.h"

#include <algorithm>
#include <array>
#include <optional>

#include "i18n/catalogues.h"
#include "i18n/i18n.h"

namespace fe {
namespace {

fluent::Bundle make_bundle(const Locale& locale, std::string_view source) {
  fluent::Bundle bundle(locale);
  // Syntax errors and duplicate ids cost only the messages concerned.
  bundle.add_resource(fluent::parse(source));
  return bundle;
}

void replace_all(std::string& text, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  std::string out;
  std::size_t start = 0;
  for (std::size_t hit; (hit = text.find(from, start)) != std::string::npos; start = hit + from.size()) {
    out.append(text, start, hit - start);
    out += to;
  }
  if (start == 0) return;
  out.append(text, start);
  text = std::move(out);
}

// U+E000, the argument's index in decimal, U+E001: private-use marks that no text contains.
std::string protection_token(std::size_t index) {
  return "\xEE\x80\x80" + std::to_string(index) + "\xEE\x80\x81";
}

}  // namespace

Localizer::Localizer(const Locale& locale)
    : Localizer(locale, catalogues::english_source(), catalogues::german_source()) {}

Localizer::Localizer(const Locale& locale, std::string_view english_source, std::string_view german_source)
    : locale_(locale), fallback_(make_bundle(locale, english_source)) {
  if (locale.language == "de") primary_.emplace(make_bundle(locale, german_source));
}

std::string Localizer::lookup(std::string_view id, const Args& args) const {
  std::optional<std::string> text;
  if (primary_) text = primary_->format_message(id, args);
  if (!text) text = fallback_.format_message(id, args);
  std::string result = text ? std::move(*text) : std::string(id);
  if (locale_.language == "qps") return pseudo_localize(result, args);
  return result;
}

std::string pseudo_localize(std::string_view text, const Args& args) {
  std::vector<const std::string*> protected_values;
  for (const auto& [name, value] : args) {
    const std::string* s = std::get_if<std::string>(&value);
    if (s && !s->empty()) protected_values.push_back(s);
  }

  std::string work(text);
  for (std::size_t n = 0; n < protected_values.size(); ++n)
    replace_all(work, *protected_values[n], protection_token(n));

  // Each replaced ASCII letter becomes a two-byte UTF-8 sequence; every other byte is copied,
  // so multi-byte characters pass through intact.
  struct Mark {
    char ascii;
    const char* accented;
  };
  static constexpr std::array<Mark, 14> kMarks = {{{'A', "Á"},
                                                   {'C', "Ç"},
                                                   {'E', "É"},
                                                   {'I', "Í"},
                                                   {'N', "Ñ"},
                                                   {'O', "Ó"},
                                                   {'U', "Ú"},
                                                   {'a', "á"},
                                                   {'c', "ç"},
                                                   {'e', "é"},
                                                   {'i', "í"},
                                                   {'n', "ñ"},
                                                   {'o', "ó"},
                                                   {'u', "ú"}}};
  std::string out = "[";
  out.reserve(work.size() * 2 + 4);
  for (const char c : work) {
    const auto mark = std::ranges::find(kMarks, c, &Mark::ascii);
    if (mark != kMarks.end()) {
      out += mark->accented;
    } else {
      out += c;
    }
  }
  out += " !!]";

  for (std::size_t n = 0; n < protected_values.size(); ++n) replace_all(out, protection_token(n), *protected_values[n]);
  return out;
}

namespace {

// The calling thread's bundles, rebuilt only if the locale they were made for differs.
const Localizer& thread_localizer() {
  thread_local std::optional<Localizer> localizer;
  Locale locale = current_locale();
  if (!localizer || localizer->locale() != locale) localizer.emplace(locale);
  return *localizer;
}

}  // namespace

std::string tr(std::string_view id) {
  return thread_localizer().lookup(id, {});
}

std::string tr_args(std::string_view id, const Args& args) {
  return thread_localizer().lookup(id, args);
}

}  // namespace fe
