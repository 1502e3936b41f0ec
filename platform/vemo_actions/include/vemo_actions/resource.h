#pragma once
// Resources and action descriptions published for discovery.

#include <optional>
#include <string>
#include <vector>

#include "vemo_actions/action.h"

namespace vemo_actions::resource {

// Availability of an action.
struct Contract {
  bool available = true;
  std::string code;     // e.g. "location_missing"
  std::string message;  // plain text

  static Contract ok() { return {}; }
  static Contract unavailable(std::string code, std::string message) {
    return {false, std::move(code), std::move(message)};
  }
};

// One text input an action asks for before it runs.
struct InputField {
  std::string name;
  std::string label;
  std::string default_value;
};

struct InputDescription {
  std::vector<InputField> fields;
  bool empty() const { return fields.empty(); }
};

class ActionSpec {
 public:
  ActionSpec(std::string name, std::string label, ExecutionKind kind, std::string action_id, std::string payload_json);

  ActionSpec& with_contract(Contract c);
  ActionSpec& with_input(InputDescription input);
  ActionSpec& destructive(bool value = true);

  const std::string& name() const { return name_; }
  const std::string& label() const { return label_; }
  ExecutionKind kind() const { return kind_; }
  const std::string& action_id() const { return action_id_; }
  const std::string& payload() const { return payload_; }
  const Contract& contract() const { return contract_; }
  const InputDescription& input() const { return input_; }
  bool is_destructive() const { return destructive_; }

 private:
  std::string name_;
  std::string label_;
  ExecutionKind kind_;
  std::string action_id_;
  std::string payload_;
  Contract contract_;
  InputDescription input_;
  bool destructive_ = false;
};

// An input description with one text field; the common case for rename and new-folder actions.
InputDescription derive_input(std::string field_label, std::string default_value = {});

class Resource {
 public:
  Resource(std::string id, std::string kind, std::string label);
  Resource& with_action(ActionSpec action);

  const std::string& id() const { return id_; }
  const std::string& kind() const { return kind_; }
  const std::string& label() const { return label_; }
  const std::vector<ActionSpec>& actions() const { return actions_; }

 private:
  std::string id_;
  std::string kind_;
  std::string label_;
  std::vector<ActionSpec> actions_;
};

// JSON text of a resource list, as the automation `resources` request answers it.
std::string resources_to_json(const std::vector<Resource>& resources);

}  // namespace vemo_actions::resource
