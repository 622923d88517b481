#include "app/RunLogSetup.h"

#include <windows.h>

#include "base/RunLog.h"
#include "base/StringUtil.h"
#include "base/SystemInfo.h"

std::string DefaultLogPath(const CSetupConfig& config) {
    const std::string windows = WindowsDirectory();
    if (windows.empty()) {
        return {};
    }
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return windows + "\\Temp\\" + config.GetProductFolderNames().productFolder + " setup " +
           FormatString("%04d%02d%02d-%02d%02d%02d", now.wYear, now.wMonth, now.wDay, now.wHour,
                        now.wMinute, now.wSecond) +
           ".log";
}

void StartRunLog(const CCommandLine& line, const std::string& commandLine,
                 const CSetupConfig& config) {
    std::string fallbackReason;
    if (line.logPath) {
        if (!SetUp::OpenRunLog(*line.logPath, true)) {
            fallbackReason = FormatString(
                "could not write the log at %s (error %lu): the "
                "default folder is used",
                line.logPath->c_str(), GetLastError());
        }
    }
    if (SetUp::RunLogPath().empty()) {
        const std::string path = DefaultLogPath(config);
        // A name taken in the same second gets a number.
        for (int attempt = 0; attempt < 10 && SetUp::RunLogPath().empty() && !path.empty();
             ++attempt) {
            SetUp::OpenRunLog(attempt == 0 ? path
                                           : path.substr(0, path.size() - 4) +
                                                 FormatString(" (%d).log", attempt + 1),
                              false);
        }
    }
    if (!fallbackReason.empty()) {
        SetUp::LogLine(fallbackReason);
    }
    SetUp::LogLine("setup " + config.version + ", edition " +
                   VariantTypeName(config.productVariant).value_or("?") + ", brand " +
                   config.brandName + ", brand type " + std::to_string(config.brandType) +
                   ", translator " + std::to_string(config.translator));
    SetUp::LogLine(WindowsVersionText() + (IsNative64Bit() ? ", 64-bit" : ", 32-bit") +
                   FormatString(", system language %u", GetSystemDefaultLangID()));
    SetUp::LogLine(std::string("display language: ") +
                   (config.uiLanguage == UiLanguage::Chinese ? "Chinese" : "English"));
    SetUp::LogLine("command line: " + commandLine);
}
