#include "platform/gdi/recording_canvas.h"

#include <cstdio>
#include <ostream>
#include <sstream>

#include "platform/gdi/text_measurer.h"

namespace quelmar::gdi {
namespace {

std::string Hex(COLORREF color) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "$%08X", color);
  return buffer;
}

const char* PenStyleName(PenStyle style) {
  switch (style) {
    case PenStyle::Solid: return "Solid";
    case PenStyle::Dash: return "Dash";
    case PenStyle::Dot: return "Dot";
    case PenStyle::DashDot: return "DashDot";
    case PenStyle::DashDotDot: return "DashDotDot";
    case PenStyle::Null: return "Null";
    case PenStyle::InsideFrame: return "InsideFrame";
  }
  return "?";
}

const char* Rop2Name(Rop2 rop) {
  switch (rop) {
    case Rop2::CopyPen: return "CopyPen";
    case Rop2::XorPen: return "XorPen";
    case Rop2::Not: return "Not";
    case Rop2::MaskPen: return "MaskPen";
    case Rop2::MergePen: return "MergePen";
    case Rop2::NotCopyPen: return "NotCopyPen";
  }
  return "?";
}

void WriteRect(std::ostream& out, const Rect& r) {
  out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

void WriteBrush(std::ostream& out, const Brush& b) {
  switch (b.style) {
    case BrushStyle::Solid: out << "Solid " << Hex(b.color); break;
    case BrushStyle::Null: out << "Null"; break;
    case BrushStyle::Hatched: out << "Hatch" << static_cast<int>(b.hatch) << " " << Hex(b.color); break;
    case BrushStyle::Pattern: out << "Pattern " << Hex(b.color) << "/" << Hex(b.patternBack); break;
  }
}

}  // namespace

std::string ToString(DrawKind kind) {
  switch (kind) {
    case DrawKind::MoveTo: return "MoveTo";
    case DrawKind::LineTo: return "LineTo";
    case DrawKind::Polyline: return "Polyline";
    case DrawKind::Polygon: return "Polygon";
    case DrawKind::Rectangle: return "Rectangle";
    case DrawKind::Ellipse: return "Ellipse";
    case DrawKind::FillRect: return "FillRect";
    case DrawKind::TextOut: return "TextOut";
    case DrawKind::BitBlt: return "BitBlt";
  }
  return "?";
}

// For example: Rectangle rect=(10,10)-(20,20) pen=Solid/1/$000000FF brush=Solid $00FFFFFF
//              origin=(0,0) rop2=CopyPen clip=none
std::string DrawRecord::ToString() const {
  std::ostringstream out;
  out << gdi::ToString(kind);
  if (!points.empty()) {
    out << " points=";
    for (const Point& p : points) out << "(" << p.x << "," << p.y << ")";
  }
  if (kind == DrawKind::Rectangle || kind == DrawKind::Ellipse || kind == DrawKind::FillRect ||
      kind == DrawKind::BitBlt) {
    out << " rect=";
    WriteRect(out, rect);
  }
  if (kind == DrawKind::FillRect) {
    out << " fill=";
    WriteBrush(out, fillBrush);
  }
  if (kind == DrawKind::TextOut) {
    out << " text=\"" << text << "\" font=" << state.font.face << "/" << state.font.height << "/"
        << state.font.weight << (state.font.italic ? "/italic" : "") << "/esc" << state.font.escapement
        << " color=" << Hex(state.textColor) << " align=" << state.textAlign;
  }
  if (kind == DrawKind::BitBlt) out << " rop3=" << Hex(static_cast<COLORREF>(rop3));
  out << " pen=" << PenStyleName(state.pen.style) << "/" << state.pen.width << "/" << Hex(state.pen.color);
  out << " brush=";
  WriteBrush(out, state.brush);
  out << " bk=" << (state.bkMode == BkMode::Opaque ? "opaque " : "transparent ") << Hex(state.bkColor);
  out << " origin=(" << state.windowOrigin.x << "," << state.windowOrigin.y << ")";
  out << " rop2=" << Rop2Name(state.rop2);
  out << " clip=";
  if (!state.clip) {
    out << "none";
  } else if (state.clip->IsEmpty()) {
    out << "empty";
  } else {
    for (const Rect& r : state.clip->Rects()) WriteRect(out, r);
  }
  return out.str();
}

void PrintTo(const DrawRecord& record, std::ostream* out) { *out << record.ToString(); }

std::vector<DrawRecord> RecordingCanvas::RecordsOf(DrawKind kind) const {
  std::vector<DrawRecord> matching;
  for (const DrawRecord& r : records_) {
    if (r.kind == kind) matching.push_back(r);
  }
  return matching;
}

DrawRecord& RecordingCanvas::Add(DrawKind kind) {
  DrawRecord& record = records_.emplace_back();
  record.kind = kind;
  record.state = State();
  return record;
}

void RecordingCanvas::MoveTo(Point p) {
  Add(DrawKind::MoveTo).points = {p};
  StatefulCanvas::MoveTo(p);
}

void RecordingCanvas::LineTo(Point p) {
  Add(DrawKind::LineTo).points = {State().currentPosition, p};
  MutableState().currentPosition = p;
}

void RecordingCanvas::Polyline(std::span<const Point> points) {
  Add(DrawKind::Polyline).points.assign(points.begin(), points.end());
}

void RecordingCanvas::Polygon(std::span<const Point> points) {
  Add(DrawKind::Polygon).points.assign(points.begin(), points.end());
}

void RecordingCanvas::Rectangle(const Rect& rect) { Add(DrawKind::Rectangle).rect = rect; }

void RecordingCanvas::Ellipse(const Rect& rect) { Add(DrawKind::Ellipse).rect = rect; }

void RecordingCanvas::FillRect(const Rect& rect, const Brush& brush) {
  DrawRecord& record = Add(DrawKind::FillRect);
  record.rect = rect;
  record.fillBrush = brush;
}

void RecordingCanvas::TextOut(Point p, std::string_view ansiText) {
  DrawRecord& record = Add(DrawKind::TextOut);
  record.points = {p};
  record.text = std::string(ansiText);
}

Size RecordingCanvas::MeasureText(std::string_view ansiText) {
  return TextMeasurer::Measure(State().font, ansiText).AsSize();
}

void RecordingCanvas::BitBlt(const Rect& dst, Canvas& src, Point srcOrigin, Rop3 rop) {
  DrawRecord& record = Add(DrawKind::BitBlt);
  record.rect = dst;
  record.points = {srcOrigin};
  record.rop3 = rop;
  record.source = &src;
}

}  // namespace quelmar::gdi
