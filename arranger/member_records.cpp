// The compact form of a component record: the shared fields and the fixed parts as they are, and
// each short string as its length byte and its characters.
#include "arranger/member_records.h"

#include <algorithm>
#include <cstring>

namespace plz {
namespace {

// The most a record can take: every string full. A block always has room for that much after its
// last record, so the 16-byte pieces never pass its end.
constexpr std::size_t kMostBytes = sizeof(PcbObjectFields) + sizeof(PcbComponentFields);
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

}  // namespace

const uint8_t* MemberRecords::Keep(const TPcbComponent& mirror) {
    if (size_ - used_ < kMostBytes) {
        size_ = blocks_.empty() ? kFirstBlockBytes : std::min(2 * size_, kLargestBlockBytes);
        blocks_.push_back(std::make_unique<uint8_t[]>(size_));
        used_ = 0;
    }
    uint8_t* const start = blocks_.back().get() + used_;
    const auto* own = reinterpret_cast<const uint8_t*>(&mirror.Own);
    uint8_t* at = Put(start, &mirror.Common, sizeof mirror.Common);
    at = Put(at, own, kHeadBytes);
    at = PutText(at, mirror.Own.FootprintKey);
    at = Put(at, own + kMiddleFrom, kMiddleBytes);
    for (const auto& link : mirror.Own.SourceLinks) at = PutText(at, link);
    at = PutText(at, mirror.Own.Default3DModel);
    used_ += std::size_t(at - start);
    return start;
}

void MemberRecords::Restore(const uint8_t* record, TPcbComponent& mirror) {
    auto* own = reinterpret_cast<uint8_t*>(&mirror.Own);
    const uint8_t* at = Take(record, &mirror.Common, sizeof mirror.Common);
    at = Take(at, own, kHeadBytes);
    at = TakeText(at, mirror.Own.FootprintKey);
    at = Take(at, own + kMiddleFrom, kMiddleBytes);
    for (auto& link : mirror.Own.SourceLinks) at = TakeText(at, link);
    TakeText(at, mirror.Own.Default3DModel);
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
