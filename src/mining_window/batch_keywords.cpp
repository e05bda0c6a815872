#include "mining_window/batch_keywords.h"

#include "platform/database.h"
#include "platform/row_table.h"
#include "shared/text_helpers.h"

namespace batch_keywords {

void ReloadBatchKeywords(platform::Connection& connection, platform::RowTable& list) {
    // One pass into a table no view shows, then one change of the list.
    platform::RowTable loaded;
    if (std::optional<platform::Recordset> records =
            connection.Query(QStringLiteral("select kws from kwlist"))) {
        for (; !records->Eof(); records->MoveNext())
            loaded.Add(TrimBlanks(records->Text(QStringLiteral("kws"))));
    }
    list.RebuildFrom(loaded);
}

}  // namespace batch_keywords
