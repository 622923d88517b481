#pragma once
// The engine's folder steps and checks on the product's folders.
#include <string>

#include "base/InstallPathRule.h"

class CSetupConfig;

namespace SetUp {

// True when the installed user manual exists and cannot be opened for reading and writing.
bool IsUserManualOpen(const CSetupConfig& config);

// Install step 1: the product and installation folders below the root.
void initInstallPath(const std::string& installRoot, const CSetupConfig& config);
// Install step 11: on a 64-bit machine the 64-bit multimedia library takes the client's place.
void replaceMultiMediaComm(const std::string& installRoot, const CSetupConfig& config);

}  // namespace SetUp
