#pragma once

#include <string>

#include "project/facts.h"
#include "project/readme_project.h"

namespace quillory::testing {

// A record with every fact and setting filled, multi-line texts with empty lines, a leading indent and
// the characters that matter to the program (©, ¤ in a one-line fact, é; all in Windows-1252).
inline ReadmeProject FullRecord() {
  ReadmeProject r;
  r.program_name = "Sample Tool";
  r.version = "2.0.1";
  r.website = "https://sample.example.org/";
  r.email = "team@sample.example.org";
  r.copyright = "© 2026 Sample Team";
  r.license_type = "Public Domain-ish";
  r.limitations = "none ¤ really";
  r.author = "René Sample";
  r.creation = "08.12.2026";
  r.down_url = "https://sample.example.org/get?down=1";
  r.down_mirror = "https://mirror.example.org/get?down=1";
  r.surce_url = "https://sample.example.org/src?down=1";
  r.screenshot_url = "https://sample.example.org/screenshot.png";
  r.languages = "English, Hungarian";
  r.paid = "10€";
  r.os = "Linux";
  r.size = "12 Kb";
  r.md5 = "900150983CD24FB0D6963F7D28E17F72";
  r.descript_uses = "Converts files.\r\n\r\nRuns from the command line.";
  r.required = "A computer\r\n";
  r.news = "\r\nStarts with an empty line";
  r.license = "                    SAMPLE LICENSE\r\n\r\nDo what you like.  ";
  r.changelog = "2.0.1: fixes\r\n\r\n\r\n2.0: first";
  r.todo = "\"quoted\"";
  r.c1 = "white";
  r.c2 = "#12ABEF";
  r.c3 = "not a colour";
  r.c4 = "#eeeeee";
  r.c5 = "lightgrey";
  r.c6 = "#D4D0C8";
  r.chr = "utf-8";
  return r;
}

// A record with the HTML defaults and every fact of the release holding its own key as a one-line text.
inline ReadmeProject KeyedRecord() {
  ReadmeProject r;
  SetHtmlDefaults(r);
  for (const Fact* fact : ReleaseFacts()) r.*fact->member = std::string(fact->key);
  return r;
}

}  // namespace quillory::testing
