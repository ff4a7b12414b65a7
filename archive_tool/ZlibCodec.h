#pragma once

#include <cstdint>

#include "platform/Bytes.h"
#include "platform/Result.h"

namespace archive_tool {

// The message of a zlib result as the tool shows it: title "Compression Error", text per result
// (-3 "Input file corrupted", -4 "Insufficient memory", -5 "Buffer too small").
platform::Error compressionError(int zlibResult);

// Appends source to out as one zlib stream, the same bytes zlib's compress() writes at the default
// level. The stream is produced in chunks straight into out, so a caller that reserved room in out
// pays for no second copy of the compressed bytes.
[[nodiscard]] platform::Result<void> appendCompressed(platform::ByteView source, platform::Bytes& out);

// Inflates a zlib stream that must give exactly declaredSize bytes. The declared size is not
// trusted for the allocation: the first buffer is at most what the stream could produce at deflate's
// highest ratio, and it grows only as bytes really come out. A stream that gives more or fewer bytes
// than declared, is cut short, or fails its checksum is "Input file corrupted"; bytes after the end
// of the stream are ignored, as zlib's uncompress() ignores them.
[[nodiscard]] platform::Result<platform::Bytes> inflateExactly(platform::ByteView stream, std::uint32_t declaredSize);

} // namespace archive_tool
