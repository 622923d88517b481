#include "deploy/NpfDriver.h"

#include <direct.h>
#include <io.h>
#include <mbstring.h>
#include <windows.h>
#include <shellapi.h>

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

constexpr DWORD kRemovalScriptWaitMs = 60 * 1000;

std::mutex questionMutex;
DriverQuestion installedQuestion;

std::string ReportPath(const std::string& installRoot, const CSetupConfig& config) {
    return DriversFolder(installRoot, config) + "\\NpfOccupy.xml";
}

bool Same(const std::string& text, const char* literal) {
    return _mbscmp(reinterpret_cast<const unsigned char*>(text.c_str()),
                   reinterpret_cast<const unsigned char*>(literal)) == 0;
}

// The detector installs a driver, hence "runas"; it ends before the report is read.
void RunDetector(const std::string& driversFolder) {
    // The detector is started from its own folder, which the "cd /d" makes current.
    const std::string parameters = "/c cd /d\"" + driversFolder + "\"&&NpfDetectApp.exe";
    CHandle process;
    if (!StartCommandProcessor(parameters, "runas", &process)) {
        return;
    }
    if (process) {
        WaitForSingleObject(process.Get(), INFINITE);
        TerminateProcess(process.Get(), 0);
    }
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
    const bool saved = SaveResourceToTemp("Npf.7z", IDR_NPF_PACKAGE, "ZIP") && EnsureSevenZip();
    const std::string drivers = DriversFolder(installRoot, config);
    if (saved) {
        Extract7z(drivers, GetTempWorkDir() + "Npf.7z");
    }
    // A detector that cannot start (elevation refused) must not leave an earlier "success"
    // behind: without a report the user is asked.
    DeleteFileA((drivers + "\\NpfOccupy.xml").c_str());
    RunDetector(drivers);
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
    // Quoted: the temporary folder may lie under a user name with a blank. The script's "sc" is
    // found in the system folder, the command processor's working folder. Waited for, with a
    // bound: the command processor reads the script line by line from the working folder, which
    // must not be deleted under it, and a service that never stops must not hold up the removal.
    CHandle process;
    if (StartCommandProcessor("/c \"" + GetTempWorkDir() + "delnpf.bat\"", "open", &process) &&
        process) {
        WaitForSingleObject(process.Get(), kRemovalScriptWaitMs);
    }
}

}  // namespace SetUp
