// The design records' transfers.
#include "RTL/pcb_records.h"

#include "RTL/pcb_api.h"

namespace plz {

TPcbEmbedded::TPcbEmbedded(uint32_t handle)
    : TPCBObject(handle), Buffer(std::make_unique<uint8_t[]>(kEmbeddedBufferBytes)) {
    Common.ObjectKind = kEmbeddedObject;
}

uint32_t TPcbEmbedded::Transfer(Direction direction) {
    TransferBitFields(direction);
    return PcbApi_QueryEmbedded(WireDirection(direction), Common.Handle, &EmbeddedName, Buffer.get());
}

TPcbRule::TPcbRule(uint32_t handle) : TPCBObject(handle) { Common.ObjectKind = kRuleObject; }

uint32_t TPcbRule::Transfer(Direction direction) {
    TransferBitFields(direction);
    PcbRuleFields& o = Own;
    return PcbApi_QueryRule(WireDirection(direction), Common.Handle, &o.RuleByte1, &o.RuleByte2, &o.RuleByte3,
                            &o.RuleByte4, &o.RuleByte5, &o.RuleByte6, &o.RuleByte7, &o.RuleString1, &o.RuleString2,
                            &o.RuleString3, &o.RuleString4, &o.RuleByte8, &o.RuleByte9, &o.RuleValue1,
                            &o.RuleValue2, &o.RuleValue3, &o.RuleValue4, &o.RuleString5, &o.RuleString6,
                            &o.RuleString7, &o.RuleString8, &o.RuleString9, &o.RuleString10);
}

TPcbViolation::TPcbViolation(uint32_t handle) : TPCBObject(handle) { Common.ObjectKind = kViolationObject; }

uint32_t TPcbViolation::Transfer(Direction direction) {
    TransferBitFields(direction);
    PcbViolationFields& o = Own;
    return PcbApi_QueryViolation(WireDirection(direction), Common.Handle, &o.ViolationString1, &o.ViolationString2,
                                 &o.ViolationValue1, &o.ViolationValue2, &o.ViolationValue3);
}

}  // namespace plz
