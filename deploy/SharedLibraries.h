#pragma once
// Copies the shared libraries the client package brings once, into its Client folder, to the
// folders that load them: the server, the player and chosen components. Nothing is reported; a
// copy that cannot be made is skipped.
#include <string>

#include "base/TableView.h"
#include "product/SetupConfig.h"

namespace SetUp {

// List S (server), with its two doubled entries.
extern const CTableView<const char*> kServerLibraries;
// List P (player).
extern const CTableView<const char*> kPlayerLibraries;
// List V (video component).
extern const CTableView<const char*> kVideoLibraries;
// List D (device-management component).
extern const CTableView<const char*> kDeviceManagementLibraries;
// The device network library's plug-in folder, copied whole to the server.
extern const char kNetSdkPluginFolder[];

// Placements A to F in order, for the process-wide configuration or the given one.
void PlaceSharedLibraries(const std::string& installRoot, const CSetupConfig& config);

}  // namespace SetUp
