#pragma once
// The licence page: the agreement in a read-only rich edit, the accept box, and printing. Its
// result tells the start page whether the agreement was accepted.
#include <windows.h>

#include <richedit.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/Handles.h"
#include "product/SetupConfig.h"
#include "ui/ButtonST.h"
#include "ui/MyButton.h"
#include "ui/SkinDialog.h"

// The agreement a language shows: its resource and the name a printed copy's job carries.
struct LicenceDocument {
    int resourceId;
    const char* fileName;
};
LicenceDocument ChooseLicenceDocument(UiLanguage language);

// Loads the rich-edit library from the system folder by full path, once per process; false when
// it cannot be loaded.
bool LoadRichEditLibrary();

// Replaces the rich edit's content with the program's RTF resource, streamed from memory; false
// (content left empty) when the resource is absent.
bool StreamRtfResource(HWND richEdit, int resourceId);

// A hidden rich edit holding an RTF resource as written, so that printing uses the document's
// own colours and not the page's dark ones.
class CRichEditDocument {
public:
    explicit CRichEditDocument(int resourceId);

    HWND Handle() const { return window_.Get(); }
    bool Loaded() const { return loaded_; }

private:
    struct WindowTraits {
        using Type = HWND;
        static Type None() { return nullptr; }
        static bool IsValid(Type h) { return h != nullptr; }
        static void Close(Type h) { DestroyWindow(h); }
    };
    SetUp::CUniqueHandle<WindowTraits> window_;
    bool loaded_ = false;
};

struct PrintedPages {
    LONG textLength = 0;            // characters of the whole text
    std::vector<CHARRANGE> ranges;  // what each page holds, in order
};

// Lays the rich edit's whole text onto pages of pageTwips (margins included) on dc, page after
// page until the text is used up; each page between StartPage and EndPage when printerPages. The
// control lays the pages out itself (EM_FORMATRANGE) where it can; where it cannot (Wine's rich
// edit has no EM_FORMATRANGE), the plain text is laid out in one font, so that a printed
// agreement is never blank.
PrintedPages PrintDocument(HWND richEdit, HDC dc, SIZE pageTwips, bool printerPages);

class CLicenseDlg : public CSkinDlg {
public:
    explicit CLicenseDlg(int32_t accepted, PageSettings settings = PageSettings::FromConfig());

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnCloseButton() override;
    // Enter must not end the page as if the agreement had been accepted.
    void OnOK() override {}

private:
    LicenceDocument Document() const { return ChooseLicenceDocument(Settings().uiLanguage); }
    void ShowDocument();
    void Print() const;

    int32_t accepted_;
    CButtonST acceptBox_;
    CMyButton printButton_;
};
