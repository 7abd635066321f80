// Encoding of skin bitmaps and the application icon in the Windows file formats.
#include "tools/skingen/image_files.h"

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

std::string EncodeIco(const std::vector<Pixels>& images) {
  std::vector<std::string> bodies;
  for (const Pixels& image : images) {
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

}  // namespace ss::skingen
