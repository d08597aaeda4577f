#include "app/desktop_entry.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(DesktopEntry, ExecQuotesWhatWouldNotStartUnquotedAndReadsBack) {
  const std::pair<std::string, std::string> cases[] = {
      {"/usr/bin/quillory", "/usr/bin/quillory %f"},
      {"/opt/my apps/quillory", "\"/opt/my apps/quillory\" %f"},
      {"/opt/100%/q", "/opt/100%%/q %f"},
      {"/opt/$HOME/q", "\"/opt/\\\\$HOME/q\" %f"},  // quoted \$, then the string escape doubles "\"
      {"/opt/a\\b/q", "\"/opt/a\\\\\\\\b/q\" %f"},  // a literal backslash takes four
      {"/opt/say \"hi\"/q", "\"/opt/say \\\\\"hi\\\\\"/q\" %f"},
      {"/opt/tab\there/q", "\"/opt/tab\\there/q\" %f"},
  };
  for (const auto& [program, exec] : cases) {
    EXPECT_EQ(ExecValueFor(program), exec) << program;
    EXPECT_EQ(ProgramOfExecValue(exec), program) << exec;
  }
  // Foreign forms are not taken for a program of ours.
  for (const char* foreign :
       {"quillory %U", "\"/opt/a b/q %f", "/opt/a b/q %f", "/opt/50%/q %f", "sh -c x %f"}) {
    EXPECT_EQ(ProgramOfExecValue(foreign), std::nullopt) << foreign;
  }
  EXPECT_EQ(DesktopEntryValue("[Other]\nExec=no\n[Desktop Entry]\nName=Q\nExec = /q %f\n", "Exec"), "/q %f");
}

TEST(DesktopEntry, MimeAppsListKeepsEveryOtherLine) {
  const std::string type = "application/x-quillory";
  EXPECT_EQ(WithDefaultApplication("", type, "q.desktop"),
            "[Default Applications]\napplication/x-quillory=q.desktop\n");
  EXPECT_EQ(
      WithDefaultApplication("[Added Associations]\na/b=c.desktop", type, "q.desktop"),
      "[Added Associations]\na/b=c.desktop\n[Default Applications]\napplication/x-quillory=q.desktop\n");
  const std::string list =
      "# mine\n[Default Applications]\napplication/x-quillory=old.desktop\na/b=c.desktop\n";
  EXPECT_EQ(WithDefaultApplication(list, type, "q.desktop"),
            "# mine\n[Default Applications]\napplication/x-quillory=q.desktop\na/b=c.desktop\n");
  EXPECT_EQ(WithoutDefaultApplication(list, type), "# mine\n[Default Applications]\na/b=c.desktop\n");
  EXPECT_EQ(DefaultApplication(list, type), "old.desktop");
  EXPECT_EQ(DefaultApplication("[Added Associations]\napplication/x-quillory=x.desktop\n", type),
            std::nullopt);
}

}  // namespace
}  // namespace quillory
