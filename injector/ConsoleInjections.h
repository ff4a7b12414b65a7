#pragma once

// The injection of each console family, one file each. Every one checks its source, destination and
// titles, stages the files it changes into the context and adds to the report; none writes a file
// itself (InjectionContext::commit does, all or none).

#include "injector/InjectionContext.h"

namespace injector {

// NeoGeo (also with no console chosen): rebuilds an existing save banner from the template head, the
// English title and the texture data of the source TPL. NeoGeoInjection.cpp.
[[nodiscard]] platform::Result<void> injectNeoGeo(InjectionContext& context);

// NES: overwrites the embedded save-icon TPL and the English title in 00000001.app. NesInjection.cpp.
[[nodiscard]] platform::Result<void> injectNes(InjectionContext& context);

// SNES: replaces 00000005_app_out\banner.tpl; the English title as two Shift-JIS lines at the ticket
// name. SnesInjection.cpp.
[[nodiscard]] platform::Result<void> injectSnes(InjectionContext& context);

// N64: save_banner.tpl and the seven save-comment files of the meta folder. N64Injection.cpp.
[[nodiscard]] platform::Result<void> injectN64(InjectionContext& context);

// Genesis, Master System, MSX: the WTE set beside banner.cfg.txt and its seven title lines.
// SegaInjection.cpp.
[[nodiscard]] platform::Result<void> injectSega(InjectionContext& context);

// TG16: savedata.tpl and the English title as line 1 of TITLE.TXT. Tg16Injection.cpp.
[[nodiscard]] platform::Result<void> injectTg16(InjectionContext& context);

// C64: replaces 00000005_app_out\LZ77_banner.tpl; the English title as two UTF-16BE lines after the
// "/banner.bin" anchor of 00000001.app. C64Injection.cpp.
[[nodiscard]] platform::Result<void> injectC64(InjectionContext& context);

} // namespace injector
