#include "base/RunLog.h"

#include <windows.h>

#include <mutex>

#include "base/Handles.h"
#include "base/StringUtil.h"

namespace SetUp {

namespace {

std::mutex logMutex;
CFileHandle logFile;
std::string logPath;
ULONGLONG openedAt = 0;

// An elevated program writing where someone else can create names must not be steered onto
// another file: whatever sits at the path (a file, a symbolic link, a junction) goes first, as
// itself.
void DeleteWithoutFollowing(const std::string& path) {
    CFileHandle existing(CreateFileA(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                     nullptr));
    if (!existing) {
        return;
    }
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    SetFileInformationByHandle(existing.Get(), FileDispositionInfo, &disposition,
                               sizeof(disposition));
}

// The installer's texts and paths are in the ANSI code page; the log is UTF-8 whatever the system.
std::string AnsiToUtf8(const std::string& text) {
    const int wide =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (wide <= 0) {
        return text;
    }
    std::wstring utf16(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &utf16[0], wide);
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, &utf8[0], bytes, nullptr, nullptr);
    return utf8;
}

void WriteRaw(const std::string& text) {
    DWORD written = 0;
    WriteFile(logFile.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

bool OpenRunLog(const std::string& path, bool replaceExisting) {
    std::lock_guard<std::mutex> lock(logMutex);
    if (replaceExisting) {
        DeleteWithoutFollowing(path);
    }
    // CREATE_NEW fails on anything that is still there, link or not: nothing is followed.
    CFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!file) {
        return false;
    }
    logFile = std::move(file);
    logPath = path;
    openedAt = GetTickCount64();
    WriteRaw("\xEF\xBB\xBF");
    return true;
}

std::string RunLogPath() {
    std::lock_guard<std::mutex> lock(logMutex);
    return logPath;
}

void LogLine(const std::string& line) {
    std::lock_guard<std::mutex> lock(logMutex);
    if (!logFile) {
        return;
    }
    const ULONGLONG elapsed = GetTickCount64() - openedAt;
    WriteRaw(FormatString("[%7.3f] ", static_cast<double>(elapsed) / 1000.0) + AnsiToUtf8(line) +
             "\r\n");
}

void CloseRunLog() {
    std::lock_guard<std::mutex> lock(logMutex);
    logFile = CFileHandle();
    logPath.clear();
}

}  // namespace SetUp
