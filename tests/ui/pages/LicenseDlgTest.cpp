// The licence page's rules without its window: which agreement a language shows, reading it from
// the program's resource, and laying it onto pages for printing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/TempWorkDir.h"
#include "common/TestMachine.h"
#include "ui/pages/LicenseDlg.h"

namespace {

// The whole text, paragraphs ending in one "\r", so that character positions index it.
std::wstring WholeText(HWND richEdit) {
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const auto count = static_cast<size_t>(
        SendMessageA(richEdit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    std::wstring text(count + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_DEFAULT;
    get.codepage = 1200;
    const auto copied =
        static_cast<size_t>(SendMessageA(richEdit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                         reinterpret_cast<LPARAM>(&text[0])));
    text.resize(copied);
    return text;
}

bool HasVisibleCharacter(const std::wstring& text) {
    return text.find_first_not_of(L" \r\n\t") != std::wstring::npos;
}

int CountTextRecords(HENHMETAFILE metafile) {
    int count = 0;
    EnumEnhMetaFile(
        nullptr, metafile,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) -> int {
            if (record->iType == EMR_EXTTEXTOUTW || record->iType == EMR_EXTTEXTOUTA ||
                record->iType == EMR_POLYTEXTOUTW || record->iType == EMR_POLYTEXTOUTA) {
                ++*reinterpret_cast<int*>(data);
            }
            return 1;
        },
        &count, nullptr);
    return count;
}

int DocumentResource(UiLanguage language) {
    return ChooseLicenceDocument(language).resourceId;
}

}  // namespace

TEST(LicenceDocument, ChineseShowsItsOwnFileEverythingElseTheEnglishOne) {
    const LicenceDocument chinese = ChooseLicenceDocument(UiLanguage::Chinese);
    EXPECT_EQ(chinese.resourceId, IDR_LICENSE_CHINESE);
    EXPECT_STREQ(chinese.fileName, "license.rtf");
    const LicenceDocument english = ChooseLicenceDocument(UiLanguage::English);
    EXPECT_EQ(english.resourceId, IDR_LICENSE_ENGLISH);
    EXPECT_STREQ(english.fileName, "TarnellSoftwareUserLicenseAgreement.rtf");
    const LicenceDocument other = ChooseLicenceDocument(static_cast<UiLanguage>(7));
    EXPECT_EQ(other.resourceId, IDR_LICENSE_ENGLISH);
}

TEST(LicenceDocument, AMissingResourceLeavesTheBoxEmpty) {
    const int absent = 59999;
    ASSERT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(absent), "RTF"), nullptr);
    const CRichEditDocument document(absent);
    ASSERT_NE(document.Handle(), nullptr);
    EXPECT_FALSE(document.Loaded());
    EXPECT_EQ(GetWindowTextLengthA(document.Handle()), 0);
}

TEST(LicenceDocument, BothAgreementsReadInTheirLanguage) {
    const CRichEditDocument english(DocumentResource(UiLanguage::English));
    ASSERT_TRUE(english.Loaded());
    EXPECT_EQ(WholeText(english.Handle()).rfind(L"Velmora Software License Agreement\r", 0), 0u);
    const CRichEditDocument chinese(DocumentResource(UiLanguage::Chinese));
    ASSERT_TRUE(chinese.Loaded());
    const std::wstring text = WholeText(chinese.Handle());
    EXPECT_EQ(text.rfind(L"Velmora \u8f6f\u4ef6\u8bb8\u53ef\u4f7f\u7528\u534f\u8bae\r", 0), 0u)
        << "the title, not mojibake";
    EXPECT_NE(text.find(L"\u8d23\u4efb\u9650\u5236"),
              std::wstring::npos);  // limitation of liability
    EXPECT_EQ(text.find(L'?'), std::wstring::npos) << "no character fell back";
}

class LicencePrinting : public testing::TestWithParam<UiLanguage> {};

TEST_P(LicencePrinting, EveryPageCarriesTextAndThePagesHoldTheWholeAgreement) {
    const CRichEditDocument document(DocumentResource(GetParam()));
    ASSERT_TRUE(document.Loaded());
    const std::wstring text = WholeText(document.Handle());

    // A metafile stands in for the printer: it records what a page would be drawn with.
    HDC metafileDc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(metafileDc, nullptr);
    const SIZE a4{11906, 16838};
    const PrintedPages printed = PrintDocument(document.Handle(), metafileDc, a4, false);
    HENHMETAFILE metafile = CloseEnhMetaFile(metafileDc);
    ASSERT_NE(metafile, nullptr);
    const int textRecords = CountTextRecords(metafile);
    DeleteEnhMetaFile(metafile);

    EXPECT_EQ(printed.textLength, static_cast<LONG>(text.size()));
    ASSERT_GE(printed.ranges.size(), 2u);
    LONG next = 0;
    for (const CHARRANGE& page : printed.ranges) {
        EXPECT_EQ(page.cpMin, next) << "pages follow each other without a gap";
        ASSERT_GT(page.cpMax, page.cpMin);
        const std::wstring pageText = text.substr(static_cast<size_t>(page.cpMin),
                                                  static_cast<size_t>(page.cpMax - page.cpMin));
        EXPECT_TRUE(HasVisibleCharacter(pageText)) << "page from " << page.cpMin;
        next = page.cpMax;
    }
    EXPECT_GE(next, printed.textLength) << "the last page ends the agreement";
    EXPECT_GE(textRecords, static_cast<int>(printed.ranges.size()));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LicencePrinting,
                         testing::Values(UiLanguage::English, UiLanguage::Chinese));
