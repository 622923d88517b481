#include "ui/framework/SkinPictures.h"

#include <windows.h>

#include <thread>

#include "base/ProcessWide.h"

namespace {

const char kSkinPictureType[] = "PNG";

std::shared_ptr<const CPixels> DecodeResource(int id) {
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(id), kSkinPictureType);
    HGLOBAL handle = resource ? LoadResource(nullptr, resource) : nullptr;
    const void* bytes = handle ? LockResource(handle) : nullptr;
    auto pixels = std::make_shared<CPixels>();
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
    std::promise<std::shared_ptr<const CPixels>> decoding;
    CDecoded decoded;
    bool mine = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = pictures_.find(id);
        if (found == pictures_.end()) {
            found = pictures_.emplace(id, decoding.get_future().share()).first;
            mine = true;
        }
        decoded = found->second;
    }
    // Outside the lock: two threads decode two pictures side by side.
    if (mine) {
        decoding.set_value(DecodeResource(id));
    }
    return decoded.get().get();
}

void CSkinPictures::DecodeAhead(std::vector<int> ids) {
    std::thread([this, ids = std::move(ids)] {
        for (int id : ids) {
            Find(id);
        }
    }).detach();
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
