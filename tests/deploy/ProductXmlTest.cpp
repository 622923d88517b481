#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "common/TestMachine.h"
#include "base/StringUtil.h"
#include "deploy/ProductXmlHandler.h"
#include "product/Catalogue.h"

namespace {

using SetUp::CProductXmlHandler;

// Text mode stores each line feed as CR LF.
std::string Crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The documented templates, typed out independently of the product code.
const std::string kClientHead =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<ProductDescription version = \"V3.0.0.1\">\n"
    "  <Components>\n";
const std::string kClientFoot = "  </Components>\n</ProductDescription>";

std::string ClientBlock(const std::string& id, const std::string& name, const std::string& b,
                        const std::string& folder, bool lazy) {
    return "    <Component>\n       <ID>" + id + "</ID>\n       <Name>" + name +
           "</Name>\n       <FilePath>" + b + "." + folder + ".C/" + b + "." + folder +
           ".C.exe</FilePath>\n" + (lazy ? "       <LazyLoad>false</LazyLoad>\n" : "") +
           "    </Component>\n";
}

const std::string kServerHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Configs> \n    <Version>1.0.0</Version>\n"
    "    <RunTimes/>\n    <Organize>\n"
    "        <VSMFramework> \n            <ID>36131B3DAD9E5DF2846BB54C4ED93BA0</ID>\n"
    "            <Version>v1.0.0</Version>\n            <Name>ServerFramework</Name>\n"
    "        </VSMFramework>\n\t\t<Components>\n";
const std::string kServerFoot =
    "\t\t</Components>\n\t\t<LoadComponentOrder>\n"
    "\t\t\t<ID>AlarmCenter.S_7FA8527EDABF5DDFB882ADE94C1DDAF2</ID>\n"
    "\t\t\t<ID>DeviceManagement.S_8E65693AE76C68816F5C283F73BF9DE7</ID>\n"
    "\t\t</LoadComponentOrder>\n    </Organize>\n</Configs>";

std::string ServerBlock(const std::string& id, const std::string& name, const std::string& b,
                        const std::string& folder) {
    return "            <Component>\n                <ID>" + id + "</ID>\n                <Name>" +
           name + "</Name>\n                <FilePath>" + b + "." + folder + ".S\\" + b + "." +
           folder +
           ".S.exe</FilePath>\n                <Version>v1.0.0</Version>\n"
           "\t\t\t</Component>\n";
}

const std::string kVideo = ClientBlock("Video.C_2DF8A5C0C06C584B208eC269134AB210",
                                       "VideoClientComponent", "Velmora", "Video", true);
const std::string kTopology = ClientBlock("Topology.C_742280B0-C21A84B8D2FB873964891D78",
                                          "TopologyComponent", "Velmora", "Topology", false);
const std::string kDevice = ClientBlock("DeviceManagement.C_83589C9CD1EF693ED4989A60CACFA138",
                                        "DeviceManagement", "Velmora", "DeviceManagement", true);
const std::string kAlarm = ClientBlock("AlarmCenter.C_741e1d6dbba46ce550faff54e9dc0621",
                                       "AlarmCenter", "Velmora", "AlarmCenter", true);
const std::string kPersonal =
    ClientBlock("PersonalManagement.C_21273B6D1CFF8884919768E2A776DBF2",
                "PersonalManagementComponent", "Velmora", "PersonalManagement", false);

class ProductXml : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = testbed::MakeTempFolder("xml");
        base_ = root_ + "\\Velmora AC\\Velmora AC Client\\";
        testbed::WriteFile(base_ + "Client\\keep", "");
        testbed::WriteFile(base_ + "Server\\keep", "");
    }

    CProductXmlHandler Handler(const std::string& brand = "Velmora") const {
        return CProductXmlHandler(root_, testbed::MakeConfig(ProductVariant::AC, 1, 0, 0, brand));
    }
    std::string Client() const { return ReadBytes(base_ + "Client\\ProductDescription.xml"); }
    std::string Server() const { return ReadBytes(base_ + "Server\\product_description.xml"); }

    std::string root_;
    std::string base_;
};

TEST_F(ProductXml, EmptyListsGiveTheBareTemplates) {
    Handler().WriteClientDescription({});
    Handler().WriteServerDescription({});
    EXPECT_EQ(Client(), Crlf(kClientHead + kClientFoot));
    EXPECT_EQ(Server(), Crlf(kServerHead + kServerFoot));
}

TEST_F(ProductXml, IdsWithoutRowsAddNothing) {
    Handler().WriteClientDescription({0, 2});
    Handler().WriteServerDescription({101, 102, 103, 104, 109, 113});
    EXPECT_EQ(Client(), Crlf(kClientHead + kClientFoot));
    EXPECT_EQ(Server(), Crlf(kServerHead + kServerFoot));
}

TEST_F(ProductXml, ClientBlocksInListOrderWithTheTopologyBlank) {
    Handler().WriteClientDescription({0, 1, 9, 4, 9});
    EXPECT_EQ(Client(), Crlf(kClientHead + kVideo + kTopology + " " + kDevice + kTopology + " " +
                             kClientFoot));
}

TEST_F(ProductXml, DuplicatedIdsAreWrittenTwice) {
    Handler().WriteClientDescription({6, 6});
    Handler().WriteServerDescription({108, 108});
    EXPECT_EQ(Client(), Crlf(kClientHead + kPersonal + kPersonal + kClientFoot));
    const std::string personal =
        ServerBlock("PersonalManagement.S_7CD3B16C560E4A7DA00B183CF60617A8", "PersonalManagement",
                    "Velmora", "PersonalManagement");
    EXPECT_EQ(Server(), Crlf(kServerHead + personal + personal + kServerFoot));
}

TEST_F(ProductXml, TopologyServerBlockHasItsOwnShape) {
    Handler().WriteServerDescription({112, 111, 106});
    const std::string topology =
        "            <Component>\n            <ID>Topology.S_AC22BBD6BE986757E3C9298FC10BEEBA"
        "</ID> \n                 <Name>TopologyManage</Name> \n               <FilePath>"
        "Velmora.Topology.S\\Velmora.Topology.S.exe</FilePath> \n"
        "                <Version>v1.0.0</Version> \n\t\t\t</Component> \n";
    EXPECT_EQ(Server(), Crlf(kServerHead +
                             ServerBlock("AlarmCenter.S_7FA8527EDABF5DDFB882ADE94C1DDAF2",
                                         "AlarmCenter", "Velmora", "AlarmCenter") +
                             topology +
                             ServerBlock("DeviceManagement.S_8E65693AE76C68816F5C283F73BF9DE7",
                                         "DeviceManagement", "Velmora", "DeviceManagement") +
                             kServerFoot));
}

// One conversion rule on every system: the configuration's UTF-8 brand is held in the ANSI code
// page and comes back to UTF-8 from that same page.
TEST_F(ProductXml, NonAsciiBrandComesBackFromTheAnsiCodePage) {
    std::vector<std::string> brands = {"Caf\xC3\xA9"};  // "Café": in code page 1252 and in GBK
    if (GetACP() == 936) {
        brands.push_back("\xE4\xB8\xAD\xE6\x96\x87");  // two ideographs
        EXPECT_EQ(Utf8ToAnsi(brands.back()), "\xD6\xD0\xCE\xC4");
    }
    for (const std::string& utf8 : brands) {
        const std::string ansi = Utf8ToAnsi(utf8);
        const std::string base = root_ + "\\" + ansi + " AC\\" + ansi + " AC Client\\";
        ASSERT_TRUE(CreateDirectoryA((root_ + "\\" + ansi + " AC").c_str(), nullptr)) << utf8;
        ASSERT_TRUE(CreateDirectoryA((base).c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((base + "Client").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((base + "Server").c_str(), nullptr));

        Handler(ansi).WriteClientDescription({12});
        Handler(ansi).WriteServerDescription({115});
        EXPECT_EQ(ReadBytes(base + "Client\\ProductDescription.xml"),
                  Crlf(kClientHead +
                       ClientBlock("AlarmCenter.C_741e1d6dbba46ce550faff54e9dc0621", "AlarmCenter",
                                   utf8, "AlarmCenter", true) +
                       kClientFoot));
        EXPECT_EQ(ReadBytes(base + "Server\\product_description.xml"),
                  Crlf(kServerHead +
                       ServerBlock("Zelvane.S_SYG890524P94JY557885245MKCC14G11", "Zelvane", utf8,
                                   "Zelvane") +
                       kServerFoot));
    }
}

TEST_F(ProductXml, ShorterSecondWriteReplacesTheFile) {
    Handler().WriteClientDescription({1, 4, 12, 9, 6});
    Handler().WriteClientDescription({12});
    EXPECT_EQ(Client(), Crlf(kClientHead + kAlarm + kClientFoot));
}

TEST_F(ProductXml, MissingFolderWritesNothing) {
    CProductXmlHandler handler(root_ + "\\absent", testbed::MakeConfig(ProductVariant::AC));
    handler.WriteClientDescription({1});
    handler.WriteServerDescription({106});
    EXPECT_FALSE(handler.ClientDescriptionExists());
    EXPECT_EQ(GetFileAttributesA((root_ + "\\absent").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProductXml, ReadsBackWhatWasWritten) {
    EXPECT_FALSE(Handler().ClientDescriptionExists());
    EXPECT_TRUE(Handler().ReadClientComponents().empty());
    Handler().WriteClientDescription({1, 4, 12});
    EXPECT_TRUE(Handler().ClientDescriptionExists());
    EXPECT_EQ(Handler().ReadClientComponents(), (std::vector<int32_t>{1, 4, 12}));
}

TEST_F(ProductXml, ReaderStartsAtTheFirstComponentAndKeepsDuplicates) {
    testbed::WriteFile(base_ + "Client\\ProductDescription.xml",
                       "<ProductDescription><Components>"
                       "<Note><Name>AlarmCenter</Name></Note>"
                       "<Component><Name>Zelvane</Name></Component>"
                       "<Other><Name>LogClientComponent</Name></Other>"
                       "<Component><Name>Unknown</Name></Component>"
                       "<Component/>"
                       "<Component><Name>alarmcenter</Name></Component>"
                       "<Component><Name>Zelvane</Name></Component>"
                       "</Components></ProductDescription>");
    EXPECT_EQ(Handler().ReadClientComponents(), (std::vector<int32_t>{15, 2, 15}));
}

TEST_F(ProductXml, UnreadableFilesGiveAnEmptyList) {
    const std::string path = base_ + "Client\\ProductDescription.xml";
    for (const char* text :
         {"<ProductDescription><Components><Component><Name>Zelvane</Name>",  // malformed
          "<ProductDescription/>",                                            // no Components
          "<ProductDescription><Components><Note/></Components></ProductDescription>", ""}) {
        testbed::WriteFile(path, text);
        EXPECT_TRUE(Handler().ReadClientComponents().empty()) << text;
    }
    testbed::WriteFile(path, "not XML at all");
    EXPECT_TRUE(Handler().ReadClientComponents().empty());
    // Ten megabytes of an unclosed document: read, refused, nothing listed.
    std::string huge = "<ProductDescription><Components>";
    while (huge.size() < 10 * 1024 * 1024) {
        huge += "<Note><Name>AlarmCenter</Name></Note>";
    }
    testbed::WriteFile(path, huge);
    EXPECT_TRUE(Handler().ReadClientComponents().empty());
    // The same size well-formed, with one component at its end, is read whole.
    testbed::WriteFile(path, huge + "<Component><Name>Zelvane</Name></Component>" +
                                 "</Components></ProductDescription>");
    EXPECT_EQ(Handler().ReadClientComponents(), (std::vector<int32_t>{15}));
}

TEST_F(ProductXml, AFolderAtThePathCountsAsExisting) {
    ASSERT_TRUE(CreateDirectoryA((base_ + "Client\\ProductDescription.xml").c_str(), nullptr));
    EXPECT_TRUE(Handler().ClientDescriptionExists());
    EXPECT_TRUE(Handler().ReadClientComponents().empty());
}

}  // namespace
