// The mirrors of the design records: embedded records with their owned buffer, design rules and
// rule violations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "RTL/pcb_api_calls.h"
#include "RTL/pcb_object.h"

namespace plz {

#pragma pack(push, 1)
struct PcbRuleFields {
    uint8_t RuleByte1 = 0, RuleByte2 = 0, RuleByte3 = 0, RuleByte4 = 0, RuleByte5 = 0, RuleByte6 = 0,
            RuleByte7 = 0;
    ShortString<255> RuleString1, RuleString2, RuleString3, RuleString4;
    uint8_t RuleByte8 = 0, RuleByte9 = 0;
    uint32_t RuleValue1 = 0, RuleValue2 = 0, RuleValue3 = 0, RuleValue4 = 0;
    ShortString<255> RuleString5, RuleString6, RuleString7, RuleString8, RuleString9, RuleString10;
};
static_assert(sizeof(PcbRuleFields) == 7 + 4 * 256 + 2 + 16 + 6 * 256);

struct PcbViolationFields {
    ShortString<255> ViolationString1, ViolationString2;
    uint32_t ViolationValue1 = 0, ViolationValue2 = 0, ViolationValue3 = 0;
};
static_assert(sizeof(PcbViolationFields) == 2 * 256 + 12);
#pragma pack(pop)

class TPcbEmbedded : public TPCBObject {
public:
    explicit TPcbEmbedded(uint32_t handle);
    ShortString<255> EmbeddedName;
    // The record's buffer of kEmbeddedBufferBytes, owned by the mirror and freed with it; the
    // host reads or fills it through its address.
    std::unique_ptr<uint8_t[]> Buffer;

    uint32_t Transfer(Direction direction) override;
};

class TPcbRule : public TPCBObject {
public:
    explicit TPcbRule(uint32_t handle);
    PcbRuleFields Own;

    uint32_t Transfer(Direction direction) override;
};

class TPcbViolation : public TPCBObject {
public:
    explicit TPcbViolation(uint32_t handle);
    PcbViolationFields Own;

    uint32_t Transfer(Direction direction) override;
};

}  // namespace plz
