#include "icon_generator/OutputNames.h"

namespace icon_generator {

std::vector<ScratchPicture> savePictures(Family family)
{
    using enum FrameBox;
    if (family == Family::NeoGeo)
        return {{"1.tga", Banner}, {"2.tga", FrameA}, {"3.tga", FrameA}, {"4.tga", FrameA}, {"5.tga", Blend3},
                {"6.tga", Blend4}, {"7.tga", FrameB}, {"8.tga", FrameB}, {"9.tga", FrameB}};
    return {{"1.tga", Banner}, {"2.tga", FrameA}, {"3.tga", Blend3}, {"4.tga", Blend4}, {"5.tga", FrameB}};
}

std::vector<std::string> scratchNames()
{
    std::vector<std::string> names;
    for (const auto& picture : savePictures(Family::NeoGeo))
        names.push_back(picture.name);
    names.insert(names.end(), {SINGLE_FRAME_SCRATCH, CHANNEL_PICTURE_SCRATCH, CHANNEL_ICON_SCRATCH});
    return names;
}

std::string bannerWteName(int consoleIndex, const std::function<bool(std::string_view)>& exists)
{
    std::string chosen;
    for (const auto name : BANNER_WTE_NAMES)
        if (exists(name))
            chosen = name;
    return chosen.empty() ? std::string(consoleAt(consoleIndex).saveFile) : chosen;
}

std::vector<WteFile> wteFiles(const std::string& bannerName)
{
    using enum FrameBox;
    return {{"01.wte", FrameA}, {"02.wte", FrameA}, {"05.wte", FrameB},  {"06.wte", FrameB},
            {"03.wte", Blend3}, {"04.wte", Blend4}, {bannerName, Banner}};
}

std::vector<std::string> outputNames(int consoleIndex, bool saveData, bool channelPicture, bool channelIcon,
                                     const std::function<bool(std::string_view)>& exists)
{
    std::vector<std::string> names;
    const Console& console = consoleAt(consoleIndex);
    if (saveData && console.family == Family::Wte) {
        for (const auto& file : wteFiles(bannerWteName(consoleIndex, exists)))
            names.push_back(file.name);
    } else if (saveData) {
        names.emplace_back(console.saveFile);
    }
    if (channelPicture)
        names.emplace_back(CHANNEL_PICTURE_FILE);
    if (channelIcon)
        names.emplace_back(CHANNEL_ICON_FILE);
    return names;
}

} // namespace icon_generator
