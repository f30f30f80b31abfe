#pragma once
// Readable one-line text of drawing records and objects, for the data tool's
// dump and for test messages. Points read "(lon, lat) [x, y]": degrees, then
// map units; texts are quoted with bytes outside printable ASCII as \xNN.
#include <string>
#include <string_view>

#include "control/data/drawing.h"
#include "control/data/drawing_reader.h"

namespace quelmar::data {

std::string QuotedText(std::string_view bytes);
std::string DescribePoint(TMapPoint point);
// "#n Kind code c ..." with the fields of the object's kind.
std::string DescribeObject(std::int32_t number, const DrawObject& object);
// "@offset 0xOP name ..." with what the record set; `drawing` supplies the
// header record's fields.
std::string DescribeRecord(const DrawingRecord& record, const Drawing& drawing);

}  // namespace quelmar::data
