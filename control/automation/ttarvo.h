#pragma once
// TTarvo: the control's automation class. Every ITarvo call enters here, is
// checked (owner thread, panel alive), guarded (no exception reaches the host)
// and forwarded to the map panel; the panel's events go out to the one
// connected event sink.
#include <atomic>
#include <memory>
#include <thread>

#include "control/automation/tarvo_events.h"
#include "control/automation/tarvo_not_built.h"
#include "control/core/control_context.h"
#include "control/core/tv_object.h"
#include "control/dialogs/configuration_controller.h"
#include "control/dialogs/find_street_dialog.h"
#include "control/dialogs/locator_dialog.h"
#include "control/dialogs/route_controller.h"
#include "control/items/map_items.h"
#include "control/render/map_model.h"
#include "control/search/locator_search.h"
#include "control/search/match_quality.h"
#include "control/search/place_search.h"
#include "control/search/street_search.h"
#include "platform/com/com_ptr.h"
#include "platform/com/connection_point.h"
#include "platform/com/ref_counted.h"
#include "platform/com/type_info.h"

namespace quelmar::automation {

using core::LayerOptions;
using core::PanelEvents;
using core::PanelFrame;
using core::PanelOptions;
using core::Ttvmap;

class TTarvo final : public TarvoNotBuilt,
                     public com::IConnectionPointContainer,
                     public com::IOleObject,
                     public com::IOleInPlaceObject,
                     public com::ISupportErrorInfo {
 public:
  // `lifetime` counts the library's live objects; it must outlive the object.
  explicit TTarvo(com::ServerLifetime& lifetime);
  virtual ~TTarvo();

  // The wrapped panel, nullptr once freed. For tests and in-library callers.
  Ttvmap* Panel() { return freed_ || !context_ ? nullptr : &context_->Panel(); }
  // The control's context and map, nullptr once freed.
  core::ControlContext* Context() { return freed_ ? nullptr : context_.get(); }
  render::MapModel* Model() { return freed_ ? nullptr : model_; }
  items::MapItems* Items() { return freed_ ? nullptr : items_; }

  // IUnknown
  HRESULT QueryInterface(const com::IID& iid, void** object) override;
  com::ULONG AddRef() override;
  com::ULONG Release() override;
  // IDispatch
  HRESULT GetTypeInfoCount(std::uint32_t* count) override;
  HRESULT GetTypeInfo(std::uint32_t index, com::LCID lcid, com::ITypeInfo** info) override;
  HRESULT GetIDsOfNames(const com::IID& riid, const std::string* names, std::uint32_t count, com::LCID lcid,
                        com::DISPID* dispids) override;
  HRESULT Invoke(com::DISPID dispid, const com::IID& riid, com::LCID lcid, std::uint16_t flags,
                 com::DISPPARAMS* params, com::Variant* result, com::EXCEPINFO* excepinfo,
                 std::uint32_t* argErr) override;
  // IConnectionPointContainer
  HRESULT FindConnectionPoint(const com::IID& iid, com::IConnectionPoint** point) override;
  // IOleObject
  HRESULT SetClientSite(com::IOleClientSite* site) override;
  HRESULT GetClientSite(com::IOleClientSite** site) override;
  HRESULT DoVerb(std::int32_t verb) override;
  // IOleInPlaceObject
  HRESULT SetObjectRects(const com::RECT& position, const com::RECT& clip) override;
  // ISupportErrorInfo
  HRESULT InterfaceSupportsErrorInfo(const com::IID& iid) override;

  // ---- ITarvo members that work ----
#include "control/automation/ttarvo_members.inc"

 private:
  friend class CallScope;
  template <typename Body>
  HRESULT Call(const char* member, Body&& body);
  template <typename T>
  HRESULT Get(const char* member, T* out, T (*read)(Ttvmap&));

  void ConnectPanelEvents();
  void EventSinkChanged();
  bool DesignModeQuery();
  void FreePanel();
  void DestroyPanelIfIdle();
  void Invalidate();
  search::PlaceQuery PlaceQueryOf(Ttvmap& panel);
  search::PlaceReports PlaceReportsOf(Ttvmap& panel);
  template <typename Dialog>
  HRESULT RunPlaceDialog(const char* member);
  search::StreetSources StreetSourcesOf(Ttvmap& panel);
  // The Locator opened for a route's end; its chosen row, or nullopt.
  std::optional<std::string> LocateForRoute(const std::string& caption);
  search::LocatorServices LocatorServicesOf(Ttvmap& panel, const search::PlaceQuery& places,
                                            const search::StreetSources& sources);
  // Sets Street and MatchInfo and fires Find.
  void ReportStreet(Ttvmap& panel, const std::string& line, const search::MatchQuality& quality);

  com::ServerLifetime& lifetime_;
  std::atomic<com::ULONG> refs_{1};
  std::thread::id owner_;
  // The panel, the settings, the registries and every attached subsystem.
  std::unique_ptr<core::ControlContext> context_;
  bool freed_ = false;     // FREEALL was called: members fail from now on
  int callDepth_ = 0;      // calls of this object in progress on the stack
  com::ConnectionPoint events_;
  TarvoEventSource raise_;
  com::ComPtr<com::IOleClientSite> site_;
  // The map model the context keeps; it lives as long as the context.
  render::MapModel* model_ = nullptr;
  // The place, ZIP and exchange lookups the context keeps.
  search::PlaceSearch* placeSearch_ = nullptr;
  // The street search the context keeps, and the quality of the hit last reported.
  search::StreetSearch* streetSearch_ = nullptr;
  std::string matchInfo_;
  // The Locator, made at its first opening and kept, so its fields keep what was typed.
  std::unique_ptr<dialogs::LocatorDialog> locator_;
  // What the Find Street dialog keeps between openings.
  dialogs::FindStreetMemory findStreet_;
  // Routing, which the context keeps.
  dialogs::RouteController* routes_ = nullptr;
  // The host's items and host drawing, which the context keeps.
  items::MapItems* items_ = nullptr;
  // The configuration file, which the context keeps.
  dialogs::ConfigurationController* config_ = nullptr;
  // The Locator of ExecSearch is open (modal).
  bool locatorOpen_ = false;
};

}  // namespace quelmar::automation
