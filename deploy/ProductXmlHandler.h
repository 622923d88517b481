#pragma once
// The description files through which the installed client and server frameworks find their
// components: written whole from fixed templates, and the client file read back for upgrades.
#include <cstdint>
#include <string>
#include <vector>

#include "base/TableView.h"
#include "product/SetupConfig.h"

namespace SetUp {

struct ClientDescriptionRow {
    int32_t component;
    const char* id;
    const char* name;
    const char* folder;
    bool lazyLoad;
    bool trailingSpace;  // the block ends with a blank after its last line feed
};
struct ServerDescriptionRow {
    int32_t component;
    const char* id;
    const char* name;
    const char* folder;
    bool ownShape;  // written with its own spacing
};
struct ClientComponentName {
    const char* name;
    int32_t component;
};

extern const CTableView<ClientDescriptionRow> kClientDescriptionRows;
extern const CTableView<ServerDescriptionRow> kServerDescriptionRows;
// What the reader recognises; one more name than the writer writes (2, never written).
extern const CTableView<ClientComponentName> kClientComponentNames;

class CProductXmlHandler {
public:
    // For the process-wide configuration.
    CProductXmlHandler(std::string installRoot, const CSetupConfig& config);

    // Lists are taken in order, neither sorted nor de-duplicated; ids without a row add nothing.
    void WriteClientDescription(const std::vector<int32_t>& clientIds) const;
    void WriteServerDescription(const std::vector<int32_t>& serverIds) const;

    // The client component numbers the existing client file names, in document order; empty
    // when the file is missing, malformed or lacks the expected elements.
    std::vector<int32_t> ReadClientComponents() const;
    // Whether the client file path names a file or a folder.
    bool ClientDescriptionExists() const;

    std::string ClientDescriptionPath() const;
    std::string ServerDescriptionPath() const;

private:
    std::string InstallationFolder() const;
    std::string BrandUtf8() const;

    std::string installRoot_;
    CSetupConfig config_;
};

}  // namespace SetUp
