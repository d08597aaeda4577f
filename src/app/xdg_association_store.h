#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/association_store.h"

namespace quillory {

// The folders of the XDG Base Directory rules, and the search path a desktop entry's command is found in.
struct XdgFolders {
  std::string data_home;                    // $XDG_DATA_HOME, else ~/.local/share
  std::string config_home;                  // $XDG_CONFIG_HOME, else ~/.config
  std::vector<std::string> data_dirs = {};  // $XDG_DATA_DIRS, else /usr/local/share and /usr/share
  std::vector<std::string> path = {};       // $PATH
  // The folders the environment names (an unset, empty or relative variable takes the default; relative
  // entries of a list are skipped).
  static XdgFolders FromEnvironment();
};

// The file association's registry-shaped keys as the files of a freedesktop.org desktop:
// - ".qlx" = "Quillory": the shared-mime-info package mime/packages/quillory.xml (application/x-quillory,
//   glob *.qlx) and "application/x-quillory=quillory.desktop" under [Default Applications] in mimeapps.list;
// - "Quillory\Shell\Open\Command" = "PROGRAM %1": applications/quillory.desktop with Exec "PROGRAM %f";
// - "Quillory\DefaultIcon": the document icon application-x-quillory under icons/hicolor.
// Deleting "Quillory" removes the desktop entry and the icon; deleting ".qlx" removes the package and the
// mimeapps.list line. After a change the desktop's caches are rebuilt with update-mime-database and
// update-desktop-database when those programs exist, which run on their own: nothing waits for them. A
// refused write raises "Failed to set data for '%s'" with the key.
// Like the registry's merged view of the machine's and the user's classes, the open command is read from
// the system-wide desktop entry applications/io.github.quillory.Quillory.desktop of the data folders when
// the user has none: its command, found in the search path, then counts as the registered program, so an
// installed program that the system's entry starts writes nothing per user. Writes and deletions touch
// the user's files only.
class XdgAssociationStore : public AssociationStore {
 public:
  explicit XdgAssociationStore(XdgFolders folders);

  bool KeyExists(const std::string& key) override;
  std::optional<std::string> ReadDefault(const std::string& key) override;
  void WriteDefault(const std::string& key, const std::string& value) override;
  void DeleteKeyTree(const std::string& key) override;

  std::string MimePackagePath() const;
  std::string MimeAppsPath() const;
  std::string DesktopEntryPath() const;
  std::string IconPath(int size) const;
  // The program the first system-wide desktop entry of ours starts, as a canonical path; nothing when no
  // data folder has one, or its command is of another form or is not found.
  std::optional<std::string> InstalledProgram() const;

 private:
  void WriteDocumentType(const std::string& key, const std::string& value);
  void WriteOpenCommand(const std::string& key, const std::string& value);
  void WriteIcon(const std::string& key, const std::string& value);
  void RemoveDocumentType();
  void RemoveProgram(bool entry, bool icon);

  XdgFolders folders_;
};

}  // namespace quillory
