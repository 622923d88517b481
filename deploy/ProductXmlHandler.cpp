#include "deploy/ProductXmlHandler.h"

#include <windows.h>

#include <cstdio>
#include <memory>

#include <tinyxml2.h>

#include "base/StringUtil.h"
#include "product/FolderLayout.h"

namespace SetUp {

const ClientDescriptionRow kClientDescriptionRowsRows[] = {
    {1, "Video.C_2DF8A5C0C06C584B208eC269134AB210", "VideoClientComponent", "Video", true, false},
    {3, "Emap.C_0BA2D1C7D82E131F233CA598534CB895", "EmapClientComponent", "Emap", false, false},
    {4, "DeviceManagement.C_83589C9CD1EF693ED4989A60CACFA138", "DeviceManagement",
     "DeviceManagement", true, false},
    {5, "AccessController.C_7B95094A41895476B8B0336D39186168", "AccessController",
     "AccessController", false, false},
    {6, "PersonalManagement.C_21273B6D1CFF8884919768E2A776DBF2", "PersonalManagementComponent",
     "PersonalManagement", false, false},
    {7, "DataStatistics.C_78922ad159ce0901de0dbbfea8e96c82", "DataStatistics", "DataStatistics",
     false, false},
    {8, "Attendance.C_cf852a48774a27cc1c2ce3d9e451aeab", "AttendanceComponent", "Attendance", false,
     false},
    {9, "Topology.C_742280B0-C21A84B8D2FB873964891D78", "TopologyComponent", "Topology", false,
     true},
    {10, "IRS.C_8D143AE56F5F65F9AF9EBED81F21D49D", "IRSComponent", "IRS", false, false},
    {11, "AIDashboard.C_0868E23694DA126B5C435596BD6FAE69", "AIDashboardComponent", "AIDashboard",
     false, false},
    {12, "AlarmCenter.C_741e1d6dbba46ce550faff54e9dc0621", "AlarmCenter", "AlarmCenter", true,
     false},
    {13, "VisitorManagement.C_54822c48142f3f697ac62b6b5454f7c1", "VisitorManagement",
     "VisitorManagement", false, false},
    {14, "Consumption.C_a7508a9363bc2b776865113fa8d239eb", "Consumption", "Consumption", false,
     false},
    {15, "Zelvane.C_943FFK19655d2e516HM48c3e5405e06T", "Zelvane", "Zelvane", false, false},
    {16, "Broadcast.C_15b5ea57f2a183f68fb34164e3c5ae73", "Broadcast", "Broadcast", false, false},
};
const CTableView<ClientDescriptionRow> kClientDescriptionRows(kClientDescriptionRowsRows);

const ServerDescriptionRow kServerDescriptionRowsRows[] = {
    {106, "DeviceManagement.S_8E65693AE76C68816F5C283F73BF9DE7", "DeviceManagement",
     "DeviceManagement", false},
    {107, "AccessController.S_C20120169ED354DE3C3D7AF1C362369F8", "AccessController",
     "AccessController", false},
    {108, "PersonalManagement.S_7CD3B16C560E4A7DA00B183CF60617A8", "PersonalManagement",
     "PersonalManagement", false},
    {110, "Attendance.S_2a944eb0494c892457aad0e4a8078624", "Attendance", "Attendance", false},
    {111, "Topology.S_AC22BBD6BE986757E3C9298FC10BEEBA", "TopologyManage", "Topology", true},
    {112, "AlarmCenter.S_7FA8527EDABF5DDFB882ADE94C1DDAF2", "AlarmCenter", "AlarmCenter", false},
    {114, "Consumption.S_59aaa766b02c5d6ce2c747ff7bc8bb5a", "Consumption", "Consumption", false},
    {115, "Zelvane.S_SYG890524P94JY557885245MKCC14G11", "Zelvane", "Zelvane", false},
};
const CTableView<ServerDescriptionRow> kServerDescriptionRows(kServerDescriptionRowsRows);

const ClientComponentName kClientComponentNamesRows[] = {
    {"VideoClientComponent", 1}, {"LogClientComponent", 2},    {"EmapClientComponent", 3},
    {"DeviceManagement", 4},     {"AccessController", 5},      {"PersonalManagementComponent", 6},
    {"DataStatistics", 7},       {"AttendanceComponent", 8},   {"TopologyComponent", 9},
    {"IRSComponent", 10},        {"AIDashboardComponent", 11}, {"AlarmCenter", 12},
    {"VisitorManagement", 13},   {"Consumption", 14},          {"Zelvane", 15},
    {"Broadcast", 16},
};
const CTableView<ClientComponentName> kClientComponentNames(kClientComponentNamesRows);

namespace {

const char kClientHeader[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<ProductDescription version = \"V3.0.0.1\">\n"
    "  <Components>\n";
const char kClientFooter[] = "  </Components>\n</ProductDescription>";

const char kServerHeader[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Configs> \n"
    "    <Version>1.0.0</Version>\n"
    "    <RunTimes/>\n"
    "    <Organize>\n"
    "        <VSMFramework> \n"
    "            <ID>36131B3DAD9E5DF2846BB54C4ED93BA0</ID>\n"
    "            <Version>v1.0.0</Version>\n"
    "            <Name>ServerFramework</Name>\n"
    "        </VSMFramework>\n"
    "\t\t<Components>\n";
const char kServerFooter[] =
    "\t\t</Components>\n"
    "\t\t<LoadComponentOrder>\n"
    "\t\t\t<ID>AlarmCenter.S_7FA8527EDABF5DDFB882ADE94C1DDAF2</ID>\n"
    "\t\t\t<ID>DeviceManagement.S_8E65693AE76C68816F5C283F73BF9DE7</ID>\n"
    "\t\t</LoadComponentOrder>\n"
    "    </Organize>\n"
    "</Configs>";

const ClientDescriptionRow* FindClientRow(int32_t component) {
    for (const auto& row : kClientDescriptionRows) {
        if (row.component == component) {
            return &row;
        }
    }
    return nullptr;
}

const ServerDescriptionRow* FindServerRow(int32_t component) {
    for (const auto& row : kServerDescriptionRows) {
        if (row.component == component) {
            return &row;
        }
    }
    return nullptr;
}

std::string ClientBlock(const ClientDescriptionRow& row, const std::string& brand) {
    const std::string folder = brand + "." + row.folder + ".C";
    std::string text = std::string("    <Component>\n       <ID>") + row.id +
                       "</ID>\n       <Name>" + row.name + "</Name>\n       <FilePath>" + folder +
                       "/" + folder + ".exe</FilePath>\n";
    if (row.lazyLoad) {
        text += "       <LazyLoad>false</LazyLoad>\n";
    }
    text += "    </Component>\n";
    if (row.trailingSpace) {
        text += " ";
    }
    return text;
}

std::string ServerBlock(const ServerDescriptionRow& row, const std::string& brand) {
    const std::string folder = brand + "." + row.folder + ".S";
    if (row.ownShape) {
        return std::string("            <Component>\n            <ID>") + row.id +
               "</ID> \n                 <Name>" + row.name +
               "</Name> \n               <FilePath>" + folder + "\\" + folder +
               ".exe</FilePath> \n                <Version>v1.0.0</Version> \n"
               "\t\t\t</Component> \n";
    }
    return std::string("            <Component>\n                <ID>") + row.id +
           "</ID>\n                <Name>" + row.name + "</Name>\n                <FilePath>" +
           folder + "\\" + folder +
           ".exe</FilePath>\n                <Version>v1.0.0</Version>\n\t\t\t</Component>\n";
}

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};

// Text mode: the frameworks expect CR LF line ends. A file that cannot be opened (folder
// missing or locked) is left alone; the install goes on without a report.
void WriteText(const std::string& path, const std::string& text) {
    std::unique_ptr<FILE, FileCloser> file(fopen(path.c_str(), "w"));
    if (file) {
        fputs(text.c_str(), file.get());
    }
}

int32_t ComponentOfName(const char* name) {
    for (const auto& row : kClientComponentNames) {
        if (strcmp(row.name, name) == 0) {
            return row.component;
        }
    }
    return -1;
}

}  // namespace

CProductXmlHandler::CProductXmlHandler(std::string installRoot, const CSetupConfig& config)
    : installRoot_(std::move(installRoot)), config_(config) {}

std::string CProductXmlHandler::InstallationFolder() const {
    return CFolderLayout(installRoot_, config_).InstallationDir('/') + "/";
}

std::string CProductXmlHandler::ClientDescriptionPath() const {
    return InstallationFolder() + "Client/ProductDescription.xml";
}

std::string CProductXmlHandler::ServerDescriptionPath() const {
    return InstallationFolder() + "Server/product_description.xml";
}

// One conversion rule: the configuration turned the brand into the ANSI code page, so it comes
// back from that same page, whatever the system's language; the frameworks read UTF-8.
std::string CProductXmlHandler::BrandUtf8() const {
    return CodePageToUtf8(config_.brandName, CP_ACP);
}

void CProductXmlHandler::WriteClientDescription(const std::vector<int32_t>& clientIds) const {
    const std::string brand = BrandUtf8();
    std::string text = kClientHeader;
    for (int32_t id : clientIds) {
        if (const ClientDescriptionRow* row = FindClientRow(id)) {
            text += ClientBlock(*row, brand);
        }
    }
    text += kClientFooter;
    WriteText(ClientDescriptionPath(), text);
}

void CProductXmlHandler::WriteServerDescription(const std::vector<int32_t>& serverIds) const {
    const std::string brand = BrandUtf8();
    std::string text = kServerHeader;
    for (int32_t id : serverIds) {
        if (const ServerDescriptionRow* row = FindServerRow(id)) {
            text += ServerBlock(*row, brand);
        }
    }
    text += kServerFooter;
    WriteText(ServerDescriptionPath(), text);
}

std::vector<int32_t> CProductXmlHandler::ReadClientComponents() const {
    std::vector<int32_t> components;
    tinyxml2::XMLDocument document;
    if (document.LoadFile(ClientDescriptionPath().c_str()) != tinyxml2::XML_SUCCESS) {
        return components;
    }
    const tinyxml2::XMLElement* description = document.FirstChildElement();
    const tinyxml2::XMLElement* list = description ? description->FirstChildElement() : nullptr;
    const tinyxml2::XMLElement* entry = list ? list->FirstChildElement("Component") : nullptr;
    // From the first Component on, every following sibling counts, whatever its name.
    for (; entry != nullptr; entry = entry->NextSiblingElement()) {
        const tinyxml2::XMLElement* name = entry->FirstChildElement("Name");
        const char* text = name ? name->GetText() : nullptr;
        const int32_t component = ComponentOfName(text ? text : "");
        if (component >= 0) {
            components.push_back(component);
        }
    }
    return components;
}

bool CProductXmlHandler::ClientDescriptionExists() const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(ClientDescriptionPath().c_str(), GetFileExInfoStandard, &data) !=
           FALSE;
}

}  // namespace SetUp
