#pragma once
// What every page and skinned dialog shares: borderless fixed-size window centred on the
// desktop, background picture, header, close button, transparent labels, dragging by the
// surface, the Escape filter and the cancel-installation question.
#include <cstdint>
#include <string>
#include <vector>

#include "product/ResourceIds.h"
#include "product/SetupConfig.h"
#include "ui/ButtonST.h"
#include "ui/PageLayout.h"
#include "ui/framework/Dialog.h"
#include "ui/framework/Gdi.h"

enum class SkinKind { Page, Licence, DiskSpace, Message };

struct SkinLook {
    int width;
    int height;
    int background;   // bitmap id
    bool cropPage;    // the 720 x 520 crop at (12, 7) instead of stretching
    int stretchMode;  // for the stretched backgrounds
    int closeHover;
    int closePressed;
    int closeNormal;
};
const SkinLook& GetSkinLook(SkinKind kind);
// Starts decoding the pictures of the first page of a fresh install (background, close button,
// the edition's logo, lower panel, licence line and folder box) on a thread of its own, in the
// order the page asks for them, so that the page finds them ready.
void DecodePageLookAhead();

// What a page copies from the setup configuration when it is constructed.
struct PageSettings {
    int32_t brandType = 0;
    ProductVariant productVariant = ProductVariant::FULL;
    UiLanguage uiLanguage = UiLanguage::English;
    std::string brandName;
    int logoId = 0;  // 0: no logo
    static PageSettings FromConfig();
};

class CSkinDlg : public CDialog {
public:
    CSkinDlg(int templateId, SkinKind kind, PageSettings settings = PageSettings::FromConfig());

    const PageSettings& Settings() const { return settings_; }

protected:
    // Size, styles and centring, then the close button; the dialog stays hidden until its set-up
    // is done (ShowWhenReady).
    void SetUpWindow();
    // Shows the dialog now, before its set-up ends: for a message that must appear over it.
    void ShowWhenReady();
    // The header of a large page: title text and font, logo and title by brand type, close
    // button in the corner.
    void SetUpHeader(const std::string& title);
    // The header of the feature pages: no logo.
    void SetUpFeatureHeader(const std::string& title);

    // Places every row's control, sets its text and font, and adds it to the colour lists.
    void ApplyLayout(PageLayout rows);
    // The layout of the dialog's own template.
    void ApplyLayout() { ApplyLayout(LoadPageLayout(TemplateId())); }
    // The text of a key, formatted with the brand name when the text has a placeholder for it.
    std::string BrandText(const char* key) const;

    void PlaceControl(int id, int x, int y, int width, int height) const;
    void SetControlFont(int id, HFONT font) const;
    void SetControlText(int id, const std::string& text) const;
    // Repaints the page under a control, for transparent labels whose text changed.
    void InvalidateControl(int id) const;
    // Paints the whole dialog now, background first and then every control, so that
    // transparent labels moved or changed during set-up show over the background only.
    void RepaintAll() const;

    // The title 1117 is always white; statics on no list stay default unless greyStatics.
    void SetTextColours(std::vector<int> white, std::vector<int> grey, bool greyStatics = false);
    // Every static on no list draws grey (the pages where all labels are grey).
    void SetGreyStatics(bool grey) { greyStatics_ = grey; }
    // Feature pages and the disk-space dialog: Escape cancels instead of being swallowed.
    void SetEscapeEndsDialog(bool ends) { escapeEndsDialog_ = ends; }

    // Asks kind 2; OK ends the page with a confirmed close, anything else keeps it.
    void RunCancelProtocol();

    void OnInitDone() override { ShowWhenReady(); }
    bool OnPaint() override;
    bool OnEraseBackground(HDC) override { return true; }
    HBRUSH OnControlColour(HDC dc, HWND control, UINT type) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnLeftButtonDown(POINT point) override;
    bool PreTranslateMessage(MSG& msg) override;
    // The system's close command is the close button: nothing while the button is disabled.
    bool OnClose() override;
    // The close button 1118; pages without their own handling ask the cancel question.
    virtual void OnCloseButton() { RunCancelProtocol(); }

    // Sets a transparent label's colours; returns the null brush.
    static HBRUSH TransparentText(HDC dc, COLORREF colour);

    CButtonST closeButton_;

private:
    void PaintBackground(HDC dc) const;
    void PlaceLogo();

    SkinKind kind_;
    PageSettings settings_;
    CBitmap background_;
    CBitmap logo_;  // loaded once, freed with the page
    std::vector<int> whiteControls_;
    std::vector<int> greyControls_;
    bool greyStatics_ = false;
    bool escapeEndsDialog_ = false;
    bool waitingToShow_ = false;  // set up, not shown yet
};

constexpr COLORREF kWhiteText = RGB(255, 255, 255);
constexpr COLORREF kGreyText = RGB(230, 230, 230);
constexpr COLORREF kEditBackground = RGB(39, 42, 46);
