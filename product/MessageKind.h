#pragma once
// The message kinds: which text a message dialog shows. The numbers are the product's own and
// name the rows of the message tables.
#include <cstdint>

enum class MessageKind : int32_t {
    CheckComponent = 0,
    SpaceLack = 1,
    CancelInstall = 2,
    Uninstall = 3,
    DetectUserData = 4,
    DeleteUserData = 5,
    ClearInstallDir = 6,
    CloseProcess = 7,
    InstallMutex = 8,
    InstallLowVersion = 9,
    IllegalPath = 10,
    DeleteFolderFail = 11,
    QuitUserManual = 12,
    UninstallFinish = 13,
    DeleteUserDataFail = 14,
    InstallingMutex = 15,
    SameGuid = 16,
    NpfOccupied = 17,
    NotSupportUpdate = 18,
    UnsafeWorkFolder = 19,
    LastRunInterrupted = 20,
    ForeignProductFolder = 21,
    UnsuitableDrive = 22,
};
