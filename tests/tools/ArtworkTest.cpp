// Checks the committed pictures in resources/pictures: the generator reproduces them byte for
// byte, each decodes to the size and format of the control that shows it, and its twice-size
// form to that control's size at 192 pixels per inch.
#include "generate.h"
#include "menu/Scene.h"
#include "resource.h"

#include <gif_lib.h>
#include <gtest/gtest.h>
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <regex>

namespace fs = std::filesystem;
using lcime::ControlId;

namespace {

const fs::path kPictures = ARTWORK_PICTURES_DIR;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Gif {
    std::string version;  // from the header: giflib reports the version it would write
    int width = 0, height = 0, transparent = -1;
    std::vector<GifColorType> palette;
};

// The stored file of a resource of a type, as resource.h and the resource script pair them.
std::string fileOf(int resource, const std::string& type = "RCDATA") {
    static const std::map<std::pair<std::string, int>, std::string> files = [] {
        const std::string text = readFile(kPictures / "../resource.h") + readFile(kPictures / "../Setup.rc");
        const std::regex line(R"(#define (\w+) (\d+)|(\w+) (RCDATA|TWICE|ICON) "([^"]+)\")");
        std::map<std::string, int> ids;
        std::map<std::pair<std::string, int>, std::string> out;
        for (std::sregex_iterator it(text.begin(), text.end(), line), end; it != end; ++it)
            (*it)[1].matched ? void(ids[(*it)[1]] = std::stoi((*it)[2])) : void(out[{(*it)[4], ids.at((*it)[3])}] = (*it)[5]);
        return out;
    }();
    return files.at({type, resource});
}

Gif readGif(int resource) {
    const std::string path = kPictures / fileOf(resource);
    const std::shared_ptr<GifFileType> file(DGifOpenFileName(path.c_str(), nullptr),
                                            [](GifFileType* f) { DGifCloseFile(f, nullptr); });
    if (!file || DGifSlurp(file.get()) != GIF_OK || !file->SColorMap) throw std::runtime_error("giflib: " + path);
    const ColorMapObject& map = *file->SColorMap;
    const SavedImage& frame = file->SavedImages[0];
    Gif gif{readFile(path).substr(0, 6), frame.ImageDesc.Width, frame.ImageDesc.Height, -1,
            {map.Colors, map.Colors + map.ColorCount}};
    GraphicsControlBlock control{};
    if (DGifSavedExtensionToGCB(file.get(), 0, &control) == GIF_OK) gif.transparent = control.TransparentColor;
    return gif;
}

}  // namespace

TEST(Artwork, GeneratorReproducesTheCommittedFolderByteForByte) {
    char pattern[] = "/tmp/artwork-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    artwork::generateAll(pattern);
    for (const auto& entry : fs::directory_iterator(pattern))  // run the regenerate-artwork target
        EXPECT_TRUE(readFile(entry.path()) == readFile(kPictures / entry.path().filename())) << entry.path();
    for (const auto& entry : fs::directory_iterator(kPictures))
        EXPECT_TRUE(fs::exists(fs::path(pattern) / entry.path().filename())) << entry.path() << " no longer drawn";
    fs::remove_all(pattern);
}

TEST(Artwork, EachPictureHasTheSizeAndFormatOfItsControlAndTwiceThatInItsTwiceSizeForm) {
    const lcime::Scene at192(192);
    for (const lcime::ControlDesign& d : lcime::kInventory) {
        if (d.kind != lcime::ControlKind::Picture) continue;
        const Gif gif = readGif(d.picture);
        SCOPED_TRACE(fileOf(d.picture));
        EXPECT_EQ(gif.width, lcime::ToPixels(d.width, 96));
        EXPECT_EQ(gif.height, lcime::ToPixels(d.height, 96));
        EXPECT_EQ(gif.version, d.id == ControlId::Imagebt ? "GIF87a" : "GIF89a");
        EXPECT_EQ(gif.transparent >= 0, d.id != ControlId::Imagebt);
        const bool preview = d.id >= ControlId::Image2_0 && d.id <= ControlId::Image2_7;
        const size_t colours = d.id == ControlId::photo ? 64 : preview ? 2 : 256;
        if (d.id != ControlId::Imagebt) { EXPECT_EQ(gif.palette.size(), colours); }

        const std::string twice = readFile(kPictures / fileOf(d.picture, "TWICE"));
        int width = 0, height = 0, channels = 0;
        ASSERT_TRUE(stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(twice.data()), int(twice.size()), &width,
                                          &height, &channels));
        EXPECT_EQ(width, at192.Bounds(d.id).width);
        EXPECT_EQ(height, at192.Bounds(d.id).height);
        // Smooth edges need real alpha (a PNG's) where the design size has a transparent colour.
        const bool alpha = twice.compare(0, 4, "\x89PNG") == 0 && (channels == 2 || channels == 4);
        EXPECT_EQ(alpha, gif.transparent >= 0 && d.id != ControlId::photo);
    }
}

