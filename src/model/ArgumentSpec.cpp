#include "model/ArgumentSpec.h"

#include "model/TextOps.h"
#include "model/Texts.h"

namespace hakoniwa {
namespace {

std::vector<Constant> parseConstants(const std::string& typeSpec) {
    const std::string list = getSplitStrVal(getSplitStrVal(typeSpec, '(', 1), ')', 0);
    std::vector<Constant> constants;
    const int count = getSplitCount(list, '|');
    for (int i = 0; i < count; ++i) {
        const std::string constant = getSplitStrVal(list, '|', i);
        constants.push_back({getSplitStrVal(constant, '.', 0), getSplitStrVal(constant, '.', 1)});
    }
    return constants;
}

} // namespace

ArgumentSpec ArgumentSpec::parse(const std::string& field) {
    ArgumentSpec spec;
    spec.description = getSplitStrVal(field, ':', 0);
    spec.typeSpec = getSplitStrVal(field, ':', 1);
    if (serchStr(spec.typeSpec, "hen.w")) {
        spec.kind = ArgumentKind::Result;
    } else if (serchStr(spec.typeSpec, "hen|val.file")) {
        spec.kind = ArgumentKind::File;
    } else if (serchStr(spec.typeSpec, "hen|val")) {
        spec.kind = ArgumentKind::VariableOrValue;
        spec.defaultValue = getSplitStrVal(spec.typeSpec, '.', 1);
    } else if (serchStr(spec.typeSpec, "tei(")) {
        spec.kind = ArgumentKind::Constant;
        spec.constants = parseConstants(spec.typeSpec);
    }
    return spec;
}

std::string ArgumentSpec::hintLine() const {
    std::string line = description;
    switch (kind) {
    case ArgumentKind::Result:
        line += texts::kHintResult;
        break;
    case ArgumentKind::VariableOrValue:
        line += texts::kHintDefaultOpen + defaultValue + "]";
        break;
    case ArgumentKind::Constant:
        line += texts::kHintConstantsOpen;
        for (const Constant& constant : constants)
            line += constant.label + "[" + constant.value + "],";
        line += ")";
        break;
    case ArgumentKind::File:
    case ArgumentKind::Free:
        break;
    }
    return line;
}

} // namespace hakoniwa
