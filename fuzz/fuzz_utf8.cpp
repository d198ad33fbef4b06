// The UTF-8 reader and writer of the engine against the independent
// conversions of the fuzz support: both must refuse and accept the same
// bytes and give the same text, and well-formed text must come back
// unchanged from a round trip.
#include "fuzzsupport.h"
#include "text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace veltara;
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    const auto reference = fuzzsupport::Utf8ToUtf16(bytes);
    FUZZ_CHECK(IsValidUtf8(bytes) == reference.has_value());
    FUZZ_CHECK(Utf8ToUtf16(bytes) == reference);
    if (reference)
        FUZZ_CHECK(Utf16ToUtf8(*reference) == bytes);

    // The bytes as UTF-16 units: well-formed units give the reference's
    // UTF-8; a lone surrogate becomes U+FFFD, so the result is always valid.
    const std::u16string units = fuzzsupport::UnitsOf(data, size);
    const std::string written = Utf16ToUtf8(units);
    FUZZ_CHECK(IsValidUtf8(written));
    if (const auto utf8 = fuzzsupport::Utf16ToUtf8(units))
        FUZZ_CHECK(written == *utf8);
    return 0;
}
