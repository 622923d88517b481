#pragma once
// Unpacking the payload: the 7-Zip console program in the working folder, 7z archives unpacked
// into their final folders, the product's components and the web server with the uninstaller.
// Called on the engine's worker thread; nothing reports an error.
#include <cstdint>
#include <string>

namespace SetUp {

// Writes "7za.exe" to the working folder the first time in the process; later calls do nothing.
void EnsureSevenZip();

// Unpacks the archive into the destination (full paths, existing files overwritten) and waits
// until 7-Zip has ended. False when the command processor could not be started. EnsureSevenZip
// must have run before.
bool Extract7z(const std::string& destination, const std::string& archive);

// One component of the product below an install root.
struct ComponentDeployment {
    std::string installRoot;
    int32_t componentNumber = 0;

    // The component's name: "Client", "Server", or the brand followed by the suffix.
    std::string FolderName() const;
    // <root>\<productFolder>\<clientFolder>\Client (components up to 100) or ...\Server.
    std::string ParentFolder() const;
    // Saves the component's archive to the working folder and unpacks it into the parent folder.
    // An archive the package does not carry leaves an empty file and unpacks nothing.
    void Install() const;
    // Deletes the component's folder.
    void Remove() const;
};

// Places the product's uninstaller and the web server (Nginx, html) in the product folder under
// Program Files.
void DeployWebServer();

}  // namespace SetUp
