#include "app/digest_progress.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include "common/version.h"

namespace quillory {

constexpr qint64 kQuietMilliseconds = 500;
constexpr int kSteps = 1000;

DigestProgress::DigestProgress(QWidget* window) : window_(window) { clock_.start(); }

DigestProgress::~DigestProgress() = default;

bool DigestProgress::Update(std::uint64_t done, std::uint64_t total) {
  if (!dialog_) {
    if (clock_.elapsed() < kQuietMilliseconds) return true;
    dialog_ = std::make_unique<QProgressDialog>(QStringLiteral("Computing the MD5 digest..."),
                                                QStringLiteral("Cancel"), 0, kSteps, window_);
    dialog_->setWindowTitle(QString::fromUtf8(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size())));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(0);
  }
  dialog_->setValue(total == 0 ? kSteps : static_cast<int>(done * kSteps / total));
  QCoreApplication::processEvents();
  return !dialog_->wasCanceled();
}

}  // namespace quillory
