#pragma once

// Test-only view of the message catalogues: the list of messages the explorer looks up, and a
// minimal line scanner for the catalogue layout that is deliberately independent of the Fluent
// parser, so that a parser bug cannot hide a catalogue mistake.

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace fe::catalogue_check {

struct ExpectedMessage {
  int group;  // 0 = before the first group comment
  const char* id;
  std::vector<std::string> args;
  bool listed;  // false: carried because a surface looks it up, beyond the required list
};

// Every message, by group of the English file, with its arguments.
const std::vector<ExpectedMessage>& expected_messages();

// The titles of the English group comments, in order.
const std::vector<std::string>& english_groups();

// Plural selection only ever looks at these numeric arguments.
const std::set<std::string>& numeric_selectors();

// `files-… =` at the start of a line opens a message, indented lines (and a closing brace at the
// start of a line) continue it, `##` opens a group, `#` is a comment and a blank line ends
// whatever was open.
struct Entry {
  std::string id;
  std::size_t line = 0;  // 1-based
  int group = 0;
  std::vector<std::string> lines;  // the id line first, then the continuation lines
};

struct Catalogue {
  std::vector<std::string> header;  // the comment lines that open the file
  std::vector<std::string> groups;  // titles of the `##` comments, in order
  std::vector<Entry> entries;
  std::vector<std::size_t> stray_lines;  // lines that belong to nothing
};

Catalogue scan(std::string_view text);

std::string read_file(const std::string& path);
std::string catalogue_path(std::string_view file);  // under the source tree's i18n folder

const Catalogue& english();  // en-US.ftl, scanned once
const Catalogue& german();   // de-DE.ftl, scanned once

struct NamedCatalogue {
  const char* name;
  const Catalogue& catalogue;
};
std::vector<NamedCatalogue> both();

const Entry* find_entry(const Catalogue& catalogue, std::string_view id);

// The pattern source: the text after `= ` and the continuation lines, joined by line breaks.
std::string pattern_source(const Entry& entry);

// The pattern on one line, each line break and the indentation after it turned into one blank:
// the form in which multi-line selects are written in prose.
std::string one_line(const Entry& entry);

std::set<std::string> arguments_of(const Entry& entry);
std::size_t indent_of(std::string_view line);

// One select expression as written: the selector, its variant keys ("*" marks the default) and
// whether its lines follow the catalogue layout (variant brackets four columns right of the line
// that opens the select, the default's asterisk just before its bracket, the closing brace on its
// own line at the opener's indentation).
struct Select {
  std::string selector;
  std::vector<std::string> keys;
  bool layout_ok = true;
};
std::vector<Select> selects_of(const Entry& entry);

// "count:one,*other;durable:one,*other" — comparable between the two languages.
std::string select_signature(const Entry& entry);

std::string join(const std::set<std::string>& names);

}  // namespace fe::catalogue_check
