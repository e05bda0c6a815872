#pragma once

#include <QString>

// A message box with an OK button, titled "提示" as every notice of the program is, that tells
// a failure: it carries the warning icon, where a notice of an outcome carries the information
// icon.
void TellFailure(const QString& text);

// The message box of an outcome that may hold failures: the warning icon when `failed`, the
// information icon otherwise.
void TellOutcome(const QString& text, bool failed);
