#include "tools/quelmar-data/builder/relief/jpeg_grey_tile.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

#include "control/core/errors.h"
#include "platform/kernel/atomic_file.h"

namespace quelmar::builder {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return: it
// jumps back to Decode, which leaves through an ordinary return. Warnings
// (corrupt or missing data the decoder papers over) are counted.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnFatalError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
  if (level >= 0) return;  // trace messages
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  if (info->err->num_warnings++ == 0) (*info->err->format_message)(info, manager->message);
}

enum class DecodeResult { Ok, Failed, TooLarge };

// The jump lands in this frame, so everything it changes lives in the
// caller's: the decoder state, the error manager and the output.
DecodeResult Decode(std::span<const std::uint8_t> bytes, jpeg_decompress_struct* decoder, GreyImage* out,
                    ErrorManager* errors) {
  jpeg_decompress_struct& info = *decoder;
  info.err = jpeg_std_error(&errors->base);
  errors->base.error_exit = OnFatalError;
  errors->base.emit_message = OnMessage;
  errors->message[0] = '\0';
  if (setjmp(errors->jump) != 0) {
    jpeg_destroy_decompress(&info);
    return DecodeResult::Failed;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  if (info.image_width > kMaxJpegTileSide || info.image_height > kMaxJpegTileSide) {
    jpeg_destroy_decompress(&info);
    return DecodeResult::TooLarge;
  }
  info.out_color_space = JCS_GRAYSCALE;
  jpeg_start_decompress(&info);
  out->Width = static_cast<std::int32_t>(info.output_width);
  out->Height = static_cast<std::int32_t>(info.output_height);
  out->Pixels.assign(static_cast<std::size_t>(out->Width) * static_cast<std::size_t>(out->Height), 0);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out->Pixels.data() + static_cast<std::size_t>(info.output_scanline) * info.output_width;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return errors->base.num_warnings == 0 ? DecodeResult::Ok : DecodeResult::Failed;
}

}  // namespace

GreyImage DecodeGreyJpeg(std::span<const std::uint8_t> bytes) {
  GreyImage image;
  jpeg_decompress_struct decoder{};
  ErrorManager errors{};
  switch (Decode(bytes, &decoder, &image, &errors)) {
    case DecodeResult::Ok:
      return image;
    case DecodeResult::TooLarge:
      throw DataError("JPEG tile is larger than " + std::to_string(kMaxJpegTileSide) + " pixels a side");
    case DecodeResult::Failed:
      break;
  }
  throw DataError(std::string("JPEG tile does not decode") +
                  (errors.message[0] != '\0' ? std::string(": ") + errors.message : std::string(" whole")));
}

GreyImage ReadGreyJpeg(const std::filesystem::path& file) {
  std::string contents;
  std::error_code error;
  if (!kernel::ReadWholeFile(file, &contents, &error)) {
    throw IoError("cannot read elevation tile \"" + file.string() + "\": " + error.message());
  }
  try {
    return DecodeGreyJpeg(std::span(reinterpret_cast<const std::uint8_t*>(contents.data()), contents.size()));
  } catch (const DataError& e) {
    throw DataError(file.string() + ": " + e.what());
  }
}

}  // namespace quelmar::builder
