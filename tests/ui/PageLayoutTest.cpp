// The layouts the program carries: every one reads whole, names controls its dialog has, and
// together with what the pages place themselves leaves no control of a template unplaced.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "product/ResourceIds.h"
#include "ui/PageLayout.h"
#include "ui/pages/ComponentFullDlg.h"
#include "ui/pages/ComponentFullEDlg.h"
#include "ui/pages/ComponentVSDlg.h"

namespace {

struct DialogLayouts {
    int dialog;
    std::vector<int> layouts;  // the dialog's own and the parts its page adds
    std::vector<const FeaturePageTable*> featureTables;
};

const std::vector<DialogLayouts>& Dialogs() {
    static const std::vector<DialogLayouts> dialogs = {
        {IDD_START, {IDD_START, IDL_PAGE_HEADER}, {}},
        {IDD_START_AC, {IDD_START_AC, IDL_START_AC_LICENCE, IDL_PAGE_HEADER}, {}},
        {IDD_INSTALLING, {IDD_INSTALLING, IDL_PAGE_HEADER}, {}},
        {IDD_UNINSTALLING, {IDD_UNINSTALLING, IDL_PAGE_HEADER}, {}},
        {IDD_INSTALL_FINISH, {IDD_INSTALL_FINISH, IDL_PAGE_HEADER}, {}},
        {IDD_INSTALL_STOP, {IDD_INSTALL_STOP, IDL_PAGE_HEADER}, {}},
        {IDD_UNINSTALL_FINISH, {IDD_UNINSTALL_FINISH, IDL_PAGE_HEADER}, {}},
        {IDD_SECOND_INSTALL,
         {IDD_SECOND_INSTALL, IDL_MAINTENANCE_THREE_OPTIONS, IDL_MAINTENANCE_TWO_OPTIONS,
          IDL_PAGE_HEADER},
         {}},
        {IDD_UPDATA, {IDD_UPDATA, IDL_PAGE_HEADER}, {}},
        {IDD_LICENSE, {IDD_LICENSE}, {}},
        {IDD_DISK_SPACE, {IDD_DISK_SPACE}, {}},
        {IDD_COMPONENT_FULL,
         {IDD_COMPONENT_FULL, IDL_FEATURE_HEADER},
         {&CComponentFullDlg::Table()}},
        {IDD_COMPONENT_FULL_E,
         {IDD_COMPONENT_FULL_E, IDL_FEATURE_HEADER},
         {&CComponentFullEDlg::Table()}},
        {IDD_COMPONENT_VS,
         {IDD_COMPONENT_VS, IDL_FEATURE_HEADER},
         {&CComponentVSDlg::Table(ProductVariant::VS),
          &CComponentVSDlg::Table(ProductVariant::SC)}},
    };
    return dialogs;
}

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The control ids of the dialog's template, made hidden and thrown away.
std::set<int> TemplateControls(int dialog) {
    std::set<int> ids;
    HWND window =
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialog), nullptr, &Quiet, 0);
    EXPECT_NE(window, nullptr) << "dialog " << dialog;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ids.insert(GetDlgCtrlID(child));
    }
    DestroyWindow(window);
    return ids;
}

// What the feature page places itself: the rows, the strip behind the chosen one, and the
// rows it hides.
std::set<int> PlacedByTheFeaturePage(const FeaturePageTable& table) {
    std::set<int> ids = {IDC_FEATURE_STRIP};
    for (const FeatureRow& row : table.rows) {
        ids.insert({row.box, row.name, row.size});
    }
    for (int id : table.unused) {
        ids.insert(id);
    }
    return ids;
}

}  // namespace

TEST(PageLayout, EveryLayoutReadsWhole) {
    std::set<int> layouts;
    for (const DialogLayouts& dialog : Dialogs()) {
        layouts.insert(dialog.layouts.begin(), dialog.layouts.end());
    }
    for (int id : layouts) {
        HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(id), "PAGELAYOUT");
        ASSERT_NE(resource, nullptr) << "layout " << id;
        const auto* bytes =
            static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, resource)));
        bool whole = false;
        const std::vector<LayoutRow> rows =
            ParsePageLayout(bytes, SizeofResource(nullptr, resource), &whole);
        EXPECT_TRUE(whole) << "layout " << id << " stops after row " << rows.size();
        EXPECT_FALSE(rows.empty()) << "layout " << id;
        EXPECT_EQ(LoadPageLayout(id).size(), rows.size()) << "layout " << id;
    }
}

TEST(PageLayout, EveryControlIsPlacedAndEveryRowNamesAControl) {
    LoadLibraryA("riched20.dll");  // the licence page's rich edit
    for (const DialogLayouts& dialog : Dialogs()) {
        const std::set<int> controls = TemplateControls(dialog.dialog);
        std::set<int> placed;
        for (int layout : dialog.layouts) {
            for (const LayoutRow& row : LoadPageLayout(layout)) {
                EXPECT_EQ(controls.count(row.id), 1u)
                    << "layout " << layout << " names control " << row.id << ", which dialog "
                    << dialog.dialog << " does not have";
                placed.insert(row.id);
            }
        }
        for (const FeaturePageTable* table : dialog.featureTables) {
            const std::set<int> rows = PlacedByTheFeaturePage(*table);
            placed.insert(rows.begin(), rows.end());
        }
        for (int id : controls) {
            EXPECT_EQ(placed.count(id), 1u)
                << "control " << id << " of dialog " << dialog.dialog << " has no place";
        }
    }
}

TEST(PageLayout, RowsAndTheirChoices) {
    // Two rows: a fixed one with a key and the brand flag, and one by language without a key.
    const unsigned char bytes[] = {0xe9, 0x03, 0,  0, 1,  0,   2,   0,   3,  0,    4,    0, 3,
                                   0,    2,    0,  1, 0,  'k', 'e', 'y', 0,  0xea, 0x03, 1, 0,
                                   10,   0,    20, 0, 30, 0,   40,  0,   11, 0,    21,   0, 31,
                                   0,    41,   0,  1, 0,  1,   0,   0,   0,  0};
    bool whole = false;
    const std::vector<LayoutRow> rows = ParsePageLayout(bytes, sizeof(bytes), &whole);
    ASSERT_TRUE(whole);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].id, 1001);
    EXPECT_EQ(rows[0].by, LayoutBy::Fixed);
    EXPECT_EQ(std::string(rows[0].textKey), "key");
    EXPECT_EQ(rows[0].font, LayoutFont::Text);
    EXPECT_EQ(rows[0].colour, LayoutColour::Grey);
    EXPECT_TRUE(rows[0].withBrandName);
    EXPECT_EQ(rows[1].textKey, nullptr);
    EXPECT_EQ(rows[1].font, LayoutFont::Title);
    EXPECT_EQ(ChooseRect(rows[1], UiLanguage::English, 1).x, 10);
    EXPECT_EQ(ChooseRect(rows[1], UiLanguage::Chinese, 0).x, 11);
    // A language the row does not know takes the first rectangle.
    EXPECT_EQ(ChooseRect(rows[1], static_cast<UiLanguage>(7), 0).y, 20);

    // A row cut short ends the list after the rows before it.
    const std::vector<LayoutRow> cut = ParsePageLayout(bytes, sizeof(bytes) - 3, &whole);
    EXPECT_FALSE(whole);
    EXPECT_EQ(cut.size(), 1u);
}
