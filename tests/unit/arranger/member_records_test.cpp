// The compact records that a run keeps of its components: every field comes back as fetched, in the
// order kept, for strings of every length (around the 16-byte pieces, full, and with a faulty length
// byte), repeated or nearly repeated from the record before, across blocks, whatever the reader's
// mirror holds in between; and a cleared mirror reads as a new one.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "arranger/member_records.h"

namespace plz {
namespace {

// The two mirrors hold the same values: the same bytes outside the strings, and the same strings.
void ExpectSame(const TPcbComponent& a, const TPcbComponent& b) {
    EXPECT_EQ(std::memcmp(&a.Common, &b.Common, sizeof a.Common), 0);
    const auto* x = reinterpret_cast<const uint8_t*>(&a.Own);
    const auto* y = reinterpret_cast<const uint8_t*>(&b.Own);
    const size_t key = offsetof(PcbComponentFields, FootprintKey), middle = offsetof(PcbComponentFields, ComponentByte1),
                 links = offsetof(PcbComponentFields, SourceLinks);
    EXPECT_EQ(std::memcmp(x, y, key), 0);
    EXPECT_EQ(std::memcmp(x + middle, y + middle, links - middle), 0);
    EXPECT_EQ(a.Own.FootprintKey.Length, b.Own.FootprintKey.Length);
    EXPECT_EQ(a.Own.FootprintKey.View(), b.Own.FootprintKey.View());
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(a.Own.SourceLinks[i].Length, b.Own.SourceLinks[i].Length);
        EXPECT_EQ(a.Own.SourceLinks[i].View(), b.Own.SourceLinks[i].View());
    }
    EXPECT_EQ(a.Own.Default3DModel.View(), b.Own.Default3DModel.View());
}

std::string Text(size_t n, int salt) {
    std::string s(n, ' ');
    for (size_t i = 0; i < n; ++i) s[i] = char(salt * 31 + i * 7 + 1);
    return s;
}

// Every byte of the mirror's fields set from the salt, then its strings given the lengths.
void Fill(TPcbComponent& m, int salt, const size_t (&lengths)[10]) {
    auto* common = reinterpret_cast<uint8_t*>(&m.Common);
    for (size_t i = 0; i < sizeof m.Common; ++i) common[i] = uint8_t(salt + i);
    auto* own = reinterpret_cast<uint8_t*>(&m.Own);
    for (size_t i = 0; i < sizeof m.Own; ++i) own[i] = uint8_t(salt * 3 + i);
    m.Own.FootprintKey.Assign(Text(lengths[0], salt));
    for (int i = 0; i < 8; ++i) m.Own.SourceLinks[i].Assign(Text(lengths[1 + i], salt + i));
    m.Own.Default3DModel.Assign(Text(lengths[9], salt + 9));
}

TEST(MemberRecords, EveryFieldComesBackAsFetchedInTheOrderKept) {
    const size_t lengths[][10] = {
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {1, 15, 16, 17, 31, 32, 33, 1, 0, 14},
        {250, 255, 255, 255, 255, 255, 255, 255, 255, 255},  // every string full
        {249, 240, 241, 239, 254, 200, 100, 64, 63, 65},
    };
    MemberRecords store;
    std::vector<std::unique_ptr<TPcbComponent>> kept;
    // Enough full records to fill several blocks. Some repeat strings of the record before, some
    // change only a string's length byte or its last character, and one repeats a faulty length.
    for (int round = 0; round < 40; ++round)
        for (const auto& l : lengths) {
            auto m = std::make_unique<TPcbComponent>(0);
            if (round % 3 == 0 && !kept.empty()) {  // every third round repeats the record before ...
                m->Common = kept.back()->Common;
                m->Own = kept.back()->Own;
            } else {
                Fill(*m, int(kept.size()), l);
            }
            m->Common.Handle = uint32_t(kept.size());  // ... in another component, with changes:
            if (round % 5 == 1) m->Own.FootprintKey.Length = 255;  // faulty: past the capacity of 250
            if (round % 7 == 2 && l[3] > 0) m->Own.SourceLinks[2].Chars[l[3] - 1] ^= 1;
            if (round % 11 == 3) m->Own.Default3DModel.Length = uint8_t(l[9] / 2);
            store.Keep(*m);
            kept.push_back(std::move(m));
        }
    ASSERT_EQ(store.Count(), kept.size());
    MemberRecords::Reader reader(store);
    for (size_t i = 0; i < kept.size(); ++i) {
        SCOPED_TRACE(i);
        TPcbComponent& restored = reader.Next();
        ExpectSame(restored, *kept[i]);
        Fill(restored, 200 + int(i % 7), lengths[2]);  // what a host may leave in the mirror
    }
    EXPECT_THROW(reader.Next(), std::out_of_range);
}

TEST(MemberRecords, AClearedMirrorReadsAsANewOne) {
    TPcbComponent used(0);
    Fill(used, 5, {9, 20, 30, 40, 250, 255, 1, 2, 3, 17});
    MemberRecords::Clear(used, 0x01000007);
    ExpectSame(used, TPcbComponent(0x01000007));
}

}  // namespace
}  // namespace plz
