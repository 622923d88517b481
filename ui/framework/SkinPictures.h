#pragma once
// The skin's pictures travel as PNG resources (type PNG, the bitmap ids of the pages): some
// 20 KB instead of 5 MB of bitmaps in every download. Each is decoded the first time a window
// asks for it and kept for the run, so a page pays only for the pictures it shows.
#include <map>
#include <memory>
#include <mutex>

#include "ui/framework/Gdi.h"
#include "ui/framework/PictureDecoder.h"

class CSkinPictures {
public:
    static CSkinPictures& Instance();

    // The picture's pixels, decoded on the first call; nullptr when the program carries no such
    // picture or it cannot be read (asked once as well). Valid for the program's life.
    const CPixels* Find(int id);

private:
    CSkinPictures() = default;

    std::mutex mutex_;
    std::map<int, std::unique_ptr<CPixels>> pictures_;
};

// A bitmap of the skin picture, for the caller to own, compatible with the screen as a loaded
// bitmap resource is; empty when the program carries no such picture.
CBitmap LoadBitmapResource(int id);
