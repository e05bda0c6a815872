#include "platform/spreadsheet_library.h"

#include <QLibrary>
#include <optional>

#include "platform/spreadsheet.h"

namespace platform {
namespace spreadsheet_library {
namespace {

// The library's run-time name, as the build found it.
const QString kBuiltWith = QStringLiteral(TARNWICK_SPREADSHEET_LIBRARY);

struct Loaded {
    QString fileName = kBuiltWith;
    std::optional<Functions> functions;
};

Loaded& State() {
    static Loaded state;
    return state;
}

}  // namespace

const Functions* Load(SpreadsheetError* error) {
    Loaded& state = State();
    if (state.functions) return &*state.functions;
    // Kept loaded once loaded: a QLibrary going out of scope does not unload.
    QLibrary library(state.fileName);
    if (!library.load()) {
        *error = {kSpreadsheetWriterMissing,
                  QStringLiteral("找不到导出Excel所需的电子表格组件 %1，请安装后再导出。（%2）")
                      .arg(state.fileName, library.errorString())};
        return nullptr;
    }
    Functions functions;
    const char* missing = nullptr;
#define TARNWICK_SPREADSHEET_RESOLVE(name)                                                      \
    if (!missing &&                                                                             \
        !(functions.name = reinterpret_cast<decltype(functions.name)>(library.resolve(#name)))) \
        missing = #name;
    TARNWICK_SPREADSHEET_FUNCTIONS(TARNWICK_SPREADSHEET_RESOLVE)
#undef TARNWICK_SPREADSHEET_RESOLVE
    if (missing) {
        *error = {
            kSpreadsheetWriterUnfit,
            QStringLiteral("电子表格组件 %1 的版本不对（缺少 %2），请安装正确的版本后再导出。")
                .arg(library.fileName(), QString::fromLatin1(missing))};
        library.unload();
        return nullptr;
    }
    state.functions = functions;
    return &*state.functions;
}

}  // namespace spreadsheet_library

bool SpreadsheetWriterInstalled() {
    SpreadsheetError error;
    return spreadsheet_library::Load(&error) || error.number != kSpreadsheetWriterMissing;
}

void UseSpreadsheetLibrary(const QString& fileName) {
    spreadsheet_library::Loaded& state = spreadsheet_library::State();
    state.fileName = fileName.isEmpty() ? spreadsheet_library::kBuiltWith : fileName;
    state.functions.reset();
}

}  // namespace platform
