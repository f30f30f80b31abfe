#include "server/engine/view_file.h"

#include <cmath>
#include <cstdio>

#include "platform/kernel/atomic_file.h"

namespace quelmar::server {
namespace {

// |angle| as whole degrees (at least `degreeDigits` digits), ".", minutes
// with two decimals, then the hemisphere letter. The minutes are counted in
// hundredths so that no locale and no rounding to "60.00" can enter.
std::string AngleText(double angle, int degreeDigits, char positive, char negative) {
  if (!std::isfinite(angle)) angle = 0;
  const double magnitude = std::min(std::fabs(angle), 1e6);
  long long hundredths = std::llround(magnitude * 6000);  // minutes × 100
  const long long degrees = hundredths / 6000;
  hundredths -= degrees * 6000;
  char text[48];
  std::snprintf(text, sizeof text, "%0*lld.%02lld.%02lld%c", degreeDigits, degrees, hundredths / 100,
                hundredths % 100, angle >= 0 ? positive : negative);
  return text;
}

}  // namespace

std::string LatitudeText(double latitude) { return AngleText(latitude, 2, 'N', 'S'); }
std::string LongitudeText(double longitude) { return AngleText(longitude, 3, 'E', 'W'); }

std::string ViewFileText(double lonLeft, double lonRight, double latTop, double latBottom) {
  return LongitudeText(lonLeft) + "," + LatitudeText(latTop) + "\r\n" + LongitudeText(lonRight) + "," +
         LatitudeText(latBottom) + "\r\n" + kServerName + "\r\n";
}

bool WriteViewFile(const std::filesystem::path& programFolder, const std::string& text, std::error_code* error) {
  return kernel::WriteFileAtomically(programFolder / "Maps" / kViewFileName, text, error);
}

}  // namespace quelmar::server
