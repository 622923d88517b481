#pragma once
// Every text the wizard shows, by key, in English and simplified Chinese (GBK bytes).
#include <cstdint>
#include <map>
#include <string>

#include "base/TableView.h"

struct TextRow {
    const char* key;
    const char* chinese;  // GBK
    const char* english;
};

// The 96 rows; texts live as long as the program.
extern const CTableView<TextRow> kTextRows;

class CTextTable {
public:
    // The language is fixed here: 0 English, 1 Chinese, anything else no column.
    explicit CTextTable(int32_t language);

    // The one table, in the configuration's uiLanguage; callable from any thread.
    static const CTextTable& Instance();

    // The text of the key in the table's language; the empty text for an unknown key or a
    // language that is neither 0 nor 1.
    const char* GetText(const std::string& key) const;

    int32_t Language() const { return language_; }

private:
    struct Texts {
        const char* chinese;
        const char* english;
    };
    std::map<std::string, Texts> texts_;
    int32_t language_;
};
