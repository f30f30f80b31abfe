// The view file's angles and lines, whatever the locale, and its write.
#include "server/engine/view_file.h"

#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <sstream>

namespace quelmar::server {
namespace {

TEST(ViewFile, AnglesAsDegreesAndMinutes) {
  struct Case {
    double angle;
    bool latitude;
    const char* text;
  };
  for (const Case& c : {Case{40.5, true, "40.30.00N"}, Case{40.25, true, "40.15.00N"}, Case{-33.875, true, "33.52.50S"},
                        Case{-100.25, false, "100.15.00W"}, Case{-7.5, false, "007.30.00W"},
                        Case{0, false, "000.00.00E"}, Case{41.99999999, true, "42.00.00N"}}) {
    EXPECT_EQ(c.latitude ? LatitudeText(c.angle) : LongitudeText(c.angle), c.text) << c.angle;
  }
}

TEST(ViewFile, ThreeLinesAlsoUnderACommaLocale) {
  const char* before = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = before ? before : "C";
  // A comma locale where one is installed; the text is made without the
  // locale's help either way.
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_EQ(ViewFileText(-100.25, -100.0, 40.5, 40.25),
            "100.15.00W,40.30.00N\r\n100.00.00W,40.15.00N\r\nTarvo Mapping V5 Server\r\n");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ViewFile, WrittenIntoTheMapsFolderOrNotAtAll) {
  const std::filesystem::path program = std::filesystem::current_path() / "host-program";
  std::filesystem::create_directories(program);
  std::error_code error;
  EXPECT_FALSE(WriteViewFile(program, "text", &error)) << "no Maps folder";
  EXPECT_TRUE(error);
  std::filesystem::create_directories(program / "Maps");
  ASSERT_TRUE(WriteViewFile(program, "one\r\n"));
  std::ifstream in(program / "Maps" / "!!TarvoServer.INF", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "one\r\n");
  std::filesystem::remove_all(program);
}

}  // namespace
}  // namespace quelmar::server
