#pragma once
// The removal progress page: starts the removal, shows its progress, asks about the user data
// at the end and ends as completed.
#include <atomic>

#include "ui/MyProgress.h"
#include "ui/SkinDialog.h"

class CUninstallingDlg : public CSkinDlg {
public:
    CUninstallingDlg();
    // asksAboutUserData false: a run without a person (/passive), whose command line answers.
    explicit CUninstallingDlg(bool asksAboutUserData);

protected:
    BOOL OnInitDialog() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled) override;
    void OnCloseButton() override;

private:
    void Complete();

    CMyProgress progress_;
    std::atomic<bool> completionPosted_{false};
    bool completed_ = false;
    bool nothingToRemove_ = false;
    bool asksAboutUserData_ = true;
};
