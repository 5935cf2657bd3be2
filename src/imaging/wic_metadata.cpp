#include "wic_metadata.h"

#include <wrl/client.h>

#include <cwchar>
#include <vector>

#include "exif_reader.h"
#include "win_handle.h"

using Microsoft::WRL::ComPtr;

namespace {
class CQueryReaderSource : public IMetadataSource {
public:
    explicit CQueryReaderSource(IWICMetadataQueryReader* reader) : m_reader(reader) {}
    bool Query(MetaDir dir, uint16_t tag, MetaValue& value) override {
        const wchar_t* templ = dir == MetaDir::Ifd0 ? L"/app1/ifd/{ushort=%d}"
                               : dir == MetaDir::Exif ? L"/app1/ifd/exif/{ushort=%d}"
                                                      : L"/app1/ifd/gps/{ushort=%d}";
        wchar_t path[64];
        std::swprintf(path, 64, templ, int(tag));
        PROPVARIANT pv;
        PropVariantInit(&pv);
        const HRESULT hr = m_reader->GetMetadataByName(path, &pv);
        bool ok = SUCCEEDED(hr) && PropVariantToMetaValue(pv, value);
        if (SUCCEEDED(hr) && !ok) {
            value = MetaValue();
            value.type = MetaType::Other;  // succeeded, but of a type we do not read
            ok = true;
        }
        PropVariantClear(&pv);
        return ok;
    }

private:
    IWICMetadataQueryReader* m_reader;
};

// Reads the file's header bytes (enough to reach the APP1 segment).
std::vector<uint8_t> ReadJpegHeader(const std::wstring& path) {
    std::vector<uint8_t> data;
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return data;
    const DWORD kMax = 2 * 1024 * 1024;
    data.resize(kMax);
    DWORD got = 0;
    if (!::ReadFile(file.get(), data.data(), kMax, &got, nullptr)) got = 0;
    data.resize(got);
    return data;
}

template <class T>
void AppendInts(MetaValue& v, const T* items, ULONG count) {
    for (ULONG i = 0; i < count; ++i) v.ints.push_back(uint64_t(items[i]));
}
}  // namespace

std::wstring AnsiToWide(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int n = ::MultiByteToWideChar(CP_THREAD_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring out(size_t(n), L'\0');
    ::MultiByteToWideChar(CP_THREAD_ACP, 0, text.data(), int(text.size()), &out[0], n);
    return out;
}

bool PropVariantToMetaValue(const PROPVARIANT& pv, MetaValue& v) {
    v = MetaValue();
    const VARTYPE base = pv.vt & ~VT_VECTOR;
    v.vector = (pv.vt & VT_VECTOR) != 0;
    switch (pv.vt) {
    case VT_UI1: v.type = MetaType::UI1; v.ints.push_back(pv.bVal); return true;
    case VT_UI2: v.type = MetaType::UI2; v.ints.push_back(pv.uiVal); return true;
    case VT_UI4: v.type = MetaType::UI4; v.ints.push_back(pv.ulVal); return true;
    case VT_UI8: v.type = MetaType::UI8; v.ints.push_back(pv.uhVal.QuadPart); return true;
    case VT_I1: v.type = MetaType::I1; v.ints.push_back(uint64_t(int64_t(pv.cVal))); return true;
    case VT_I2: v.type = MetaType::I2; v.ints.push_back(uint64_t(int64_t(pv.iVal))); return true;
    case VT_I4: v.type = MetaType::I4; v.ints.push_back(uint64_t(int64_t(pv.lVal))); return true;
    case VT_I8: v.type = MetaType::I8; v.ints.push_back(uint64_t(pv.hVal.QuadPart)); return true;
    case VT_R4: v.type = MetaType::R4; v.reals.push_back(pv.fltVal); return true;
    case VT_R8: v.type = MetaType::R8; v.reals.push_back(pv.dblVal); return true;
    case VT_LPSTR:
        v.type = MetaType::AnsiString;
        v.texts.emplace_back(pv.pszVal ? pv.pszVal : "");
        return true;
    case VT_LPWSTR:
        v.type = MetaType::WideString;
        v.wide = pv.pwszVal ? pv.pwszVal : L"";
        return true;
    case VT_BLOB:
        v.type = MetaType::Blob;
        if (pv.blob.pBlobData) v.blob.assign(pv.blob.pBlobData, pv.blob.pBlobData + pv.blob.cbSize);
        return true;
    default: break;
    }
    if (!v.vector) return false;
    switch (base) {
    case VT_UI1: v.type = MetaType::UI1; AppendInts(v, pv.caub.pElems, pv.caub.cElems); return true;
    case VT_UI2: v.type = MetaType::UI2; AppendInts(v, pv.caui.pElems, pv.caui.cElems); return true;
    case VT_UI4: v.type = MetaType::UI4; AppendInts(v, pv.caul.pElems, pv.caul.cElems); return true;
    case VT_UI8:
        v.type = MetaType::UI8;
        for (ULONG i = 0; i < pv.cauh.cElems; ++i) v.ints.push_back(pv.cauh.pElems[i].QuadPart);
        return true;
    case VT_LPSTR:
        v.type = MetaType::AnsiString;
        for (ULONG i = 0; i < pv.calpstr.cElems; ++i)
            v.texts.emplace_back(pv.calpstr.pElems[i] ? pv.calpstr.pElems[i] : "");
        return true;
    default: return false;
    }
}

void ReadPictureInfo(CPictureInfo& info, IWICBitmapFrameDecode* frame, const std::wstring& filePath,
                     bool isJpeg) {
    if (!frame) return;
    ComPtr<IWICMetadataQueryReader> reader;
    const bool hasReader = SUCCEEDED(frame->GetMetadataQueryReader(&reader)) && reader;
    bool systemHasExif = false;
    if (hasReader) {
        PROPVARIANT pv;
        PropVariantInit(&pv);
        systemHasExif = SUCCEEDED(reader->GetMetadataByName(L"/app1/ifd", &pv));
        PropVariantClear(&pv);
    }
    if (hasReader) {
        double dx = 0, dy = 0;
        if (SUCCEEDED(frame->GetResolution(&dx, &dy))) info.resolution = RoundResolution(dx);
    }
    if (systemHasExif) {
        CQueryReaderSource source(reader.Get());
        FillPictureInfo(info, source, AnsiToWide);
        return;
    }
    if (!isJpeg) return;
    const std::vector<uint8_t> header = ReadJpegHeader(filePath);
    CExifReader exif;
    if (exif.ParseJpeg(header.data(), header.size())) FillPictureInfo(info, exif, AnsiToWide);
    if (!hasReader) {
        double dx = 0, dy = 0;
        if (SUCCEEDED(frame->GetResolution(&dx, &dy))) info.resolution = RoundResolution(dx);
    }
}
