// A line scanner for the catalogue layout, used by the catalogue tests only.

#include <fstream>
#include <sstream>

#include "catalogue_check.h"

namespace fe::catalogue_check {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string catalogue_path(std::string_view file) {
  return std::string(FE_SOURCE_DIR) + "/apps/file-explorer/i18n/" + std::string(file);
}

namespace {

bool is_id_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// The id of a line of the form `files-[a-z0-9-]+ =`, else empty.
std::string message_id_of(std::string_view line) {
  if (!line.starts_with("files-")) return {};
  std::size_t end = 0;
  while (end < line.size() && is_id_char(line[end])) ++end;
  const std::string_view rest = line.substr(end);
  if (rest != " =" && !rest.starts_with(" = ")) return {};
  return std::string(line.substr(0, end));
}

}  // namespace

Catalogue scan(std::string_view text) {
  Catalogue catalogue;
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      if (start < text.size()) lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }

  std::size_t i = 0;
  while (i < lines.size() && lines[i].starts_with("#") && !lines[i].starts_with("##")) {
    catalogue.header.push_back(lines[i]);
    ++i;
  }
  Entry* open = nullptr;
  for (; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty()) {
      open = nullptr;
    } else if (line.starts_with("## ")) {
      catalogue.groups.push_back(line.substr(3));
      open = nullptr;
    } else if (line.starts_with("#")) {
      open = nullptr;
    } else if (const std::string id = message_id_of(line); !id.empty()) {
      catalogue.entries.push_back(Entry{id, i + 1, static_cast<int>(catalogue.groups.size()), {line}});
      open = &catalogue.entries.back();
    } else if (open != nullptr && (line.starts_with(" ") || line.starts_with("}"))) {
      open->lines.push_back(line);
    } else {
      catalogue.stray_lines.push_back(i + 1);
    }
  }
  return catalogue;
}

const Catalogue& english() {
  static const Catalogue catalogue = scan(read_file(catalogue_path("en-US.ftl")));
  return catalogue;
}

const Catalogue& german() {
  static const Catalogue catalogue = scan(read_file(catalogue_path("de-DE.ftl")));
  return catalogue;
}

std::vector<NamedCatalogue> both() {
  return {{"en-US", english()}, {"de-DE", german()}};
}

const Entry* find_entry(const Catalogue& catalogue, std::string_view id) {
  for (const Entry& entry : catalogue.entries)
    if (entry.id == id) return &entry;
  return nullptr;
}

// The pattern source: the text after `= ` and the continuation lines, joined by line breaks.
std::string pattern_source(const Entry& entry) {
  const std::string& first = entry.lines.front();
  const std::size_t eq = first.find(" =");
  std::string text = first.size() > eq + 3 ? first.substr(eq + 3) : std::string();
  for (std::size_t i = 1; i < entry.lines.size(); ++i) text += "\n" + entry.lines[i];
  return text;
}

// The pattern on one line, each line break and the indentation after it turned into one blank:
// the form in which multi-line selects are written in prose.
std::string one_line(const Entry& entry) {
  const std::string source = pattern_source(entry);
  std::string out;
  for (std::size_t i = 0; i < source.size(); ++i) {
    if (source[i] == '\n') {
      while (i + 1 < source.size() && source[i + 1] == ' ') ++i;
      out += ' ';
    } else {
      out += source[i];
    }
  }
  const std::size_t first = out.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : out.substr(first);
}

std::set<std::string> arguments_of(const Entry& entry) {
  std::set<std::string> names;
  const std::string source = pattern_source(entry);
  for (std::size_t at = source.find('$'); at != std::string::npos; at = source.find('$', at + 1)) {
    std::size_t end = at + 1;
    while (end < source.size() && is_id_char(source[end])) ++end;
    names.insert(source.substr(at + 1, end - at - 1));
  }
  return names;
}

std::size_t indent_of(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  return first == std::string_view::npos ? line.size() : first;
}

// One select expression as written: the selector, its variant keys ("*" marks the default) and
// whether its lines follow the catalogue layout (variant brackets four columns right of the line
// that opens the select, the default's asterisk just before its bracket, the closing brace on its
// own line at the opener's indentation).

std::vector<Select> selects_of(const Entry& entry) {
  std::vector<Select> selects;
  for (std::size_t i = 0; i < entry.lines.size(); ++i) {
    const std::string& line = entry.lines[i];
    if (!line.ends_with(" ->")) continue;
    const std::size_t dollar = line.rfind("{ $");
    if (dollar == std::string::npos) continue;
    Select select;
    select.selector = line.substr(dollar + 3, line.size() - 3 - (dollar + 3));
    const std::size_t opener_indent = i == 0 ? 0 : indent_of(line);
    std::size_t j = i + 1;
    for (; j < entry.lines.size(); ++j) {
      const std::string& variant = entry.lines[j];
      const std::size_t indent = indent_of(variant);
      if (variant.compare(indent, 1, "}") == 0) {
        if (indent != opener_indent) select.layout_ok = false;
        break;
      }
      const bool is_default = variant.compare(indent, 1, "*") == 0;
      const std::size_t bracket = is_default ? indent + 1 : indent;
      const std::size_t close = variant.find("] ", bracket);
      if (bracket != opener_indent + 4 || variant.compare(bracket, 1, "[") != 0 || close == std::string::npos) {
        select.layout_ok = false;
        select.keys.push_back("?" + variant);
        continue;
      }
      select.keys.push_back((is_default ? "*" : "") + variant.substr(bracket + 1, close - bracket - 1));
    }
    if (j == entry.lines.size()) select.layout_ok = false;  // never closed
    selects.push_back(select);
    i = j - 1;  // the closing line may open the next select: "}, { $conflicts } open { $conflicts ->"
  }
  return selects;
}

// "count:one,*other;durable:one,*other" — comparable between the two languages.
std::string select_signature(const Entry& entry) {
  std::string signature;
  for (const Select& select : selects_of(entry)) {
    if (!signature.empty()) signature += ';';
    signature += select.selector + ':';
    for (std::size_t k = 0; k < select.keys.size(); ++k) signature += (k ? "," : "") + select.keys[k];
  }
  return signature;
}

std::string join(const std::set<std::string>& names) {
  std::string out;
  for (const std::string& name : names) out += (out.empty() ? "" : ", ") + name;
  return out;
}

}  // namespace fe::catalogue_check
