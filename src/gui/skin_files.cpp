#include "gui/skin_files.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <system_error>
#include <thread>

#include "config/config_store.h"
#include "core/bitmap_decode.h"
#include "core/error_text.h"
#include "core/errors.h"
#include "core/system_error.h"
#include "core/file_read.h"
#include "core/handles_win.h"
#include "core/image_header.h"
#include "core/resample.h"
#include "core/skin_scale.h"
#include "core/wide.h"
#include "gui/dpi.h"

namespace ss {

namespace {

// More than any bitmap file's headers take: the file header and the largest information one.
constexpr std::size_t kBitmapHeaderBytes = 14 + 124;

// The names of the files in a folder, upper-cased (names are matched as Windows does).
std::set<std::string> FileNames(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAW found;
  const FindHandle search(FindFirstFileW(Wide(folder + "*").c_str(), &found));
  if (!search) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      names.insert(UpperCaseName(Narrow(found.cFileName)));
    }
  } while (FindNextFileW(search.get(), &found));
  return names;
}

}  // namespace

void SkinFolder::listFolders() {
  if (listed_) return;
  listed_ = true;
  baseFiles_ = FileNames(path_);
  WIN32_FIND_DATAW found;
  const FindHandle search(FindFirstFileW(Wide(path_ + "*").c_str(), &found));
  if (!search) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (const std::optional<int> scale = VariantScale(Narrow(found.cFileName))) {
      variants_[*scale] = FileNames(path_ + std::to_string(*scale) + "\\");
    }
  } while (FindNextFileW(search.get(), &found));
}

SkinFolder::Prepared SkinFolder::prepare(const SkinRequest& request, int dpi) const {
  Prepared prepared;
  try {
    // The 96-DPI file must be there at every DPI.
    const std::string basePath = path_ + request.name;
    const std::string key = UpperCaseName(request.name);
    if (!baseFiles_.count(key)) {
      throw EFOpenError(FileOpenMessage(basePath, SystemErrorText(ERROR_FILE_NOT_FOUND)));
    }
    std::vector<int> scales{kBaseScale};
    for (const auto& [scale, names] : variants_) {
      if (names.count(key)) scales.push_back(scale);
    }
    const int chosen = ChooseVariant(dpi, scales).value_or(kBaseScale);
    prepared.path =
        chosen == kBaseScale ? basePath : path_ + std::to_string(chosen) + "\\" + request.name;
    prepared.bytes = ReadWholeFile(prepared.path);
    CheckBitmapFile(prepared.bytes);
    const BitmapSize size = BitmapFileSize(prepared.bytes);
    // The 96-DPI size sets the size needed. A variant whose size is one drawn at its scale
    // tells it (there is only one 96-DPI size it can be drawn from); otherwise the 96-DPI
    // file's header does.
    BitmapSize base = size;
    if (chosen != kBaseScale) {
      const std::optional<int> width = BaseLength(size.width, chosen);
      const std::optional<int> height = BaseLength(size.height, chosen);
      if (width && height) {
        base = {*width, *height};
      } else {
        base = BitmapFileSize(ReadFileStart(basePath, kBitmapHeaderBytes));
      }
    }
    const int width = ScaleToDpi(base.width, dpi);
    const int height = ScaleToDpi(base.height, dpi);
    // Drawn at this very size (a variant of the exact scale): the file as it is.
    if (size.width == width && size.height == height) return prepared;
    // Decoded here rather than by the system: the pixels are wanted, not a bitmap of them.
    PixelImage source = DecodeBitmapFile(prepared.bytes);
    prepared.bytes.clear();
    if (request.key && request.keyLastColumn) {
      for (int y = 0; y < source.height; ++y) {
        source.pixels[static_cast<size_t>(y) * source.width + source.width - 1] = *request.key;
      }
    }
    prepared.pixels = Resample(source, width, height, request.key);
  } catch (...) {
    prepared.error = std::current_exception();
  }
  return prepared;
}

Bitmap SkinFolder::makeBitmap(Prepared prepared) {
  if (prepared.error) std::rethrow_exception(prepared.error);
  Bitmap bitmap;
  if (prepared.bytes.empty()) {
    bitmap.setPixels(prepared.pixels.width, prepared.pixels.height, prepared.pixels.pixels);
  } else {
    bitmap.loadFromFileBytes(prepared.bytes, prepared.path);
  }
  return bitmap;
}

Bitmap SkinFolder::load(const std::string& name, int dpi, std::optional<COLORREF> key,
                        bool keyLastColumn) {
  if (dpi == kDesignDpi) {
    Bitmap bitmap;
    bitmap.loadFromFile(path_ + name);
    return bitmap;
  }
  finishPrefetch();
  const auto found = prefetched_.find(name);
  if (found != prefetched_.end() && prefetchedDpi_ == dpi) {
    Prepared prepared = std::move(found->second);
    prefetched_.erase(found);
    return makeBitmap(std::move(prepared));
  }
  listFolders();
  return makeBitmap(prepare(SkinRequest{name, key, keyLastColumn}, dpi));
}

SkinFolder::~SkinFolder() {
  for (std::thread& helper : helpers_) helper.join();
}

void SkinFolder::prefetch(const std::vector<SkinRequest>& requests, int dpi) {
  const auto sameNames = [&](const std::vector<SkinRequest>& other) {
    return std::equal(requests.begin(), requests.end(), other.begin(), other.end(),
                      [](const SkinRequest& a, const SkinRequest& b) { return a.name == b.name; });
  };
  if (dpi == prefetchedDpi_ && !requests.empty() && sameNames(pending_)) return;  // under way
  finishPrefetch();
  prefetched_.clear();
  prefetchedDpi_ = 0;
  if (dpi == kDesignDpi || requests.empty()) return;
  listFolders();  // once, before any thread reads the lists
  prefetchedDpi_ = dpi;
  pending_ = requests;
  results_ = std::make_unique<std::vector<Prepared>>(requests.size());
  next_ = 0;
  const auto work = [this, dpi] {
    for (size_t i; (i = next_++) < pending_.size();) (*results_)[i] = prepare(pending_[i], dpi);
  };
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  try {
    for (unsigned t = 0; t < std::min<size_t>(cores, requests.size()); ++t) {
      helpers_.emplace_back(work);
    }
  } catch (const std::system_error&) {
    // No more threads to be had: the ones there do the work, or this one when there is none.
    if (helpers_.empty()) work();
  }
}

void SkinFolder::finishPrefetch() {
  if (!results_) return;
  for (std::thread& helper : helpers_) helper.join();
  helpers_.clear();
  for (size_t i = 0; i < pending_.size(); ++i) {
    prefetched_[pending_[i].name] = std::move((*results_)[i]);
  }
  pending_.clear();
  results_.reset();
}

}  // namespace ss
