#include "base/UserShellStart.h"

#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include "base/ComApartment.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "base/NativeFile.h"
#include "base/RunLog.h"

namespace SetUp {

namespace {

// A BSTR owned for one call.
class CBstr {
public:
    explicit CBstr(const std::wstring& text) : text_(SysAllocString(text.c_str())) {}
    ~CBstr() { SysFreeString(text_); }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;
    BSTR Get() const { return text_; }

private:
    BSTR text_;
};

// A VARIANT holding text, cleared on destruction.
class CTextVariant {
public:
    explicit CTextVariant(const std::wstring& text) {
        VariantInit(&value_);
        value_.vt = VT_BSTR;
        value_.bstrVal = SysAllocString(text.c_str());
    }
    ~CTextVariant() { VariantClear(&value_); }
    CTextVariant(const CTextVariant&) = delete;
    CTextVariant& operator=(const CTextVariant&) = delete;
    const VARIANT& Get() const { return value_; }

private:
    VARIANT value_;
};

bool OpenShellWindows(CComRef<IShellWindows>& windows, CComFallback& apartment) {
    HRESULT result = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                      IID_IShellWindows, InterfaceOut(windows));
    if (result == CO_E_NOTINITIALIZED) {
        apartment.Join();
        result = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                  IID_IShellWindows, InterfaceOut(windows));
    }
    return SUCCEEDED(result) && windows;
}

// The desktop's shell view, as the desktop window of the shell windows gives it.
bool DesktopView(IShellWindows* windows, CComRef<IShellView>& view) {
    VARIANT none;
    VariantInit(&none);
    none.vt = VT_EMPTY;
    long window = 0;
    CComRef<IDispatch> desktop;
    CComRef<IServiceProvider> provider;
    CComRef<IShellBrowser> browser;
    return windows->FindWindowSW(&none, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                                 desktop.Receive()) == S_OK &&
           desktop &&
           SUCCEEDED(desktop->QueryInterface(IID_IServiceProvider, InterfaceOut(provider))) &&
           SUCCEEDED(provider->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                            InterfaceOut(browser))) &&
           SUCCEEDED(browser->QueryActiveShellView(view.Receive())) && view;
}

// The shell's automation object behind that view.
bool ShellOf(IShellView* view, CComRef<IShellDispatch2>& shell) {
    CComRef<IDispatch> background;
    CComRef<IShellFolderViewDual> folderView;
    CComRef<IDispatch> application;
    return SUCCEEDED(
               view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, InterfaceOut(background))) &&
           SUCCEEDED(
               background->QueryInterface(IID_IShellFolderViewDual, InterfaceOut(folderView))) &&
           SUCCEEDED(folderView->get_Application(application.Receive())) && application &&
           SUCCEEDED(application->QueryInterface(IID_IShellDispatch2, InterfaceOut(shell)));
}

}  // namespace

bool StartAsSignedInUser(const std::string& program) {
    // The shell reports success whatever becomes of the request, and a missing program would
    // put its error box before the user: only an existing file is handed over.
    const size_t slash = program.find_last_of("\\/");
    const DWORD attributes = GetFileAttributesA(program.c_str());
    if (!IsAbsoluteLocalPath(program) || slash == std::string::npos ||
        attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        LogLine("not started (no such program): " + program);
        return false;
    }
    CComFallback apartment;  // declared first: the apartment outlives the references
    CComRef<IShellWindows> windows;
    CComRef<IShellView> view;
    CComRef<IShellDispatch2> shell;
    bool started = OpenShellWindows(windows, apartment) && DesktopView(windows.Get(), view) &&
                   ShellOf(view.Get(), shell);
    if (started) {
        const CBstr file(Wide(program));
        const CTextVariant none(L"");
        const CTextVariant folder(Wide(program.substr(0, slash)));
        const CTextVariant verb(L"open");
        VARIANT show;
        VariantInit(&show);
        show.vt = VT_I4;
        show.lVal = SW_SHOWNORMAL;
        started =
            SUCCEEDED(shell->ShellExecute(file.Get(), none.Get(), folder.Get(), verb.Get(), show));
    }
    LogLine((started ? "started by the signed-in user's shell: " : "not started (no shell): ") +
            program);
    return started;
}

}  // namespace SetUp
