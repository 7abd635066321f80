// The pixels of a Windows bitmap file, decoded without the system, so that a skin's artwork can
// be judged on any platform (how many rectangles its outline needs, say).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "skin/resample.h"

namespace ss {

// The pixels of a bitmap file as colours 0x00BBGGRR (red in the lowest byte, the top byte 0),
// top row first: every file that CheckBitmapFile accepts, whatever its header (the old 12-byte
// core header too), row order, depth (1, 4 or 8 bits through the palette, 4 and 8 bits also
// run-length encoded; 16 and 32 bits with their default channels or colour masks; 24 bits).
// Channels of fewer than 8 bits are widened by repeating their bits, as the system does, so
// white and the key colour stay exact. A palette index beyond the palette gives black; pixels
// that a run-length file skips or leaves out take the palette's first colour, as in the zeroed
// bitmap the system decodes such a file into. Raises as CheckBitmapFile for any other file.
PixelImage DecodeBitmapFile(std::string_view bytes);

// The pixels of a 32-bit bitmap file with an alpha channel (bit fields with an alpha mask, under
// a header of 56 bytes or more or with compression 6) as colours 0xAABBGGRR, straight alpha.
// Raises EInvalidGraphic "Bitmap image is not valid" for any other file, and as
// CheckBitmapFile.
PixelImage DecodeAlphaBitmapFile(std::string_view bytes);

// Where the run-length data of a file that CheckBitmapFile accepts is damaged: the offset in
// the file of its first pair that runs past a row's end or the picture's top, jumps outside the
// picture, or is cut short by the end of the data. DecodeBitmapFile clips all of these, leaving
// the pixels not written at the palette's first colour. nullopt for sound data and for files
// that are not run-length encoded; raises as CheckBitmapFile.
std::optional<std::size_t> RunLengthDamage(std::string_view bytes);

}  // namespace ss
