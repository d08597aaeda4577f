#pragma once

#include <QElapsedTimer>
#include <cstdint>
#include <memory>

class QProgressDialog;
class QWidget;

namespace quillory {

// The sign of progress for a long digest: after about half a second a progress dialog with Cancel
// appears; Update returns false once the user has cancelled.
class DigestProgress {
 public:
  explicit DigestProgress(QWidget* window);
  ~DigestProgress();
  bool Update(std::uint64_t done, std::uint64_t total);

 private:
  QWidget* window_;
  QElapsedTimer clock_;
  std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace quillory
