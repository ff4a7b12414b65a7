#pragma once

// The names of the files the generator reads and writes: the outputs at the destination prefix, the
// converter scripts, and the scratch pictures in the program folder. Every output is named
// prefix + a fixed name, so a prefix "C:\out\" gives "C:\out\banner.tpl" and a prefix that ends in a
// stem "C:\pics\mario" gives "C:\pics\mariobanner.tpl".

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QSize>

#include "icon_generator/FrameComposer.h"

namespace icon_generator {

// Converter scripts in the program folder.
inline constexpr const char* SAVE_ICON_SCRIPT = "save_icon.tcs";    // 1.tga .. 5.tga -> five images
inline constexpr const char* NEOGEO_SCRIPT = "ng_save_icon.tcs";    // 1.tga .. 9.tga -> nine images
inline constexpr const char* SINGLE_SCRIPT = "single.tcs";          // in.tga -> one image
inline constexpr const char* CHANNEL_PICTURE_SCRIPT = "vcpic.tcs";  // vcpic.tga
inline constexpr const char* CHANNEL_ICON_SCRIPT = "iconvcpic.tcs"; // IconVCpic.tga

// Outputs that do not depend on the console.
inline constexpr const char* CHANNEL_PICTURE_FILE = "VCPic.tpl";
inline constexpr const char* CHANNEL_ICON_FILE = "IconVCPic.tpl";
inline constexpr const char* UNCOMPRESSED_C64_FILE = "LZ77_banner.arc"; // kept when gbalzss is missing
inline constexpr QSize CHANNEL_PICTURE_SIZE{256, 192};
inline constexpr QSize CHANNEL_ICON_SIZE{128, 96};

// Scratch pictures the scripts read (program folder).
inline constexpr const char* CHANNEL_PICTURE_SCRATCH = "vcpic.tga";
inline constexpr const char* CHANNEL_ICON_SCRATCH = "IconVCpic.tga";
inline constexpr const char* SINGLE_FRAME_SCRATCH = "in.tga";

// A scratch picture and the frame it holds.
struct ScratchPicture
{
    std::string name;
    FrameBox frame;
};

// The pictures the save-data script of a family reads: for the five-frame TPL 1 banner, 2 frame A,
// 3 and 4 the blends, 5 frame B; for NeoGeo 1 banner, 2-4 frame A, 5 and 6 the blends, 7-9 frame B.
std::vector<ScratchPicture> savePictures(Family family);

// Every scratch picture a run may write: 1.tga to 9.tga, in.tga and the two channel pictures.
std::vector<std::string> scratchNames();

// The banner WTEs a destination may hold, in the order they are looked for.
inline constexpr std::array<std::string_view, 5> BANNER_WTE_NAMES{"banner.wte", "banner_us.wte", "banner_uk.wte",
                                                                  "banner_eu.wte", "banner_jp.wte"};

// The banner WTE a WTE-group console writes: the last of BANNER_WTE_NAMES that exists (so an
// existing banner WTE is replaced), else the console's own default. exists answers for a name.
std::string bannerWteName(int consoleIndex, const std::function<bool(std::string_view)>& exists);

// One file of the WTE set and the frame it is made from.
struct WteFile
{
    std::string name;
    FrameBox frame;
};

// The WTE set in the order it is made: 01 and 02 from frame A, 05 and 06 from frame B, 03 and 04 from
// the blends, then the banner.
std::vector<WteFile> wteFiles(const std::string& bannerName);

// The names (after the prefix) a run writes for a console and the three choices, in the order they
// are written. The C-64 file is the compressed one.
std::vector<std::string> outputNames(int consoleIndex, bool saveData, bool channelPicture, bool channelIcon,
                                     const std::function<bool(std::string_view)>& exists);

} // namespace icon_generator
