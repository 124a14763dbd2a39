// The menu file: a comment line, the background picture, a comment, the page count; per page a
// title line and the item count; per item seven lines (normal picture, highlighted picture,
// position, scale, rotation, visible, enabled).
#include "menu/MenuFile.h"

#include "game/Flow.h"
#include "platform/TextReader.h"
#include "render/TextureLoader.h"

namespace veltrane {

namespace {

// A count on a line of its own, within lo..hi.
int ReadCount(TTextReader& r, const char* what, int lo, int hi) {
    const int value = r.ReadInt();
    if (value < lo || value > hi)
        r.Fail(std::string(what) + " " + std::to_string(value) + " outside " + std::to_string(lo) + ".." +
               std::to_string(hi));
    r.ReadLn();
    return value;
}

TVector ReadVector(TTextReader& r) {
    TVector v;
    v.x = static_cast<float>(r.ReadReal());
    v.y = static_cast<float>(r.ReadReal());
    v.z = static_cast<float>(r.ReadReal());
    r.ReadLn();
    return v;
}

bool ReadSwitch(TTextReader& r) {
    const int value = r.ReadInt();
    r.ReadLn();
    return value == 1;
}

void Step(ILoadingSteps* steps, uint8_t n) {
    if (steps) steps->Step(n, " loading menu");
}

// The loading-bar step lit when page p is reached (0: none).
uint8_t PageStep(int p) {
    switch (p) {
    case 2:
        return 4;
    case 3:
        return 5;
    case 5:
        return 7;
    case 6:
        return 8;
    case 7:
        return 9;
    case 8:
        return 10;
    default:
        return 0;
    }
}

} // namespace

std::unique_ptr<TD3DMenu> LoadMenu(gfx::IDevice* device, ILoadingSteps* steps, const std::string& path) {
    TTextReader reader = TTextReader::OpenFile(path);
    return LoadMenu(device, steps, reader);
}

std::unique_ptr<TD3DMenu> LoadMenu(gfx::IDevice* device, ILoadingSteps* steps, TTextReader& r) {
    r.ReadLn();
    const std::string backgroundName = r.ReadLine();
    r.ReadLn();
    const int pageCount = ReadCount(r, "page count", 1, MaxMenuPages);

    gfx::TextureHandle background;
    if (device) LoadTexture(*device, ResourceFolder() + backgroundName, background);
    Step(steps, 2);

    auto menu = std::make_unique<TD3DMenu>();
    menu->SetPageCount(pageCount);
    for (int p = 1; p <= pageCount; ++p) {
        r.ReadLn();
        const int itemCount = ReadCount(r, "item count", 0, MaxMenuItems);
        if (const uint8_t step = PageStep(p)) Step(steps, step);
        for (int i = 1; i <= itemCount; ++i) {
            const std::string normal = r.ReadLine();
            const std::string highlight = r.ReadLine();
            const TVector position = ReadVector(r);
            const TVector scale = ReadVector(r);
            const TVector rotation = ReadVector(r);
            const bool visible = ReadSwitch(r);
            const bool enabled = ReadSwitch(r);
            if (p == 1 && i == 2) Step(steps, 3);
            if (p == 3 && i == 10) Step(steps, 6);
            menu->AddItem(device, p, normal, highlight, position, scale, rotation, visible, enabled);
        }
    }
    menu->SetPage(1, 0);
    menu->MenuBackground = std::move(background);
    return menu;
}

} // namespace veltrane
