#include "deploy/Unpacking.h"

#include "base/CommandProcessor.h"
#include "base/StringUtil.h"
#include "base/TempWorkDir.h"

namespace SetUp {

CUnpacking::~CUnpacking() {
    if (process_) {
        WaitForSingleObject(process_.Get(), INFINITE);
    }
}

CDeployOutcome CUnpacking::Start(const std::string& destination, const std::string& archive) {
    CDeployOutcome outcome;
    if (!EnsureSevenZip()) {
        outcome.failed = true;
        outcome.detail = "could not write 7za.exe to the working folder";
        return outcome;
    }
    begun_ = true;
    destination_ = destination;
    archive_ = archive;
    const std::string folder = GetTempWorkDir();
    if (folder.empty()) {
        return outcome;
    }
    // By its full path in the protected folder, without a command processor in between.
    program_ = folder + "7za.exe";
    arguments_ = SevenZipArguments(destination, folder + archive);
    StartProgram(program_, arguments_, {}, &process_);
    return outcome;
}

CDeployOutcome CUnpacking::Finish() {
    CDeployOutcome outcome;
    if (!begun_) {
        return outcome;
    }
    begun_ = false;
    unsigned long code = 1;
    if (process_) {
        WaitForSingleObject(process_.Get(), INFINITE);
        code = EndedProgramExitCode(process_.Get(), program_, arguments_);
        process_.Reset();
    }
    if (code != 0) {
        outcome.failed = true;
        outcome.diskFull = NearlyFull(destination_) || NearlyFull(GetTempWorkDir());
        outcome.detail = FormatString("7-Zip ended with exit code %lu unpacking %s into %s", code,
                                      archive_.c_str(), destination_.c_str());
    }
    return outcome;
}

}  // namespace SetUp
