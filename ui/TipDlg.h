#pragma once
// The message dialogs: CTipDlg (a message with Close) and CTipCertainDlg (a question with OK and
// Cancel). Results: OK 1, Close and Cancel 2, the top-right close button 8.
//
// Callers store the kind in CInstallContext::messageKind and construct the dialog afterwards:
// the dialog reads the kind when it is made. The one exception is the engine's driver question
// (kind 17), made on the worker thread with the kind and the process name handed over directly
// (see the threading rule in ui/framework/Dialog.h).
#include <cstdint>
#include <string>

#include "product/MessageKind.h"
#include "ui/MyButton.h"
#include "ui/SkinDialog.h"

enum TipDialogControl : int {
    kTipCloseResult = 8,
};

class CTipDlgBase : public CSkinDlg {
public:
    MessageKind Kind() const { return kind_; }

protected:
    CTipDlgBase(int templateId, bool question, MessageKind kind, std::string processName);

    BOOL OnInitDialog() override;
    HBRUSH OnControlColour(HDC dc, HWND control, UINT type) override;
    void OnCloseButton() override { EndDialog(kTipCloseResult); }
    virtual void SetUpButtons() = 0;
    void SetUpButton(CMyButton& button, int id, const char* textKey, int x, int32_t style);

private:
    void ShowMessage();
    void CentreMessage(int32_t lines) const;

    bool question_;
    MessageKind kind_;
    UiLanguage language_;
    std::string processName_;
    HWND message_ = nullptr;
};

class CTipDlg : public CTipDlgBase {
public:
    CTipDlg();

protected:
    void SetUpButtons() override;
    // No OK button: Enter does nothing.
    void OnOK() override {}

private:
    CMyButton closeTextButton_;
};

class CTipCertainDlg : public CTipDlgBase {
public:
    // The kind from CInstallContext::messageKind. Kind 17 needs the process name and is made
    // with the other constructor.
    CTipCertainDlg();
    // For the worker thread's driver question: nothing is read from the shared context.
    CTipCertainDlg(MessageKind kind, std::string processName);

protected:
    void SetUpButtons() override;

private:
    CMyButton okButton_;
    CMyButton cancelButton_;
};
