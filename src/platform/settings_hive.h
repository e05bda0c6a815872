#pragma once

#include <QString>
#include <optional>

namespace platform {

// Environment variable that names the folder of the settings hives (tests use a temporary one).
inline constexpr char kSettingsFolderVariable[] = "TARNWICK_CONFIG_DIR";

// The two roots of named settings: the current user's and the machine's.
enum class Hive { CurrentUser, LocalMachine };

// Named text values under key paths such as "Software\Tarnwick\V4.0.0\Config", one file per
// hive in the user's configuration folder. Every call reads or writes the file at once.
bool CreateKey(Hive hive, const QString& keyPath);
// Writes a value under an existing key; false (and nothing written) when the key is missing.
bool WriteValue(Hive hive, const QString& keyPath, const QString& name, const QString& value);
// The stored text exactly as written; nothing when the key or the value is missing.
std::optional<QString> ReadValue(Hive hive, const QString& keyPath, const QString& name);

}  // namespace platform
