// Compact copies of the component records that a run fetches and keeps until it commits them: the
// whole mirror, each short string cut to its length, in blocks that double in size. A board of many
// components then holds a few hundred bytes per component instead of the mirror record's 2,629, and
// the records lie one after the other in the order they were kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "RTL/pcb_component.h"

namespace plz {

class MemberRecords {
public:
    // Keeps a copy of the mirror's fields; the address stays valid until the store is destroyed.
    const uint8_t* Keep(const TPcbComponent& mirror);
    // Writes a kept copy back into a mirror: every field as it was, the handle included.
    static void Restore(const uint8_t* record, TPcbComponent& mirror);
    // Makes a used mirror read as a new one of the handle: every field zero, every string empty.
    // Cheaper than a new mirror: the characters past a string's end, which nothing reads, stay.
    static void Clear(TPcbComponent& mirror, uint32_t handle);

private:
    std::vector<std::unique_ptr<uint8_t[]>> blocks_;
    std::size_t used_ = 0;  // bytes taken in the last block
    std::size_t size_ = 0;  // bytes of the last block
};

}  // namespace plz
