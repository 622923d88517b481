#include "ui/SkinDialog.h"

#include <algorithm>

#include "product/Catalogue.h"
#include "base/StringUtil.h"
#include "product/SetupConfig.h"
#include "product/TextTable.h"
#include "ui/PageOutcome.h"
#include "ui/SharedFonts.h"
#include "ui/TipDlg.h"
#include "ui/framework/SkinPictures.h"
#include "ui/framework/Window.h"

namespace {

const SkinLook kPageLook{720,
                         520,
                         IDB_PAGE_BACKGROUND,
                         true,
                         HALFTONE,
                         IDB_PAGE_CLOSE_HOVER,
                         IDB_PAGE_CLOSE_PRESSED,
                         IDB_PAGE_CLOSE_NORMAL};
const SkinLook kLicenceLook{600,
                            640,
                            IDB_LICENCE_BACKGROUND,
                            false,
                            HALFTONE,
                            IDB_DIALOG_CLOSE_HOVER,
                            IDB_DIALOG_CLOSE_PRESSED,
                            IDB_DIALOG_CLOSE_NORMAL};
const SkinLook kDiskSpaceLook{380,
                              166,
                              IDB_DISK_SPACE_BACKGROUND,
                              false,
                              COLORONCOLOR,
                              IDB_DIALOG_CLOSE_HOVER,
                              IDB_DIALOG_CLOSE_PRESSED,
                              IDB_DIALOG_CLOSE_NORMAL};
const SkinLook kMessageLook{360,
                            200,
                            IDB_MESSAGE_BACKGROUND,
                            false,
                            COLORONCOLOR,
                            IDB_DIALOG_CLOSE_HOVER,
                            IDB_DIALOG_CLOSE_PRESSED,
                            IDB_DIALOG_CLOSE_NORMAL};

constexpr int kPageCropX = 12;
constexpr int kPageCropY = 7;

bool Contains(const std::vector<int>& ids, int id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

const SkinLook& GetSkinLook(SkinKind kind) {
    switch (kind) {
        case SkinKind::Licence:
            return kLicenceLook;
        case SkinKind::DiskSpace:
            return kDiskSpaceLook;
        case SkinKind::Message:
            return kMessageLook;
        default:
            return kPageLook;
    }
}

void DecodePageLookAhead() {
    // Another first page (maintenance, upgrade) shows some of them; the rest cost the second
    // thread a few milliseconds each.
    std::vector<int> pictures = {IDB_LOWER_PANEL,        IDB_BROWSE_SQUARE,
                                 kPageLook.background,   kPageLook.closeHover,
                                 kPageLook.closePressed, kPageLook.closeNormal};
    if (const int logo = PageSettings::FromConfig().logoId) {
        pictures.push_back(logo);
    }
    pictures.insert(pictures.end(), {IDB_BROWSE_HOVER, IDB_BROWSE_PRESSED, IDB_BROWSE_NORMAL,
                                     IDB_CHECK_HOVER, IDB_CHECK_CHECKED, IDB_CHECK_NORMAL});
    CSkinPictures::Instance().DecodeAhead(std::move(pictures));
}

PageSettings PageSettings::FromConfig() {
    const CSetupConfig& config = CSetupConfig::Instance();
    PageSettings settings;
    settings.brandType = config.brandType;
    settings.productVariant = config.productVariant;
    settings.uiLanguage = config.uiLanguage;
    settings.brandName = config.brandName;
    settings.logoId = VariantLogo(config.productVariant).value_or(0);
    return settings;
}

CSkinDlg::CSkinDlg(int templateId, SkinKind kind, PageSettings settings)
    : CDialog(templateId), kind_(kind), settings_(std::move(settings)) {}

void CSkinDlg::SetUpWindow() {
    const SkinLook& look = GetSkinLook(kind_);
    HWND window = Handle();
    if (kind_ == SkinKind::Page) {
        // A borderless page still gets a taskbar button.
        SetWindowLongPtrA(window, GWL_EXSTYLE,
                          GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_APPWINDOW);
    }
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    const int x = (desktop.right - desktop.left) / 2 - look.width / 2;
    const int y = (desktop.bottom - desktop.top) / 2 - look.height / 2;
    // Sized and centred in one move, and not activated: the hidden page is activated once, when
    // it is shown (each costs round trips to the display).
    SetWindowPos(window, nullptr, x, y, look.width, look.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    // Placing, filling and repainting the controls of a window on screen costs a round trip to
    // the display each; the page appears once, finished.
    waitingToShow_ = true;

    background_ = LoadBitmapResource(look.background);
    // The images are set once: the button keeps them for the page's life.
    if (closeButton_.Attach(window, IDC_CLOSE)) {
        closeButton_.SetBitmaps(look.closeHover, look.closePressed, look.closeNormal);
    }
}

void CSkinDlg::ShowWhenReady() {
    if (!waitingToShow_) {
        return;
    }
    waitingToShow_ = false;
    if (kind_ == SkinKind::Page) {
        ShowWindow(Handle(), SW_SHOW);
    }
    ShowWindow(Handle(), SW_SHOWNORMAL);
    // Painted now, page and controls: queued, the paint would wait behind every message posted
    // meanwhile (a progress page's), and the page would stay black.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CSkinDlg::SetUpHeader(const std::string& title) {
    ApplyLayout(LoadPageLayout(IDL_PAGE_HEADER));
    SetControlText(IDC_TITLE, title);
    PlaceLogo();
    // Brand type 1 shows the title alone, where the logo would begin.
    ShowWindow(Item(IDC_LOGO), settings_.brandType == 1 ? SW_HIDE : SW_SHOW);
}

void CSkinDlg::SetUpFeatureHeader(const std::string& title) {
    ApplyLayout(LoadPageLayout(IDL_FEATURE_HEADER));
    SetControlText(IDC_TITLE, title);
}

void CSkinDlg::PlaceLogo() {
    HWND control = Item(IDC_LOGO);
    if (control == nullptr || settings_.logoId == 0) {
        return;
    }
    if (!logo_) {
        logo_ = LoadBitmapResource(settings_.logoId);
    }
    if (!logo_) {
        return;  // editions without a logo in the package
    }
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    SetWindowLongPtrA(control, GWL_STYLE, (style & ~0xFL) | SS_BITMAP | SS_CENTERIMAGE);
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_.Get()));
}

void CSkinDlg::ApplyLayout(PageLayout rows) {
    const SharedFonts& fonts = GetSharedFonts();
    for (const LayoutRow& row : rows) {
        const PageRect& rect = ChooseRect(row, settings_.uiLanguage, settings_.brandType);
        PlaceControl(row.id, rect.x, rect.y, rect.width, rect.height);
        if (row.textKey != nullptr) {
            SetControlText(row.id, row.withBrandName ? BrandText(row.textKey)
                                                     : CTextTable::Instance().GetText(row.textKey));
        }
        switch (row.font) {
            case LayoutFont::Title:
                SetControlFont(row.id, fonts.title);
                break;
            case LayoutFont::Bold:
                SetControlFont(row.id, fonts.boldText);
                break;
            case LayoutFont::Text:
                SetControlFont(row.id, fonts.text);
                break;
            case LayoutFont::None:
                break;
        }
        if (row.colour == LayoutColour::White) {
            whiteControls_.push_back(row.id);
        } else if (row.colour == LayoutColour::Grey) {
            greyControls_.push_back(row.id);
        }
    }
}

std::string CSkinDlg::BrandText(const char* key) const {
    return FormatString(CTextTable::Instance().GetText(key), settings_.brandName.c_str());
}

void CSkinDlg::PlaceControl(int id, int x, int y, int width, int height) const {
    if (HWND control = Item(id)) {
        // A page not shown yet repaints nothing as its controls move: it is painted whole.
        SetWindowPos(
            control, nullptr, x, y, width, height,
            SWP_NOZORDER | SWP_NOACTIVATE | (waitingToShow_ ? SWP_NOREDRAW | SWP_NOCOPYBITS : 0));
    }
}

void CSkinDlg::SetControlFont(int id, HFONT font) const {
    SendDlgItemMessageA(Handle(), id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CSkinDlg::SetControlText(int id, const std::string& text) const {
    SetDlgItemTextA(Handle(), id, text.c_str());
}

void CSkinDlg::InvalidateControl(int id) const {
    if (HWND control = Item(id)) {
        const RECT rect = GetChildRect(control);
        InvalidateRect(Handle(), &rect, TRUE);
    }
}

void CSkinDlg::RepaintAll() const {
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CSkinDlg::SetTextColours(std::vector<int> white, std::vector<int> grey, bool greyStatics) {
    whiteControls_ = std::move(white);
    greyControls_ = std::move(grey);
    greyStatics_ = greyStatics;
}

void CSkinDlg::RunCancelProtocol() {
    CTipCertainDlg question(MessageKind::CancelInstall);
    if (question.DoModal() == IDOK) {
        EndDialog(PageResult(PageOutcome::Closed));
    }
}

bool CSkinDlg::OnClose() {
    HWND button = closeButton_.Handle();
    if (button != nullptr && IsWindowEnabled(button)) {
        OnCloseButton();
    }
    return true;
}

bool CSkinDlg::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Handle(), &paint);
    PaintBackground(dc);
    EndPaint(Handle(), &paint);
    // The background covers the controls too (the labels are transparent, so the page paints
    // under them); whatever it covered is drawn again on top, whichever order the system
    // would have painted in.
    for (HWND child = GetWindow(Handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT area = GetChildRect(child);
        if (IsWindowVisible(child) && IntersectRect(&area, &area, &paint.rcPaint)) {
            MapWindowPoints(Handle(), child, reinterpret_cast<POINT*>(&area), 2);
            InvalidateRect(child, &area, FALSE);
        }
    }
    return true;
}

void CSkinDlg::PaintBackground(HDC dc) const {
    const SkinLook& look = GetSkinLook(kind_);
    CMemoryDC memory(dc);
    CSelectObject select(memory.Get(), background_.Get());
    SetStretchBltMode(dc, look.stretchMode);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    if (look.cropPage) {
        StretchBlt(dc, 0, 0, look.width, look.height, memory.Get(), kPageCropX, kPageCropY,
                   look.width, look.height, SRCCOPY);
        return;
    }
    SIZE size{};
    RECT client{};
    GetClientRect(Handle(), &client);
    if (GetBitmapSize(background_.Get(), &size)) {
        StretchBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, size.cx, size.cy,
                   SRCCOPY);
    }
}

HBRUSH CSkinDlg::TransparentText(HDC dc, COLORREF colour) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

HBRUSH CSkinDlg::OnControlColour(HDC dc, HWND control, UINT type) {
    const int id = GetDlgCtrlID(control);
    if (id == IDC_PATH_BOX) {
        RECT client{};
        GetClientRect(control, &client);
        FillSolid(dc, client, kEditBackground);
        return TransparentText(dc, kGreyText);
    }
    if (id == IDC_TITLE || Contains(whiteControls_, id)) {
        return TransparentText(dc, kWhiteText);
    }
    if (Contains(greyControls_, id) || (greyStatics_ && type == WM_CTLCOLORSTATIC)) {
        return TransparentText(dc, kGreyText);
    }
    return nullptr;
}

bool CSkinDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_CLOSE) {
        OnCloseButton();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

bool CSkinDlg::OnLeftButtonDown(POINT point) {
    // The system moves the window as if its caption were dragged.
    PostMessageA(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    return false;
}

bool CSkinDlg::PreTranslateMessage(MSG& msg) {
    return msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && !escapeEndsDialog_;
}
