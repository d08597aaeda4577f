#include "app/digest_progress.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include "common/version.h"

namespace quillory {

// Below the half second within which the dialog must show, with room for the 50 ms between two Updates.
constexpr qint64 kQuietMilliseconds = 400;
constexpr int kSteps = 1000;

DigestProgress::DigestProgress(QWidget* window, QString label) : window_(window), label_(std::move(label)) {}

DigestProgress::~DigestProgress() = default;

bool DigestProgress::Update(std::uint64_t done, std::uint64_t total) {
  if (stopped_) return false;
  if (!clock_.isValid()) clock_.start();
  if (!dialog_) {
    if (clock_.elapsed() < kQuietMilliseconds) return true;
    dialog_ = std::make_unique<QProgressDialog>(label_, QStringLiteral("&Cancel"), 0, kSteps, window_);
    dialog_->setWindowTitle(QString::fromUtf8(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size())));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(0);
  }
  if (total == 0 || done > total) {
    dialog_->setRange(0, 0);  // no known length (a pipe or device): a busy bar, never "finished"
    dialog_->setValue(0);
  } else {
    dialog_->setValue(static_cast<int>(done * kSteps / total));
  }
  QCoreApplication::processEvents();
  return !stopped_ && !dialog_->wasCanceled();
}

}  // namespace quillory
