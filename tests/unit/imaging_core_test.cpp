// Platform-free imaging rules: picture types, orientation, EXIF reading, information fields,
// resampling, pixel transforms, effect arithmetic and map addresses.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "effect_math.h"
#include "exif_reader.h"
#include "image_type.h"
#include "map_link.h"
#include "picture_info.h"
#include "pixel_transform.h"
#include "resampler.h"

namespace {

TEST(ImageTypeTest, ExtensionTable) {
    const struct {
        const wchar_t* path;
        int type;
    } cases[] = {
        {L"photo.JPG", 2}, {L"scan.tif", 4},   {L"a.j2c", 15},        {L"a.webp", 11},
        {L"a.cr2", 10},    {L"README", 0},     {L"a.txt", 0},         {L"a.jp", 0},
        {L"a.jng", 14},    {L"x.DIB", 1},      {L"y.jfif", 2},        {L"z.gif", 3},
        {L"p.PNG", 5},     {L"i.ico", 6},      {L"d.psd", 7},         {L"t.tga", 8},
        {L"o.oxo", 9},     {L"w.wmf", 12},     {L"e.emf", 13},        {L"C:\\a.b\\name", 0},
        {L"C:\\dir.jpg\\file", 0}, {L"trail.", 0}, {L"a.,", 0},       {L"a.x3f", 10},
    };
    for (const auto& c : cases) EXPECT_EQ(GetImageType(c.path), c.type) << c.path;
}

TEST(OrientationTest, TransformTableAndAxisSwap) {
    const int expected[] = {0, 0, 8, 2, 16, 17, 1, 9, 3, 0, 0};
    for (int o = 0; o <= 10; ++o) EXPECT_EQ(OrientationTransform(o), expected[o]) << o;
    EXPECT_EQ(OrientationTransform(-3), 0);
    for (int option : {1, 3, 9, 17}) EXPECT_TRUE(TransformSwapsAxes(option)) << option;
    for (int option : {0, 2, 8, 16}) EXPECT_FALSE(TransformSwapsAxes(option)) << option;
}

TEST(OrientationTest, QuarterTurns) {
    const struct {
        int from, clockwise, counter;
    } cases[] = {{1, 6, 8}, {6, 3, 1}, {3, 8, 6}, {8, 1, 3}, {2, 7, 5},
                 {7, 4, 2}, {4, 5, 7}, {5, 2, 4}, {0, 6, 8}, {-5, 6, 8}, {9, 1, 3}};
    for (const auto& c : cases) {
        EXPECT_EQ(RotateOrientation(c.from, true), c.clockwise) << c.from;
        EXPECT_EQ(RotateOrientation(c.from, false), c.counter) << c.from;
    }
    for (int start = 1; start <= 8; ++start) {
        int o = start;
        for (int i = 0; i < 4; ++i) o = RotateOrientation(o, true);
        EXPECT_EQ(o, start);
        EXPECT_EQ(RotateOrientation(RotateOrientation(start, true), false), start);
    }
}

// Builds little-endian TIFF structures for the reader tests.
class TiffBuilder {
public:
    TiffBuilder() { bytes_ = {'I', 'I', 42, 0, 8, 0, 0, 0}; }
    size_t Here() const { return bytes_.size(); }
    void U16(uint16_t v) { bytes_.push_back(uint8_t(v)); bytes_.push_back(uint8_t(v >> 8)); }
    void U32(uint32_t v) { for (int i = 0; i < 4; ++i) bytes_.push_back(uint8_t(v >> (8 * i))); }
    void Entry(uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
        U16(tag); U16(type); U32(count); U32(value);
    }
    void Patch32(size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) bytes_[at + i] = uint8_t(v >> (8 * i)); }
    void Bytes(const std::vector<uint8_t>& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
    std::vector<uint8_t>& Data() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

std::vector<uint8_t> Rational(uint32_t num, uint32_t den) {
    std::vector<uint8_t> b;
    for (uint32_t v : {num, den})
        for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
    return b;
}

// IFD0 {orientation, make, EXIF ptr, GPS ptr}, EXIF {exposure, f-number, ISO}, GPS {lat, ref}.
std::vector<uint8_t> SampleTiff(uint16_t orientationType = 3, uint32_t fDen = 10,
                                uint32_t gpsCount = 3, uint16_t isoType = 3) {
    TiffBuilder t;
    t.U16(4);
    t.Entry(274, orientationType, 1, 6);
    const size_t makeAt = t.Here() + 8;
    t.Entry(271, 2, 9, 0);
    const size_t exifAt = t.Here() + 8;
    t.Entry(34665, 4, 1, 0);
    const size_t gpsAt = t.Here() + 8;
    t.Entry(34853, 4, 1, 0);
    t.U32(0);
    t.Patch32(makeAt, uint32_t(t.Here()));
    t.Bytes({'P', 'e', 'l', 'i', 'o', 'n', 'C', 'a', 0});
    t.Patch32(exifAt, uint32_t(t.Here()));
    t.U16(3);
    const size_t expAt = t.Here() + 8;
    t.Entry(33434, 5, 1, 0);
    const size_t fAt = t.Here() + 8;
    t.Entry(33437, 5, 1, 0);
    t.Entry(34855, isoType, 1, 200);
    t.U32(0);
    t.Patch32(expAt, uint32_t(t.Here()));
    t.Bytes(Rational(10, 2500));
    t.Patch32(fAt, uint32_t(t.Here()));
    t.Bytes(Rational(28, fDen));
    t.Patch32(gpsAt, uint32_t(t.Here()));
    t.U16(4);
    t.Entry(1, 2, 2, 'S');
    const size_t latAt = t.Here() + 8;
    t.Entry(2, 5, gpsCount, 0);
    t.Entry(3, 2, 2, 'e');
    const size_t lonAt = t.Here() + 8;
    t.Entry(4, 5, 3, 0);
    t.U32(0);
    t.Patch32(latAt, uint32_t(t.Here()));
    t.Bytes(Rational(12, 1));
    t.Bytes(Rational(30, 1));
    t.Bytes(Rational(0, 1));
    t.Patch32(lonAt, uint32_t(t.Here()));
    t.Bytes(Rational(45, 1));
    t.Bytes(Rational(15, 1));
    t.Bytes(Rational(0, 100));
    return t.Data();
}

CPictureInfo InfoFrom(const std::vector<uint8_t>& tiff) {
    CExifReader reader;
    EXPECT_TRUE(reader.ParseTiff(tiff.data(), tiff.size()));
    CPictureInfo info;
    FillPictureInfo(info, reader, nullptr);
    return info;
}

TEST(ExifReaderTest, TypedValuesAsTheSystemReaderGivesThem) {
    const std::vector<uint8_t> tiff = SampleTiff();
    CExifReader reader;
    ASSERT_TRUE(reader.ParseTiff(tiff.data(), tiff.size()));
    MetaValue v;
    ASSERT_TRUE(reader.Query(MetaDir::Ifd0, 274, v));
    EXPECT_TRUE(v.IsScalar(MetaType::UI2));
    EXPECT_EQ(v.ints[0], 6u);
    ASSERT_TRUE(reader.Query(MetaDir::Exif, 33434, v));
    EXPECT_TRUE(v.IsScalar(MetaType::UI8));
    EXPECT_EQ(v.ints[0], (uint64_t(2500) << 32) | 10u);
    ASSERT_TRUE(reader.Query(MetaDir::Gps, 2, v));
    EXPECT_EQ(v.type, MetaType::UI8);
    EXPECT_TRUE(v.vector);
    EXPECT_EQ(v.ints.size(), 3u);
    ASSERT_TRUE(reader.Query(MetaDir::Ifd0, 271, v));
    EXPECT_EQ(v.type, MetaType::AnsiString);
    EXPECT_EQ(v.texts.at(0), "PelionCa");
    EXPECT_FALSE(reader.Query(MetaDir::Exif, 274, v));  // directories are kept apart
}

TEST(PictureInfoTest, FieldsOfASampleBlock) {
    const CPictureInfo info = InfoFrom(SampleTiff());
    EXPECT_EQ(info.orientation, 6);
    EXPECT_EQ(info.make, L"PelionCa");
    EXPECT_EQ(info.exposureTime, L"10/2500");
    EXPECT_EQ(info.fNumber, L"2.8");
    EXPECT_EQ(info.isoSpeed, L"200");
    // Latitude reference "S" negates; longitude reference "e" is not "W".
    EXPECT_EQ(info.gpsPosition, L"-12.500000,45.250000");
    EXPECT_TRUE(info.dateTaken.empty());
    EXPECT_TRUE(info.focalLength.empty());
}

TEST(PictureInfoTest, HostileValueTypes) {
    // Zero denominator: "0.0"; ISO as LONG: empty; two-element GPS vector: coordinate 0;
    // orientation as ASCII: no orientation.
    CPictureInfo info = InfoFrom(SampleTiff(2, 0, 2, 4));
    EXPECT_EQ(info.fNumber, L"0.0");
    EXPECT_TRUE(info.isoSpeed.empty());
    EXPECT_EQ(info.gpsPosition, L"-0.000000,45.250000");
    EXPECT_EQ(info.orientation, 0);
    // Orientation stored as LONG is still read.
    EXPECT_EQ(InfoFrom(SampleTiff(4)).orientation, 6);
}

TEST(ExifReaderTest, HostileStructuresNeverReadOutOfBounds) {
    const std::vector<uint8_t> good = SampleTiff();
    // Every truncation parses and yields only complete values.
    for (size_t n = 0; n <= good.size(); ++n) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + n);
        CExifReader reader;
        reader.ParseTiff(cut.data(), cut.size());
        CPictureInfo info;
        FillPictureInfo(info, reader, nullptr);
        // The longitude is the last value: any cut loses it and with it the position.
        if (n < good.size()) {
            EXPECT_TRUE(info.gpsPosition.empty()) << n;
        }
    }
    // Offsets and counts that point outside, huge counts, a directory pointing at itself and
    // an EXIF pointer looping back to IFD0.
    TiffBuilder t;
    t.U16(5);
    t.Entry(271, 2, 0xFFFFFFFFu, 4);
    t.Entry(272, 2, 100, 0x7FFFFFF0u);
    t.Entry(34665, 4, 1, 8);
    t.Entry(34853, 4, 1, 0xFFFFFFFFu);
    t.Entry(274, 3, 1, 3);
    t.U32(8);
    CExifReader reader;
    ASSERT_TRUE(reader.ParseTiff(t.Data().data(), t.Data().size()));
    MetaValue v;
    EXPECT_FALSE(reader.Query(MetaDir::Ifd0, 271, v));
    EXPECT_FALSE(reader.Query(MetaDir::Ifd0, 272, v));
    EXPECT_TRUE(reader.Query(MetaDir::Ifd0, 274, v));
    // A directory count larger than the data stops at the end.
    TiffBuilder big;
    big.U16(0xFFFF);
    big.Entry(274, 3, 1, 8);
    CExifReader r2;
    ASSERT_TRUE(r2.ParseTiff(big.Data().data(), big.Data().size()));
    ASSERT_TRUE(r2.Query(MetaDir::Ifd0, 274, v));
    EXPECT_EQ(v.ints[0], 8u);
    // Bad headers.
    const uint8_t notTiff[] = {'I', 'I', 43, 0, 8, 0, 0, 0};
    EXPECT_FALSE(CExifReader().ParseTiff(notTiff, sizeof(notTiff)));
    EXPECT_FALSE(CExifReader().ParseTiff(nullptr, 0));
}

TEST(ExifReaderTest, RandomlyDamagedBlocksAreReadSafely) {
    // Deterministic damage: a few bytes of the sample block replaced per round. Every value
    // read back must lie inside the block it came from.
    const std::vector<uint8_t> good = SampleTiff();
    uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> bad = good;
        const int hits = 1 + int(next() % 6);
        for (int h = 0; h < hits; ++h) bad[next() % bad.size()] = uint8_t(next());
        CExifReader reader;
        reader.ParseTiff(bad.data(), bad.size());
        CPictureInfo info;
        FillPictureInfo(info, reader, nullptr);
        MetaValue v;
        for (uint16_t tag : {271, 272, 274, 34665}) {
            if (!reader.Query(MetaDir::Ifd0, tag, v)) continue;
            for (const std::string& t : v.texts) EXPECT_LE(t.size(), bad.size());
            EXPECT_LE(v.ints.size() * 2, bad.size());
        }
        EXPECT_LE(info.make.size(), bad.size());
    }
}

TEST(ExifReaderTest, BigEndianAndJpegSegments) {
    // MM header, one SHORT orientation 3, inside a JPEG after an APP0 segment.
    const std::vector<uint8_t> tiff = {'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1, 1, 0x12, 0, 3,
                                       0, 0, 0, 1, 0, 3, 0, 0, 0, 0, 0, 0};
    std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 'J', 'F', 0xFF, 0xE1};
    const size_t len = tiff.size() + 6 + 2;
    jpeg.push_back(uint8_t(len >> 8));
    jpeg.push_back(uint8_t(len));
    for (char c : std::string("Exif\0\0", 6)) jpeg.push_back(uint8_t(c));
    jpeg.insert(jpeg.end(), tiff.begin(), tiff.end());
    jpeg.insert(jpeg.end(), {0xFF, 0xDA, 0, 2});
    CExifReader reader;
    ASSERT_TRUE(reader.ParseJpeg(jpeg.data(), jpeg.size()));
    MetaValue v;
    ASSERT_TRUE(reader.Query(MetaDir::Ifd0, 274, v));
    EXPECT_EQ(v.ints[0], 3u);
    // A segment length running past the data, or no APP1 before the scan, finds nothing.
    std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + 20);
    EXPECT_FALSE(CExifReader().ParseJpeg(cut.data(), cut.size()));
    const std::vector<uint8_t> noExif = {0xFF, 0xD8, 0xFF, 0xDA, 0, 2, 0xFF, 0xE1, 0, 20};
    EXPECT_FALSE(CExifReader().ParseJpeg(noExif.data(), noExif.size()));
}

class FakeSource : public IMetadataSource {
public:
    std::map<std::pair<int, uint16_t>, MetaValue> values;
    bool Query(MetaDir dir, uint16_t tag, MetaValue& v) override {
        auto it = values.find({int(dir), tag});
        if (it == values.end()) return false;
        v = it->second;
        return true;
    }
    void Set(MetaDir dir, uint16_t tag, MetaValue v) { values[{int(dir), tag}] = v; }
};

MetaValue Scalar(MetaType t, uint64_t x) {
    MetaValue v;
    v.type = t;
    v.ints = {x};
    return v;
}

TEST(PictureInfoTest, TextAndGpsRules) {
    FakeSource src;
    MetaValue wide;
    wide.type = MetaType::WideString;
    wide.wide = L"Wide Cam";
    src.Set(MetaDir::Ifd0, 271, wide);
    MetaValue strs;
    strs.type = MetaType::AnsiString;
    strs.vector = true;
    strs.texts = {"first", "second"};
    src.Set(MetaDir::Ifd0, 272, strs);
    src.Set(MetaDir::Exif, 42036, Scalar(MetaType::UI2, 5));  // wrong type: empty text
    src.Set(MetaDir::Exif, 37385, Scalar(MetaType::UI2, 16));
    src.Set(MetaDir::Exif, 37386, Scalar(MetaType::UI4, 35));  // not a rational: 0.0
    MetaValue lat;
    lat.type = MetaType::UI8;
    lat.vector = true;
    lat.ints = {(1ull << 32) | 12, (1ull << 32) | 30, (1ull << 32) | 0};
    src.Set(MetaDir::Gps, 2, lat);
    MetaValue lon = lat;
    lon.ints = {(1ull << 32) | 45, (1ull << 32) | 15, (1ull << 32) | 0};
    src.Set(MetaDir::Gps, 4, lon);
    MetaValue s;
    s.type = MetaType::AnsiString;
    s.texts = {"s"};
    src.Set(MetaDir::Gps, 1, s);
    MetaValue e = s;
    e.texts = {"E"};
    src.Set(MetaDir::Gps, 3, e);
    CPictureInfo info;
    info.lensModel = L"stale";
    FillPictureInfo(info, src, nullptr);
    EXPECT_EQ(info.make, L"Wide Cam");
    EXPECT_EQ(info.model, L"first");
    EXPECT_EQ(info.lensModel, L"");
    EXPECT_EQ(info.flash, L"16");
    EXPECT_EQ(info.focalLength, L"0.0");
    EXPECT_EQ(info.gpsPosition, L"-12.500000,45.250000");
    EXPECT_EQ(info.orientation, 0);

    // Without a longitude the position stays empty; without a latitude the longitude is not
    // even asked for.
    src.values.erase({int(MetaDir::Gps), 4});
    CPictureInfo noLon;
    FillPictureInfo(noLon, src, nullptr);
    EXPECT_TRUE(noLon.gpsPosition.empty());
    // A zero denominator anywhere makes that coordinate 0.
    lat.ints[2] = 5;  // 5 / 0 seconds
    src.Set(MetaDir::Gps, 2, lat);
    src.Set(MetaDir::Gps, 4, lon);
    CPictureInfo zeroDen;
    FillPictureInfo(zeroDen, src, nullptr);
    EXPECT_EQ(zeroDen.gpsPosition, L"-0.000000,45.250000");
    EXPECT_EQ(RoundResolution(71.5), 72);
    EXPECT_EQ(RoundResolution(-3), 0);
}

TEST(MapAddressTest, BothServices) {
    EXPECT_EQ(BuildMapAddress(1, L"-12.500000,45.250000"),
              L"http://api.map.baidu.com/marker?location=-12.500000,45.250000&title=Here&content="
              L"拍摄地&output=html&coord_type=wgs84&src=SnapFrame");
    const std::wstring other = BuildMapAddress(0, L"1.000000,2.000000");
    EXPECT_EQ(other.rfind(L"https://", 0), 0u);
    EXPECT_NE(other.find(L"/uri/v1/marker?marker=coord:1.000000,2.000000;title:Here&coord_type=1"
                         L"&referer=SnapFrame"),
              std::wstring::npos);
}

std::vector<uint32_t> Grid(int w, int h) {
    std::vector<uint32_t> px(size_t(w) * h);
    for (int i = 0; i < w * h; ++i) px[i] = uint32_t(i + 1);
    return px;
}

TEST(PixelTransformTest, EveryOptionMatchesItsOrientation) {
    // A 3 x 2 picture 1 2 3 / 4 5 6 and what each option shows.
    const struct {
        int option, w, h;
        std::vector<uint32_t> expected;
    } cases[] = {
        {0, 3, 2, {1, 2, 3, 4, 5, 6}},
        {8, 3, 2, {3, 2, 1, 6, 5, 4}},
        {16, 3, 2, {4, 5, 6, 1, 2, 3}},
        {2, 3, 2, {6, 5, 4, 3, 2, 1}},
        {1, 2, 3, {4, 1, 5, 2, 6, 3}},   // orientation 6: a quarter turn clockwise
        {3, 2, 3, {3, 6, 2, 5, 1, 4}},   // orientation 8
        {17, 2, 3, {1, 4, 2, 5, 3, 6}},  // orientation 5: transpose
        {9, 2, 3, {6, 3, 5, 2, 4, 1}},   // orientation 7: transverse
    };
    const std::vector<uint32_t> src = Grid(3, 2);
    for (const auto& c : cases) {
        int ow, oh;
        TransformedSize(c.option, 3, 2, ow, oh);
        ASSERT_EQ(ow, c.w);
        ASSERT_EQ(oh, c.h);
        std::vector<uint32_t> out(size_t(ow) * oh);
        TransformPixels32(c.option, reinterpret_cast<const uint8_t*>(src.data()), 3, 2, 12,
                          reinterpret_cast<uint8_t*>(out.data()), size_t(ow) * 4);
        EXPECT_EQ(out, c.expected) << c.option;
    }
}

std::vector<uint8_t> Resample(const std::vector<uint8_t>& src, int sw, int sh, int dw, int dh) {
    std::vector<uint8_t> out(size_t(dw) * dh * 4, 0xEE);
    auto read = [&](int y, uint8_t* row) {
        std::memcpy(row, &src[size_t(y) * sw * 4], size_t(sw) * 4);
        return true;
    };
    EXPECT_TRUE(ResamplePixels32(sw, sh, read, dw, dh, out.data(), size_t(dw) * 4));
    return out;
}

TEST(ResamplerTest, ReductionAveragesAreas) {
    // A one-pixel checkerboard of 0 and 200 reduced by 4 becomes a flat 100, not an alias.
    const int sw = 16, sh = 8;
    std::vector<uint8_t> src(size_t(sw) * sh * 4);
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x)
            for (int c = 0; c < 4; ++c) src[(size_t(y) * sw + x) * 4 + c] = ((x + y) & 1) ? 200 : 0;
    for (uint8_t v : Resample(src, sw, sh, 4, 2)) EXPECT_EQ(v, 100);
    // A non-integer ratio keeps a uniform picture uniform.
    std::vector<uint8_t> flat(size_t(7) * 5 * 4, 77);
    for (uint8_t v : Resample(flat, 7, 5, 3, 2)) EXPECT_EQ(v, 77);
}

TEST(ResamplerTest, EnlargementInterpolates) {
    // Two pixels 0 and 200 widened to 4: 0, 50, 150, 200.
    std::vector<uint8_t> src = {0, 0, 0, 0, 200, 200, 200, 200};
    const std::vector<uint8_t> out = Resample(src, 2, 1, 4, 1);
    const uint8_t expected[] = {0, 50, 150, 200};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(out[size_t(x) * 4], expected[x]) << x;
    // Same size copies exactly; bad sizes and failed reads are refused.
    EXPECT_EQ(Resample(src, 2, 1, 2, 1), src);
    uint8_t dst[16];
    EXPECT_FALSE(ResamplePixels32(0, 1, [](int, uint8_t*) { return true; }, 1, 1, dst, 4));
    EXPECT_FALSE(ResamplePixels32(2, 1, [](int, uint8_t*) { return false; }, 1, 1, dst, 4));
}

TEST(EffectMathTest, BrightnessAndSaturationRules) {
    EXPECT_EQ(BrightnessContrastValue(250, 20, 0), 255);
    EXPECT_EQ(BrightnessContrastValue(100, 20, 0), 120);
    EXPECT_EQ(BrightnessContrastValue(0, 20, 0), 20);
    EXPECT_EQ(BrightnessContrastValue(0, -50, 0), 0);
    EXPECT_EQ(BrightnessContrastValue(200, 0, 100), 255);
    EXPECT_EQ(SaturateBoost(0), 0);
    EXPECT_EQ(SaturateBoost(100), 120);
    EXPECT_EQ(SaturateBoost(212), 254);
    EXPECT_EQ(SaturateBoost(213), 255);
    EXPECT_EQ(SaturateBoost(255), 255);
}

}  // namespace
