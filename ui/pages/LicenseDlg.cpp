#include "ui/pages/LicenseDlg.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>

#include "base/Handles.h"
#include "base/LateBound.h"
#include "base/SystemInfo.h"
#include "base/TempWorkDir.h"
#include "product/ResourceIds.h"
#include "ui/framework/Gdi.h"

namespace {

constexpr char kRtfResourceType[] = "RTF";
constexpr LONG kTwipsPerInch = 1440;
constexpr LONG kPrintMargin = kTwipsPerInch * 3 / 4;
constexpr int kPrintPoints = 10;
constexpr char kDocumentFace[] = "Microsoft YaHei";

// The context PrintDlg hands over with PD_RETURNDC.
struct DeviceContextTraits {
    using Type = HDC;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { DeleteDC(h); }
};
struct GlobalMemoryTraits {
    using Type = HGLOBAL;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { GlobalFree(h); }
};
using CDeviceContext = SetUp::CUniqueHandle<DeviceContextTraits>;
using CGlobalMemory = SetUp::CUniqueHandle<GlobalMemoryTraits>;

// What the rich edit has not read yet of the document's bytes.
struct CRtfReader {
    const std::string* bytes;
    size_t offset;
};

DWORD CALLBACK ReadRtfChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* read) {
    auto* reader = reinterpret_cast<CRtfReader*>(cookie);
    const size_t left = reader->bytes->size() - reader->offset;
    const size_t count = wanted > 0 ? std::min(left, static_cast<size_t>(wanted)) : 0;
    std::memcpy(buffer, reader->bytes->data() + reader->offset, count);
    reader->offset += count;
    *read = static_cast<LONG>(count);
    return 0;
}

LONG TextLength(HWND richEdit) {
    GETTEXTLENGTHEX query{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<LONG>(
        SendMessageA(richEdit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0));
}

}  // namespace

LicenceDocument ChooseLicenceDocument(UiLanguage language) {
    if (language == UiLanguage::Chinese) {
        return {IDR_LICENSE_CHINESE, "license.rtf"};
    }
    return {IDR_LICENSE_ENGLISH, "TarnellSoftwareUserLicenseAgreement.rtf"};
}

bool LoadRichEditLibrary() {
    // By full path: an elevated program must not pick the library up from its own folder. Kept
    // for the process's life, because every licence page uses its window class.
    static const HMODULE library = LoadLibraryA((SystemDirectory() + "\\riched20.dll").c_str());
    return library != nullptr;
}

bool StreamRtfResource(HWND richEdit, int resourceId) {
    SetWindowTextA(richEdit, "");
    const std::string bytes = SetUp::ResourceText(resourceId, kRtfResourceType);
    if (bytes.empty()) {
        return false;
    }
    CRtfReader reader{&bytes, 0};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&reader);
    stream.pfnCallback = ReadRtfChunk;
    SendMessageA(richEdit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

CRichEditDocument::CRichEditDocument(int resourceId) {
    if (!LoadRichEditLibrary()) {
        return;
    }
    window_.Reset(CreateWindowExA(0, RICHEDIT_CLASSA, "", WS_POPUP | ES_MULTILINE | ES_READONLY, 0,
                                  0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    loaded_ =
        window_ && StreamRtfResource(window_.Get(), resourceId) && TextLength(window_.Get()) > 0;
}

namespace {

RECT PrintArea(SIZE pageTwips) {
    return {kPrintMargin, kPrintMargin, pageTwips.cx - kPrintMargin, pageTwips.cy - kPrintMargin};
}

// Whether the control lays out a first page on this device; Wine's rich edit, for one, does not.
bool ControlLaysOutPages(HWND richEdit, HDC dc, SIZE pageTwips) {
    FORMATRANGE range{};
    range.hdc = dc;
    range.hdcTarget = dc;
    range.rcPage = {0, 0, pageTwips.cx, pageTwips.cy};
    range.rc = PrintArea(pageTwips);
    range.chrg = {0, -1};
    const LRESULT next =
        SendMessageA(richEdit, EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    SendMessageA(richEdit, EM_FORMATRANGE, FALSE, 0);
    return next > 0;
}

PrintedPages PrintWithControl(HWND richEdit, HDC dc, SIZE pageTwips, bool printerPages,
                              LONG textLength) {
    PrintedPages printed;
    printed.textLength = textLength;
    FORMATRANGE range{};
    range.hdc = dc;
    range.hdcTarget = dc;
    range.rcPage = {0, 0, pageTwips.cx, pageTwips.cy};
    LONG first = 0;
    while (first < textLength) {
        range.rc = PrintArea(pageTwips);
        range.chrg = {first, -1};
        if (printerPages && StartPage(dc) <= 0) {
            break;
        }
        const auto next = static_cast<LONG>(
            SendMessageA(richEdit, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
        if (printerPages) {
            EndPage(dc);
        }
        // A page that takes nothing would repeat for ever.
        if (next <= first) {
            break;
        }
        printed.ranges.push_back({first, next});
        first = next;
    }
    // Frees the layout the control keeps for the device.
    SendMessageA(richEdit, EM_FORMATRANGE, FALSE, 0);
    return printed;
}

std::wstring WholeText(HWND richEdit, LONG length) {
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GETTEXTEX query{};
    query.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    query.flags = GT_DEFAULT;
    query.codepage = 1200;
    const LRESULT copied = SendMessageA(richEdit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query),
                                        reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

// The plain text in one font, broken into lines at spaces (anywhere in Chinese), for devices the
// control cannot lay out for. Character positions are the control's, so the ranges compare.
PrintedPages PrintPlainText(HWND richEdit, HDC dc, SIZE pageTwips, bool printerPages,
                            LONG textLength) {
    PrintedPages printed;
    printed.textLength = textLength;
    const std::wstring text = WholeText(richEdit, textLength);
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    const RECT twips = PrintArea(pageTwips);
    const RECT area{MulDiv(twips.left, dpiX, kTwipsPerInch), MulDiv(twips.top, dpiY, kTwipsPerInch),
                    MulDiv(twips.right, dpiX, kTwipsPerInch),
                    MulDiv(twips.bottom, dpiY, kTwipsPerInch)};
    const CFont font(CreateFontA(-MulDiv(kPrintPoints, dpiY, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                 FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH, kDocumentFace));
    const CSelectObject selectFont(dc, font.Get());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    const int width = area.right - area.left;

    size_t position = 0;
    int y = area.bottom;  // no page open yet
    bool pageOpen = false;
    LONG pageStart = 0;
    auto closePage = [&] {
        if (pageOpen) {
            if (printerPages) {
                EndPage(dc);
            }
            printed.ranges.push_back({pageStart, static_cast<LONG>(position)});
            pageOpen = false;
        }
    };
    // Places one line of [begin, end); false when a page cannot be started.
    auto placeLine = [&](size_t begin, size_t end) {
        if (y + lineHeight > area.bottom) {
            closePage();
            if (printerPages && StartPage(dc) <= 0) {
                return false;
            }
            pageOpen = true;
            pageStart = static_cast<LONG>(begin);
            y = area.top;
        }
        size_t shown = end;
        while (shown > begin && text[shown - 1] == L' ') {
            --shown;
        }
        TextOutW(dc, area.left, y, text.c_str() + begin, static_cast<int>(shown - begin));
        y += lineHeight;
        return true;
    };
    while (position < text.size()) {
        size_t paragraphEnd = text.find(L'\r', position);
        if (paragraphEnd == std::wstring::npos) {
            paragraphEnd = text.size();
        }
        if (position == paragraphEnd && !placeLine(position, position)) {
            break;
        }
        bool placed = true;
        while (position < paragraphEnd && placed) {
            int fit = 0;
            SIZE extent{};
            GetTextExtentExPointW(dc, text.c_str() + position,
                                  static_cast<int>(paragraphEnd - position), width, &fit, nullptr,
                                  &extent);
            size_t end = position + static_cast<size_t>(fit > 0 ? fit : 1);
            if (end < paragraphEnd) {
                const size_t space = text.rfind(L' ', end - 1);
                if (space != std::wstring::npos && space > position) {
                    end = space + 1;
                }
            }
            placed = placeLine(position, end);
            position = end;
        }
        if (!placed) {
            break;
        }
        position = paragraphEnd < text.size() ? paragraphEnd + 1 : text.size();
        y += lineHeight / 2;
    }
    closePage();
    return printed;
}

}  // namespace

PrintedPages PrintDocument(HWND richEdit, HDC dc, SIZE pageTwips, bool printerPages) {
    const LONG length = TextLength(richEdit);
    if (ControlLaysOutPages(richEdit, dc, pageTwips)) {
        return PrintWithControl(richEdit, dc, pageTwips, printerPages, length);
    }
    return PrintPlainText(richEdit, dc, pageTwips, printerPages, length);
}

CLicenseDlg::CLicenseDlg(int32_t accepted, PageSettings settings)
    : CSkinDlg(IDD_LICENSE, SkinKind::Licence, std::move(settings)), accepted_(accepted) {
    // The template's rich edit needs the window class before the dialog is made.
    LoadRichEditLibrary();
}

BOOL CLicenseDlg::OnInitDialog() {
    SetUpWindow();
    ApplyLayout();
    if (acceptBox_.Attach(Handle(), IDC_ACCEPT_CHECK)) {
        acceptBox_.SetBitmaps(IDB_CHECK_HOVER, IDB_CHECK_CHECKED, IDB_CHECK_NORMAL);
        SendMessageA(acceptBox_.Handle(), BM_SETCHECK, accepted_ != 0 ? BST_CHECKED : BST_UNCHECKED,
                     0);
    }
    printButton_.Attach(Handle(), IDC_PRINT);
    ShowDocument();
    RepaintAll();
    // Focus on the rich edit would select the whole agreement and scroll to its end.
    SetFocus(acceptBox_.Handle());
    return FALSE;
}

void CLicenseDlg::ShowDocument() {
    // Straight from the program's own resource: no file anybody else could change first.
    HWND box = Item(IDC_LICENSE_TEXT);
    StreamRtfResource(box, Document().resourceId);
    SendMessageA(box, EM_SETBKGNDCOLOR, 0, kEditBackground);
    CHARFORMATA format{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_BOLD;
    format.yHeight = 200;
    format.crTextColor = kGreyText;
    std::strcpy(format.szFaceName, kDocumentFace);
    SendMessageA(box, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    // The streamed text keeps the document's own (automatic, black) colour, which the default
    // does not reach: recoloured here for the dark box only, so that printing keeps black.
    CHARFORMATA colour{};
    colour.cbSize = sizeof(colour);
    colour.dwMask = CFM_COLOR;
    colour.crTextColor = kGreyText;
    SendMessageA(box, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&colour));
}

bool CLicenseDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_PRINT) {
        Print();
        return true;
    }
    return CSkinDlg::OnCommand(id, code, control);
}

void CLicenseDlg::OnCloseButton() {
    EndDialog(acceptBox_.IsChecked() ? IDOK : IDCANCEL);
}

void CLicenseDlg::Print() const {
    PRINTDLGA choice{};
    choice.lStructSize = sizeof(choice);
    choice.Flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_NOSELECTION |
                   PD_HIDEPRINTTOFILE | PD_RETURNDC;
    const BOOL chosen = SetUp::LateBound::PrintDlgA(&choice);
    const CGlobalMemory devMode(choice.hDevMode);
    const CGlobalMemory devNames(choice.hDevNames);
    const CDeviceContext printer(choice.hDC);
    if (!chosen || !printer) {
        return;
    }
    // Printed from the file in its own colours; a document that cannot be read prints nothing
    // rather than blank pages.
    const CRichEditDocument document(Document().resourceId);
    if (!document.Loaded()) {
        return;
    }
    const HDC dc = printer.Get();
    const SIZE page{
        MulDiv(GetDeviceCaps(dc, HORZRES), kTwipsPerInch, GetDeviceCaps(dc, LOGPIXELSX)),
        MulDiv(GetDeviceCaps(dc, VERTRES), kTwipsPerInch, GetDeviceCaps(dc, LOGPIXELSY))};
    DOCINFOA job{};
    job.cbSize = sizeof(job);
    job.lpszDocName = Document().fileName;
    // With PD_USEDEVMODECOPIES the driver makes the copies and nCopies is 1; otherwise each copy
    // is a job of its own.
    for (WORD copy = 0; copy < choice.nCopies; ++copy) {
        if (StartDocA(dc, &job) <= 0) {
            return;
        }
        PrintDocument(document.Handle(), dc, page, true);
        EndDoc(dc);
    }
}
