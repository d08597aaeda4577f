#include <gtest/gtest.h>

#include "fields/text_file_fact.h"
#include "fields/web_address.h"

namespace quillory {
namespace {

TEST(TextFileAsFact, LineBreaksAndEncodings) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb", "a\r\nb"},
      {"a\r\nb\n\rc\r\r\n", "a\r\nb\r\n\r\nc\r\n\r\n"},
      {"", ""},
      {"café € ┌ Łódź 日本 😀\n", "café € ┌ Łódź 日本 😀\r\n"},  // UTF-8 without a mark
      {"\xEF\xBB\xBFplain", "plain"},                          // a byte-order mark is dropped
      {"\xEF\xBB\xBFő caf\xE9", "ő café"},                     // after a mark, a stray 8-bit letter kept
      {"caf\xE9 \xA9\x80", "café ©€"},                         // Windows-1252
      {std::string("nul\0byte", 8), std::string("nul\0byte", 8)},
  };
  for (const auto& [file, fact] : cases) EXPECT_EQ(TextFileAsFact(file), fact) << file;
}

TEST(WebAddressToOpen, WebAddressesOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"https://example.org/a?down=x", "https://example.org/a?down=x"},
      {"HTTP://EXAMPLE.ORG", "HTTP://EXAMPLE.ORG"},
      {"ftp://files.example.org/x.zip", "ftp://files.example.org/x.zip"},
      {"www.example.com", "http://www.example.com"},
      {"example.org:8080/path", "http://example.org:8080/path"},
      {"file:///etc/passwd", ""},
      {"/usr/bin/xterm", ""},
      {"javascript:alert(1)", ""},
      {"mailto:a@b.org", ""},
      {"   ", ""},
      {"localhost", ""},
      {"com.example.app:run", ""},
      {"-bad.example.org", ""},
      {"www.example.com extra words", ""},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(WebAddressToOpen(text), expected) << text;
}

}  // namespace
}  // namespace quillory
