// Fuzz target of the arrangement's options and the natural order. Any parameter text gives either
// a message that names what is wrong, or options whose description reads back to the same
// options; a length, when read, lies within its stated bound; and the natural order is a
// consistent order (antisymmetric, reflexive, transitive on the input's three strings).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "arranger/arrange_options.h"
#include "arranger/natural_order.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The parameter text up to the first zero, then three strings for the order, split at zeros.
    const std::string all(reinterpret_cast<const char*>(data), size);
    std::string parts[4];
    size_t at = 0;
    for (std::string& part : parts) {
        const size_t end = std::min(all.find('\0', at), all.size());
        if (at <= all.size()) part = all.substr(at, end - at);
        at = end + 1;
    }

    plz::ArrangeOptions options;
    const std::optional<std::string> problem = plz::ReadArrangeOptions(parts[0].c_str(), options);
    if (problem) {
        PLZ_FUZZ_CHECK(problem->starts_with("The parameter"));
    } else {
        const std::string described = plz::DescribeArrangeOptions(options);
        plz::ArrangeOptions again;
        PLZ_FUZZ_CHECK(!plz::ReadArrangeOptions(described.c_str(), again));
        PLZ_FUZZ_CHECK(again == options);
        PLZ_FUZZ_CHECK(options.Gap >= 0 && options.Width >= 0 && options.ColumnCount >= 0);
    }

    if (const std::optional<int64_t> length = plz::ParseLength(parts[1]))
        PLZ_FUZZ_CHECK(*length >= -1'000'000'000'000'000 && *length <= 1'000'000'000'000'000);

    const std::string_view a = parts[1], b = parts[2], c = parts[3];
    PLZ_FUZZ_CHECK(plz::CompareNatural(a, a) == 0);
    PLZ_FUZZ_CHECK(Sign(plz::CompareNatural(a, b)) == -Sign(plz::CompareNatural(b, a)));
    if (plz::CompareNatural(a, b) <= 0 && plz::CompareNatural(b, c) <= 0)
        PLZ_FUZZ_CHECK(plz::CompareNatural(a, c) <= 0);
    return 0;
}
