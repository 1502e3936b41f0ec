#include "main/persistence_opener.h"

#include <cstdlib>

#include "model/utf8.h"
#include "vemo_ui/diag.h"

namespace fe {
namespace {

std::optional<std::string> usable(const EnvLookup& env, const char* name) {
  auto value = env(name);
  if (!value || value->empty() || !is_valid_utf8(*value)) return std::nullopt;
  return value;
}

std::optional<std::string> process_env(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

}  // namespace

std::string actor_label(const vemo_ui::persist::Document& doc, const EnvLookup& env) {
  if (auto app = usable(env, "BRISK_APP_ID")) return *app;
  if (auto user = usable(env, "VEMO_USER_ID")) return "files-" + *user;
  return "files-" + doc.stored_actor_hex().substr(0, 12);
}

std::expected<vemo_ui::persist::Document, std::string> open_persistence(const vemo_ui::persist::OpenArgs& args) {
  auto doc = vemo_ui::persist::open(args);
  if (!doc) return doc;
  std::string label = actor_label(*doc, process_env);
  vemo_ui::diag::write_line("file-explorer: persisted document actor " + label);
  doc->set_actor(std::move(label));
  return doc;
}

}  // namespace fe
