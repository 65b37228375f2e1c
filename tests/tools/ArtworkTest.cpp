// Checks the committed pictures in resources/pictures: that the generator
// reproduces them, and that each decodes to the size, format, palette,
// transparency and layout the menu window and the notice dialog rely on.
#include "Decode.h"
#include "content.h"
#include "generate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using namespace artwork_test;

namespace {

const std::string kPictures = ARTWORK_PICTURES_DIR;

std::string committed(const std::string& name) { return kPictures + "/" + name; }

int luminance(Colour c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; }

int distance(Colour a, artwork::Rgb b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

bool isBlack(Colour c) { return c.r == 0 && c.g == 0 && c.b == 0; }

// Runs of consecutive rows (or columns) for which `ink` holds: [first, last].
template <typename Ink>
std::vector<std::pair<int, int>> runs(int count, Ink ink) {
    std::vector<std::pair<int, int>> out;
    for (int i = 0; i < count; ++i) {
        if (!ink(i)) continue;
        if (!out.empty() && out.back().second == i - 1)
            out.back().second = i;
        else
            out.push_back({i, i});
    }
    return out;
}

// Text pictures: only the transparent entry and black may be used.
void expectBlackOnClear(const Gif& gif, const std::string& name) {
    ASSERT_GE(gif.transparent, 0) << name;
    ASSERT_LT(gif.transparent, int(gif.palette.size())) << name;
    std::set<int> used(gif.indices.begin(), gif.indices.end());
    for (int index : used)
        if (index != gif.transparent) {
            EXPECT_TRUE(isBlack(gif.palette[size_t(index)])) << name << " index " << index;
        }
    EXPECT_EQ(used.size(), 2u) << name;
}

std::vector<std::pair<int, int>> textLines(const Gif& gif, int fromX = 0, int toX = -1) {
    if (toX < 0) toX = gif.width;
    return runs(gif.height, [&](int y) {
        for (int x = fromX; x < toX; ++x)
            if (!gif.clear(x, y)) return true;
        return false;
    });
}

int firstInkColumn(const Gif& gif, std::pair<int, int> line) {
    for (int x = 0; x < gif.width; ++x)
        for (int y = line.first; y <= line.second; ++y)
            if (!gif.clear(x, y)) return x;
    return gif.width;
}

}  // namespace

// --- The set of files and their reproduction ---------------------------------

TEST(ArtworkFiles, FolderHoldsExactlyTheGeneratedFiles) {
    std::set<std::string> onDisk;
    for (const auto& entry : fs::directory_iterator(kPictures)) onDisk.insert(entry.path().filename().string());
    const auto names = artwork::pictureFiles();
    EXPECT_EQ(onDisk, std::set<std::string>(names.begin(), names.end()));
    EXPECT_EQ(names.size(), 31u);
}

TEST(ArtworkFiles, EveryPictureTheResourceScriptNamesIsGenerated) {
    std::ifstream rc(std::string(ARTWORK_PICTURES_DIR) + "/../Setup.rc");
    ASSERT_TRUE(rc) << "resources/Setup.rc not found";
    std::stringstream text;
    text << rc.rdbuf();
    const std::string script = text.str();
    const auto names = artwork::pictureFiles();
    const std::regex quoted("\"([A-Za-z0-9]+\\.(gif|jpg|ico))\"");
    int referenced = 0;
    for (std::sregex_iterator it(script.begin(), script.end(), quoted), end; it != end; ++it, ++referenced)
        EXPECT_NE(std::find(names.begin(), names.end(), (*it)[1].str()), names.end()) << (*it)[1].str();
    EXPECT_GT(referenced, 0);
}

class ArtworkRegeneration : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/artwork-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        artwork::generateAll(folder_);
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }
    static std::string folder_;
};
std::string ArtworkRegeneration::folder_;

TEST_F(ArtworkRegeneration, ReproducesTheCommittedFilesByteForByte) {
    for (const std::string& name : artwork::pictureFiles())
        EXPECT_TRUE(readBytes(folder_ + "/" + name) == readBytes(committed(name)))
            << name << " differs from the committed file: run the regenerate-artwork target";
}

// --- Background --------------------------------------------------------------

TEST(ArtworkBackground, IsABaselineColourJpegOnePixelLargerThanTheWindow) {
    const Jpeg jpeg = readJpeg(committed("background.jpg"));
    EXPECT_EQ(jpeg.width, 596);
    EXPECT_EQ(jpeg.height, 444);
    EXPECT_EQ(jpeg.components, 3);
    EXPECT_FALSE(jpeg.progressive);
    EXPECT_FALSE(jpeg.arithmetic);
}

TEST(ArtworkBackground, CornersHaveTheirColoursAndStreaksRunAcross) {
    const Jpeg jpeg = readJpeg(committed("background.jpg"));
    auto corner = [&](int x0, int y0) {
        int sum[3] = {0, 0, 0};
        for (int y = y0; y < y0 + 8; ++y)
            for (int x = x0; x < x0 + 8; ++x) {
                const Colour c = jpeg.at(x, y);
                sum[0] += c.r, sum[1] += c.g, sum[2] += c.b;
            }
        return Colour{sum[0] / 64, sum[1] / 64, sum[2] / 64};
    };
    const struct {
        int x, y;
        Colour want;
    } corners[] = {{0, 0, {49, 125, 184}},
                   {jpeg.width - 8, 0, {233, 221, 200}},
                   {0, jpeg.height - 8, {205, 227, 245}},
                   {jpeg.width - 8, jpeg.height - 8, {182, 149, 45}}};
    for (const auto& c : corners) {
        const Colour got = corner(c.x, c.y);
        EXPECT_NEAR(got.r, c.want.r, 14) << "corner " << c.x << "," << c.y;
        EXPECT_NEAR(got.g, c.want.g, 14) << "corner " << c.x << "," << c.y;
        EXPECT_NEAR(got.b, c.want.b, 14) << "corner " << c.x << "," << c.y;
    }
    // Brushed horizontally: neighbours along a row are far more alike than
    // neighbours in a column.
    long across = 0, down = 0;
    for (int y = 100; y < 340; ++y)
        for (int x = 100; x < 500; ++x) {
            across += std::abs(luminance(jpeg.at(x, y)) - luminance(jpeg.at(x + 1, y)));
            down += std::abs(luminance(jpeg.at(x, y)) - luminance(jpeg.at(x, y + 1)));
        }
    EXPECT_GT(down, 2 * across);
}

// --- Menu items --------------------------------------------------------------

class ArtworkItem : public ::testing::TestWithParam<size_t> {
protected:
    const artwork::ItemArt& item() const { return artwork::items()[GetParam()]; }
    Gif read(char form) const { return readGif(committed(std::string(item().stem) + form + ".gif")); }
};

TEST_P(ArtworkItem, BothFormsAre256ColourGif89aWithATransparentColour) {
    for (char form : {'a', 'b'}) {
        const Gif gif = read(form);
        EXPECT_EQ(gif.version, "GIF89a") << form;
        EXPECT_EQ(gif.width, item().width) << form;
        EXPECT_EQ(gif.height, 27) << form;
        EXPECT_EQ(gif.palette.size(), 256u) << form;
        EXPECT_EQ(gif.frames, 1) << form;
        ASSERT_GE(gif.transparent, 0) << form;
        EXPECT_LT(gif.transparent, 256) << form;
    }
}

TEST_P(ArtworkItem, CapsuleAndDiscStandOnTheTransparentColour) {
    const Gif gif = read('a');
    const int cw = item().capsuleWidth, w = item().width;
    for (auto [x, y] : {std::pair{0, 0}, {0, 26}, {cw - 1, 0}, {cw - 1, 26}, {w - 25, 0}, {w - 1, 26}})
        EXPECT_TRUE(gif.clear(x, y)) << x << "," << y;
    for (int x = 0; x < w; ++x) {
        const bool inCapsule = x < cw, inDisc = x >= w - 25;
        EXPECT_EQ(!gif.clear(x, 13), inCapsule || inDisc) << "row 13, x " << x;
    }
    for (int y = 0; y < 27; ++y) EXPECT_FALSE(gif.clear(cw / 2, y)) << "capsule middle, y " << y;
    for (int y = 1; y < 26; ++y) EXPECT_FALSE(gif.clear(w - 13, y)) << "disc middle, y " << y;
}

TEST_P(ArtworkItem, CapsuleAndDiscHaveTheItemsColoursAndADarkOutline) {
    const Gif gif = read('a');
    const int cw = item().capsuleWidth, w = item().width;
    const Colour body = gif.colour(5, 13), disc = gif.colour(w - 13, 14), outline = gif.colour(cw / 2, 0);
    EXPECT_LT(distance(body, item().capsule), distance(body, item().disc));
    EXPECT_LT(distance(body, item().capsule), 60);
    EXPECT_LT(distance(disc, item().disc), distance(disc, item().capsule));
    EXPECT_LT(luminance(outline), luminance(body) / 2);
    EXPECT_LT(luminance(gif.colour(w - 13, 1)), luminance(disc) / 2);
}

TEST_P(ArtworkItem, HighlightChangesOnlyTheWordsFromWhiteToBlack) {
    const Gif a = read('a'), b = read('b');
    ASSERT_EQ(a.indices.size(), b.indices.size());
    int edge = 0, changed = 0;
    int left = a.width, right = -1, top = a.height, bottom = -1;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            if (a.clear(x, y) != b.clear(x, y)) {
                ++edge;
                continue;
            }
            if (a.clear(x, y) || (a.colour(x, y).r == b.colour(x, y).r && a.colour(x, y).g == b.colour(x, y).g &&
                                  a.colour(x, y).b == b.colour(x, y).b))
                continue;
            ++changed;
            EXPECT_LT(x, item().capsuleWidth) << "change outside the capsule at " << x << "," << y;
            EXPECT_LE(luminance(b.colour(x, y)), luminance(a.colour(x, y))) << x << "," << y;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    EXPECT_LE(edge, 49);
    ASSERT_GT(changed, 100) << "no words drawn";
    // Centred in the capsule and about 16 pixels high.
    EXPECT_NEAR((left + right) / 2.0, (item().capsuleWidth - 1) / 2.0, 4);
    EXPECT_NEAR((top + bottom) / 2.0, 13, 2);
    EXPECT_GE(bottom - top + 1, 13);
    EXPECT_LE(bottom - top + 1, 19);
}

TEST_P(ArtworkItem, WordsAreWhiteInTheNormalAndBlackInTheHighlightPicture) {
    const Gif a = read('a'), b = read('b');
    int white = 0, black = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < item().capsuleWidth; ++x) {
            if (a.clear(x, y) || b.clear(x, y)) continue;
            if (luminance(a.colour(x, y)) > 245 && luminance(b.colour(x, y)) < 10) ++white, ++black;
        }
    EXPECT_GT(white, 60);
    EXPECT_EQ(white, black);
}

INSTANTIATE_TEST_SUITE_P(Items, ArtworkItem, ::testing::Range(size_t(0), artwork::items().size()),
                         [](const auto& info) { return std::string(artwork::items()[info.param].stem); });

// --- Previews and the feature picture ------------------------------------------

class ArtworkPreview : public ::testing::TestWithParam<int> {};

TEST_P(ArtworkPreview, IsATwoColourGif89aOfBlackTextOnClear) {
    const std::string name = "preview" + std::to_string(GetParam()) + ".gif";
    const Gif gif = readGif(committed(name));
    EXPECT_EQ(gif.version, "GIF89a");
    EXPECT_EQ(gif.width, 215);
    EXPECT_EQ(gif.height, 155);
    EXPECT_EQ(gif.palette.size(), 2u);
    expectBlackOnClear(gif, name);
}

TEST_P(ArtworkPreview, NineOrTenLinesAtAFixedPitchWithAnIndentedFirstLine) {
    const Gif gif = readGif(committed("preview" + std::to_string(GetParam()) + ".gif"));
    const auto lines = textLines(gif);
    ASSERT_GE(lines.size(), 9u);
    ASSERT_LE(lines.size(), 10u);
    const int pitch = lines.size() == 10 ? 15 : 16;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int height = lines[i].second - lines[i].first + 1;
        EXPECT_GE(height, 8) << "line " << i;
        EXPECT_LE(height, 13) << "line " << i;
        if (i) {
            EXPECT_NEAR(lines[i].first - lines[i - 1].first, pitch, 2) << "line " << i;
        }
    }
    EXPECT_GE(firstInkColumn(gif, lines[0]), 18);
    EXPECT_LE(firstInkColumn(gif, lines[1]), 3);
}

INSTANTIATE_TEST_SUITE_P(Previews, ArtworkPreview, ::testing::Range(0, 8));

TEST(ArtworkFeature, TenLinesInSevenItemsLedByTriangles) {
    const Gif gif = readGif(committed("feature.gif"));
    EXPECT_EQ(gif.version, "GIF89a");
    EXPECT_EQ(gif.width, 651);
    EXPECT_EQ(gif.height, 165);
    EXPECT_EQ(gif.palette.size(), 4u);
    expectBlackOnClear(gif, "feature.gif");
    EXPECT_EQ(textLines(gif).size(), 10u);
    const auto triangles = textLines(gif, 0, 15);
    ASSERT_EQ(triangles.size(), 7u);
    for (const auto& t : triangles) EXPECT_GE(t.second - t.first + 1, 7);
}

// --- Banner, photograph, icon ------------------------------------------------

TEST(ArtworkBanner, IsAnOpaqueRaisedOrangePlateWithWhiteWordsAcrossIt) {
    const Gif gif = readGif(committed("banner.gif"));
    EXPECT_EQ(gif.version, "GIF87a");
    EXPECT_EQ(gif.width, 274);
    EXPECT_EQ(gif.height, 35);
    EXPECT_EQ(gif.transparent, -1);
    EXPECT_LE(gif.palette.size(), 256u);
    EXPECT_LT(distance(gif.colour(137, 4), {255, 128, 64}), 80);
    EXPECT_GT(luminance(gif.colour(137, 1)), luminance(gif.colour(137, 33)) + 60);
    EXPECT_GT(luminance(gif.colour(1, 17)), luminance(gif.colour(272, 17)) + 60);
    const auto white = runs(gif.width, [&](int x) {
        for (int y = 0; y < gif.height; ++y)
            if (luminance(gif.colour(x, y)) > 245) return true;
        return false;
    });
    ASSERT_GE(white.size(), 9u) << "at least one run of white columns per character";
    EXPECT_GE(white.back().second - white.front().first, 230);
}

TEST(ArtworkPhoto, Is64ColoursWithAnUnusedTransparentEntry) {
    const Gif gif = readGif(committed("photo.gif"));
    EXPECT_EQ(gif.version, "GIF89a");
    EXPECT_EQ(gif.width, 197);
    EXPECT_EQ(gif.height, 148);
    EXPECT_EQ(gif.palette.size(), 64u);
    ASSERT_GE(gif.transparent, 0);
    EXPECT_EQ(std::count(gif.indices.begin(), gif.indices.end(), gif.transparent), 0);
}

TEST(ArtworkIcon, IsOneOpaque16By16ImageInTheStandardSixteenColours) {
    const std::vector<uint8_t> ico = readBytes(committed("icon.ico"));
    auto u16 = [&](size_t at) { return unsigned(ico[at] | ico[at + 1] << 8); };
    auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
    ASSERT_EQ(ico.size(), 6u + 16 + 40 + 64 + 128 + 64);
    EXPECT_EQ(u16(0), 0u);
    EXPECT_EQ(u16(2), 1u);
    EXPECT_EQ(u16(4), 1u);
    EXPECT_EQ(ico[6], 16);
    EXPECT_EQ(ico[7], 16);
    EXPECT_EQ(ico[8], 16);
    EXPECT_EQ(u32(18), 22u);
    EXPECT_EQ(u32(22), 40u);
    EXPECT_EQ(u32(26), 16u);
    EXPECT_EQ(u32(30), 32u);
    EXPECT_EQ(u16(36), 4u);
    const size_t palette = 62, pixels = palette + 64, mask = pixels + 128;
    const uint8_t vga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128},
                                {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},
                                {255, 255, 0},   {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(ico[palette + i * 4 + 2], vga[i][0]) << i;
        EXPECT_EQ(ico[palette + i * 4 + 1], vga[i][1]) << i;
        EXPECT_EQ(ico[palette + i * 4], vga[i][2]) << i;
    }
    EXPECT_TRUE(std::all_of(ico.begin() + long(mask), ico.end(), [](uint8_t v) { return v == 0; }));
}
