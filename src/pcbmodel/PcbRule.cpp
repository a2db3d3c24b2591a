#include "pcbmodel/PcbRule.h"

#include "serverclient/PcbApi.h"

namespace corvane {

TPcbRule::TPcbRule(HostHandle handle) : TPCBObject(handle) {
    ObjectId = KindCodeOf(ObjectKind::Rule);
}

std::int32_t TPcbRule::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    return PcbApi_QueryRule(mode, Handle, &RuleOption1, &RuleOption2, &RuleOption3, &RuleOption4,
                            &RuleOption5, &RuleOption6, &RuleOption7, &RuleText1, &RuleText2,
                            &RuleText3, &RuleText4, &RuleOption8, &RuleOption9, &RuleValue1,
                            &RuleValue2, &RuleValue3, &RuleValue4, &RuleText5, &RuleText6,
                            &RuleText7, &RuleText8, &RuleText9, &RuleText10);
}

} // namespace corvane
