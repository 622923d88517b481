#pragma once
// The product's Uninstall record and the small registry entries that go with an installation.
// Reads never fail visibly: an absent key or value reads as the empty text, false or an empty
// list. Nothing is cached; every read goes to the registry.
#include <cstdint>
#include <string>
#include <vector>

#include "base/TableView.h"
#include "product/Catalogue.h"

namespace SetUp {

extern const char kBrowserEmulationKey[];
extern const char kCompanionPluginKey[];
// The three programs of the product that host a browser control, in the order they are written.
extern const CTableView<const char*> kBrowserEmulationPrograms;
const unsigned long kBrowserEmulationMode = 11001;

// "SOFTWARE\\Wow6432Node\\...\\Uninstall\\" on a 64-bit Windows, the plain root otherwise.
std::string UninstallRootPath();
// The root followed by the edition's product code.
std::string ProductKeyPath(ProductVariant variant);

// Editions with a record (key opens and ProductGuid reads), in edition order.
std::vector<ProductVariant> EnumerateInstalledVariants();
std::string ReadUninstallValue(ProductVariant variant, const std::string& name);
// The value of the single installed edition; the empty text when none or several are installed.
std::string ReadInstalledValue(const std::string& name);

struct InstalledComponents {
    bool found = false;
    std::vector<int32_t> client;
    std::vector<int32_t> server;
};
InstalledComponents ReadInstalledComponents();

// "0#4#2" style; the empty list is the empty text.
std::string EncodeComponentList(const std::vector<int32_t>& components);
// Numbers up to 100 into the client list, from 101 into the server list. A piece that is not a
// number, or lies outside the signed 32-bit range, is skipped.
InstalledComponents DecodeComponentList(const std::string& text);

std::string ReadCompanionPluginVersion();

// Creates or opens the record of the edition and sets the value as REG_SZ. Failures are skipped.
void WriteUninstallValue(const std::string& name, const std::string& text, ProductVariant variant);
// The same as REG_DWORD.
void WriteUninstallNumber(const std::string& name, unsigned long value, ProductVariant variant);
void DeleteUninstallValue(const std::string& name, ProductVariant variant);

// Set while an install, modify, repair or upgrade is at work, to the procedure's name; a record
// that still carries it after the run was killed half-way.
extern const char kRunAtWorkValue[];
void SetBrowserEmulation(const std::string& programFileName);
void DeleteProductRecord(ProductVariant variant);
void DeleteBrowserEmulation(const std::string& programFileName);

}  // namespace SetUp
