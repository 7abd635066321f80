// Encoding of skin bitmaps and the application icon in the Windows file formats.
#include "tools/skingen/image_files.h"

#include <zlib.h>

#include <array>
#include <cstdlib>
#include <stdexcept>

namespace ss::skingen {

namespace {

void Put16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t Get(std::string_view bytes, size_t offset, int size) {
  if (offset + size > bytes.size()) throw std::runtime_error("truncated image file");
  std::uint32_t v = 0;
  for (int i = 0; i < size; ++i) {
    v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return v;
}

// BITMAPINFOHEADER; icons store twice the height (colour rows, then the AND mask).
void PutInfoHeader(std::string& out, int width, int height, int bitCount, std::uint32_t imageSize) {
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bitCount));
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 dots per inch, in dots per metre
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
}

size_t Stride(int width, int bitCount) {
  return ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
}

constexpr int kPngSide = 256;  // icon images of this side are stored as PNG
constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";

void PutBe32(std::string& out, std::uint32_t v) {
  for (int i = 3; i >= 0; --i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t GetBe32(std::string_view bytes, size_t offset) {
  if (offset + 4 > bytes.size()) throw std::runtime_error("truncated PNG file");
  std::uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return v;
}

void PutChunk(std::string& out, std::string_view type, std::string_view data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  const size_t start = out.size();
  out += type;
  out += data;
  const auto* typed = reinterpret_cast<const Bytef*>(out.data() + start);
  PutBe32(out, static_cast<std::uint32_t>(
                   crc32(0, typed, static_cast<uInt>(out.size() - start))));  // type and data
}

// The Paeth predictor of the PNG format: whichever neighbour is nearest to a + b - c.
int Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// The byte that filter `type` predicts at `i` of `row`, from the row above `prior`.
int Predict(int type, const unsigned char* row, const unsigned char* prior, size_t i) {
  constexpr size_t kPixel = 4;
  const int a = i >= kPixel ? row[i - kPixel] : 0, b = prior[i];
  const int c = i >= kPixel ? prior[i - kPixel] : 0;
  switch (type) {
    case 1:
      return a;
    case 2:
      return b;
    case 3:
      return (a + b) / 2;
    case 4:
      return Paeth(a, b, c);
    default:
      return 0;
  }
}

}  // namespace

Pixels ToPixels(const Image& image) {
  Pixels pixels{image.width(), image.height(), {}};
  pixels.rgb.reserve(static_cast<size_t>(image.width()) * image.height());
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) pixels.rgb.push_back(image.rgb8(x, y));
  }
  return pixels;
}

std::string EncodeBmp(const Pixels& pixels) {
  const size_t stride = Stride(pixels.width, 24);
  const auto dataSize = static_cast<std::uint32_t>(stride * pixels.height);
  std::string out;
  out.reserve(54 + dataSize);
  out += "BM";
  Put32(out, 54 + dataSize);
  Put32(out, 0);
  Put32(out, 54);
  PutInfoHeader(out, pixels.width, pixels.height, 24, dataSize);
  // Bottom-up: the last row first, each pixel blue, green, red.
  for (int y = pixels.height - 1; y >= 0; --y) {
    const size_t start = out.size();
    for (int x = 0; x < pixels.width; ++x) {
      const std::uint32_t c = pixels.at(x, y);
      out += static_cast<char>(c & 0xFF);
      out += static_cast<char>((c >> 8) & 0xFF);
      out += static_cast<char>((c >> 16) & 0xFF);
    }
    out.append(stride - (out.size() - start), '\0');
  }
  return out;
}

Pixels DecodeBmp(std::string_view bytes) {
  if (bytes.size() < 54 || bytes.substr(0, 2) != "BM" || Get(bytes, 14, 4) != 40 ||
      Get(bytes, 28, 2) != 24 || Get(bytes, 30, 4) != 0) {
    throw std::runtime_error("not a 24-bit bitmap file");
  }
  Pixels pixels;
  pixels.width = static_cast<int>(Get(bytes, 18, 4));
  const auto height = static_cast<std::int32_t>(Get(bytes, 22, 4));
  const bool bottomUp = height > 0;
  pixels.height = bottomUp ? height : -height;
  const size_t offset = Get(bytes, 10, 4);
  const size_t stride = Stride(pixels.width, 24);
  if (pixels.width <= 0 || pixels.height <= 0 || offset + stride * pixels.height > bytes.size()) {
    throw std::runtime_error("bitmap data outside the file");
  }
  pixels.rgb.resize(static_cast<size_t>(pixels.width) * pixels.height);
  for (int y = 0; y < pixels.height; ++y) {
    const size_t row = offset + stride * (bottomUp ? pixels.height - 1 - y : y);
    for (int x = 0; x < pixels.width; ++x) {
      pixels.rgb[static_cast<size_t>(y) * pixels.width + x] = Get(bytes, row + 3 * x, 3);
    }
  }
  return pixels;
}

std::string EncodePng(const Pixels& pixels) {
  // Each row under the filter whose output sums smallest as signed bytes, the usual heuristic.
  const size_t rowBytes = 4 * static_cast<size_t>(pixels.width);
  std::vector<unsigned char> prior(rowBytes, 0), row(rowBytes);
  std::string filtered;
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x) {
      const std::uint32_t c = pixels.at(x, y);
      const std::array<unsigned, 4> rgba{(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF, c >> 24};
      for (size_t k = 0; k < 4; ++k) row[4 * x + k] = static_cast<unsigned char>(rgba[k]);
    }
    std::string best;
    long bestCost = -1;
    for (int type = 0; type <= 4; ++type) {
      std::string line(1, static_cast<char>(type));
      long cost = 0;
      for (size_t i = 0; i < rowBytes; ++i) {
        const auto out =
            static_cast<unsigned char>(row[i] - Predict(type, row.data(), prior.data(), i));
        line += static_cast<char>(out);
        cost += out < 128 ? out : 256 - out;
      }
      if (bestCost < 0 || cost < bestCost) best = std::move(line), bestCost = cost;
    }
    filtered += best;
    prior = row;
  }
  uLongf size = compressBound(static_cast<uLong>(filtered.size()));
  std::string deflated(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(deflated.data()), &size,
                reinterpret_cast<const Bytef*>(filtered.data()),
                static_cast<uLong>(filtered.size()), Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("zlib cannot compress the PNG image");
  }
  deflated.resize(size);
  std::string header;
  PutBe32(header, static_cast<std::uint32_t>(pixels.width));
  PutBe32(header, static_cast<std::uint32_t>(pixels.height));
  header += std::string("\x08\x06\0\0\0", 5);  // 8 bits, RGBA; deflate, filters, no interlace
  std::string out(kPngSignature);
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", deflated);
  PutChunk(out, "IEND", "");
  return out;
}

Pixels DecodePng(std::string_view bytes) {
  if (bytes.substr(0, kPngSignature.size()) != kPngSignature) {
    throw std::runtime_error("not a PNG file");
  }
  Pixels pixels;
  std::string deflated;
  for (size_t at = kPngSignature.size(); at + 8 <= bytes.size();) {
    const std::uint32_t length = GetBe32(bytes, at);
    const std::string_view type = bytes.substr(at + 4, 4);
    if (at + 12 + length > bytes.size()) throw std::runtime_error("truncated PNG chunk");
    const std::string_view data = bytes.substr(at + 8, length);
    if (type == "IHDR") {
      if (length != 13 || data.substr(8) != std::string_view("\x08\x06\0\0\0", 5)) {
        throw std::runtime_error("not an 8-bit RGBA PNG image");
      }
      pixels.width = static_cast<int>(GetBe32(data, 0));
      pixels.height = static_cast<int>(GetBe32(data, 4));
    } else if (type == "IDAT") {
      deflated += data;
    }
    at += 12 + length;
  }
  const size_t rowBytes = 4 * static_cast<size_t>(pixels.width);
  std::string filtered((rowBytes + 1) * pixels.height, '\0');
  uLongf size = static_cast<uLongf>(filtered.size());
  if (pixels.width <= 0 || pixels.height <= 0 ||
      uncompress(reinterpret_cast<Bytef*>(filtered.data()), &size,
                 reinterpret_cast<const Bytef*>(deflated.data()),
                 static_cast<uLong>(deflated.size())) != Z_OK ||
      size != filtered.size()) {
    throw std::runtime_error("PNG image data damaged");
  }
  std::vector<unsigned char> prior(rowBytes, 0), row(rowBytes);
  for (int y = 0; y < pixels.height; ++y) {
    const char* line = filtered.data() + y * (rowBytes + 1);
    const int type = static_cast<unsigned char>(line[0]);
    if (type > 4) throw std::runtime_error("unknown PNG row filter");
    for (size_t i = 0; i < rowBytes; ++i) {
      row[i] = static_cast<unsigned char>(line[1 + i] + Predict(type, row.data(), prior.data(), i));
    }
    for (int x = 0; x < pixels.width; ++x) {
      const unsigned char* p = &row[4 * static_cast<size_t>(x)];
      pixels.rgb.push_back(std::uint32_t{p[3]} << 24 | std::uint32_t{p[0]} << 16 |
                           std::uint32_t{p[1]} << 8 | p[2]);
    }
    prior = row;
  }
  return pixels;
}

std::string EncodeIco(const std::vector<Pixels>& images) {
  std::vector<std::string> bodies;
  for (const Pixels& image : images) {
    if (image.width == kPngSide && image.height == kPngSide) {
      bodies.push_back(EncodePng(image));
      continue;
    }
    const size_t maskStride = Stride(image.width, 1);
    const auto colorSize = static_cast<std::uint32_t>(4 * image.width * image.height);
    std::string body;
    PutInfoHeader(body, image.width, 2 * image.height, 32,
                  colorSize + static_cast<std::uint32_t>(maskStride * image.height));
    for (int y = image.height - 1; y >= 0; --y) {
      for (int x = 0; x < image.width; ++x) Put32(body, image.at(x, y));  // BGRA in memory
    }
    // The AND mask marks fully transparent pixels for systems that ignore the alpha channel.
    for (int y = image.height - 1; y >= 0; --y) {
      std::string row(maskStride, '\0');
      for (int x = 0; x < image.width; ++x) {
        if ((image.at(x, y) >> 24) == 0)
          row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
      }
      body += row;
    }
    bodies.push_back(std::move(body));
  }
  std::string out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, static_cast<std::uint32_t>(images.size()));
  auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out += static_cast<char>(images[i].width >= 256 ? 0 : images[i].width);
    out += static_cast<char>(images[i].height >= 256 ? 0 : images[i].height);
    out += '\0';  // no palette
    out += '\0';
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<std::uint32_t>(bodies[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const std::string& body : bodies) out += body;
  return out;
}

std::vector<int> IcoSizes(std::string_view bytes) {
  std::vector<int> sizes;
  const std::uint32_t count = Get(bytes, 4, 2);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t side = Get(bytes, 6 + 16 * i, 1);
    sizes.push_back(side == 0 ? 256 : static_cast<int>(side));
  }
  return sizes;
}

std::vector<Pixels> DecodeIco(std::string_view bytes) {
  std::vector<Pixels> images;
  const std::uint32_t count = Get(bytes, 4, 2);
  for (std::uint32_t i = 0; i < count; ++i) {
    const size_t entry = 6 + 16 * static_cast<size_t>(i);
    const std::uint32_t size = Get(bytes, entry + 8, 4), offset = Get(bytes, entry + 12, 4);
    if (offset + static_cast<size_t>(size) > bytes.size()) {
      throw std::runtime_error("icon image outside the file");
    }
    const std::string_view body = bytes.substr(offset, size);
    if (body.substr(0, kPngSignature.size()) == kPngSignature) {
      images.push_back(DecodePng(body));
      continue;
    }
    // A 32-bit DIB of twice the height, bottom-up; the AND mask after it is not needed here.
    if (Get(body, 0, 4) != 40 || Get(body, 14, 2) != 32) {
      throw std::runtime_error("icon image is no 32-bit DIB");
    }
    Pixels image;
    image.width = static_cast<int>(Get(body, 4, 4));
    image.height = static_cast<int>(Get(body, 8, 4)) / 2;
    image.rgb.resize(static_cast<size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        image.rgb[static_cast<size_t>(y) * image.width + x] =
            Get(body, 40 + 4 * (static_cast<size_t>(image.height - 1 - y) * image.width + x), 4);
      }
    }
    images.push_back(std::move(image));
  }
  return images;
}

}  // namespace ss::skingen
