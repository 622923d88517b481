#pragma once
// Which text a message dialog shows for a message kind, with its placeholder filled.
#include <cstdint>
#include <string>
#include <vector>

#include "base/TableView.h"
#include "product/Catalogue.h"
#include "product/MessageKind.h"

class CTextTable;

enum class TipPlaceholder { None, BrandName, ProductLabel, ProcessName };

struct TipMessageRow {
    MessageKind kind;
    const char* key;
    const char* keyWithoutLabel;  // shown, unformatted, when the product label is empty
    TipPlaceholder placeholder;
    int32_t linesChinese;
    int32_t linesOther;
};

// The one-button message's kinds and the question's kinds.
extern const CTableView<TipMessageRow> kTipMessages;
extern const CTableView<TipMessageRow> kTipCertainMessages;

// Null for a kind without a row.
const TipMessageRow* FindTipMessage(bool question, MessageKind kind);

struct TipPlaceholders {
    std::string brandName;
    std::string productLabel;
    std::string processName;
};

struct TipMessage {
    std::string text;
    int32_t lines = 0;  // 0: no vertical centring
};

// A kind without a row gives the empty text and no centring.
TipMessage ComposeTipMessage(bool question, MessageKind kind, const CTextTable& table,
                             const TipPlaceholders& values);

// The name of the installed related product, for example "Velmora AC(E)"; empty when two or
// more editions are installed.
std::string ComposeProductLabel(const std::vector<ProductVariant>& installedVariants,
                                const std::string& displayName, const std::string& languageType);
// The same, from the Uninstall records on this machine.
std::string InstalledProductLabel();
