#pragma once
// Points the temporary folder (TMP, TEMP) somewhere else for a test, and back afterwards: the
// working folder is made anew under it, and deleted again at the end.
#include <windows.h>

#include <string>

#include "base/TempWorkDir.h"

class CTempFolderScope {
public:
    explicit CTempFolderScope(const std::string& folder) : tmp_(Read("TMP")), temp_(Read("TEMP")) {
        SetEnvironmentVariableA("TMP", folder.c_str());
        SetEnvironmentVariableA("TEMP", folder.c_str());
        SetUp::DeleteTempWorkDir();
    }
    ~CTempFolderScope() {
        SetUp::DeleteTempWorkDir();
        SetEnvironmentVariableA("TMP", tmp_.c_str());
        SetEnvironmentVariableA("TEMP", temp_.c_str());
    }
    CTempFolderScope(const CTempFolderScope&) = delete;
    CTempFolderScope& operator=(const CTempFolderScope&) = delete;

private:
    static std::string Read(const char* name) {
        char value[MAX_PATH] = {};
        GetEnvironmentVariableA(name, value, MAX_PATH);
        return value;
    }
    std::string tmp_;
    std::string temp_;
};
