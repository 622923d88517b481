// The start pages of brand type 0: the licence line, its round trip through the licence page,
// and the disk-space dialog opened from the start/install page.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ScenarioSupport.h"
#include "product/ResourceIds.h"

using namespace uidriver;
using scenario::SaveScreenshot;

namespace {

bool Checked(const CWindow& box) {
    return SendMessageA(box.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Opens the licence page from the link, sets its box and closes it; the start page's box then
// says what the licence page answered.
void LicenceRoundTrip(const CProgram& setup, const CWindow& page, bool accept) {
    ASSERT_TRUE(page.ClickControl(IDC_LICENSE_LINK));
    const CWindow licence = WaitForWindowWith(setup.Id(), IDC_LICENSE_TEXT);
    ASSERT_TRUE(licence) << "no licence page";
    const CWindow box = licence.Control(IDC_ACCEPT_CHECK);
    if (Checked(box) != accept) {
        ASSERT_TRUE(box.Click());
        ASSERT_TRUE(WaitFor([&] { return Checked(box) == accept; }));
    }
    ASSERT_TRUE(licence.ClickControl(IDC_CLOSE));
    ASSERT_TRUE(WaitFor([&] { return !licence.IsVisible(); }));
    ASSERT_TRUE(WaitFor([&] { return Checked(page.Control(IDC_ACCEPT_CHECK)) == accept; }));
}

}  // namespace

TEST(StartPages, StartInstallPageWaitsForTheLicence) {
    CProgram setup(WindowsPath(SETUP_AC0_EXE));
    const CWindow page = WaitForWindowWith(setup.Id(), IDC_PATH_BOX);
    ASSERT_TRUE(page);
    const CWindow box = page.Control(IDC_ACCEPT_CHECK);
    ASSERT_TRUE(WaitFor([&] { return box.IsVisible() && !page.Control(IDC_NEXT).IsEnabled(); }));
    // This build follows the system's language (Translator 1).
    EXPECT_EQ(page.ControlText(IDC_LICENSE_LINK),
              scenario::Expected("Software License Agreement", "软件许可使用协议"));
    SaveScreenshot(page, "start-install-brand0");
    ASSERT_TRUE(box.Click());
    EXPECT_TRUE(WaitFor([&] { return page.Control(IDC_NEXT).IsEnabled(); }));
    ASSERT_TRUE(box.Click());
    EXPECT_TRUE(WaitFor([&] { return !page.Control(IDC_NEXT).IsEnabled(); }));

    LicenceRoundTrip(setup, page, true);
    EXPECT_TRUE(page.Control(IDC_NEXT).IsEnabled());
    LicenceRoundTrip(setup, page, false);
    EXPECT_FALSE(page.Control(IDC_NEXT).IsEnabled());

    // The disk-space dialog asks for 448 MB whatever the edition and lists every drive.
    ASSERT_TRUE(page.ClickControl(IDC_DISK_SPACE_LINK));
    const CWindow disk = WaitForWindowWith(setup.Id(), IDC_DRIVE_BOX);
    ASSERT_TRUE(disk) << "no disk-space dialog";
    EXPECT_EQ(disk.ControlText(IDC_NEED_SPACE), "448 MB");
    char drives[512] = {};
    GetLogicalDriveStringsA(sizeof(drives), drives);
    int count = 0;
    for (const char* drive = drives; *drive != '\0'; drive += std::strlen(drive) + 1) {
        ++count;
    }
    EXPECT_EQ(SendMessageA(disk.Control(IDC_DRIVE_BOX).Handle(), CB_GETCOUNT, 0, 0), count);
    SaveScreenshot(disk, "disk-space");
    disk.PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !disk.IsVisible(); }));
    EXPECT_EQ(page.ControlText(IDC_NEED_SPACE), "548 MB") << "the page's own figure changed";

    ASSERT_TRUE(page.ClickControl(IDC_CLOSE));
    const CWindow question = WaitForWindowWith(setup.Id(), IDC_TIP_TITLE);
    ASSERT_TRUE(question);
    ASSERT_TRUE(question.ClickControl(IDOK));
    EXPECT_EQ(setup.WaitExit(), 0u);
}

TEST(StartPages, StartPageFollowsItsBoxAndTheLicencePage) {
    CProgram setup(WindowsPath(SETUP_VS0_EXE));
    const CWindow page = WaitForWindowWith(setup.Id(), IDC_ACCEPT_CHECK);
    ASSERT_TRUE(page);
    const CWindow box = page.Control(IDC_ACCEPT_CHECK);
    ASSERT_TRUE(WaitFor([&] { return !page.Control(IDC_NEXT).IsEnabled(); }));
    EXPECT_FALSE(Checked(box));
    EXPECT_EQ(page.ControlText(IDC_NEXT), scenario::Expected("Next", "下一步"));
    SaveScreenshot(page, "start");
    ASSERT_TRUE(box.Click());
    EXPECT_TRUE(WaitFor([&] { return page.Control(IDC_NEXT).IsEnabled(); }));
    LicenceRoundTrip(setup, page, false);
    EXPECT_FALSE(page.Control(IDC_NEXT).IsEnabled());
    LicenceRoundTrip(setup, page, true);
    EXPECT_TRUE(page.Control(IDC_NEXT).IsEnabled());
    // Escape does nothing here.
    page.PressKey(VK_ESCAPE);
    EXPECT_TRUE(scenario::WaitPostedHandled(page.Control(IDC_NEXT)));
    EXPECT_TRUE(page.IsVisible());
    EXPECT_FALSE(setup.WaitExit(0));
}
