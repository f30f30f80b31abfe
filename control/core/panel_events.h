#pragma once
// The panel's event properties. The automation layer connects them to the
// host's event sink; an unset event is simply not raised.
#include <cstdint>
#include <functional>
#include <string>

namespace quelmar::core {

struct PanelEvents {
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  std::function<void()> OnResize;
  std::function<void()> OnFind;
  std::function<void()> OnFindPlace;
  std::function<void()> OnFindRte;
  std::function<void(const std::string& ansiText)> OnFindDir;
  std::function<void(std::int32_t percent)> OnStatus;
  // Device contexts are passed as their int32 handles.
  std::function<void(std::int32_t dc)> OnPaintBefore;
  std::function<void(std::int32_t dc)> OnpaintAfter;
  std::function<void(std::int32_t dc)> OndirectBefore;
  std::function<void(std::int32_t dc)> OnDirect;
  // button 0 left, 1 right, 2 middle; shift bits 1 Shift, 2 Ctrl, 4 Alt; map-area pixels.
  std::function<void(int button, std::uint32_t shift, int x, int y)> OnMouseDown;
  std::function<void(int button, std::uint32_t shift, int x, int y)> OnMouseMove;
  std::function<void(int button, std::uint32_t shift, int x, int y)> OnMouseUp;
};

}  // namespace quelmar::core
