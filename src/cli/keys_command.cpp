#include <CLI/CLI.hpp>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/fields.h"
#include "cli/suggestion.h"

namespace quillory::cli {

std::vector<const Fact*> KeysInListOrder() {
  std::vector<const Fact*> keys(ReleaseFacts().begin(), ReleaseFacts().end());
  keys.insert(keys.end(), HtmlSettings().begin(), HtmlSettings().end());
  return keys;
}

const Fact& KnownField(const std::string& key) {
  if (const Fact* fact = FindFact(key)) return *fact;
  std::vector<std::string> names;
  std::string list;
  for (const Fact* fact : KeysInListOrder()) {
    names.emplace_back(fact->key);
    list.append(list.empty() ? "" : ", ").append(fact->key);
  }
  throw UsageError{"unknown key '" + key + "'" + DidYouMean(key, names) + " (keys: " + list + ")"};
}

void AddKeysCommand(CLI::App& app, const Streams& io) {
  CLI::App* sub = NewSubcommand(
      app, "keys", "keys", "Prints every key a project document stores, a tab and its caption, one a line");
  sub->callback([io] {
    std::string lines;
    for (const Fact* fact : KeysInListOrder())
      lines.append(fact->key).append("\t").append(fact->caption) += '\n';
    WriteOutputOrThrow("-", lines, io);
  });
}

}  // namespace quillory::cli
