// Compact copies of the component records that a run fetches and keeps until it commits them: the
// whole mirror, each short string cut to its length and left out where it repeats the same string
// of the record kept before, in blocks that double in size. A board of many components then holds
// tens to a few hundred bytes per component instead of the mirror record's 2,629, and the records
// lie one after the other in the order they were kept, which is the order they are read back in.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "RTL/pcb_component.h"

namespace plz {

class MemberRecords {
public:
    // The strings of a record: the footprint key, the eight source links and the 3D model.
    static constexpr std::size_t kStrings = 10;

    // Keeps a copy of the mirror's fields after the records kept before.
    void Keep(const TPcbComponent& mirror);
    std::size_t Count() const { return count_; }

    // Reads the records back in the order they were kept, each into the reader's own mirror, which
    // it rewrites whole: what the mirror held before, or what a host wrote into it, does not matter.
    class Reader {
    public:
        explicit Reader(const MemberRecords& records) : records_(records) {}
        // The next record, every field as it was kept, the handle included. Only Count() times.
        TPcbComponent& Next();

    private:
        const MemberRecords& records_;
        std::size_t block_ = 0;
        std::size_t at_ = 0;  // in the block
        std::array<const uint8_t*, kStrings> last_{};  // where each string was last written out
        TPcbComponent mirror_{0};
    };

    // Makes a used mirror read as a new one of the handle: every field zero, every string empty.
    // Cheaper than a new mirror: the characters past a string's end, which nothing reads, stay.
    static void Clear(TPcbComponent& mirror, uint32_t handle);

private:
    struct Block {
        std::unique_ptr<uint8_t[]> bytes;
        std::size_t used = 0;
    };
    std::vector<Block> blocks_;
    std::size_t size_ = 0;   // bytes of the last block
    std::size_t count_ = 0;  // records kept
    std::array<const uint8_t*, kStrings> last_{};  // where each string was last written out
};

}  // namespace plz
