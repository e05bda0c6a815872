#include "mining/mining_binding.h"

#include "shared/text_helpers.h"

namespace mining {

QString RegularMiningBinding::Refusal() {
    // A box of blanks is not refused: it mines with an empty seed.
    return Window().SeedText().isEmpty() ? QStringLiteral("请输入要查询的关键词！") : QString();
}

QString RegularMiningBinding::Seed() {
    return TrimBlanks(Window().SeedText().toLower());
}

}  // namespace mining
