// Builds the shipped database file from its schema: mkdb <schema.sql> <out>.
// The file is written beside the target and renamed into place, so a failed
// run never leaves a half-made database where the program looks for it.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkdb <schema.sql> <database>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "mkdb: cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream schema;
    schema << in.rdbuf();
    std::string temp = std::string(argv[2]) + ".tmp";
    std::remove(temp.c_str());
    sqlite3* db = nullptr;
    char* error = nullptr;
    int rc = sqlite3_open(temp.c_str(), &db);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, schema.str().c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        std::fprintf(stderr, "mkdb: %s\n", error ? error : sqlite3_errmsg(db));
        sqlite3_free(error);
        sqlite3_close(db);
        std::remove(temp.c_str());
        return 1;
    }
    sqlite3_close(db);
    if (std::rename(temp.c_str(), argv[2]) != 0) {
        std::fprintf(stderr, "mkdb: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
