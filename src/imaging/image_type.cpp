#include "image_type.h"

#include "text_util.h"

namespace {
struct TypeList {
    int type;
    const wchar_t* framed;
};
// Tried in this order; jng and j2c match their own rows before the catch-all list.
const TypeList kLists[] = {
    {1, L",bmp,dib,"},
    {2, L",jpg,jpeg,jfif,jpe,"},
    {3, L",gif,"},
    {4, L",tiff,tif,"},
    {5, L",png,"},
    {6, L",ico,"},
    {7, L",psd,"},
    {8, L",tga,"},
    {9, L",oxo,"},
    {12, L",wmf,"},
    {13, L",emf,"},
    {14, L",jng,"},
    {15, L",j2c,"},
    {10, L",3fr,arw,bay,bmq,cap,cine,cr2,crw,cs1,dc2,dcr,drf,dsc,dng,erf,fff,ia,iiq,k25,kc2,kdc,"
         L"mdc,mef,mos,mrw,nef,nrw,orf,pef,ptx,pxn,qtk,raf,raw,rdc,rw2,rwl,rwz,sr2,srf,srw,sti,"
         L"x3f,"},
    {11, L",cut,dds,exr,g3,hdr,iff,lbm,j2k,j2c,jng,jp2,jxr,wdp,hdp,koa,pcd,pcx,pfm,pct,pict,pic,"
         L"pbm,pgm,ppm,ras,sgi,rgb,rgba,bw,wap,wbmp,wbm,webp,xbm,xpm,"},
};
}  // namespace

int GetImageType(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos) return 0;
    const std::wstring ext = name.substr(dot + 1);
    // An empty or comma-bearing extension could match the framing itself.
    if (ext.empty() || ext.find(L',') != std::wstring::npos) return 0;
    const std::wstring framed = L"," + ext + L",";
    for (const TypeList& list : kLists)
        if (textutil::ContainsNoCase(list.framed, framed)) return list.type;
    return 0;
}

int OrientationTransform(int orientation) {
    switch (orientation) {
    case 2: return kTransformFlipHorizontal;
    case 3: return kTransformRotate180;
    case 4: return kTransformFlipVertical;
    case 5: return kTransformRotate90 | kTransformFlipVertical;
    case 6: return kTransformRotate90;
    case 7: return kTransformRotate90 | kTransformFlipHorizontal;
    case 8: return kTransformRotate270;
    default: return kTransformNone;
    }
}

int RotateOrientation(int orientation, bool clockwise) {
    int o = orientation < 2 ? 1 : (orientation > 7 ? 8 : orientation);
    // Clockwise successor of each orientation; index 0 unused.
    static const int kClockwise[9] = {0, 6, 7, 8, 5, 2, 3, 4, 1};
    static const int kCounter[9] = {0, 8, 5, 6, 7, 4, 1, 2, 3};
    return clockwise ? kClockwise[o] : kCounter[o];
}
