// The skin as setup.exe carries it: every picture, decoded from its PNG by the system's imaging
// component, gives back exactly the pixels the generator drew (its uncompressed bitmaps are
// linked into this test alone, type BMPFILE), and every picture control of every dialog
// template shows its picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "product/ResourceIds.h"
#include "ui/framework/Dialog.h"
#include "ui/framework/SkinPictures.h"
#include "ui/framework/TemplatePictures.h"

namespace {

// A picture's pixels as 24-bit rows, top row first, without the row padding.
struct CRows {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bytes;

    const unsigned char* Row(int y) const { return bytes.data() + size_t(y) * width * 3; }
};

struct CResourceBytes {
    const unsigned char* bytes = nullptr;
    size_t size = 0;
};

CResourceBytes ResourceBytes(int id, const char* type) {
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    HGLOBAL handle = resource ? LoadResource(nullptr, resource) : nullptr;
    if (handle == nullptr) {
        return {};
    }
    return {static_cast<const unsigned char*>(LockResource(handle)),
            SizeofResource(nullptr, resource)};
}

BOOL CALLBACK AddId(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::set<int>*>(ids)->insert(static_cast<int>(LOWORD(name)));
    }
    return TRUE;
}

std::set<int> ResourceIds(const char* type) {
    std::set<int> ids;
    EnumResourceNamesA(nullptr, type, AddId, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

// The generator's bitmap of the picture, read straight from its file: no decoder in between.
CRows Original(int id) {
    const CResourceBytes file = ResourceBytes(id, "BMPFILE");
    BITMAPFILEHEADER fileHeader{};
    BITMAPINFOHEADER info{};
    CRows rows;
    if (file.bytes == nullptr || file.size < sizeof(fileHeader) + sizeof(info)) {
        ADD_FAILURE() << "no original of picture " << id;
        return rows;
    }
    std::memcpy(&fileHeader, file.bytes, sizeof(fileHeader));
    std::memcpy(&info, file.bytes + sizeof(fileHeader), sizeof(info));
    // What this comparison knows how to read; the generator draws nothing else.
    EXPECT_EQ(info.biBitCount, 24) << "picture " << id;
    EXPECT_EQ(info.biCompression, static_cast<DWORD>(BI_RGB)) << "picture " << id;
    const bool bottomUp = info.biHeight > 0;
    rows.width = info.biWidth;
    rows.height = bottomUp ? info.biHeight : -info.biHeight;
    const size_t stride = (size_t(rows.width) * 3 + 3) & ~size_t(3);
    if (info.biBitCount != 24 || fileHeader.bfOffBits + stride * rows.height > file.size) {
        ADD_FAILURE() << "original of picture " << id << " cannot be read";
        return {};
    }
    for (int y = 0; y < rows.height; ++y) {
        const unsigned char* line =
            file.bytes + fileHeader.bfOffBits + stride * (bottomUp ? rows.height - 1 - y : y);
        rows.bytes.insert(rows.bytes.end(), line, line + rows.width * 3);
    }
    return rows;
}

CRows FromPixels(const CPixels& pixels) {
    CRows rows;
    rows.width = pixels.width;
    rows.height = pixels.height;
    for (int y = 0; y < pixels.height; ++y) {
        const unsigned char* line = pixels.rows.data() + pixels.Stride() * y;
        rows.bytes.insert(rows.bytes.end(), line, line + pixels.width * 3);
    }
    return rows;
}

// What a window draws from the bitmap, read back by the system as 24-bit rows.
CRows FromBitmap(HBITMAP bitmap) {
    BITMAP object{};
    CRows rows;
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof(object), &object) == 0) {
        return rows;
    }
    rows.width = object.bmWidth;
    rows.height = object.bmHeight;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = rows.width;
    info.bmiHeader.biHeight = -rows.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const size_t stride = (size_t(rows.width) * 3 + 3) & ~size_t(3);
    std::vector<unsigned char> padded(stride * rows.height);
    HDC screen = GetDC(nullptr);
    const int read =
        GetDIBits(screen, bitmap, 0, rows.height, padded.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (read != rows.height) {
        return {};
    }
    for (int y = 0; y < rows.height; ++y) {
        rows.bytes.insert(rows.bytes.end(), padded.data() + stride * y,
                          padded.data() + stride * y + rows.width * 3);
    }
    return rows;
}

// Empty when equal; else where the first difference lies.
std::string Difference(const CRows& expected, const CRows& actual) {
    if (expected.width != actual.width || expected.height != actual.height) {
        return "size " + std::to_string(actual.width) + " x " + std::to_string(actual.height) +
               " instead of " + std::to_string(expected.width) + " x " +
               std::to_string(expected.height);
    }
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const unsigned char* want = expected.Row(y) + x * 3;
            const unsigned char* got = actual.Row(y) + x * 3;
            if (std::memcmp(want, got, 3) != 0) {
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is BGR " +
                       std::to_string(got[0]) + "," + std::to_string(got[1]) + "," +
                       std::to_string(got[2]) + " instead of " + std::to_string(want[0]) + "," +
                       std::to_string(want[1]) + "," + std::to_string(want[2]);
            }
        }
    }
    return {};
}

// A template's dialog made hidden through the frame, as the pages are made; it looks at its
// picture controls once the frame has given them their pictures, and ends.
class CPictureProbe : public CDialog {
public:
    explicit CPictureProbe(int templateId) : CDialog(templateId) {}
    int checked = 0;

protected:
    BOOL OnInitDialog() override {
        for (const CTemplatePicture& picture : TemplatePictures(TemplateId())) {
            Check(picture);
        }
        EndDialog(IDOK);
        return TRUE;
    }

private:
    void Check(const CTemplatePicture& picture) {
        HWND control = Item(picture.controlId);
        ASSERT_NE(control, nullptr) << Where(picture);
        const auto shown =
            reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(shown, nullptr) << Where(picture) << " shows nothing";
        const CRows original = Original(picture.pictureId);
        EXPECT_EQ(Difference(original, FromBitmap(shown)), "") << Where(picture);
        // Placed by the page later; until then it has the picture's size, as it had when the
        // system loaded the picture itself.
        const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
        if ((style & (SS_REALSIZECONTROL | SS_CENTERIMAGE)) == 0) {
            RECT client{};
            GetClientRect(control, &client);
            EXPECT_EQ(client.right, original.width) << Where(picture);
            EXPECT_EQ(client.bottom, original.height) << Where(picture);
        }
        ++checked;
    }

    std::string Where(const CTemplatePicture& picture) const {
        return "dialog " + std::to_string(TemplateId()) + ", control " +
               std::to_string(picture.controlId) + ", picture " + std::to_string(picture.pictureId);
    }
};

bool Has(const std::vector<CTemplatePicture>& pictures, int control, int picture) {
    for (const CTemplatePicture& entry : pictures) {
        if (entry.controlId == control && entry.pictureId == picture) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(SkinPictures, EveryPictureDecodesToExactlyThePixelsItWasDrawnWith) {
    const std::set<int> originals = ResourceIds("BMPFILE");
    const std::set<int> compressed = ResourceIds("PNG");
    ASSERT_FALSE(originals.empty());
    EXPECT_EQ(compressed, originals) << "setup.exe carries other pictures than the generator drew";
    EXPECT_TRUE(ResourceIds(MAKEINTRESOURCEA(2)).empty()) << "uncompressed bitmaps (RT_BITMAP) "
                                                             "are still carried";
    for (int id : originals) {
        const CRows original = Original(id);
        const CPixels* decoded = CSkinPictures::Instance().Find(id);
        ASSERT_NE(decoded, nullptr) << "picture " << id << " cannot be decoded";
        EXPECT_EQ(Difference(original, FromPixels(*decoded)), "") << "picture " << id;
        // The bitmap the pages get from it.
        CBitmap bitmap = LoadBitmapResource(id);
        EXPECT_EQ(Difference(original, FromBitmap(bitmap.Get())), "") << "bitmap of picture " << id;
    }
}

TEST(SkinPictures, EachPictureIsDecodedOnceAndKept) {
    const CPixels* first = CSkinPictures::Instance().Find(IDB_PAGE_BACKGROUND);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(CSkinPictures::Instance().Find(IDB_PAGE_BACKGROUND), first);
    // Two bitmaps of one picture are two objects: each owner deletes its own.
    CBitmap one = LoadBitmapResource(IDB_PAGE_BACKGROUND);
    CBitmap two = LoadBitmapResource(IDB_PAGE_BACKGROUND);
    ASSERT_TRUE(one && two);
    EXPECT_NE(one.Get(), two.Get());
}

TEST(SkinPictures, PicturesThePackageLacksGiveNoBitmap) {
    // The logos of SL, SC and DP are not carried: their header stays empty.
    for (int id : {IDB_LOGO_SL, IDB_LOGO_SC, IDB_LOGO_DP}) {
        EXPECT_EQ(CSkinPictures::Instance().Find(id), nullptr) << id;
        EXPECT_EQ(CSkinPictures::Instance().Find(id), nullptr) << id << ", asked again";
        EXPECT_FALSE(LoadBitmapResource(id)) << id;
    }
}

TEST(SkinPictures, DamagedPicturesAreRefused) {
    const CResourceBytes png = ResourceBytes(IDB_PAGE_BACKGROUND, "PNG");
    ASSERT_NE(png.bytes, nullptr);
    CPixels pixels;
    ASSERT_TRUE(DecodePicture(png.bytes, png.size, &pixels));
    EXPECT_EQ(pixels.width, 744);
    EXPECT_EQ(pixels.height, 544);
    // Cut short in the middle of its image data.
    EXPECT_FALSE(DecodePicture(png.bytes, png.size / 2, &pixels));
    const std::string noPicture(200, 'x');
    EXPECT_FALSE(DecodePicture(noPicture.data(), noPicture.size(), &pixels));
    EXPECT_FALSE(DecodePicture(nullptr, 0, &pixels));
}

TEST(TemplatePictures, EveryTemplateReadsWholeAndEveryPictureControlShowsItsPicture) {
    LoadLibraryA("riched20.dll");                                    // the licence page's rich edit
    const std::set<int> dialogs = ResourceIds(MAKEINTRESOURCEA(5));  // RT_DIALOG
    ASSERT_FALSE(dialogs.empty());
    int checked = 0;
    for (int dialog : dialogs) {
        const CResourceBytes bytes = ResourceBytes(dialog, MAKEINTRESOURCEA(5));
        bool whole = false;
        ReadTemplatePictures(bytes.bytes, bytes.size, &whole);
        EXPECT_TRUE(whole) << "dialog " << dialog;
        CPictureProbe probe(dialog);
        EXPECT_EQ(probe.DoModal(), IDOK) << "dialog " << dialog;
        checked += probe.checked;
    }
    // A few the resource scripts name, so that a reader that finds none fails here.
    const auto startAc = TemplatePictures(IDD_START_AC);
    EXPECT_TRUE(Has(startAc, IDC_LOWER_PANEL, IDB_LOWER_PANEL));
    EXPECT_TRUE(Has(startAc, IDC_PATH_STRIP, IDB_BROWSE_SQUARE));
    EXPECT_TRUE(Has(startAc, IDC_BROWSE_SQUARE, IDB_BROWSE_SQUARE));
    EXPECT_TRUE(Has(TemplatePictures(IDD_TIP), IDC_TIP_PICTURE, IDB_WARNING_MARK));
    EXPECT_TRUE(Has(TemplatePictures(IDD_TIP_CERTAIN), IDC_TIP_PICTURE, IDB_QUESTION_MARK));
    EXPECT_TRUE(Has(TemplatePictures(IDD_COMPONENT_VS), IDC_FEATURE_STRIP, IDB_FEATURE_HIGHLIGHT));
    EXPECT_FALSE(Has(startAc, IDC_LOGO, 0)) << "the logo control names no picture";
    EXPECT_GE(checked, 6);
}

TEST(TemplatePictures, DamagedTemplateStopsAtTheDamage) {
    const CResourceBytes bytes = ResourceBytes(IDD_START_AC, MAKEINTRESOURCEA(5));
    ASSERT_NE(bytes.bytes, nullptr);
    bool whole = true;
    const auto all = ReadTemplatePictures(bytes.bytes, bytes.size, &whole);
    EXPECT_TRUE(whole);
    const auto cut = ReadTemplatePictures(bytes.bytes, bytes.size - 3, &whole);
    EXPECT_FALSE(whole);
    EXPECT_LE(cut.size(), all.size());
    // An old-style template (no extended signature) is not read at all.
    std::vector<unsigned char> old(bytes.bytes, bytes.bytes + bytes.size);
    old[2] = 0;
    old[3] = 0;
    EXPECT_TRUE(ReadTemplatePictures(old.data(), old.size(), &whole).empty());
    EXPECT_FALSE(whole);
}
