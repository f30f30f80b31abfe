#include "control/search/street_index.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "control/data/quad.h"
#include "control/search/street_name.h"

namespace quelmar::search {
namespace {

// Interns texts as numbers, in the order first seen.
class Interner {
 public:
  explicit Interner(std::vector<std::string>& texts) : texts_(texts) {}
  std::uint32_t Of(std::string_view text) {
    const auto [it, added] = numbers_.try_emplace(std::string(text), static_cast<std::uint32_t>(texts_.size()));
    if (added) texts_.push_back(it->first);
    return it->second;
  }

 private:
  std::vector<std::string>& texts_;
  std::unordered_map<std::string, std::uint32_t> numbers_;
};

std::optional<data::MapBox> BoxOfMember(std::string_view name) {
  const auto member = data::ParseStreetMemberName(name.substr(0, 12));
  if (!member) return std::nullopt;
  return data::SubQuadBox(member->Street, member->Sub);
}

}  // namespace

std::shared_ptr<const StreetIndex> StreetIndex::Build(
    const std::vector<std::string>& memberNames,
    const std::function<std::optional<data::Drawing>(std::size_t member)>& read) {
  auto index = std::make_shared<StreetIndex>();
  Interner names(index->names_), places(index->places_);
  for (std::size_t m = 0; m < memberNames.size(); ++m) {
    index->members_.push_back({memberNames[m], BoxOfMember(memberNames[m])});
    const std::optional<data::Drawing> drawing = read(m);
    if (!drawing) continue;
    WalkStreetLines(*drawing, [&](const StreetLine& line) {
      Line kept;
      kept.Member = static_cast<std::uint32_t>(m);
      kept.Object = line.Object;
      kept.Name = names.Of(line.Name);
      kept.Place = places.Of(line.Place);
      kept.From = line.From;
      kept.To = line.To;
      kept.Zip = line.Zip;
      kept.FirstPoint = static_cast<std::uint32_t>(index->points_.size());
      kept.PointCount = static_cast<std::uint32_t>(line.Points.size());
      index->points_.insert(index->points_.end(), line.Points.begin(), line.Points.end());
      index->lines_.push_back(kept);
      return WalkNext::Go;
    });
  }
  index->linesOfName_.resize(index->names_.size());
  for (std::uint32_t l = 0; l < index->lines_.size(); ++l) index->linesOfName_[index->lines_[l].Name].push_back(l);
  // Normalise each part of each name once.
  for (std::uint32_t n = 0; n < index->names_.size(); ++n) {
    index->firstPart_.push_back(static_cast<std::uint32_t>(index->partStart_.size()));
    const std::string_view name = index->names_[n];
    std::size_t begin = 0;
    while (true) {
      const std::size_t slash = name.find('/', begin);
      const std::size_t end = slash == std::string_view::npos ? name.size() : slash;
      index->partStart_.push_back(static_cast<std::uint32_t>(index->partText_.size()));
      index->partName_.push_back(n);
      index->partText_ += NormalizeStreetName(ShortString(name.substr(begin, end - begin))).Str();
      index->partText_ += '\0';
      if (slash == std::string_view::npos) break;
      begin = slash + 1;
    }
  }
  index->firstPart_.push_back(static_cast<std::uint32_t>(index->partStart_.size()));
  return index;
}

std::size_t StreetIndex::MemoryBytes() const {
  std::size_t bytes = lines_.capacity() * sizeof(Line) + points_.capacity() * sizeof(core::TMapPoint) +
                      partText_.capacity() + (partStart_.capacity() + partName_.capacity() + firstPart_.capacity()) * 4;
  for (const auto& text : names_) bytes += sizeof text + text.capacity();
  for (const auto& text : places_) bytes += sizeof text + text.capacity();
  for (const auto& list : linesOfName_) bytes += sizeof list + list.capacity() * 4;
  for (const auto& member : members_) bytes += sizeof member + member.Name.capacity();
  return bytes;
}

std::vector<std::uint32_t> StreetIndexQuery::PartsContaining(std::string_view needle) const {
  std::vector<std::uint32_t> parts;
  if (needle.empty()) return parts;
  const StreetIndex& index = *index_;
  const std::string_view text = index.partText_;
  const bool plain = needle.find('\0') == std::string_view::npos;
  if (!plain) {
    // A needle holding the separator: test part by part.
    for (std::uint32_t p = 0; p < index.partStart_.size(); ++p) {
      const std::size_t end = p + 1 < index.partStart_.size() ? index.partStart_[p + 1] - 1 : text.size() - 1;
      if (text.substr(index.partStart_[p], end - index.partStart_[p]).find(needle) != std::string_view::npos) {
        parts.push_back(p);
      }
    }
    return parts;
  }
  std::size_t from = 0;
  while (from < text.size()) {
    const void* hit = memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
    if (!hit) break;
    const std::size_t at = static_cast<const char*>(hit) - text.data();
    const auto next = std::upper_bound(index.partStart_.begin(), index.partStart_.end(), at);
    const auto part = static_cast<std::uint32_t>(next - index.partStart_.begin() - 1);
    parts.push_back(part);
    // On past the end of this part: one hit per part is enough.
    from = next == index.partStart_.end() ? text.size() : *next;
  }
  return parts;
}

StreetIndexQuery::StreetIndexQuery(std::shared_ptr<const StreetIndex> index, const StreetMatchText& text)
    : index_(std::move(index)), text_(text) {
  const StreetIndex& ix = *index_;
  const std::vector<std::uint32_t> keyParts = PartsContaining(text_.Key.View());
  const std::vector<std::uint32_t> crossParts = PartsContaining(text_.Cross.View());
  // The names that have a matching part; each decided by its first part that
  // matches either way, the street before the cross street.
  std::vector<std::uint32_t> names;
  for (const auto* list : {&keyParts, &crossParts}) {
    for (std::uint32_t part : *list) names.push_back(ix.partName_[part]);
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  for (std::uint32_t name : names) {
    NameMatch match;
    for (std::uint32_t p = ix.firstPart_[name]; p < ix.firstPart_[name + 1]; ++p) {
      const bool street = std::binary_search(keyParts.begin(), keyParts.end(), p);
      const bool cross = !street && std::binary_search(crossParts.begin(), crossParts.end(), p);
      if (!street && !cross) continue;
      const std::uint32_t end = p + 1 < ix.partStart_.size() ? ix.partStart_[p + 1] - 1
                                                              : static_cast<std::uint32_t>(ix.partText_.size() - 1);
      match.Kind = street ? MatchKind::Street : MatchKind::Cross;
      match.Name = ShortString(std::string_view(ix.partText_).substr(ix.partStart_[p], end - ix.partStart_[p]));
      break;
    }
    const auto number = static_cast<std::uint32_t>(matches_.size());
    matches_.push_back(std::move(match));
    for (std::uint32_t line : ix.linesOfName_[name]) lines_.push_back({line, number});
  }
  std::sort(lines_.begin(), lines_.end(), [](const MatchedLine& a, const MatchedLine& b) { return a.Line < b.Line; });
  memberBegin_.assign(ix.members_.size() + 1, 0);
  std::size_t at = 0;
  for (std::size_t m = 0; m < ix.members_.size(); ++m) {
    memberBegin_[m] = static_cast<std::uint32_t>(at);
    while (at < lines_.size() && ix.lines_[lines_[at].Line].Member == m) ++at;
  }
  memberBegin_[ix.members_.size()] = static_cast<std::uint32_t>(at);
}

bool StreetIndexQuery::HasLines(std::size_t member) const {
  return member + 1 < memberBegin_.size() && memberBegin_[member] < memberBegin_[member + 1];
}

bool StreetIndexQuery::MatchMember(std::size_t member, StreetHitList& hits) const {
  const StreetIndex& ix = *index_;
  if (HasLines(member)) {
    for (std::uint32_t i = memberBegin_[member]; i < memberBegin_[member + 1]; ++i) {
      const StreetIndex::Line& kept = ix.lines_[lines_[i].Line];
      StreetLine line;
      line.Object = kept.Object;
      line.Name = ix.names_[kept.Name];
      line.Place = ix.places_[kept.Place];
      line.From = kept.From;
      line.To = kept.To;
      line.Zip = kept.Zip;
      line.Points = std::span<const core::TMapPoint>(ix.points_).subspan(kept.FirstPoint, kept.PointCount);
      if (!hits.Add(MakeStreetHit(line, matches_[lines_[i].Match], text_), line.Points.front(), line.Points.back())) {
        break;
      }
    }
  }
  if (!text_.Cross.Empty()) hits.ResolveIntersection(text_.Centre);
  return !hits.Hits().empty();
}

}  // namespace quelmar::search
