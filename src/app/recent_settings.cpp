#include "app/recent_settings.h"

#include <QSettings>
#include <memory>

#include "app/text_bridge.h"

namespace quillory {
namespace {

constexpr char kRecentKey[] = "recentDocuments";

std::unique_ptr<QSettings> OpenSettings(const std::string& file) {
  if (file.empty()) {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quillory"),
                                       QStringLiteral("quillory"));
  }
  return std::make_unique<QSettings>(FromNativePath(file), QSettings::IniFormat);
}

}  // namespace

RecentSettings::RecentSettings(std::string file) : file_(std::move(file)) {}

std::vector<std::string> RecentSettings::Load() const {
  std::vector<std::string> paths;
  for (const QVariant& entry : OpenSettings(file_)->value(QLatin1String(kRecentKey)).toList())
    paths.push_back(entry.toByteArray().toStdString());
  return paths;
}

void RecentSettings::Store(const std::vector<std::string>& paths) const {
  QVariantList list;
  for (const std::string& path : paths) list.append(QByteArray::fromStdString(path));
  OpenSettings(file_)->setValue(QLatin1String(kRecentKey), list);
}

}  // namespace quillory
