// Another program on a database file, for the tests: it uses the library directly, in a process
// of its own, so that its locks are another process's locks.
//
//   db_peer query <file> <sql>          prints the first field of every row, one a line
//   db_peer session <file> <sql>...     runs the statements, prints "ready", keeps its
//                                       connection (and its locks) until its input ends
//   db_peer overwrite <file> <source>   writes the source's bytes over the file in place, as
//                                       a copy over an existing file does
#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int Fail(sqlite3* db, const char* what) {
    std::cout << "error: " << what << ": " << sqlite3_errmsg(db) << std::endl;
    sqlite3_close(db);
    return 1;
}

int PrintRows(void*, int, char** fields, char**) {
    std::cout << (fields[0] ? fields[0] : "") << '\n';
    return 0;
}

}  // namespace

// The same file, its bytes replaced: whoever holds it open keeps it, and reads the new bytes.
int Overwrite(const char* file, const char* source) {
    std::ifstream from(source, std::ios::binary);
    std::ofstream to(file, std::ios::binary | std::ios::trunc);
    to << from.rdbuf();
    to.close();
    std::cout << (from && to ? "done" : "error: overwrite failed") << std::endl;
    return to ? 0 : 1;
}

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: db_peer query|session|overwrite <file> <sql>...\n";
        return 2;
    }
    if (std::strcmp(argv[1], "overwrite") == 0) return Overwrite(argv[2], argv[3]);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(argv[2], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return Fail(db, "open");
    sqlite3_busy_timeout(db, 1000);
    const bool query = std::strcmp(argv[1], "query") == 0;
    for (int i = 3; i < argc; ++i)
        if (sqlite3_exec(db, argv[i], query ? PrintRows : nullptr, nullptr, nullptr) != SQLITE_OK)
            return Fail(db, argv[i]);
    if (!query) {
        std::cout << "ready" << std::endl;
        for (std::string line; std::getline(std::cin, line);) {
        }
    }
    std::cout.flush();
    sqlite3_close(db);
    return 0;
}
