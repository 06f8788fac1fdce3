// Draws a function's result as FreeType sets it in the function's Orbelantrix font, as a PNG:
// the pictures of the gallery.
//
//   orbx_font_proof OUTPUT.png NAME PARAMETER [SETTINGS]
//
// (SETTINGS: the second parameter of the 2D functions.)
#include <png.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "fonts/families.h"
#include "fonts/typeset.h"
#include "host/host.h"
#include "render/render.h"

namespace {

// Pixels per module of the pictures.
constexpr double kModule = 3;

bool WritePng(const std::string& path, const orbx::render::Bitmap& image) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        // libpng's errors come back here.
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, image.pixels.data() + static_cast<std::size_t>(y) * image.width);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::cerr << "usage: orbx_font_proof OUTPUT.png NAME PARAMETER [SETTINGS]\n";
        return 2;
    }
    try {
        const std::string name = argv[2];
        const auto font = orbx::render::FontOf(name);
        if (!font) throw orbx::host::HostError(name + " draws no barcode");
        orbx::host::Plugin plugin(orbx::host::DefaultPluginPath());
        plugin.StartUp();
        const auto function = orbx::host::FindFunction(name);
        if (!function) throw orbx::host::HostError("no function " + name);
        std::vector<std::u16string> parameters = {orbx::host::Utf8ToUtf16(argv[3])};
        if (argc == 5) parameters.push_back(orbx::host::Utf8ToUtf16(argv[4]));
        const std::u16string result = orbx::host::EvaluateAll(*function, parameters).text;
        plugin.ShutDown();
        if (result.empty()) throw orbx::host::HostError("the empty text");
        const orbx::fonts::Family& family = orbx::fonts::FamilyOf(*font);
        orbx::fonts::Typesetter setter(
            std::string(ORBX_FONTS_DIR "/") + std::string(family.file) + ".ttf",
            family.units_per_module);
        const orbx::fonts::Setting set = setter.Set(result, kModule);
        if (!set.error.empty()) throw orbx::host::HostError(set.error);
        if (!WritePng(argv[1], set.image)) throw orbx::host::HostError("cannot write PNG");
    } catch (const std::exception& e) {
        std::cerr << "orbx_font_proof: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
