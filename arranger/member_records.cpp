// The compact form of a component record: a mask of the strings that repeat the record before, the
// shared fields and the fixed parts as they are, then each other string as its length byte and its
// characters.
#include "arranger/member_records.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace plz {
namespace {

using Mask = uint16_t;
static_assert(MemberRecords::kStrings <= 8 * sizeof(Mask));

// The most a record can take: the mask, every field and every string full. A block always has room
// for that much after its last record, so the 16-byte pieces never pass its end.
constexpr std::size_t kMostBytes = sizeof(Mask) + sizeof(PcbObjectFields) + sizeof(PcbComponentFields);
constexpr std::size_t kFirstBlockBytes = 4 * kMostBytes;
constexpr std::size_t kLargestBlockBytes = std::size_t(1) << 20;

// The fixed parts of the component's own record around its strings.
constexpr std::size_t kHeadBytes = offsetof(PcbComponentFields, FootprintKey);
constexpr std::size_t kMiddleFrom = offsetof(PcbComponentFields, ComponentByte1);
constexpr std::size_t kMiddleBytes = offsetof(PcbComponentFields, SourceLinks) - kMiddleFrom;

uint8_t* Put(uint8_t* at, const void* from, std::size_t n) {
    std::memcpy(at, from, n);
    return at + n;
}
const uint8_t* Take(const uint8_t* at, void* to, std::size_t n) {
    std::memcpy(to, at, n);
    return at + n;
}
// Copies the n characters of a string of capacity N in 16-byte pieces while the capacity allows:
// short strings, the usual ones, then take one or two fixed-size moves instead of a library call.
// It may copy up to 15 bytes past n, within the capacity: the ones that follow in a kept record, or
// unused characters of a mirror's string.
template <std::size_t N>
void CopyChars(uint8_t* to, const uint8_t* from, std::size_t n) {
    std::size_t i = 0;
    for (; i < n && N - i >= 16; i += 16) std::memcpy(to + i, from + i, 16);
    if (i < n) std::memcpy(to + i, from + i, n - i);
}
// The length byte as the host left it, then the characters it stands for.
template <std::size_t N>
uint8_t* PutText(uint8_t* at, const ShortString<N>& s) {
    *at++ = s.Length;
    CopyChars<N>(at, reinterpret_cast<const uint8_t*>(s.Chars), s.Size());
    return at + s.Size();
}
template <std::size_t N>
const uint8_t* TakeText(const uint8_t* at, ShortString<N>& s) {
    s.Length = *at++;
    CopyChars<N>(reinterpret_cast<uint8_t*>(s.Chars), at, s.Size());
    return at + s.Size();
}
// Whether a string written out at `at` is the same as s, length byte included; in words of eight
// bytes, inline: the strings are short, and most of them are the same.
template <std::size_t N>
bool SameText(const uint8_t* at, const ShortString<N>& s) {
    if (at[0] != s.Length) return false;
    const auto* a = at + 1;
    const auto* b = reinterpret_cast<const uint8_t*>(s.Chars);
    const std::size_t n = s.Size();
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) return false;
    }
    for (; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// Calls f(i, string) for the record's strings in their order.
template <class Mirror, class F>
void ForEachString(Mirror& mirror, F&& f) {
    f(0, mirror.Own.FootprintKey);
    for (std::size_t k = 0; k < 8; ++k) f(1 + k, mirror.Own.SourceLinks[k]);
    f(9, mirror.Own.Default3DModel);
}

}  // namespace

void MemberRecords::Keep(const TPcbComponent& mirror) {
    if (blocks_.empty() || size_ - blocks_.back().used < kMostBytes) {
        size_ = blocks_.empty() ? kFirstBlockBytes : std::min(2 * size_, kLargestBlockBytes);
        blocks_.push_back({std::make_unique_for_overwrite<uint8_t[]>(size_), 0});  // written as kept
    }
    Block& block = blocks_.back();
    uint8_t* const start = block.bytes.get() + block.used;
    const auto* own = reinterpret_cast<const uint8_t*>(&mirror.Own);
    uint8_t* at = Put(start + sizeof(Mask), &mirror.Common, sizeof mirror.Common);
    at = Put(at, own, kHeadBytes);
    at = Put(at, own + kMiddleFrom, kMiddleBytes);
    // Neighbouring components often share links and models: a string the same as the one written
    // out last for its place is left out, and read back from there.
    Mask repeats = 0;
    ForEachString(mirror, [&](std::size_t i, const auto& s) {
        if (last_[i] && SameText(last_[i], s)) {
            repeats |= Mask(1u << i);
            return;
        }
        last_[i] = at;
        at = PutText(at, s);
    });
    std::memcpy(start, &repeats, sizeof repeats);
    block.used += std::size_t(at - start);
    ++count_;
}

TPcbComponent& MemberRecords::Reader::Next() {
    if (block_ < records_.blocks_.size() && at_ == records_.blocks_[block_].used) ++block_, at_ = 0;
    if (block_ >= records_.blocks_.size()) throw std::out_of_range("no member record left to read");
    const uint8_t* const start = records_.blocks_[block_].bytes.get() + at_;
    Mask repeats;
    std::memcpy(&repeats, start, sizeof repeats);
    auto* own = reinterpret_cast<uint8_t*>(&mirror_.Own);
    const uint8_t* at = Take(start + sizeof(Mask), &mirror_.Common, sizeof mirror_.Common);
    at = Take(at, own, kHeadBytes);
    at = Take(at, own + kMiddleFrom, kMiddleBytes);
    ForEachString(mirror_, [&](std::size_t i, auto& s) {
        if ((repeats >> i) & 1u) {
            TakeText(last_[i], s);
            return;
        }
        last_[i] = at;
        at = TakeText(at, s);
    });
    at_ += std::size_t(at - start);
    return mirror_;
}

void MemberRecords::Clear(TPcbComponent& mirror, uint32_t handle) {
    mirror.Common = PcbObjectFields{};
    mirror.Common.Handle = handle;
    mirror.Common.ObjectKind = kComponentObject;
    auto* own = reinterpret_cast<uint8_t*>(&mirror.Own);
    std::memset(own, 0, kHeadBytes);
    mirror.Own.FootprintKey.Length = 0;
    std::memset(own + kMiddleFrom, 0, kMiddleBytes);
    for (auto& link : mirror.Own.SourceLinks) link.Length = 0;
    mirror.Own.Default3DModel.Length = 0;
}

}  // namespace plz
