#include "mining_window/mining_settings.h"

#include "platform/database.h"
#include "shared/registry_store.h"
#include "shared/text_helpers.h"

namespace mining_settings {
namespace {

const QStringList kTextColumns = {
    QStringLiteral("k1"),  QStringLiteral("k11"), QStringLiteral("k12"), QStringLiteral("k21"),
    QStringLiteral("k22"), QStringLiteral("k31"), QStringLiteral("k32")};

std::optional<int> WholeNumber(const QString& field) {
    bool ok = false;
    const int value = TrimBlanks(field).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

}  // namespace

QString ReadPaneSetting(const PaneSetting& setting) {
    const QString stored =
        mReg::GetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey, setting.name);
    if (!stored.isEmpty()) return stored;
    mReg::CreateConfigKey(platform::Hive::CurrentUser, mReg::ConfigKey);
    mReg::SetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey, setting.name,
                         setting.defaultText);
    return setting.defaultText;
}

void WritePaneSetting(const PaneSetting& setting, const QStringList& fields) {
    mReg::SetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey, setting.name,
                         fields.join(u'|'));
}

QStringList SettingFields(const PaneSetting& setting, const QString& text) {
    QStringList fields = text.split(u'|');
    const int surplus = static_cast<int>(fields.size()) - setting.fieldCount;
    if (setting.textFirst && surplus > 0) {
        const QString first = fields.mid(0, surplus + 1).join(u'|');
        fields = fields.mid(surplus + 1);
        fields.prepend(first);
    }
    return fields;
}

std::optional<int> BoxState(const QString& field) {
    const std::optional<int> value = WholeNumber(field);
    return value && (*value == 0 || *value == 1) ? value : std::nullopt;
}

std::optional<int> ListIndex(const QString& field) {
    const std::optional<int> value = WholeNumber(field);
    return value && *value >= -1 ? value : std::nullopt;
}

std::optional<RememberedTexts> ReadRememberedTexts(platform::Connection& connection) {
    std::optional<platform::Recordset> records =
        connection.Query(QStringLiteral("select * from kwsetting"));
    if (!records || records->Eof()) return std::nullopt;
    RememberedTexts texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = TrimBlanks(records->Text(kTextColumns[static_cast<int>(i)]));
    return texts;
}

bool SaveRememberedTexts(platform::Connection& connection, const RememberedTexts& texts) {
    QVariantList values;
    for (const QString& text : texts) values << text;
    std::optional<platform::Recordset> ids =
        connection.Query(QStringLiteral("select id from kwsetting"));
    if (!ids) return false;
    if (ids->Eof()) {
        return connection.Execute(QStringLiteral("insert into kwsetting (") +
                                      kTextColumns.join(u',') +
                                      QStringLiteral(") values (?,?,?,?,?,?,?)"),
                                  values);
    }
    return connection.Execute(QStringLiteral("update kwsetting set ") +
                                  kTextColumns.join(QStringLiteral(" = ?,")) +
                                  QStringLiteral(" = ?"),
                              values);
}

}  // namespace mining_settings
