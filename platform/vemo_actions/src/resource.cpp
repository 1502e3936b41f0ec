#include "vemo_actions/resource.h"

#include <nlohmann/json.hpp>

namespace vemo_actions::resource {

namespace {

std::string_view kind_name(ExecutionKind kind) {
  switch (kind) {
    case ExecutionKind::Query:
      return "query";
    case ExecutionKind::Effect:
      return "effect";
    case ExecutionKind::View:
      return "view";
  }
  return "view";
}

nlohmann::ordered_json input_to_json(const InputDescription& input) {
  if (input.empty()) return nullptr;
  nlohmann::ordered_json fields = nlohmann::ordered_json::array();
  for (const InputField& f : input.fields) {
    fields.push_back({{"name", f.name}, {"label", f.label}, {"default", f.default_value}});
  }
  return {{"fields", std::move(fields)}};
}

nlohmann::ordered_json action_to_json(const ActionSpec& a) {
  const Contract& c = a.contract();
  nlohmann::ordered_json out = nlohmann::ordered_json::object();
  out["name"] = a.name();
  out["label"] = a.label();
  out["kind"] = kind_name(a.kind());
  out["action"] = a.action_id();
  out["payload"] = a.payload();
  out["input"] = input_to_json(a.input());
  out["available"] = c.available;
  out["code"] = c.available ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(c.code);
  out["message"] = c.available ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(c.message);
  out["destructive"] = a.is_destructive();
  return out;
}

}  // namespace

ActionSpec::ActionSpec(std::string name, std::string label, ExecutionKind kind, std::string action_id,
                       std::string payload_json)
    : name_(std::move(name)),
      label_(std::move(label)),
      kind_(kind),
      action_id_(std::move(action_id)),
      payload_(std::move(payload_json)) {}

ActionSpec& ActionSpec::with_contract(Contract c) {
  contract_ = std::move(c);
  return *this;
}

ActionSpec& ActionSpec::with_input(InputDescription input) {
  input_ = std::move(input);
  return *this;
}

ActionSpec& ActionSpec::destructive(bool value) {
  destructive_ = value;
  return *this;
}

InputDescription derive_input(std::string field_label, std::string default_value) {
  InputDescription input;
  input.fields.push_back({"text", std::move(field_label), std::move(default_value)});
  return input;
}

Resource::Resource(std::string id, std::string kind, std::string label)
    : id_(std::move(id)), kind_(std::move(kind)), label_(std::move(label)) {}

Resource& Resource::with_action(ActionSpec action) {
  actions_.push_back(std::move(action));
  return *this;
}

std::string resources_to_json(const std::vector<Resource>& resources) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const Resource& r : resources) {
    nlohmann::ordered_json actions = nlohmann::ordered_json::array();
    for (const ActionSpec& a : r.actions()) actions.push_back(action_to_json(a));
    nlohmann::ordered_json entry = nlohmann::ordered_json::object();
    entry["id"] = r.id();
    entry["kind"] = r.kind();
    entry["label"] = r.label();
    entry["actions"] = std::move(actions);
    list.push_back(std::move(entry));
  }
  // Labels and paths may carry bytes that are not UTF-8; replace them rather than fail the answer.
  return list.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace vemo_actions::resource
