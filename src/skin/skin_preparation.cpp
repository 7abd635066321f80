#include "skin/skin_preparation.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace ss {

SkinPreparation::SkinPreparation(SkinPreparationKey key, unsigned threads, Preparer preparer)
    : key_(std::move(key)), preparer_(std::move(preparer)), slots_(key_.requests.size()) {
  if (!preparer_) {
    preparer_ = [this](const SkinRequest& request) {
      list();
      return PrepareSkinFile(key_.folder, variants_, request, key_.dpi, languages_);
    };
  }
  const std::size_t wanted = std::min<std::size_t>(threads, slots_.size());
  try {
    for (std::size_t t = 0; t < wanted; ++t) {
      workers_.emplace_back([this](std::stop_token stop) { work(stop); });
    }
  } catch (const std::system_error&) {
    // No more threads to be had: the ones there do the work, and take() what none has begun.
  }
}

SkinPreparation::~SkinPreparation() {
  // Each worker sees the request before its next file; the jthreads join as they go.
  cancel();
}

void SkinPreparation::cancel() {
  for (std::jthread& worker : workers_) worker.request_stop();
}

void SkinPreparation::list() {
  std::call_once(listed_, [this] {
    if (UsesVariants(key_.dpi)) variants_ = ListSkinVariants(key_.folder);
    languages_ = ListSkinLanguages(key_.folder, key_.languages, UsesVariants(key_.dpi));
  });
}

const SkinVariants& SkinPreparation::variants() {
  list();
  return variants_;
}

const std::vector<SkinLanguageFolder>& SkinPreparation::languages() {
  list();
  return languages_;
}

unsigned SkinPreparation::DefaultThreads() {
  return std::max(1u, std::thread::hardware_concurrency());
}

bool SkinPreparation::claim(std::size_t index) {
  const std::lock_guard lock(mutex_);
  if (slots_[index].state != Slot::Waiting) return false;
  slots_[index].state = Slot::Working;
  return true;
}

void SkinPreparation::prepare(std::size_t index) {
  PixelImage pixels;
  std::exception_ptr error;
  try {
    pixels = preparer_(key_.requests[index]);
  } catch (...) {
    error = std::current_exception();
  }
  {
    const std::lock_guard lock(mutex_);
    Slot& slot = slots_[index];
    slot.pixels = std::move(pixels);
    slot.error = error;
    slot.state = Slot::Done;
  }
  ready_.notify_all();
}

void SkinPreparation::work(std::stop_token stop) {
  for (std::size_t i = 0; i < slots_.size() && !stop.stop_requested(); ++i) {
    if (claim(i)) prepare(i);
  }
}

PixelImage SkinPreparation::take(std::size_t index) {
  if (claim(index)) prepare(index);
  std::unique_lock lock(mutex_);
  ready_.wait(lock, [&] { return slots_[index].state == Slot::Done; });
  Slot& slot = slots_[index];
  if (slot.error) std::rethrow_exception(std::exchange(slot.error, nullptr));
  return std::move(slot.pixels);
}

std::unique_ptr<SkinPreparation> TakeOrPrepare(std::unique_ptr<SkinPreparation> prepared,
                                               SkinPreparationKey key, unsigned threads) {
  if (prepared && prepared->key() == key) return prepared;
  // Begun before the stale work is dropped, so that its last files overlap the new ones.
  auto fresh = std::make_unique<SkinPreparation>(std::move(key), threads);
  prepared.reset();
  return fresh;
}

}  // namespace ss
