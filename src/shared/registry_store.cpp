#include "shared/registry_store.h"

namespace mReg {

void CreateConfigKey(platform::Hive root, const QString& subKey) {
    platform::CreateKey(root, subKey);
}

void SetConfigValue(platform::Hive root, const QString& subKey, const QString& valueName,
                    const QString& value) {
    platform::WriteValue(root, subKey, valueName, value);
}

QString GetConfigValue(platform::Hive root, const QString& subKey, const QString& valueName) {
    return platform::ReadValue(root, subKey, valueName).value_or(QString());
}

}  // namespace mReg
