#include "ui/pages/InstallChecks.h"

#include "base/FileSystem.h"
#include "base/ProtectedFolder.h"
#include "ui/TipDlg.h"

std::string StripProductFolder(const std::string& path, const std::string& folderName) {
    const std::string suffix = "\\" + folderName;
    if (!folderName.empty() && path.size() >= suffix.size() &&
        path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0) {
        return path.substr(0, path.size() - suffix.size());
    }
    return path;
}

std::string PathBoxAfterBrowse(std::string chosen, const std::string& folderName) {
    if (!chosen.empty() && chosen.back() == '\\') {
        chosen.pop_back();
    }
    return StripProductFolder(chosen, folderName) + "\\" + folderName;
}

namespace {

// A question about a folder to clear: OK clears it (a failure stops with failKind), Cancel
// keeps it, the dialog's own close button stops. True when the install may go on.
bool ClearOnRequest(const std::string& folder, MessageKind question, MessageKind failKind,
                    const InstallCheckHooks& hooks) {
    switch (hooks.ask(question)) {
        case kAnswerOk:
            if (hooks.deleteFolder(folder)) {
                hooks.tell(failKind);
                return false;
            }
            return true;
        case kAnswerCancel:
            return true;
        default:
            return false;
    }
}

// The elevated installer makes the product's folders admin-only; a place where that cannot hold,
// or a folder another user already owns (and may change at will), is refused before anything
// is written.
bool CheckPlace(const std::string& installFolder, const InstallCheckInput& input,
                const InstallCheckHooks& hooks) {
    if (!hooks.isProtectableDrive(installFolder)) {
        hooks.tell(MessageKind::UnsuitableDrive);
        return false;
    }
    for (const std::string& folder : {installFolder, input.programFilesFolder}) {
        if (!folder.empty() && !hooks.foreignOwnedLevel(folder).empty()) {
            hooks.tell(MessageKind::ForeignProductFolder);
            return false;
        }
    }
    return true;
}

}  // namespace

bool CheckPathAndSpace(const InstallCheckInput& input, const InstallCheckHooks& hooks) {
    if (!input.isValidRoot(input.root)) {
        hooks.tell(MessageKind::IllegalPath);
        return false;
    }
    if (input.availableMb < input.requiredMb) {
        hooks.tell(MessageKind::SpaceLack);
        return false;
    }
    return true;
}

std::string RunInstallChecks(const InstallCheckInput& input, const InstallCheckHooks& hooks) {
    if (!CheckPathAndSpace(input, hooks)) {
        return "";
    }
    const std::string installRoot = StripProductFolder(input.root, input.folderName);
    const std::string installFolder = installRoot + "\\" + input.folderName;
    if (!CheckPlace(installFolder, input, hooks)) {
        return "";
    }
    if (!hooks.isFolderEmpty(installFolder) &&
        !ClearOnRequest(installFolder, MessageKind::ClearInstallDir, MessageKind::DeleteFolderFail,
                        hooks)) {
        return "";
    }
    if (hooks.exists(input.userDataFolder) &&
        !ClearOnRequest(input.userDataFolder, MessageKind::DetectUserData,
                        MessageKind::DeleteUserDataFail, hooks)) {
        return "";
    }
    return installRoot;
}

InstallCheckHooks MachineInstallCheckHooks() {
    InstallCheckHooks hooks;
    hooks.tell = [](MessageKind kind) {
        CTipDlg dialog(kind);
        dialog.DoModal();
    };
    hooks.ask = [](MessageKind kind) {
        CTipCertainDlg dialog(kind);
        return static_cast<int>(dialog.DoModal());
    };
    hooks.isFolderEmpty = [](const std::string& folder) { return SetUp::IsFolderEmpty(folder); };
    hooks.exists = [](const std::string& path) { return SetUp::PathExists(path); };
    hooks.deleteFolder = [](const std::string& folder) {
        return SetUp::DeleteFolder(folder, true);
    };
    hooks.isProtectableDrive = [](const std::string& path) {
        return SetUp::IsDriveForProtectedFolders(path);
    };
    hooks.foreignOwnedLevel = [](const std::string& path) {
        return SetUp::ForeignOwnedLevel(path);
    };
    return hooks;
}
