#pragma once
// The message dialogs: CTipDlg (a message with Close) and CTipCertainDlg (a question with OK and
// Cancel). Results: OK 1, Close and Cancel 2, the top-right close button 8.
//
// The kind is given when the dialog is made. The engine's driver question (kind 17) is made on
// the worker thread with the process name as well (see the threading rule in
// ui/framework/Dialog.h).
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
    explicit CTipDlg(MessageKind kind);

protected:
    void SetUpButtons() override;
    // No OK button: Enter does nothing.
    void OnOK() override {}

private:
    CMyButton closeTextButton_;
};

class CTipCertainDlg : public CTipDlgBase {
public:
    // Kind 17 names the process that holds the driver.
    explicit CTipCertainDlg(MessageKind kind, std::string processName = "");

protected:
    void SetUpButtons() override;

private:
    CMyButton okButton_;
    CMyButton cancelButton_;
};
