// Fuzz target for reading numeric text and showing doubles, built with libFuzzer by fuzz/run.sh,
// which starts from the kept corpus in fuzz/corpus/.
#include "platform/numbers.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

// Active in every build type, unlike assert.
void require(bool holds, const char* what, std::string_view input)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\ninput (%zu bytes): %.*s\n", what, input.size(),
                 static_cast<int>(input.size()), input.data());
    std::abort();
}

// Shows value and reads the text back: within 15 significant digits, never over 25 characters.
void checkShown(double value, std::string_view input)
{
    if (!std::isfinite(value))
        return;
    const std::string shown = mensurio::formatNumber(value);
    require(shown.size() <= 25, "a shown number is at most 25 characters", input);
    const auto back = mensurio::readNumber(shown);
    require(back.has_value(), "a shown number reads back as numeric", input);
    const double tolerance = std::fmax(std::fabs(value) * 6e-15, 5e-324);
    require(std::fabs(*back - value) <= tolerance, "a shown number reads back within 15 digits",
            input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto value = mensurio::readNumber(text)) {
        require(std::isfinite(*value), "a numeric text reads as a finite double", text);
        checkShown(*value, text);
    }
    // The same bytes as a double: every bit pattern, subnormals included.
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        checkShown(value, text);
    }
    return 0;
}
