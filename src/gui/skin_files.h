// Skin bitmaps at the display's scale: a skin folder's own files are drawn for 96 DPI; its
// subfolders named by scale in per cent ("125", "150", "200", ...) may hold any of them drawn
// at that scale. At another DPI each file comes from the smallest variant at or above the
// scale needed (or the largest there is), resampled to the exact size it needs there.
#pragma once

#include <atomic>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/resample.h"

#include "gui/bitmap.h"

namespace ss {

// One skin file as a window wants it: its name, the colour never to blend, and whether its
// rightmost column counts as that colour (see SkinFolder::load).
struct SkinRequest {
  std::string name;
  std::optional<COLORREF> key;
  bool keyLastColumn = false;
};

class SkinFolder {
 public:
  // `path` ends in "\". Its files and variant folders are listed at the first load that needs
  // them (at 96 DPI none does).
  explicit SkinFolder(std::string path) : path_(std::move(path)) {}
  // Waits for a prefetch still running; its threads use this object, which therefore stays
  // where it is made.
  ~SkinFolder();
  SkinFolder(const SkinFolder&) = delete;
  SkinFolder& operator=(const SkinFolder&) = delete;

  const std::string& path() const { return path_; }

  // The bitmap file `name` as a window at `dpi` shows it: at 96 DPI the file itself, exactly;
  // elsewhere the 96-DPI file's width and height times dpi / 96 (MulDiv), from the variant that
  // fits best, resampled unless it has that size already. Pixels of `key` are never blended
  // into their neighbours; with `keyLastColumn` the file's rightmost column, which no outline
  // ever shows, counts as key too, so the outline scales without growing. Raises as
  // Bitmap::loadFromFile for the 96-DPI file (which must be there at every DPI) and the variant,
  // and EInvalidGraphic for a result beyond the bitmap limits.
  Bitmap load(const std::string& name, int dpi, std::optional<COLORREF> key = std::nullopt,
              bool keyLastColumn = false);

  // At a DPI other than 96, starts reading, decoding and resampling these files side by side,
  // one thread per processor, and returns at once; the first load() waits for them, then each
  // load() takes its file's result (or raises its error) in whatever order it is asked for, and
  // makes the bitmap on the calling thread. The same files at the same DPI again keep the work
  // begun. At 96 DPI it does nothing: there every file is simply the bitmap of its own bytes.
  void prefetch(const std::vector<SkinRequest>& requests, int dpi);

 private:
  // A file ready to become a bitmap: its bytes, when they have the size needed, or pixels.
  struct Prepared {
    std::string path;
    std::string bytes;
    PixelImage pixels;
    std::exception_ptr error;
  };

  // Lists the folder's files and its variant folders' files, once.
  void listFolders();
  // Everything of load() but the bitmap: no window-system calls, so any thread may run it
  // once the variant folders are listed.
  Prepared prepare(const SkinRequest& request, int dpi) const;
  static Bitmap makeBitmap(Prepared prepared);

  std::string path_;
  bool listed_ = false;
  std::set<std::string> baseFiles_;                // upper-cased names
  std::map<int, std::set<std::string>> variants_;  // by scale
  // Waits for the prefetch's threads and files their results by name.
  void finishPrefetch();

  std::map<std::string, Prepared> prefetched_;
  int prefetchedDpi_ = 0;
  // While the prefetch runs: what it was asked, the next request to take, its threads and their
  // results by request.
  std::vector<SkinRequest> pending_;
  std::atomic<size_t> next_{0};
  std::vector<std::thread> helpers_;
  std::unique_ptr<std::vector<Prepared>> results_;
};

}  // namespace ss
