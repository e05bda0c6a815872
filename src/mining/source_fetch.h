#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class CXHtml;

namespace mining {

class MiningBinding;
struct MiningSource;

// The keyword as `source` places it into its address for `seed`.
QString SourceKeyword(const MiningSource& source, const QString& seed, MiningBinding& binding);

// What `source` yields for `seed`: its page, fetched through `fetcher` with the source's own
// steps around the request, cut into raw items. A source that is not asked about the seed
// yields nothing; nothing at all (no list) when its page does not come.
std::optional<QStringList> FetchSourceItems(const MiningSource& source, const QString& seed,
                                            CXHtml& fetcher, MiningBinding& binding);

}  // namespace mining
