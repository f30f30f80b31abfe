// Image export of real views at the control's 1024 x 768: drawing the
// picture through the screen's passes, then each file format's encoding of
// it (the GIF's with its colour reduction), with the file's size.
#include <benchmark/benchmark.h>

#include <memory>

#include "control/export/image_export.h"
#include "map_fixture.h"

namespace {

using quelmar::bench::kViews;
using quelmar::image_export::ImageFormat;

void BM_ExportPicture(benchmark::State& state) {
  quelmar::bench::MapFixture& f = quelmar::bench::SharedMapFixture();
  f.Show(kViews[state.range(0)]);
  for (auto _ : state) benchmark::DoNotOptimize(quelmar::image_export::RenderMapPicture(f.panel));
  state.SetLabel(kViews[state.range(0)].name);
}
BENCHMARK(BM_ExportPicture)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_EncodeImage(benchmark::State& state) {
  quelmar::bench::MapFixture& f = quelmar::bench::SharedMapFixture();
  f.Show(kViews[state.range(0)]);
  const std::unique_ptr<quelmar::gdi::Bitmap> picture = quelmar::image_export::RenderMapPicture(f.panel);
  const auto format = static_cast<ImageFormat>(state.range(1));
  std::size_t bytes = 0;
  for (auto _ : state) bytes = quelmar::image_export::EncodeImage(*picture, format).size();
  state.SetLabel(std::string(kViews[state.range(0)].name) + " " +
                 std::string(quelmar::image_export::ImageExtension(format)));
  state.counters["KB"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(BM_EncodeImage)
    ->ArgsProduct({{2, 3},
                   {static_cast<int>(ImageFormat::Bmp), static_cast<int>(ImageFormat::Gif),
                    static_cast<int>(ImageFormat::Png)}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
