#pragma once
// clsMapServ: the map server's automation class. Its members, with their
// dispatch identifiers, hand each call to a MapServer; by-reference
// parameters are written through as the host passed them.
#include <memory>

#include "platform/com/table_dispatch.h"
#include "server/engine/map_server.h"

namespace quelmar::server {

class ClsMapServ final : public com::TableDispatch {
 public:
  ClsMapServ(com::ServerLifetime* lifetime, MapServerSetup setup);

  MapServer& Server() { return server_; }

 private:
  MapServer server_;
};

// The setup of a server living in `libraryPath`: its files beside it (or in
// $TARVOSERVER_FOLDER), the control made through the class registry, the
// settings from the server's INI file, the host program folder from the
// host's per-user settings.
MapServerSetup DefaultSetup(const std::filesystem::path& libraryPath);

}  // namespace quelmar::server
