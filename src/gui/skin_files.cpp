#include "gui/skin_files.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

#include "core/bitmap_decode.h"
#include "core/file_read.h"
#include "core/image_header.h"
#include "core/resample.h"
#include "core/skin_scale.h"
#include "core/wide.h"
#include "gui/dpi.h"

namespace ss {

namespace {

// More than any bitmap file's headers take: the file header and the largest information one.
constexpr std::size_t kBitmapHeaderBytes = 14 + 124;

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

const std::vector<int>& SkinFolder::variantScales() {
  if (scales_) return *scales_;
  scales_.emplace();
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Wide(path_ + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return *scales_;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (const std::optional<int> scale = VariantScale(Narrow(found.cFileName))) {
      scales_->push_back(*scale);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return *scales_;
}

SkinFolder::Prepared SkinFolder::prepare(const SkinRequest& request, int dpi) const {
  Prepared prepared;
  try {
    // The 96-DPI file must be there at every DPI, and its size sets the size needed: its
    // header is enough for that (the rest is read only when it is the file resampled).
    const std::string basePath = path_ + request.name;
    const BitmapSize base = BitmapFileSize(ReadFileStart(basePath, kBitmapHeaderBytes));
    const int width = ScaleToDpi(base.width, dpi);
    const int height = ScaleToDpi(base.height, dpi);

    std::vector<int> scales{kBaseScale};
    for (const int scale : *scales_) {
      if (IsFile(path_ + std::to_string(scale) + "\\" + request.name)) scales.push_back(scale);
    }
    const int chosen = ChooseVariant(dpi, scales).value_or(kBaseScale);
    prepared.path =
        chosen == kBaseScale ? basePath : path_ + std::to_string(chosen) + "\\" + request.name;
    prepared.bytes = ReadWholeFile(prepared.path);
    CheckBitmapFile(prepared.bytes);
    const BitmapSize size = BitmapFileSize(prepared.bytes);
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
  const auto found = prefetched_.find(name);
  if (found != prefetched_.end() && prefetchedDpi_ == dpi) {
    Prepared prepared = std::move(found->second);
    prefetched_.erase(found);
    return makeBitmap(std::move(prepared));
  }
  variantScales();
  return makeBitmap(prepare(SkinRequest{name, key, keyLastColumn}, dpi));
}

void SkinFolder::prefetch(const std::vector<SkinRequest>& requests, int dpi) {
  prefetched_.clear();
  if (dpi == kDesignDpi || requests.empty()) return;
  variantScales();  // listed once, before any thread reads it
  prefetchedDpi_ = dpi;
  std::vector<Prepared> results(requests.size());
  std::atomic<size_t> next{0};
  const auto work = [&] {
    for (size_t i; (i = next++) < requests.size();) results[i] = prepare(requests[i], dpi);
  };
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::thread> helpers;
  try {
    for (unsigned t = 1; t < std::min<size_t>(cores, requests.size()); ++t) {
      helpers.emplace_back(work);
    }
  } catch (const std::system_error&) {
    // No more threads to be had: the ones there and this one do all the work.
  }
  work();
  for (std::thread& helper : helpers) helper.join();
  for (size_t i = 0; i < requests.size(); ++i) {
    prefetched_[requests[i].name] = std::move(results[i]);
  }
}

}  // namespace ss
