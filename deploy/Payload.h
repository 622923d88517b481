#pragma once
// Unpacking the payload: the 7-Zip console program in the working folder, 7z archives unpacked
// into their final folders, the product's components and the web server with the uninstaller.
// Called on the engine's worker thread; nothing runs from a file that was not written whole.
#include <cstdint>
#include <string>

#include "product/SetupConfig.h"

namespace SetUp {

// Writes "7za.exe" to the working folder the first time for that folder; later calls do nothing.
// False when the working folder is unsafe or the write failed (then the next call writes again).
bool EnsureSevenZip();

// 7-Zip's arguments: extract with full paths into the destination, overwriting without asking.
std::string SevenZipArguments(const std::string& destination, const std::string& archive);

// Below 1 MB free: a failed write or unpacking is then put down to a full drive, since 7-Zip
// says only "fatal error" (2) when it cannot write.
bool NearlyFull(const std::string& path);

// What a deployment that can fail came to: a resource that could not be written, or an
// unpacking that failed.
class CUnpacking;

struct CDeployOutcome {
    bool failed = false;
    // The destination or the working folder's drive ran out of space.
    bool diskFull = false;
    // In English, for the log and the failed page.
    std::string detail;
};

// Unpacks the archive (a file in the working folder) into the destination, full paths and
// existing files overwritten, with 7-Zip from the working folder (written there first when
// needed), and waits until it has ended: CUnpacking started and finished.
CDeployOutcome UnpackArchive(const std::string& destination, const std::string& archive);

// One component of the product below an install root.
struct ComponentDeployment {
    std::string installRoot;
    int32_t componentNumber = 0;
    const CSetupConfig& config;

    // The component's name: "Client", "Server", or the brand followed by the suffix.
    std::string FolderName() const;
    // <root>\<productFolder>\<clientFolder>\Client (components up to 100) or ...\Server.
    std::string ParentFolder() const;
    // Saves the component's archive to the working folder and unpacks it into the parent folder.
    // An archive the package does not carry leaves an empty file and unpacks nothing, and is no
    // failure: not every edition carries every component.
    CDeployOutcome Install() const;
    // Install without the wait: saves the archive and starts 7-Zip in *unpacking, which the
    // caller finishes. Starts nothing when the archive could not be saved (the outcome says so)
    // or the package does not carry it.
    CDeployOutcome StartInstall(CUnpacking* unpacking) const;
    // Deletes the component's folder.
    void Remove() const;
};

// Places the product's uninstaller and the web server (Nginx, html) in the product folder under
// Program Files.
CDeployOutcome DeployWebServer(const CSetupConfig& config);

}  // namespace SetUp
