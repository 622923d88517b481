#pragma once
// Every text the wizard shows, by key, in English and simplified Chinese (GBK bytes).
#include <cstdint>
#include <map>
#include <string>

#include "product/SetupConfig.h"

#include "base/TableView.h"

struct TextRow {
    const char* key;
    const char* chinese;  // GBK
    const char* english;
};

// Every row; texts live as long as the program.
extern const CTableView<TextRow> kTextRows;

class CTextTable {
public:
    // The language is fixed here; a number that is neither language gives no column.
    explicit CTextTable(UiLanguage language);

    // The one table, in the configuration's uiLanguage; callable from any thread.
    static const CTextTable& Instance();

    // The text of the key in the table's language; the empty text for an unknown key or a
    // language that is neither English nor Chinese.
    const char* GetText(const std::string& key) const;

    UiLanguage Language() const { return language_; }

private:
    struct Texts {
        const char* chinese;
        const char* english;
    };
    std::map<std::string, Texts> texts_;
    UiLanguage language_;
};
