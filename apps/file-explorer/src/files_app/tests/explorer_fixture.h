#pragma once
// A real explorer over a temporary folder tree, with HOME and the workspace variable pinned.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "files_app/file_explorer_widget.h"
#include "vemo_ui/services.h"

namespace fe::testing_support {

class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value->c_str(), 1);
    else
      ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class ExplorerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "fe-explorer-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    root_ = pattern;
    std::filesystem::create_directories(home());
    std::filesystem::create_directories(folder());
    env_.push_back(std::make_unique<ScopedEnv>("HOME", home().string()));
    env_.push_back(std::make_unique<ScopedEnv>("XDG_DATA_HOME", (home() / ".local/share").string()));
    env_.push_back(std::make_unique<ScopedEnv>("XDG_CONFIG_HOME", (home() / ".config").string()));
    env_.push_back(std::make_unique<ScopedEnv>("VEMO_WORKSPACE_ROOTS", std::string()));
  }
  void TearDown() override {
    explorer_.reset();
    env_.clear();
    std::filesystem::remove_all(root_);
  }

  std::filesystem::path home() const { return root_ / "home"; }
  std::filesystem::path folder() const { return root_ / "folder"; }
  void touch(const std::filesystem::path& p, const std::string& content = {}) const { std::ofstream(p) << content; }

  FileExplorerWidget& explorer() {
    if (!explorer_) {
      explorer_ = std::make_unique<FileExplorerWidget>(std::nullopt, home());
      explorer_->set_interaction_environment(services_);
    }
    return *explorer_;
  }
  FileExplorerWidget& explorer_at(const std::filesystem::path& path) {
    explorer().navigate_to(path);
    return *explorer_;
  }
  std::vector<std::string> names() {
    std::vector<std::string> out;
    for (const auto& e : explorer().state().entry_list()) out.push_back(e.name);
    return out;
  }

  std::filesystem::path root_;
  vemo_ui::Services services_;
  std::vector<std::unique_ptr<ScopedEnv>> env_;
  std::unique_ptr<FileExplorerWidget> explorer_;
};

}  // namespace fe::testing_support
