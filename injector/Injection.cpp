#include "injector/Injection.h"

#include "injector/ConsoleInjections.h"

namespace injector {

namespace {

platform::Result<void> injectConsole(int conIndex, InjectionContext& context)
{
    switch (conIndex) {
    case CON_NES:
        return injectNes(context);
    case CON_SNES:
        return injectSnes(context);
    case CON_N64:
        return injectN64(context);
    case CON_GENESIS:
    case CON_MASTER_SYSTEM:
    case CON_MSX:
        return injectSega(context);
    case CON_TG16:
        return injectTg16(context);
    case CON_C64:
        return injectC64(context);
    default:
        return injectNeoGeo(context); // also with no console chosen
    }
}

} // namespace

platform::Result<InjectionOutcome> inject(const InjectionRequest& request, platform::MessageSink& sink)
{
    InjectionContext context(request, sink);
    if (auto prepared = injectConsole(request.conIndex, context); !prepared)
        return prepared.error();
    return context.commit();
}

} // namespace injector
