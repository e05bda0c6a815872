#pragma once

#include <QString>

namespace research {

// Tells the user `text` in a notice titled "提示" with the information icon.
void Notify(const QString& text);

}  // namespace research
