#include "MonitorFixture.h"

#include "HandleKey.h"
#include "Limg.h"
#include "SubjectData.h"
#include "ZOTRendererMonitor.h"
#include "ZOTTrial.h"

#include <GL/glew.h>

#include <fstream>
#include <sstream>

namespace {

LimgImage solid(std::uint32_t width, std::uint32_t height, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                std::uint8_t a = 255)
{
    LimgImage image;
    image.width = width;
    image.height = height;
    for (std::uint32_t i = 0; i < width * height; ++i)
        image.pixels.insert(image.pixels.end(), {r, g, b, a});
    return image;
}

void write(const std::filesystem::path& path, const LimgImage& image)
{
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(writeLimg(path, image)) << path;
}

} // namespace

Screen readBack(int width, int height)
{
    Screen screen;
    screen.width = width;
    screen.height = height;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    // GL's rows run bottom-up; people read top-down.
    screen.rgb.resize(rows.size());
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        std::copy_n(rows.begin() + static_cast<std::ptrdiff_t>((height - 1 - y) * stride), stride,
                    screen.rgb.begin() + static_cast<std::ptrdiff_t>(y * stride));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    return screen;
}

Colour Screen::at(int x, int y) const
{
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

std::array<int, 4> Screen::inkBox(int left, int top, int right, int bottom) const
{
    std::array<int, 4> box{right, bottom, left, top};
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (!(at(x, y) == Colour{})) {
                box[0] = std::min(box[0], x);
                box[1] = std::min(box[1], y);
                box[2] = std::max(box[2], x + 1);
                box[3] = std::max(box[3], y + 1);
            }
    if (box[0] >= box[2])
        return {0, 0, 0, 0};
    return box;
}

std::array<Colour, 6> placeTints(const ZOTTrial& trial)
{
    std::array<Colour, 6> tints{};
    Colour tint{255, 255, 255};
    for (int i = 0; i < 6; ++i) {
        if (trial.positionType[i] == TARGET)
            tint = {255, 0, 0};
        else if (trial.positionType[i] == DISTRACTOR)
            tint = {0, 0, 255};
        tints[i] = tint;
    }
    return tints;
}

Colour maskColour(int k)
{
    return {30 * k, 255 - 30 * k, 100};
}

void MonitorTest::SetUp()
{
    const auto root = folder.path();
    // Letters, blank and fixation are solid white tiles: what shows is exactly
    // the tint and the place. The blank is opaque so that its tint can be seen.
    const std::string letters = "data/letters_arial_68pt_100px_hcenter_vcenter/";
    for (char c : ALPHABET)
        write(root / (letters + c + ".limg"), solid(100, 100, 255, 255, 255));
    write(root / (letters + "blank.limg"), solid(100, 100, 255, 255, 255));
    write(root / "data/letters_couriernew_18ptbold_100px_hcenter_vcenter/+.limg", solid(100, 100, 255, 255, 255));
    for (int k = 1; k <= 8; ++k) {
        const Colour c = maskColour(k);
        write(root / ("data/masks/Mask" + std::to_string(k) + ".limg"),
              solid(100, 100, static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
                    static_cast<std::uint8_t>(c.b)));
    }
    write(root / "data/instructions_top.limg", solid(684, 491, 0, 255, 0));
    write(root / "data/instructions_bottom.limg", solid(684, 404, 0, 0, 255));
    // Every glyph a solid block 8 pixels wide: text ink boxes follow the layout.
    write(root / "data/verdana16_white.limg", solid(256, 256, 255, 255, 255));
    std::ofstream widths(root / "data/verdana16_widths.txt");
    for (int i = 0; i < 256; ++i)
        widths << 8 << (i % 16 == 15 ? '\n' : ' ');
    widths.close();
    std::filesystem::create_directories(root / "shaders");
    for (const char* name : {"shader2D.vs", "shader2D.fs"})
        std::filesystem::copy_file(std::filesystem::path(ZOT_SOURCE_DIR) / "shaders" / name, root / "shaders" / name);

    previousDirectory = std::filesystem::current_path();
    std::filesystem::current_path(root);
}

void MonitorTest::TearDown()
{
    facade.reset();
    config.reset();
    std::filesystem::current_path(previousDirectory);
}

void MonitorTest::start(const std::string& extraConfig)
{
    startWith("display=MONITOR\nrefreshRate=60\nrandomSeed=7\npracticeBlock=0\nblocksPerRun=1\n"
              "trialsPerBlock=12\nmode=WHOLE\n" +
              extraConfig);
}

void MonitorTest::startWith(const std::string& configText)
{
    facade.reset();
    config.reset();
    std::istringstream file(configText);
    std::ostringstream echo;
    config = std::make_unique<ZOTConfig>(file, echo);
    facade = std::make_unique<ZOTRenderer>(config.get(), clock);
    ZOTTrial::init(*config);
    facade->loadResources(SubjectData{}, folder.path() / "logs");
}

Screen MonitorTest::frame()
{
    experiment().updateTimeline();
    return draw();
}

Screen MonitorTest::draw()
{
    static_cast<ZOTRendererMonitor&>(*facade->renderer()).drawFrame();
    return read();
}

Screen MonitorTest::read()
{
    glReadBuffer(GL_BACK);
    return readBack(static_cast<int>(facade->width()), static_cast<int>(facade->height()));
}

void MonitorTest::press(int kind, unsigned char character)
{
    handleKey(experiment(), *facade->renderer(), kind, character);
}

Screen MonitorTest::frameUntil(int state)
{
    for (int i = 0; i < 1000; ++i) {
        experiment().updateTimeline();
        if (experiment().state() == state)
            return draw();
    }
    ADD_FAILURE() << "state " << state << " never reached";
    return draw();
}
