#include "ui/framework/SkinPictures.h"

#include <windows.h>

#include "base/ProcessWide.h"

namespace {

const char kSkinPictureType[] = "PNG";

std::unique_ptr<CPixels> DecodeResource(int id) {
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(id), kSkinPictureType);
    HGLOBAL handle = resource ? LoadResource(nullptr, resource) : nullptr;
    const void* bytes = handle ? LockResource(handle) : nullptr;
    auto pixels = std::make_unique<CPixels>();
    if (bytes == nullptr ||
        !DecodePicture(bytes, SizeofResource(nullptr, resource), pixels.get())) {
        return nullptr;
    }
    return pixels;
}

}  // namespace

CSkinPictures& CSkinPictures::Instance() {
    return CProcessWide<CSkinPictures>::Get([] { return new CSkinPictures(); });
}

const CPixels* CSkinPictures::Find(int id) {
    // Decoding under the lock: a second thread asking for the same picture waits for it
    // instead of decoding it again.
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = pictures_.find(id);
    if (found == pictures_.end()) {
        found = pictures_.emplace(id, DecodeResource(id)).first;
    }
    return found->second.get();
}

CBitmap LoadBitmapResource(int id) {
    const CPixels* pixels = CSkinPictures::Instance().Find(id);
    if (pixels == nullptr) {
        return {};
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels->width;
    info.bmiHeader.biHeight = -pixels->height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    CClientDC screen(nullptr);
    return CBitmap(CreateDIBitmap(screen.Get(), &info.bmiHeader, CBM_INIT, pixels->rows.data(),
                                  &info, DIB_RGB_COLORS));
}
