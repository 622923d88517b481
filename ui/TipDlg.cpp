#include "ui/TipDlg.h"

#include "product/SetupConfig.h"
#include "product/TextTable.h"
#include "ui/SharedFonts.h"
#include "ui/TipMessage.h"
#include "ui/framework/Gdi.h"

namespace {

// The message is the template's only edit control (its id is -1).
HWND FindMessageControl(HWND dialog) {
    return FindWindowExA(dialog, nullptr, "Edit", nullptr);
}

}  // namespace

CTipDlgBase::CTipDlgBase(int templateId, bool question, MessageKind kind, std::string processName)
    : CSkinDlg(templateId, SkinKind::Message),
      question_(question),
      kind_(kind),
      language_(CSetupConfig::Instance().uiLanguage),
      processName_(std::move(processName)) {}

BOOL CTipDlgBase::OnInitDialog() {
    SetUpWindow();
    const HFONT textFont = GetSharedFonts().text;
    SetControlFont(IDC_TIP_TITLE, GetSharedFonts().title);
    SetControlText(IDC_TIP_TITLE, Settings().brandName);
    PlaceControl(IDC_TIP_TITLE, 20, 8, 224, 24);
    PlaceControl(IDC_CLOSE, 328, 8, 24, 24);
    if (question_) {
        PlaceControl(IDC_TIP_PICTURE, 48, 64, 40, 40);
    } else {
        PlaceControl(IDC_TIP_PICTURE, 48, 67, 41, 34);
    }
    message_ = FindMessageControl(Handle());
    SendMessageA(message_, WM_SETFONT, reinterpret_cast<WPARAM>(textFont), TRUE);
    SetWindowPos(message_, nullptr, 112, 48, 224, 72, SWP_NOZORDER | SWP_NOACTIVATE);
    SetUpButtons();
    ShowMessage();
    InvalidateControl(IDCANCEL);
    RepaintAll();
    return TRUE;
}

void CTipDlgBase::SetUpButton(CMyButton& button, int id, const char* textKey, int x,
                              int32_t style) {
    button.Attach(Handle(), id);
    SetControlFont(id, GetSharedFonts().boldText);
    SetControlText(id, CTextTable::Instance().GetText(textKey));
    PlaceControl(id, x, 144, CMyButton::kWidth, CMyButton::kHeight);
    button.SetStyle(style);
}

void CTipDlgBase::ShowMessage() {
    TipPlaceholders values;
    values.brandName = Settings().brandName;
    values.processName = processName_;
    if (const TipMessageRow* row = FindTipMessage(question_, kind_)) {
        if (row->placeholder == TipPlaceholder::ProductLabel) {
            values.productLabel = InstalledProductLabel();
        }
    }
    const TipMessage message = ComposeTipMessage(question_, kind_, CTextTable::Instance(), values);
    SetWindowTextA(message_, message.text.c_str());
    if (message.lines > 0) {
        CentreMessage(message.lines);
    }
}

void CTipDlgBase::CentreMessage(int32_t lines) const {
    RECT rect{};
    GetClientRect(message_, &rect);
    CClientDC dc(message_);
    // Measured in the font the message is drawn in, so that the lines sit in the middle.
    CSelectObject selectFont(dc.Get(),
                             reinterpret_cast<HFONT>(SendMessageA(message_, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.Get(), &metrics);
    const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    OffsetRect(&rect, 0, ((rect.bottom - rect.top) - lines * lineHeight) / 2);
    SendMessageA(message_, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rect));
}

HBRUSH CTipDlgBase::OnControlColour(HDC dc, HWND control, UINT type) {
    if (control == message_) {
        return TransparentText(dc, kGreyText);
    }
    if (GetDlgCtrlID(control) == IDC_TIP_TITLE) {
        return TransparentText(dc, kWhiteText);
    }
    return CSkinDlg::OnControlColour(dc, control, type);
}

CTipDlg::CTipDlg(MessageKind kind) : CTipDlgBase(IDD_TIP, false, kind, "") {}

void CTipDlg::SetUpButtons() {
    SetUpButton(closeTextButton_, IDCANCEL, "close", 240, kSecondaryButton);
}

CTipCertainDlg::CTipCertainDlg(MessageKind kind, std::string processName)
    : CTipDlgBase(IDD_TIP_CERTAIN, true, kind, std::move(processName)) {}

void CTipCertainDlg::SetUpButtons() {
    SetUpButton(okButton_, IDOK, "ok", 136, kPrimaryButton);
    SetUpButton(cancelButton_, IDCANCEL, "cancel", 240, kSecondaryButton);
}
