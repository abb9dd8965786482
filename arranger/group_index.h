// The footprint groups of a run by key, for collection: an open-addressed table that holds each
// group's hash, a copy of its key and its address, so that finding a component's group costs a
// hash and, nearly always, one comparison of keys, all in the table's own small memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plz {

template <class Group>  // anything with a Key whose View() is the group's key
class GroupIndex {
public:
    // The group of the key, or null.
    Group* Find(std::string_view key) const {
        if (slots_.empty()) return nullptr;
        const uint64_t hash = Hash(key);
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            const Slot& slot = slots_[i];
            if (!slot.group) return nullptr;
            if (slot.hash == hash && std::string_view(keys_).substr(slot.at, slot.size) == key) return slot.group;
        }
    }
    // Adds a group whose key is not in the table yet; the group must outlive its entry.
    void Add(Group* group) {
        if (2 * (count_ + 1) > slots_.size()) Grow();
        const std::string_view key = group->Key.View();
        Place(Slot{Hash(key), uint32_t(keys_.size()), uint32_t(key.size()), group});
        keys_.append(key);
        ++count_;
    }
    void Clear() {
        slots_.clear();
        keys_.clear();
        count_ = 0;
        mask_ = 0;
    }

private:
    struct Slot {
        uint64_t hash = 0;
        uint32_t at = 0, size = 0;  // the key in keys_
        Group* group = nullptr;
    };
    // FNV-1a, with its high bits folded into the low ones that pick the slot. Keys are short.
    static uint64_t Hash(std::string_view key) {
        uint64_t h = 14695981039346656037ull;
        for (const char c : key) h = (h ^ uint8_t(c)) * 1099511628211ull;
        return h ^ (h >> 32);
    }
    void Place(const Slot& slot) {
        std::size_t i = slot.hash & mask_;
        while (slots_[i].group) i = (i + 1) & mask_;
        slots_[i] = slot;
    }
    // Keeps the table at most half full, so that probes stay short.
    void Grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(old.empty() ? 64 : 2 * old.size(), Slot{});
        mask_ = slots_.size() - 1;
        for (const Slot& slot : old)
            if (slot.group) Place(slot);
    }

    std::vector<Slot> slots_;
    std::string keys_;
    std::size_t count_ = 0;
    std::size_t mask_ = 0;
};

}  // namespace plz
