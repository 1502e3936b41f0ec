// Feeds arbitrary bytes to the catalogue parser, then formats every message that parsed, with
// and without arguments, in English and with French plural rules.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "i18n/fluent_bundle.h"
#include "i18n/fluent_syntax.h"
#include "i18n/localizer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view source(reinterpret_cast<const char*>(data), size);
  fe::fluent::Resource resource = fe::fluent::parse(source);

  std::vector<std::string> ids;
  for (const auto& message : resource.messages) ids.push_back(message.id);

  fe::fluent::Bundle english(fe::Locale::en_us());
  english.add_resource(std::move(resource));
  fe::fluent::Bundle french(fe::Locale{"fr", "", "", {}});
  french.add_resource(fe::fluent::parse(source));

  const fe::Args args = {{"count", 1.0}, {"name", std::string("Notes")}, {"n", 0.5}, {"kind", std::string("one")}};
  for (const std::string& id : ids) {
    (void)english.format_message(id, {});
    (void)english.format_message(id, args);
    (void)french.format_message(id, args);
    (void)fe::pseudo_localize(id, args);
  }
  return 0;
}
