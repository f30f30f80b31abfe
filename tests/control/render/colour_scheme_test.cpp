#include "control/render/colour_scheme.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "control/core/errors.h"
#include "control/render/colour_scheme_file.h"

namespace quelmar::render {
namespace {

namespace fs = std::filesystem;

ColourScheme SampleScheme(const std::string& name, std::uint32_t seed) {
  ColourScheme scheme;
  scheme.Name = name;
  for (std::size_t i = 0; i < scheme.States.size(); ++i) scheme.States[i] = seed * 1000 + static_cast<std::uint32_t>(i);
  for (std::size_t i = 0; i < scheme.Palette.size(); ++i) scheme.Palette[i] = seed * 7 + static_cast<std::uint32_t>(i);
  return scheme;
}

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
         (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A fresh folder under the build tree (or the system temporary folder).
fs::path ScratchFolder(const std::string& name) {
  const char* binary = std::getenv("QUELMAR_TEST_BINARY_DIR");
  fs::path folder = (binary ? fs::path(binary) : fs::temp_directory_path()) / "colour_scheme_test" / name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

TEST(ColourSchemeStore, DefaultsAddFindRemove) {
  ColourSchemeStore store;
  EXPECT_EQ(store.Count(), 0);
  EXPECT_EQ(store.Name(0), "Default Colors");
  EXPECT_EQ(store.Find("default colors"), 0);
  EXPECT_FALSE(store.Find("Mine"));

  ShadeColours colours;
  colours.SetPaletteEntry(3, 0x010203);
  // A name of 25 characters is kept as its first 20.
  EXPECT_EQ(store.Add("ABCDEFGHIJKLMNOPQRSTUVWXY", colours), 1);
  EXPECT_EQ(store.Name(1), "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(store.Find("abcdefghijklmnopqrst"), 1);

  // Applying the default scheme after edits restores the built-in colours.
  EXPECT_TRUE(store.Apply(0, colours));
  EXPECT_EQ(colours, ShadeColours());
  EXPECT_TRUE(store.Apply(1, colours));
  EXPECT_EQ(colours.PaletteEntry(3), 0x010203u);

  colours.SetStateEntry(5, 77);
  EXPECT_TRUE(store.SaveInto(1, colours));
  EXPECT_EQ(store.Scheme(1)->States[4], 77u);
  EXPECT_FALSE(store.SaveInto(0, colours)) << "the built-in scheme is never changed";
  EXPECT_FALSE(store.Apply(2, colours));

  EXPECT_FALSE(store.Remove(0));
  EXPECT_TRUE(store.Remove(1));
  EXPECT_EQ(store.Count(), 0);
}

TEST(ColourSchemeStore, HoldsAtMostSixteen) {
  ColourSchemeStore store;
  const ShadeColours colours;
  for (int i = 1; i <= kMaxColourSchemes; ++i) EXPECT_EQ(store.Add("S" + std::to_string(i), colours), i);
  EXPECT_FALSE(store.Add("one too many", colours));
  std::vector<ColourScheme> many(40, SampleScheme("x", 1));
  store.Assign(many);
  EXPECT_EQ(store.Count(), kMaxColourSchemes);
}

TEST(ColourSchemeFile, LayoutAndRoundTrip) {
  const std::vector<ColourScheme> schemes = {SampleScheme("Pastel", 1), SampleScheme("", 2),
                                             SampleScheme("TwentyCharactersLong", 3)};
  const std::vector<std::uint8_t> bytes = WriteColourSchemes(schemes);
  ASSERT_EQ(bytes.size(), 4 + 3 * kSchemeRecordSize);
  EXPECT_EQ(U32At(bytes, 0), 3u);
  EXPECT_EQ(bytes[4], 6);  // the name's length byte
  EXPECT_EQ(std::string(bytes.begin() + 5, bytes.begin() + 11), "Pastel");
  EXPECT_EQ(U32At(bytes, 4 + 21), 1000u);                   // state code 1
  EXPECT_EQ(U32At(bytes, 4 + 21 + 4 * 70), 1070u);          // state code 71
  EXPECT_EQ(U32At(bytes, 4 + 305), 7u);                     // palette entry 1
  for (std::size_t i = 4 + 401; i < 4 + kSchemeRecordSize; ++i) EXPECT_EQ(bytes[i], 0) << i;

  std::vector<ColourScheme> read;
  ReadColourSchemes(bytes, &read);
  EXPECT_EQ(read, schemes);
}

TEST(ColourSchemeFile, EveryTruncationIsAnErrorThatKeepsWholeSchemes) {
  const std::vector<ColourScheme> schemes = {SampleScheme("One", 1), SampleScheme("Two", 2)};
  const std::vector<std::uint8_t> bytes = WriteColourSchemes(schemes);
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    std::vector<ColourScheme> read;
    EXPECT_THROW(ReadColourSchemes(std::span(bytes.data(), length), &read), DataError) << length;
    const std::size_t whole = length < 4 ? 0 : (length - 4) / kSchemeRecordSize;
    ASSERT_EQ(read.size(), whole) << length;
    for (std::size_t i = 0; i < whole; ++i) EXPECT_EQ(read[i], schemes[i]) << length;
  }
}

TEST(ColourSchemeFile, HostileCountsAndNames) {
  std::vector<ColourScheme> many;
  for (int i = 0; i < 20; ++i) many.push_back(SampleScheme("S" + std::to_string(i), i));
  std::vector<std::uint8_t> bytes = WriteColourSchemes(many);
  std::vector<ColourScheme> read;

  // Beyond 16 schemes only the first 16 are read, whatever the count claims.
  ReadColourSchemes(bytes, &read);
  EXPECT_EQ(read.size(), 16u);
  PutU32(bytes, 0, 0x7FFFFFFF);
  ReadColourSchemes(std::span(bytes.data(), 4 + 16 * kSchemeRecordSize), &read);
  EXPECT_EQ(read.size(), 16u);

  PutU32(bytes, 0, 0xFFFFFFFF);
  EXPECT_THROW(ReadColourSchemes(bytes, &read), DataError);
  EXPECT_TRUE(read.empty());

  // A length byte past the 20-character field reads as 20 characters.
  PutU32(bytes, 0, 1);
  bytes[4] = 255;
  ReadColourSchemes(bytes, &read);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].Name.size(), kSchemeNameMax);

  // Palette references far outside the palette resolve to white when applied.
  PutU32(bytes, 4 + 21, 0x0FFFFFFF);
  ReadColourSchemes(bytes, &read);
  ShadeColours colours;
  read[0].ApplyTo(colours);
  EXPECT_EQ(colours.StateColour(1), kWhiteColour);
}

TEST(ColourSchemeFile, LoadAndSaveInAFolder) {
  const fs::path folder = ScratchFolder("load_save");
  ColourSchemeStore store;
  store.Assign({SampleScheme("Old", 4)});
  EXPECT_FALSE(LoadColourSchemeFile(folder, store)) << "no file: no schemes, nothing reported";
  EXPECT_EQ(store.Count(), 0);

  store.Assign({SampleScheme("Pastel", 1), SampleScheme("Bold", 2)});
  ASSERT_TRUE(SaveColourSchemeFile(folder, store));
  EXPECT_TRUE(fs::exists(folder / "Cscm.bin"));
  ColourSchemeStore loaded;
  EXPECT_TRUE(LoadColourSchemeFile(folder, loaded));
  EXPECT_EQ(loaded.Schemes(), store.Schemes());

  // A folder that cannot be written to: false, nothing thrown.
  EXPECT_FALSE(SaveColourSchemeFile(folder / "missing" / "deeper", store));
}

TEST(ColourSchemeFile, NameMatchedWithoutRegardToCase) {
  const fs::path folder = ScratchFolder("case");
  const std::vector<std::uint8_t> bytes = WriteColourSchemes(std::vector{SampleScheme("Upper", 9)});
  {
    std::ofstream out(folder / "CSCM.BIN", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  EXPECT_EQ(ColourSchemeFilePath(folder), folder / "CSCM.BIN");
  ColourSchemeStore store;
  EXPECT_TRUE(LoadColourSchemeFile(folder, store));
  ASSERT_EQ(store.Count(), 1);
  EXPECT_EQ(store.Name(1), "Upper");
  // Saving replaces that same file rather than adding a second spelling.
  ASSERT_TRUE(SaveColourSchemeFile(folder, store));
  EXPECT_FALSE(fs::exists(folder / "Cscm.bin"));
}

TEST(ColourSchemeFile, MalformedFileKeepsWhatWasRead) {
  const fs::path folder = ScratchFolder("malformed");
  std::vector<std::uint8_t> bytes = WriteColourSchemes(std::vector{SampleScheme("Kept", 1), SampleScheme("Cut", 2)});
  bytes.resize(bytes.size() - 10);
  {
    std::ofstream out(folder / "Cscm.bin", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  ColourSchemeStore store;
  EXPECT_THROW(LoadColourSchemeFile(folder, store), DataError);
  ASSERT_EQ(store.Count(), 1);
  EXPECT_EQ(store.Name(1), "Kept");

  // A folder named like the file is no scheme file.
  const fs::path odd = ScratchFolder("directory_named_like_the_file");
  fs::create_directories(odd / "Cscm.bin");
  EXPECT_THROW(LoadColourSchemeFile(odd, store), IoError);
}

}  // namespace
}  // namespace quelmar::render
