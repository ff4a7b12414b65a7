#include "injector/InjectionContext.h"

#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace injector {

InjectionContext::InjectionContext(const InjectionRequest& request, platform::MessageSink& sink)
    : m_request(request), m_sink(sink)
{
}

std::filesystem::path InjectionContext::resolve(std::u16string_view text) const
{
    return platform::resolvePathText(text, m_request.programFolder);
}

platform::Result<platform::Bytes> InjectionContext::requiredSource(SourceKind kind, const MessageText& missing) const
{
    const auto path = resolve(m_request.source);
    if (m_request.source.empty() || !platform::fileExists(path))
        return errorOf(missing, platform::ErrorKind::NotFound, lookedFor(path, m_request.source));
    auto bytes = platform::readFile(path);
    if (!bytes)
        return bytes.error();
    if (auto checked = checkSourceKind(*bytes, kind, path); !checked)
        return checked.error();
    return bytes;
}

platform::Result<std::optional<std::filesystem::path>> InjectionContext::optionalSource(bool folder) const
{
    if (m_request.source.empty())
        return std::optional<std::filesystem::path>();
    const auto path = resolve(m_request.source);
    if (folder ? platform::folderExists(path) : platform::fileExists(path))
        return std::optional<std::filesystem::path>(path);
    if (!m_request.commandLine)
        return std::optional<std::filesystem::path>();
    return platform::makeError(platform::ErrorKind::NotFound,
                               std::string("The source ") + (folder ? "folder" : "file") + " was not found. " +
                                   lookedFor(path, m_request.source) + " Nothing was injected.",
                               "Source Not Found!");
}

platform::Result<void> InjectionContext::replaceTexture(SourceKind kind, const std::u16string& targetText,
                                                        const MessageText& missing, std::u16string reportLine)
{
    auto source = optionalSource(false);
    if (!source)
        return source.error();
    if (!*source)
        return {};
    const auto target = resolve(targetText);
    if (!platform::fileExists(target)) {
        if (m_request.commandLine)
            return errorOf(missing, platform::ErrorKind::NotFound,
                           lookedFor(target, targetText) + " Nothing was injected.");
        m_sink.message(std::string(missing.prompt) + "\r\n" + lookedFor(target, targetText), missing.title,
                       missing.icon);
        m_passedOver = true;
        return {};
    }
    auto bytes = platform::readFile(**source);
    if (!bytes)
        return bytes.error();
    if (auto checked = checkSourceKind(*bytes, kind, **source); !checked)
        return checked.error();
    stage(target, std::move(bytes).value());
    report(reportLine);
    return {};
}

platform::Result<void> InjectionContext::destinationMissing(const std::filesystem::path& dest) const
{
    if (!m_request.commandLine && !m_writes.empty())
        return {};
    return destinationNotFound(dest);
}

platform::Error InjectionContext::destinationNotFound(const std::filesystem::path& dest) const
{
    return platform::makeError(platform::ErrorKind::NotFound,
                               platform::utf8FromUtf16(platform::fileNameOfPathText(m_request.destination)) +
                                   " not found! " + lookedFor(dest, m_request.destination) + " Nothing was injected.",
                               "Invalid Destination!");
}

void InjectionContext::stage(const std::filesystem::path& target, platform::Bytes bytes)
{
    m_writes.push_back(platform::FileWrite{platform::pathForCreate(target), std::move(bytes)});
}

void InjectionContext::report(std::u16string_view text)
{
    m_report += text;
}

void InjectionContext::reportTitle(std::u16string_view text)
{
    if (!m_request.commandLine)
        m_report += text;
}

platform::Result<InjectionOutcome> InjectionContext::commit()
{
    if (!m_writes.empty())
        if (auto written = platform::writeFilesAtomic(m_writes); !written) {
            platform::Error error = written.error();
            error.message += " Nothing was injected.";
            return error;
        }
    if (!m_report.empty())
        m_sink.message(platform::utf8FromUtf16(m_report));
    return InjectionOutcome{!m_passedOver, m_report};
}

} // namespace injector
