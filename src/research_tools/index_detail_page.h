#pragma once

#include <QString>
#include <vector>

// The audience shares of the Baidu index word page: for age, occupation and education, a bar
// per group whose width gives the group's share.
namespace research {

enum class Audience { Age, Occupation, Education };

// The heading that opens the section of `audience` on the word page.
QString AudienceHeading(Audience audience);

// One group of a section: its label, its estimated search volume and its share of the section
// ("20%"). Both are empty when the section's widths sum to 0, and "-" where the group's own
// bar has no width.
struct AudienceRow {
    QString label;
    QString volume;
    QString share;
};

// The groups of `audience`'s section of `wordPage`, in page order, for a keyword whose monthly
// volume is `monthVolume`. The shares are taken of the sum of the section's widths, so they add
// up to about 100 % whatever the widths add up to. No rows when the section is missing.
std::vector<AudienceRow> ParseAudience(const QString& wordPage, Audience audience,
                                       qint32 monthVolume);

}  // namespace research
