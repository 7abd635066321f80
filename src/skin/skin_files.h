// Skin files at the display's scale: a skin folder's own files are drawn for 96 DPI; its
// subfolders named by scale in per cent ("125", "150", "200", ...) may hold any of them drawn
// at that scale. At another DPI each file comes from the smallest fitting variant at or above
// the scale needed (or the largest there is), resampled to the exact size it needs there.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "skin/resample.h"

namespace ss {

// One skin file as a window wants it: its name, the colour never to blend, and whether its
// rightmost column counts as that colour (see PrepareSkinFile); whether it is a picture with
// an alpha channel, prepared premultiplied (see PrepareSkinFile).
struct SkinRequest {
  std::string name;
  std::optional<std::uint32_t> key;
  bool keyLastColumn = false;
  bool alpha = false;

  bool operator==(const SkinRequest&) const = default;
};

// The files of a skin's variant folders: for each scale, its files by upper-cased name (names
// match as Windows matches them), each with its name as listed.
using SkinVariants = std::map<int, std::map<std::string, std::string>>;

// A language's pictures in a skin: the skin's subfolder named by a language tag ("de"), with any
// of its files drawn for 96 DPI and, in its own variant folders, at other scales.
struct SkinLanguageFolder {
  std::string path;                          // ends in kPathSeparator
  std::map<std::string, std::string> files;  // its 96-DPI files by upper-cased name
  SkinVariants variants;
};

// The language folders of `folder` for `tags` (nearest first, as the language's chain of
// parents), those that exist, in that order; their variant folders too when `withVariants`.
std::vector<SkinLanguageFolder> ListSkinLanguages(const std::string& folder,
                                                  const std::vector<std::string>& tags,
                                                  bool withVariants);

// Lists the variant folders of `folder` (a path ending in kPathSeparator). A folder that cannot
// be listed is no source of variants; the 96-DPI files are opened by their names, so their own
// errors show at every scale.
SkinVariants ListSkinVariants(const std::string& folder);

// The pixels of skin file `request.name` as a window at `dpi` shows it (colours 0x00BBGGRR).
// The 96-DPI file is read at every DPI, and its size sets the size needed: its width and height
// times dpi / 96 (MulDiv). At 96 DPI that is the file itself. Elsewhere the pixels come from
// the variant that fits best among those of `variants` whose size is the 96-DPI size at their
// scale, within a pixel (others are passed over), or else from the 96-DPI file, resampled unless
// they have that size already. Pixels of `key` are never blended into their neighbours; with
// `keyLastColumn` the file's rightmost column, which no outline ever shows, counts as key too,
// so the outline scales without growing. Raises EFOpenError or EReadError for a file that
// cannot be read, and EInvalidGraphic "Bitmap image is not valid" for one that is no valid
// bitmap or whose result would be beyond the bitmap limits.
//
// With `alpha` every picture of the file must have an alpha channel (DecodeAlphaBitmapFile);
// the result is premultiplied (0xAABBGGRR) and resampled by ResamplePremultiplied.
//
// A language folder of `languages` that holds the file, at 96 DPI or at a scale, is taken before
// the skin's own pictures, nearest first: its best variant drawn at its scale, else its 96-DPI
// picture resampled (the words of its pictures are right, those of the skin's own are not). Its
// 96-DPI picture, when it has one, sets the size; the skin's own 96-DPI file is read and checked
// all the same.
PixelImage PrepareSkinFile(const std::string& folder, const SkinVariants& variants,
                           const SkinRequest& request, int dpi,
                           const std::vector<SkinLanguageFolder>& languages = {});

// Whether a window at `dpi` can take any file from a variant folder: only above 96 DPI.
bool UsesVariants(int dpi);

}  // namespace ss
