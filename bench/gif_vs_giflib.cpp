// Our GIF writer beside giflib's on the same indexed pictures in one run:
// both write one image of the same size, palette and indexes into memory
// (giflib through its write callback), so both do the same work, LZW and
// the file's blocks. The pictures: the Chicago Loop and Cook County at
// 1024 x 768, reduced by our quantiser once, and 1024 x 768 of noise over
// 256 colours, LZW's worst case. Prints each time and the ratio (ours over
// giflib's; below 1 is faster).
#include <gif_lib.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "control/export/gif_encoder.h"
#include "control/export/image_export.h"
#include "control/export/indexed_picture.h"
#include "map_fixture.h"

namespace {

using quelmar::image_export::IndexedPicture;

std::string GiflibEncode(const IndexedPicture& p) {
  std::string out;
  int error = 0;
  GifFileType* gif = EGifOpen(
      &out,
      [](GifFileType* g, const GifByteType* data, int n) {
        static_cast<std::string*>(g->UserData)->append(reinterpret_cast<const char*>(data), n);
        return n;
      },
      &error);
  int bits = 1;
  while ((1u << bits) < p.Palette.size()) ++bits;
  ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
  for (std::size_t i = 0; i < p.Palette.size(); ++i) {
    map->Colors[i] = {quelmar::gdi::GetRValue(p.Palette[i]), quelmar::gdi::GetGValue(p.Palette[i]),
                      quelmar::gdi::GetBValue(p.Palette[i])};
  }
  EGifSetGifVersion(gif, true);
  EGifPutScreenDesc(gif, p.Width, p.Height, 8, 0, map);
  EGifPutImageDesc(gif, 0, 0, p.Width, p.Height, false, nullptr);
  std::vector<GifPixelType> row(static_cast<std::size_t>(p.Width));
  for (int y = 0; y < p.Height; ++y) {
    std::copy_n(p.Indexes.begin() + static_cast<std::ptrdiff_t>(y) * p.Width, p.Width, row.begin());
    EGifPutLine(gif, row.data(), p.Width);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

template <typename F>
double BestMilliseconds(F&& f, int runs) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    f();
    best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

void Compare(const char* name, const IndexedPicture& p) {
  std::size_t ours = 0, theirs = 0;
  const double oursMs = BestMilliseconds([&] { ours = quelmar::image_export::EncodeGif(p).size(); }, 15);
  const double theirsMs = BestMilliseconds([&] { theirs = GiflibEncode(p).size(); }, 15);
  std::printf("%-8s %4zu colours  ours %7.2f ms %8zu bytes  giflib %7.2f ms %8zu bytes  ratio %.2f\n", name,
              p.Palette.size(), oursMs, ours, theirsMs, theirs, oursMs / theirsMs);
}

}  // namespace

int main() {
  quelmar::bench::MapFixture& f = quelmar::bench::SharedMapFixture();
  for (int view : {2, 3}) {
    f.Show(quelmar::bench::kViews[view]);
    const auto picture = quelmar::image_export::RenderMapPicture(f.panel);
    Compare(quelmar::bench::kViews[view].name, quelmar::image_export::IndexPicture(*picture));
  }
  IndexedPicture noise;
  noise.Width = 1024;
  noise.Height = 768;
  for (int i = 0; i < 256; ++i) noise.Palette.push_back(quelmar::gdi::RGB(static_cast<std::uint8_t>(i), 0, 0));
  std::mt19937 random(5);
  for (int i = 0; i < noise.Width * noise.Height; ++i) noise.Indexes.push_back(static_cast<std::uint8_t>(random()));
  Compare("noise", noise);
  return 0;
}
