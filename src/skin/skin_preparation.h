// A skin's files prepared on worker threads while the window is being made: started early,
// taken file by file as each is ready, and stopped between files when no longer wanted.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "skin/skin_files.h"

namespace ss {

// Everything that decides a preparation's pixels. Two preparations with equal keys give the
// same pixels, so one may stand in for the other.
struct SkinPreparationKey {
  std::string folder;  // ends in kPathSeparator
  int dpi = 0;
  std::vector<SkinRequest> requests;
  // The language's tags, nearest first, whose picture folders come before the skin's own.
  std::vector<std::string> languages;

  bool operator==(const SkinPreparationKey&) const = default;
};

class SkinPreparation {
 public:
  // Makes the pixels of one request (PrepareSkinFile by default); may raise.
  using Preparer = std::function<PixelImage(const SkinRequest&)>;

  // Starts preparing every request of `key` in their order on up to `threads` worker threads
  // (one per processor by default, 0 for none: take() then does each file itself), and returns
  // at once. The variant folders are listed on a worker, once, when the DPI needs them.
  explicit SkinPreparation(SkinPreparationKey key, unsigned threads = DefaultThreads(),
                           Preparer preparer = {});
  // Asks the workers to stop and waits only for the files they are preparing at that moment.
  ~SkinPreparation();
  SkinPreparation(const SkinPreparation&) = delete;
  SkinPreparation& operator=(const SkinPreparation&) = delete;

  const SkinPreparationKey& key() const { return key_; }

  // Asks the workers to stop after the files they are preparing, and returns at once; take()
  // prepares any file left on the calling thread.
  void cancel();

  // The pixels of request `index`, once: as soon as that file is ready (a file no worker has
  // begun yet is prepared on the calling thread). Raises what preparing it raised.
  PixelImage take(std::size_t index);

  static unsigned DefaultThreads();

  // The skin's variant folders (when the DPI needs them) and the language's picture folders,
  // listed once for every file of the preparation, and for other files of the same skin.
  const SkinVariants& variants();
  const std::vector<SkinLanguageFolder>& languages();

 private:
  struct Slot {
    enum State { Waiting, Working, Done } state = Waiting;
    PixelImage pixels;
    std::exception_ptr error;
  };

  // Marks the slot as being worked on; false when another thread has it already.
  bool claim(std::size_t index);
  void list();
  void prepare(std::size_t index);
  void work(std::stop_token stop);

  SkinPreparationKey key_;
  Preparer preparer_;
  std::once_flag listed_;
  SkinVariants variants_;
  std::vector<SkinLanguageFolder> languages_;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::vector<Slot> slots_;
  // Last, so that the workers stop and are joined before anything they use goes.
  std::vector<std::jthread> workers_;
};

// `prepared` when its key is `key`; otherwise a preparation of `key` on `threads` workers,
// begun now, and `prepared` stopped and dropped.
std::unique_ptr<SkinPreparation> TakeOrPrepare(
    std::unique_ptr<SkinPreparation> prepared, SkinPreparationKey key,
    unsigned threads = SkinPreparation::DefaultThreads());

}  // namespace ss
