#include "control/routing/directions.h"

#include <cmath>

#include "control/core/coordinate_format.h"
#include "control/routing/direction_texts.h"
#include "control/routing/route_geometry.h"

namespace quelmar::routing {
namespace {

struct Leg {
  std::size_t First = 0;  // step indexes, inclusive
  std::size_t Last = 0;
  std::string Name;
  std::int64_t Length = 0;
  double Seconds = 0;
};

std::string Join(const std::vector<std::string>& fields) {
  std::string row;
  for (std::size_t i = 0; i < fields.size(); ++i) row += (i ? "\t" : "") + fields[i];
  return row;
}

// Distances are whole hundredths of a mile: a half rounds up, whatever its
// binary form.
std::string Fixed1(double v) { return core::FormatFixed(v + 1e-9, 1); }

}  // namespace

std::string PositionText(core::TMapPoint point) {
  return core::FormatFixed(core::UnitsToDegrees(point.X), 6) + "," + core::FormatFixed(core::UnitsToDegrees(point.Y), 6);
}

std::vector<RouteListColumn> RouteListHeader(const core::RouteSettings& settings) {
  const char* titles[] = {"#",   "T",   "Directions", "Name",     "Time",
                          settings.Kilometres ? "Km" : "Mile", settings.Kilometres ? "Kph" : "Mph", "Dir", "Position", "."};
  constexpr int kWidths[] = {24, 12, 216, 80, 48, 40, 32, 24, 80, 8};
  std::vector<RouteListColumn> header;
  for (std::size_t i = 0; i < 10; ++i) header.push_back({titles[i], settings.Columns[i] ? kWidths[i] : 0});
  return header;
}

std::vector<std::string> FailureRows(const RoadTable& roads) {
  std::vector<std::string> rows{"\t\tFailure: Roadway Disconnected!\t\t\t\t\t\t"};
  for (int type = 1; type <= 5; ++type) {
    if (roads.Priority[type] == 0) {
      rows.push_back("\t\tSome Priorities May be Zero!\t\t\t\t\t\t");
      break;
    }
  }
  return rows;
}

Directions BuildDirections(const DirectionsRequest& request) {
  Directions out;
  const std::vector<RouteStep> none;
  const std::vector<RouteStep>& steps = request.Steps ? *request.Steps : none;
  const core::RouteSettings& s = request.Settings;
  const auto emit = [&](const std::string& row, bool listed) {
    if (listed) out.Rows.push_back(row);
    if (request.OnRow) request.OnRow(row);
  };
  if (steps.empty()) {
    for (const std::string& row : FailureRows(request.Roads)) emit(row, true);
    return out;
  }
  out.Found = true;
  const auto nameOf = [&](const RouteStep& step) {
    const std::string_view entry = request.Names ? request.Names->Text(step.Name) : std::string_view();
    return RoadNameText(entry, step.Class, s.AllNames);
  };

  // The legs: runs of steps of one name (or single steps).
  std::vector<Leg> legs;
  for (std::size_t i = 1; i < steps.size(); ++i) {
    const std::string name = nameOf(steps[i]);
    if (legs.empty() || !s.LinkSameName || legs.back().Name != name) legs.push_back({i, i, name});
    Leg& leg = legs.back();
    leg.Last = i;
    leg.Length += steps[i].Length;
    leg.Seconds += DriveSeconds(steps[i].Length, request.Roads.SpeedOf(steps[i].Class));
  }

  const double toUnits = s.Kilometres ? kKilometresPerMile : 1;
  emit(Join({"0", "", "Start", "", "0", "0", "", "", PositionText(request.Start == core::TMapPoint{} ? steps.front().Point : request.Start)}),
       !s.LinkSameName);
  std::int64_t runningLength = 0;
  double runningSeconds = 0;
  for (std::size_t k = 0; k < legs.size(); ++k) {
    const Leg& leg = legs[k];
    const core::TMapPoint junction = steps[leg.First - 1].Point;
    const core::TMapPoint end = steps[leg.Last].Point;
    const double heading = DirectionAngle(junction, steps[leg.First].Point == junction ? end : steps[leg.First].Point);
    const double legMiles = leg.Length / 100.0;
    const std::string street = StreetOfRoadName(leg.Name);
    Manoeuvre turn;
    if (k == 0) {
      turn.Verb = "Starting on";
      turn.Side = std::string(CompassWord(heading));
      turn.Sentence = "Starting on " + street + " head " + turn.Side;
    } else {
      const core::TMapPoint before = steps[leg.First - 2].Point;  // a later leg starts at step 2 or after
      turn = TurnManoeuvre(TurnAngle(before, junction, steps[leg.First].Point), street);
    }
    if (request.OnManoeuvre) {
      request.OnManoeuvre(street + '\t' + PositionText(junction) + '\t' + turn.Verb + '\t' + turn.Side + '\t' +
                          DriveDistanceText(legMiles, s.Kilometres) + '\t' +
                          std::to_string(std::lround(leg.Seconds)));
    }
    runningLength += leg.Length;
    runningSeconds += leg.Seconds;
    const std::string sentence = turn.Sentence + "\r\nDrive " + std::string(CompassWord(heading)) + " for " +
                                 DriveDistanceText(legMiles, s.Kilometres) + " (" + SentenceTimeText(leg.Seconds) +
                                 ")";
    const double shownMiles = s.Totals ? runningLength / 100.0 : legMiles;
    const double shownSeconds = s.Totals ? runningSeconds : leg.Seconds;
    const std::int32_t speed = request.Roads.SpeedOf(steps[leg.First].Class);
    const std::string speedText =
        std::to_string(s.Kilometres ? std::lround(speed * kKilometresPerMile) : long{speed});
    const std::string direction =
        s.Degrees ? std::to_string(std::lround(heading) % 360) : std::string(CompassRowText(heading));
    emit(Join({std::to_string(k + 1), RoadClassText(steps[leg.First].Class), sentence, leg.Name,
               RowTimeText(shownSeconds, s.HoursFormat), Fixed1(shownMiles * toUnits), speedText, direction,
               PositionText(end)}),
         true);
  }
  out.TotalMiles = runningLength / 100.0;
  out.TotalSeconds = runningSeconds;
  emit(Join({"", "", "Finish", "", RowTimeText(runningSeconds, s.HoursFormat), Fixed1(out.TotalMiles * toUnits), "",
             "", PositionText(request.Finish == core::TMapPoint{} ? steps.back().Point : request.Finish)}),
       true);
  out.DistanceText = Fixed1(out.TotalMiles * toUnits) + (s.Kilometres ? " km" : " miles");
  out.TimeText = TotalTimeText(runningSeconds);
  out.Status = "Total:" + out.DistanceText + ", " + out.TimeText;
  out.MilesLabel = Fixed1(out.TotalMiles * toUnits);
  out.TimeLabel = DriveTimeLabel(runningSeconds);
  return out;
}

}  // namespace quelmar::routing
