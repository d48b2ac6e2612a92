#include "model/ArgumentHint.h"

#include "model/TextOps.h"
#include "model/Texts.h"

namespace hakoniwa {

ArgumentHint ArgumentHint::build(std::string_view definition, int column) {
    ArgumentHint hint;
    const int fieldCount = getSplitCount(definition, ',');
    for (int k = 0; k < fieldCount; ++k) {
        const std::string field = getSplitStrVal(definition, ',', k);
        if (k == 0) {
            hint.text += field;
        } else if (k == 1) {
            hint.text += "(" + field + ")";
        } else if (k == 2) {
            hint.text += texts::kHintArgCountOpen + field + texts::kHintArgCountClose + "\n";
        } else {
            const ArgumentSpec spec = ArgumentSpec::parse(field);
            hint.text += spec.hintLine() + "\n";
            if (k != column)
                continue;
            hint.kind = spec.kind;
            if (serchStr(spec.description, texts::kImageWord))
                hint.fileKind = FileKind::Image;
            else if (serchStr(spec.description, texts::kSoundWord))
                hint.fileKind = FileKind::Sound;
            for (const Constant& constant : spec.constants)
                hint.constantEntries.push_back(constant.entry());
        }
    }
    return hint;
}

} // namespace hakoniwa
