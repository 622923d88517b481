#pragma once
// The rules of a first installation's start: which folder the install goes to, and the checks
// and questions before it starts, in their order. Plain functions: the pages connect them to
// their controls and dialogs, the tests call them with scripted answers.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "product/MessageKind.h"
#include "product/SetupConfig.h"

// The root without the product folder name at its end; the name counts only as a whole last
// piece, with a backslash right before it ("D:\MyVelmora AC" is a root of its own).
std::string StripProductFolder(const std::string& path, const std::string& folderName);

// What the path box shows after the folder browser returned a path: without a trailing
// backslash and without the folder name, then a backslash and the folder name.
std::string PathBoxAfterBrowse(std::string chosen, const std::string& folderName);

// Answers of the two message dialogs, as the dialogs return them.
constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerClosed = 8;

// What the checks need from the machine and the user; tests give scripted stand-ins.
struct InstallCheckHooks {
    std::function<void(MessageKind)> tell;  // one-button message
    std::function<int(MessageKind)> ask;    // question; returns an answer above
    std::function<bool(const std::string&)> isFolderEmpty;
    std::function<bool(const std::string&)> exists;
    // Clears a folder other users may write; true when it FAILED, as the file-system helper
    // reports.
    std::function<bool(const std::string&)> deleteFolder;
    // Whether the root's drive can hold folders other users cannot change.
    std::function<bool(const std::string&)> isProtectableDrive;
    // The first existing level of the path, below its drive, that another user owns; empty when
    // there is none.
    std::function<std::string(const std::string&)> foreignOwnedLevel;
};

struct InstallCheckInput {
    std::string root;  // the path box's text
    std::string folderName;
    std::string userDataFolder;
    // The product folder under Program Files, where the uninstaller and the web server go.
    std::string programFilesFolder;
    int64_t availableMb = 0;
    int64_t requiredMb = 0;
    std::function<bool(const std::string&)> isValidRoot;
};

// The path rule, then the space; tells the first that fails. True when both pass.
bool CheckPathAndSpace(const InstallCheckInput& input, const InstallCheckHooks& hooks);

// Runs the checks in order: the path rule, the space, the place (the drive, then who owns the
// folders the product will run from), a non-empty installation folder, an existing user-data
// folder. Returns the installation root to install into, or the empty text
// when the install must not start.
std::string RunInstallChecks(const InstallCheckInput& input, const InstallCheckHooks& hooks);

// The same checks against this machine: the file-system helpers and the message dialogs.
InstallCheckHooks MachineInstallCheckHooks();
