#pragma once
// The packet-capture driver: its package unpacked into the product's Drivers folder, the
// detector that installs it and reports in NpfOccupy.xml, the retry protocol of the install
// step, and the removal script.
#include <string>

#include "deploy/DriverQuestion.h"
#include "product/SetupConfig.h"

namespace SetUp {

// <root>\<productFolder>\Drivers, created (last level only) when missing.
std::string DriversFolder(const std::string& installRoot, const CSetupConfig& config);

// Unpacks "Npf.7z" into the Drivers folder and runs the detector elevated, waiting for it.
void RunNpfSetup(const std::string& installRoot, const CSetupConfig& config);

// The text of NpfApp/result in the detector's report; empty when the report is missing,
// unreadable or lacks the element.
std::string ReadNpfOccupancy(const std::string& installRoot, const CSetupConfig& config);

// The first non-empty ";"-separated piece of a report, or the report itself when it has none.
std::string OccupyingProcessName(const std::string& report);

// The install step's protocol: runs the detector until it reports "success", once more after
// "no process", or, while programs hold the driver, as long as the user confirms the question.
void InstallNpfDriver(const std::string& installRoot, const CSetupConfig& config,
                      const DriverQuestion& question);

// Runs the script that stops and deletes the driver services, waiting a minute at most.
void RunNpfRemovalScript();

}  // namespace SetUp
