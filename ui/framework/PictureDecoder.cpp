#include "ui/framework/PictureDecoder.h"

#include <windows.h>
#include <wincodec.h>

#include "base/ComApartment.h"
#include "base/Handles.h"
#include "base/LateBound.h"

using SetUp::CComRef;
using SetUp::InterfaceOut;

namespace {

// Larger than any page: a damaged size field must not ask for gigabytes.
constexpr UINT kLargestSide = 8192;

CComRef<IWICBitmapSource> Open24BitSource(IWICImagingFactory* factory, const void* bytes,
                                          size_t size) {
    CComRef<IWICStream> stream;
    CComRef<IWICBitmapDecoder> decoder;
    CComRef<IWICBitmapFrameDecode> frame;
    CComRef<IWICFormatConverter> converter;
    // The stream only reads: the resource stays read-only.
    if (size > MAXDWORD || FAILED(factory->CreateStream(stream.Receive())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)),
                                            static_cast<DWORD>(size))) ||
        FAILED(factory->CreateDecoderFromStream(
            stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Receive())) ||
        FAILED(decoder->GetFrame(0, frame.Receive())) ||
        FAILED(factory->CreateFormatConverter(converter.Receive())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat24bppBGR,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return {};
    }
    return CComRef<IWICBitmapSource>(converter.Release());
}

}  // namespace

bool DecodePicture(const void* bytes, size_t size, CPixels* pixels) {
    // Declared first: the apartment outlives the references.
    SetUp::CComFallback apartment;
    apartment.Join();
    CComRef<IWICImagingFactory> factory;
    if (bytes == nullptr || FAILED(SetUp::LateBound::CoCreateInstance(
                                CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, InterfaceOut(factory)))) {
        return false;
    }
    const CComRef<IWICBitmapSource> source = Open24BitSource(factory.Get(), bytes, size);
    UINT width = 0;
    UINT height = 0;
    if (!source || FAILED(source->GetSize(&width, &height)) || width == 0 || height == 0 ||
        width > kLargestSide || height > kLargestSide) {
        return false;
    }
    CPixels decoded;
    decoded.width = static_cast<int>(width);
    decoded.height = static_cast<int>(height);
    decoded.rows.resize(decoded.Stride() * height);
    if (FAILED(source->CopyPixels(nullptr, static_cast<UINT>(decoded.Stride()),
                                  static_cast<UINT>(decoded.rows.size()), decoded.rows.data()))) {
        return false;
    }
    *pixels = std::move(decoded);
    return true;
}
