#include "project/ini_file.h"

#include <algorithm>
#include <cstring>

#include "text/ascii.h"
#include "text/codepage.h"

namespace quillory {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The start of a key's line: "key=".
std::string KeyHead(std::string_view key) {
  std::string head(key);
  head += '=';
  return head;
}

// The value as read: blanks trimmed, then one matching pair of quotes removed.
std::string_view CleanValue(std::string_view raw) {
  std::string_view value = Trim(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::optional<std::string_view> SectionNameOfLine(std::string_view line) {
  const std::string_view text = Trim(line);
  if (text.empty() || text.front() != '[' || text.find(']') == std::string_view::npos) return std::nullopt;
  return Trim(text.substr(1, text.rfind(']') - 1));
}

bool HoldsIniSection(std::string_view content, std::initializer_list<std::string_view> names) {
  while (!content.empty()) {
    const size_t end = content.find_first_of("\r\n");
    if (auto name = SectionNameOfLine(content.substr(0, end))) {
      for (std::string_view wanted : names) {
        if (EqualsIgnoringAsciiCase(*name, wanted)) return true;
      }
    }
    if (end == std::string_view::npos) break;
    content.remove_prefix(end + 1);
  }
  return false;
}

IniDocument::IniDocument(std::string content) : content_(std::move(content)) { Parse(); }

std::string_view IniDocument::LineText(size_t index) const {
  const Line& line = lines_[index];
  return std::string_view(content_).substr(line.begin, line.end - line.begin);
}

void IniDocument::Parse() {
  if (std::string_view(content_).starts_with(kUtf8Bom)) bom_size_ = kUtf8Bom.size();
  const char* data = content_.data();
  const size_t size = content_.size();
  // The next CR and LF at or after the current position, found with memchr so long lines scan fast.
  auto find_from = [&](char c, size_t from) {
    const void* hit = from < size ? std::memchr(data + from, c, size - from) : nullptr;
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - data) : size;
  };
  size_t next_cr = find_from('\r', bom_size_);
  size_t next_lf = find_from('\n', bom_size_);
  size_t pos = bom_size_;
  constexpr size_t kNone = static_cast<size_t>(-1);
  size_t current = kNone;  // the section being read, when it is the first of its name
  bool in_section = false;
  bool spare_back =
      false;  // the last kept line is only its section's last key line, which a later one replaces
  for (size_t number = 0; pos < size; ++number) {
    if (next_cr < pos) next_cr = find_from('\r', pos);
    if (next_lf < pos) next_lf = find_from('\n', pos);
    const size_t end = std::min(next_cr, next_lf);
    uint8_t eol = 0;
    if (end < size) eol = (data[end] == '\r' && end + 1 < size && data[end + 1] == '\n') ? 2 : 1;
    const Line line{pos, end, number, eol, Kind::kOther};
    pos = end + eol;

    std::string_view text = Trim(std::string_view(data + line.begin, end - line.begin));
    if (auto section_name = SectionNameOfLine(text)) {
      std::string name = AsciiLower(*section_name);
      in_section = true;
      spare_back = false;
      if (section_index_.find(name) == section_index_.end()) {
        section_index_.emplace(name, sections_.size());
        current = sections_.size();
        sections_.push_back(Section{lines_.size(), std::nullopt, {}, {}});
        lines_.push_back(line);
        lines_.back().kind = Kind::kSection;
      } else {
        current = kNone;
      }
    } else if (in_section && current != kNone && !text.empty() && text.front() != ';' &&
               text.find('=') != std::string_view::npos) {
      Section& section = sections_[current];
      std::string key = AsciiLower(Trim(text.substr(0, text.find('='))));
      if (spare_back) lines_.pop_back();
      const size_t index = lines_.size();
      lines_.push_back(line);
      lines_.back().kind = Kind::kKey;
      spare_back = !section.keys.try_emplace(std::move(key), KeyRef{false, index}).second;
      section.last_key_line = index;
    }
  }
}

std::string_view IniDocument::RawValue(const KeyRef& ref) const {
  // A written key's head is "key=", and the key holds no "=".
  if (ref.added) return added_lines_[ref.index].value;
  if (auto it = replacements_.find(ref.index); it != replacements_.end()) return it->second.value;
  const std::string_view text = LineText(ref.index);
  const size_t equals = text.find('=');
  return equals == std::string_view::npos ? std::string_view() : text.substr(equals + 1);
}

std::optional<std::string> IniDocument::Read(std::string_view section, std::string_view key) const {
  auto value = ReadView(section, key);
  if (!value) return std::nullopt;
  return std::string(*value);
}

std::optional<std::string_view> IniDocument::ReadView(std::string_view section, std::string_view key) const {
  auto s = section_index_.find(AsciiLower(Trim(section)));
  if (s == section_index_.end()) return std::nullopt;
  const Section& found = sections_[s->second];
  auto k = found.keys.find(AsciiLower(Trim(key)));
  if (k == found.keys.end()) return std::nullopt;
  return CleanValue(RawValue(k->second));
}

std::optional<std::string_view> IniDocument::ExactLineValue(std::string_view section,
                                                            std::string_view key) const {
  auto s = section_index_.find(AsciiLower(Trim(section)));
  if (s == section_index_.end()) return std::nullopt;
  const Section& found = sections_[s->second];
  auto k = found.keys.find(AsciiLower(Trim(key)));
  if (k == found.keys.end() || k->second.added || replacements_.contains(k->second.index))
    return std::nullopt;
  const std::string_view line = LineText(k->second.index);
  const std::string_view old = Trim(line);
  const std::string_view spelling = Trim(old.substr(0, old.find('=')));
  if (!line.starts_with(spelling) || line.size() <= spelling.size() || line[spelling.size()] != '=') {
    return std::nullopt;
  }
  return line.substr(spelling.size() + 1);
}

bool IniDocument::HasSection(std::string_view section) const {
  return section_index_.contains(AsciiLower(Trim(section)));
}

std::optional<size_t> IniDocument::LineNumber(std::string_view section, std::string_view key) const {
  auto s = section_index_.find(AsciiLower(Trim(section)));
  if (s == section_index_.end()) return std::nullopt;
  const Section& found = sections_[s->second];
  if (key.empty()) {
    return found.header_line ? std::optional<size_t>(lines_[*found.header_line].number + 1) : std::nullopt;
  }
  auto k = found.keys.find(AsciiLower(Trim(key)));
  if (k == found.keys.end() || k->second.added) return std::nullopt;
  return lines_[k->second.index].number + 1;
}

void IniDocument::Write(std::string_view section, std::string_view key, std::string value) {
  const std::string section_name = AsciiLower(Trim(section));
  const std::string key_name = AsciiLower(Trim(key));
  auto s = section_index_.find(section_name);
  if (s == section_index_.end()) {
    s = section_index_.emplace(section_name, sections_.size()).first;
    sections_.push_back(Section{std::nullopt, std::nullopt, {}, {}});
    added_sections_.push_back(s->second);
    // The new section's header is kept as its first added line.
    std::string header(1, '[');
    header.append(Trim(section));
    header += ']';
    added_lines_.push_back(WrittenLine{std::move(header), {}});
    sections_.back().added_keys.push_back(added_lines_.size() - 1);
  }
  Section& target = sections_[s->second];
  if (auto k = target.keys.find(key_name); k != target.keys.end()) {
    if (k->second.added) {
      added_lines_[k->second.index] = WrittenLine{KeyHead(Trim(key)), std::move(value)};
    } else {
      const std::string_view line = LineText(k->second.index);
      const std::string_view old = Trim(line);
      const std::string_view spelling = Trim(old.substr(0, old.find('=')));
      if (line.size() == spelling.size() + 1 + value.size() && line.starts_with(spelling) &&
          line[spelling.size()] == '=' && line.substr(spelling.size() + 1) == value) {
        replacements_.erase(k->second.index);  // the line already reads so
      } else {
        replacements_[k->second.index] = WrittenLine{KeyHead(spelling), std::move(value)};
      }
    }
    return;
  }
  added_lines_.push_back(WrittenLine{KeyHead(Trim(key)), std::move(value)});
  const size_t added = added_lines_.size() - 1;
  target.keys.emplace(key_name, KeyRef{true, added});
  if (target.header_line) {
    added_after_[target.last_key_line.value_or(*target.header_line)].push_back(added);
  } else {
    target.added_keys.push_back(added);
  }
}

std::string IniDocument::Serialize() const {
  size_t total = content_.size() + 2;
  for (const auto& text : added_lines_) total += text.head.size() + text.value.size() + 2;
  for (const auto& [line, text] : replacements_) total += text.head.size() + text.value.size();
  std::string out;
  out.reserve(total);
  size_t copied = 0;  // content_ is in out up to here
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    out.append(content_, copied, line.begin - copied);
    copied = line.end + line.eol_size;
    if (auto r = replacements_.find(i); r != replacements_.end()) {
      out += r->second.head;
      out += r->second.value;
    } else {
      out.append(content_, line.begin, line.end - line.begin);
    }
    out.append(content_, line.end, line.eol_size);
    if (auto a = added_after_.find(i); a != added_after_.end()) {
      if (line.eol_size == 0) out += "\r\n";
      for (size_t added : a->second) {
        out += added_lines_[added].head;
        out += added_lines_[added].value;
        out += "\r\n";
      }
    }
  }
  out.append(content_, copied);
  for (size_t section : added_sections_) {
    if (out.size() > bom_size_ && out.back() != '\n' && out.back() != '\r') out += "\r\n";
    for (size_t added : sections_[section].added_keys) {
      out += added_lines_[added].head;
      out += added_lines_[added].value;
      out += "\r\n";
    }
  }
  return out;
}

}  // namespace quillory
