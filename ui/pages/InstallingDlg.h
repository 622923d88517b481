#pragma once
// The install progress page: starts the procedure the install type calls for, shows its
// progress and status, offers Cancel during a first installation, then ends as completed, failed
// or, after a cancel, as stopped.
#include <atomic>
#include <functional>

#include "engine/InstallMode.h"
#include "ui/ButtonST.h"
#include "ui/MyButton.h"
#include "ui/MyProgress.h"
#include "ui/SkinDialog.h"

class CInstallingDlg : public CSkinDlg {
public:
    CInstallingDlg();
    // A run without a person (/passive): start begins the procedure the command line chose; the
    // page offers no Cancel and asks nothing.
    explicit CInstallingDlg(std::function<void()> start);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled) override;
    void OnCloseButton() override { Cancel(); }

private:
    void InstallCallbacks();
    void StartProcedure();
    void Cancel();
    void Complete();

    InstallType pageInstallType_;
    std::function<void()> unattendedStart_;
    CMyButton cancel_;
    CMyProgress progress_;
    // Written by the worker; the user-interface thread only reads it.
    std::atomic<bool> completionPosted_{false};
    bool notCancelled_ = true;
    bool questionOpen_ = false;
    bool completionPending_ = false;
    bool completed_ = false;
};
