#include "deploy/NpfDriver.h"

#include <direct.h>
#include <io.h>
#include <mbstring.h>
#include <windows.h>

#include <mutex>

#include <tinyxml2.h>

#include "base/CommandProcessor.h"
#include "base/Handles.h"
#include "base/ProtectedFolder.h"
#include "base/StringUtil.h"
#include "base/TempWorkDir.h"
#include "deploy/Payload.h"
#include "product/FolderLayout.h"
#include "product/ResourceIds.h"

namespace SetUp {

namespace {

std::mutex questionMutex;
DriverQuestion installedQuestion;

std::string ReportPath(const std::string& installRoot, const CSetupConfig& config) {
    return DriversFolder(installRoot, config) + "\\NpfOccupy.xml";
}

bool Same(const std::string& text, const char* literal) {
    return _mbscmp(reinterpret_cast<const unsigned char*>(text.c_str()),
                   reinterpret_cast<const unsigned char*>(literal)) == 0;
}

// By its full path, only as unpacked just now: a detector that was not unpacked is never looked
// for elsewhere. Its own folder is its working folder, where it always ran; the installer's
// rights are its rights (the setup program runs elevated). It ends before the report is read.
void RunDetector(const std::string& driversFolder) {
    const std::string detector = driversFolder + "\\NpfDetectApp.exe";
    const DWORD attributes = GetFileAttributesA(detector.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
        return;
    }
    RunProgram(detector, "", nullptr, driversFolder);
}

}  // namespace

void SetDriverQuestion(DriverQuestion question) {
    std::lock_guard<std::mutex> lock(questionMutex);
    installedQuestion = std::move(question);
}

DriverQuestion GetDriverQuestion() {
    std::lock_guard<std::mutex> lock(questionMutex);
    return installedQuestion;
}

std::string DriversFolder(const std::string& installRoot, const CSetupConfig& config) {
    const std::string folder = CFolderLayout(installRoot, config).DriversDir();
    MakeProtectedFolder(folder);
    return folder;
}

void RunNpfSetup(const std::string& installRoot, const CSetupConfig& config) {
    const std::string drivers = DriversFolder(installRoot, config);
    const bool unpacked = SaveResourceToTemp("Npf.7z", IDR_NPF_PACKAGE, "ZIP") &&
                          !UnpackArchive(drivers, "Npf.7z").failed;
    // A detector that does not run must not leave an earlier "success" behind: without a report
    // the user is asked.
    DeleteFileA((drivers + "\\NpfOccupy.xml").c_str());
    if (unpacked) {
        RunDetector(drivers);
    }
}

std::string ReadNpfOccupancy(const std::string& installRoot, const CSetupConfig& config) {
    tinyxml2::XMLDocument report;
    if (report.LoadFile(ReportPath(installRoot, config).c_str()) != tinyxml2::XML_SUCCESS) {
        return {};
    }
    const tinyxml2::XMLElement* app = report.FirstChildElement("NpfApp");
    const tinyxml2::XMLElement* result = app ? app->FirstChildElement("result") : nullptr;
    const char* text = result ? result->GetText() : nullptr;
    return text ? text : "";
}

std::string OccupyingProcessName(const std::string& report) {
    for (const std::string& piece : SplitString(report, ';')) {
        if (!piece.empty()) {
            return piece;
        }
    }
    return report;
}

void InstallNpfDriver(const std::string& installRoot, const CSetupConfig& config,
                      const DriverQuestion& question) {
    RunNpfSetup(installRoot, config);
    std::string report = ReadNpfOccupancy(installRoot, config);
    while (!Same(report, "success")) {
        if (Same(report, "no process")) {
            RunNpfSetup(installRoot, config);
            return;
        }
        // The kind goes to the dialog directly, not through the shared message kind, which the
        // user-interface thread may set at the same moment.
        if (!question || !question(MessageKind::NpfOccupied, OccupyingProcessName(report))) {
            return;
        }
        RunNpfSetup(installRoot, config);
        report = ReadNpfOccupancy(installRoot, config);
    }
}

void RunNpfRemovalScript() {
    if (!SaveResourceToTemp("delnpf.bat", IDR_NPF_REMOVAL, "BAT")) {
        return;
    }
    // The script's "sc" is found in the system folder, the command processor's working folder,
    // with the system's PATHEXT. Waited for: the command processor reads the script line by line
    // from the working folder, which must not be deleted under it. Bounded: a service tool that
    // hangs must not hold up the removal; a command processor past the bound is ended first.
    constexpr unsigned long kRemovalScriptLimitMs = 60 * 1000;
    RunCommandProcessorWithin("/c \"" + QuotedPath(GetTempWorkDir() + "delnpf.bat") + "\"",
                              kRemovalScriptLimitMs);
}

}  // namespace SetUp
