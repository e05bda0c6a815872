#pragma once

#include <QString>

#include "lookups/site_pages.h"

namespace lookups {

// The class names of the spans in which the Alexa rank page hides decoy digits: 189 names
// "c" + three hex digits, ascending from "c11e" to "cfe9", joined by ".".
extern const QString AlexaDecoyClasses;

// The traffic rank on an Alexa site information page: "X" as final when the page says it has
// no data; otherwise the digits of the rank block with the decoy spans and all mark-up taken
// out, usable or nothing.
Reading ReadAlexaRank(const QString& page);

}  // namespace lookups
