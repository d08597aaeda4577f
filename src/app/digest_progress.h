#pragma once

#include <QElapsedTimer>
#include <QString>
#include <cstdint>
#include <memory>

class QProgressDialog;
class QWidget;

namespace quillory {

// The sign of progress for a long digest: within half a second of the first Update a progress dialog with
// Cancel appears (Escape cancels too); Update returns false once the user has cancelled or Stop was called.
class DigestProgress {
 public:
  // label: the dialog's text, e.g. "Computing the MD5 digest...".
  DigestProgress(QWidget* window, QString label);
  ~DigestProgress();
  // Called often (at least every 50 ms); the first call starts the clock. Returns whether to go on.
  bool Update(std::uint64_t done, std::uint64_t total);
  // Asks the digest to stop at its next Update (the window is closing).
  void Stop() { stopped_ = true; }

 private:
  QWidget* window_;
  QString label_;
  QElapsedTimer clock_;
  std::unique_ptr<QProgressDialog> dialog_;
  bool stopped_ = false;
};

}  // namespace quillory
