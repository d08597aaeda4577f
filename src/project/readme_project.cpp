#include "project/readme_project.h"

#include "project/facts.h"

namespace quillory {

void ClearAllFacts(ReadmeProject& record) {
  for (const Fact* fact : ReleaseFacts()) (record.*fact->member).clear();
}

void SetHtmlDefaults(ReadmeProject& record) {
  for (const Fact* fact : HtmlSettings()) record.*fact->member = fact->initial;
}

}  // namespace quillory
