#include "project/readme_project.h"

namespace quillory {

const std::array<FieldInfo, kFactCount>& FactFields() {
  using R = ReadmeProject;
  static const std::array<FieldInfo, kFactCount> fields = {{
      {"program_name", &R::program_name, false},
      {"version", &R::version, false},
      {"website", &R::website, false},
      {"email", &R::email, false},
      {"copyright", &R::copyright, false},
      {"license_type", &R::license_type, false},
      {"limitations", &R::limitations, false},
      {"author", &R::author, false},
      {"creation", &R::creation, false},
      {"down_url", &R::down_url, false},
      {"down_mirror", &R::down_mirror, false},
      {"surce_url", &R::surce_url, false},
      {"screenshot_url", &R::screenshot_url, false},
      {"languages", &R::languages, false},
      {"paid", &R::paid, false},
      {"os", &R::os, false},
      {"size", &R::size, false},
      {"md5", &R::md5, false},
      {"sha256", &R::sha256, false},
      {"descript_uses", &R::descript_uses, true},
      {"required", &R::required, true},
      {"news", &R::news, true},
      {"license", &R::license, true},
      {"changelog", &R::changelog, true},
      {"todo", &R::todo, true},
  }};
  return fields;
}

const std::array<FieldInfo, kHtmlSettingCount>& HtmlSettingFields() {
  using R = ReadmeProject;
  static const std::array<FieldInfo, kHtmlSettingCount> fields = {{
      {"c1", &R::c1, false},
      {"c2", &R::c2, false},
      {"c3", &R::c3, false},
      {"c4", &R::c4, false},
      {"c5", &R::c5, false},
      {"c6", &R::c6, false},
      {"chr", &R::chr, false},
  }};
  return fields;
}

const FieldInfo* FindField(std::string_view key) {
  for (const auto& field : FactFields()) {
    if (field.key == key) return &field;
  }
  for (const auto& field : HtmlSettingFields()) {
    if (field.key == key) return &field;
  }
  return nullptr;
}

void ClearAllFacts(ReadmeProject& record) {
  for (const auto& field : FactFields()) (record.*field.member).clear();
}

void SetHtmlDefaults(ReadmeProject& record) {
  record.c1 = kDefaultC1;
  record.c2 = kDefaultC2;
  record.c3 = kDefaultC3;
  record.c4 = kDefaultC4;
  record.c5 = kDefaultC5;
  record.c6 = kDefaultC6;
  record.chr = kDefaultCharset;
}

}  // namespace quillory
