#pragma once
// Stopping the product's programs before the installation is touched, and starting the installed
// client and server afterwards.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/TableView.h"
#include "product/SetupConfig.h"

namespace SetUp {

// Appended to the brand name, in the order they are stopped.
extern const CTableView<const char*> kBrandPrefixedSuffixes;
extern const CTableView<const char*> kPlainProgramNames;
// Stopped before every other program: it would restart them.
extern const char kWatchDogName[];

class ProcessStopList {
public:
    ProcessStopList(const std::string& installRoot, const CSetupConfig& config);

    // Every instance of WatchDog running from the product's folders, then of the brand-prefixed
    // and plain programs running from there, then of the installed web server (by its full image
    // path). A program of those names elsewhere is left; programs that cannot be stopped stay
    // running. Always true.
    bool StopPrograms();
    // The installation's product folder (<root>\<productFolder>, when the root is an absolute
    // drive path) and the Program Files product folder.
    std::vector<std::string> ProductFolders() const;
    // Start the installed framework as the signed-in user (StartAsSignedInUser): never with the
    // installer's rights. True when the user's shell accepted it.
    bool LaunchClient();
    bool LaunchServer();

    const std::vector<std::string>& BrandPrefixedNames() const { return brandPrefixedNames_; }
    const std::vector<std::string>& PlainNames() const { return plainNames_; }

private:
    std::string installRoot_;
    CSetupConfig config_;
    std::vector<std::string> brandPrefixedNames_;
    std::vector<std::string> plainNames_;
};

// The id of the first process, after the snapshot's first entry, whose executable name equals
// the name byte for byte; 0 when there is none.
DWORD FindProcessByName(const std::string& exeName);
// Every way of stopping a program here terminates it and then waits until it has ended (10 s at
// most each), so that the files it held can be replaced right afterwards.

// Terminates that one process; true when TerminateProcess succeeded.
bool KillProcessByName(const std::string& exeName);
// Terminates every process, in one snapshot, whose executable name equals one of the names byte
// for byte and whose full image path lies in one of the folders (either slash, any case);
// returns how many were terminated.
int32_t KillProcessesInFolders(const std::vector<std::string>& exeNames,
                               const std::vector<std::string>& folders);
// Whether the client framework of the brand runs.
bool IsClientRunning(const std::string& brandName);

// The installed web server: the Program Files product folder's "Nginx\\nginx.exe".
std::string WebServerProgram(const CSetupConfig& config);
// Terminates every process whose full image path is the given one (either slash, any case);
// returns how many were terminated.
int32_t KillProcessesByImagePath(const std::string& imagePath);
// Terminates every running instance of the installed web server; returns how many.
int32_t StopWebServer(const CSetupConfig& config);

}  // namespace SetUp
