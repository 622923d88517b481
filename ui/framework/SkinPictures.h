#pragma once
// The skin's pictures travel as PNG resources (type PNG, the bitmap ids of the pages): some
// 20 KB instead of 5 MB of bitmaps in every download. Each is decoded the first time a window
// asks for it and kept for the run, so a page pays only for the pictures it shows.
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "ui/framework/Gdi.h"
#include "ui/framework/PictureDecoder.h"

class CSkinPictures {
public:
    static CSkinPictures& Instance();

    // The picture's pixels, decoded on the first call; nullptr when the program carries no such
    // picture or it cannot be read (asked once as well). Valid for the program's life. A
    // picture another thread is decoding is waited for, never decoded twice.
    const CPixels* Find(int id);

    // Decodes the pictures on a thread of its own, for a window that will ask for them soon
    // (the first page, while the program still looks at the machine). The first decoding of a
    // run also loads the imaging component, the dearest part.
    void DecodeAhead(std::vector<int> ids);

private:
    using CDecoded = std::shared_future<std::shared_ptr<const CPixels>>;

    CSkinPictures() = default;

    std::mutex mutex_;
    std::map<int, CDecoded> pictures_;
};

// A bitmap of the skin picture, for the caller to own, compatible with the screen as a loaded
// bitmap resource is; empty when the program carries no such picture.
CBitmap LoadBitmapResource(int id);
