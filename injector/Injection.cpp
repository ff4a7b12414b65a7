#include "injector/Injection.h"

#include "injector/InjectionSteps.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace injector {

namespace {

platform::Result<void> loadInto(platform::Bytes& buffer, const std::filesystem::path& path)
{
    buffer.clear();
    auto data = platform::readFile(path);
    if (!data)
        return data.error();
    buffer = std::move(data).value();
    return {};
}

std::string utf8(std::u16string_view text)
{
    return platform::utf8FromUtf16(text);
}

} // namespace

platform::Result<void> FileBuffers::Loadhead(const std::filesystem::path& path)
{
    return loadInto(headerData, path);
}

platform::Result<void> FileBuffers::LoadDonor(const std::filesystem::path& path)
{
    return loadInto(donorData, path);
}

platform::Result<void> FileBuffers::LoadDest(const std::filesystem::path& path)
{
    return loadInto(destData, path);
}

platform::Error titleTooLong(const std::string& what)
{
    return platform::makeError(platform::ErrorKind::BadArgument, what + " Nothing was written.", "Title Too Long!");
}

InjectionOutcome cmdInject2(const InjectionRequest& request, FileBuffers& buffers)
{
    return InjectionRun(request, buffers).run();
}

InjectionOutcome InjectionRun::run()
{
    bool finished = false;
    switch (m_req.conIndex) {
    case CON_NES:
        finished = nes();
        break;
    case CON_SNES:
        finished = snes();
        break;
    case CON_N64:
        finished = n64();
        break;
    case CON_GENESIS:
    case CON_MASTER_SYSTEM:
    case CON_MSX:
        finished = sega();
        break;
    case CON_TG16:
        finished = tg16();
        break;
    case CON_C64:
        finished = c64();
        break;
    default:
        finished = neoGeo();
        break; // an unset console runs the NeoGeo branch
    }
    if (!finished)
        return InjectionOutcome{InjectionStatus::Stopped, {}};
    if (!m_report.empty())
        platform::showMessage(utf8(m_report));
    return InjectionOutcome{m_incomplete ? InjectionStatus::Incomplete : InjectionStatus::Done, m_report};
}

bool InjectionRun::stop(const MessageText& text)
{
    platform::showMessage(text.prompt, text.title, text.icon);
    return false;
}

bool InjectionRun::fail(const platform::Error& error)
{
    platform::showError(error, platform::MessageIcon::Critical);
    return false;
}

void InjectionRun::warn(const MessageText& text)
{
    platform::showMessage(text.prompt, text.title, text.icon);
    m_incomplete = true;
}

std::filesystem::path InjectionRun::resolve(std::u16string_view text) const
{
    return platform::resolvePathText(text, m_req.programFolder);
}

std::optional<std::filesystem::path> InjectionRun::usableSource(bool wantFolder)
{
    if (m_req.source.empty())
        return std::nullopt;
    const auto path = resolve(m_req.source);
    if (wantFolder ? platform::folderExists(path) : platform::fileExists(path))
        return path;
    if (m_req.commandLine) {
        const std::string what = wantFolder ? "folder" : "file";
        platform::showMessage("The source " + what + " " + utf8(m_req.source) +
                                  " was not found; no texture was injected.",
                              "Source Not Found!", platform::MessageIcon::Exclamation);
        m_incomplete = true;
    }
    return std::nullopt;
}

bool InjectionRun::replaceTexture(const std::filesystem::path& target, const MessageText& missing,
                                  const std::u16string& line)
{
    const auto source = usableSource(false);
    if (!source)
        return true;
    if (!platform::fileExists(target)) {
        warn(missing);
        return true;
    }
    if (auto copied = platform::copyFile(*source, target); !copied)
        return fail(copied.error());
    m_report += line;
    m_textureCopied = true;
    return true;
}

bool InjectionRun::destinationMissing()
{
    if (m_textureCopied) {
        // The texture alone went in; the report says so. An unattended run, whose report leaves out
        // the titles, also says that they were not written.
        if (m_req.commandLine) {
            platform::showMessage(utf8(m_req.destination) + " not found; the titles were not injected.",
                                  "Invalid Destination!", platform::MessageIcon::Exclamation);
            m_incomplete = true;
        }
        return true;
    }
    return fail(platform::makeError(platform::ErrorKind::NotFound,
                                    utf8(m_req.destination) + " not found! Nothing was injected.",
                                    "Invalid Destination!"));
}

bool InjectionRun::writeWhole(const std::filesystem::path& path, platform::ByteView bytes)
{
    if (auto written = platform::writeFileAtomic(platform::pathForCreate(path), bytes); !written)
        return fail(written.error());
    return true;
}

void InjectionRun::reportTitle(const std::u16string& text)
{
    if (!m_req.commandLine)
        m_report += text;
}

} // namespace injector
