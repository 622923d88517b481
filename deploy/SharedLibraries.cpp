#include "deploy/SharedLibraries.h"

#include <windows.h>

#include "base/FileSystem.h"
#include "product/FolderLayout.h"

namespace SetUp {

// The in-house names are those our client package carries.
const char* const kServerLibrariesRows[] = {
    // Qt, log4cxx, libxml2, iconv, SQLite, libcurl, SRT
    "Qt5Core.dll", "Qt5Gui.dll", "Qt5Network.dll", "Qt5Svg.dll", "Qt5Widgets.dll", "Qt5Xml.dll",
    "log4cxx.dll", "libxml2.dll", "iconv.dll", "sqlite3.dll", "libcurl.dll", "srt.dll",
    // OpenSSL
    "libcrypto-1_1.dll", "libssl-1_1.dll", "libeay32.dll", "ssleay32.dll", "openssl.exe",
    // Microsoft
    "dbghelp.dll", "concrt140.dll", "msvcr110.dll", "mfc90u.dll", "mfc90.dll", "mfcm90.dll",
    "mfcm90u.dll", "msvcm90.dll", "msvcr90.dll", "msvcp90.dll", "msvcp120.dll", "msvcr120.dll",
    "msvcp140.dll", "vccorlib120.dll", "vccorlib140.dll", "vcruntime140.dll",
    // In-house device SDK, media, streaming, database and logging libraries, and the zipped
    // device-model data
    "KvCore.dll", "KvIdentify.dll", "KvNetSdk.dll", "KvPlaySdk.dll", "KvStreamClient.dll",
    "KvStreamServer.dll", "KvRender.dll", "KvCodec.dll", "KvAudio.dll", "KvDecoder.dll",
    "KvEncoder.dll", "KvRtsp.dll", "KvRtp.dll", "KvOnvif.dll", "KvDeviceSearch.dll", "KvAlarm.dll",
    "KvDb.dll", "KvDbMySql.dll", "KvDbSqlite.dll", "KvLog.dll", "KvLogConfig.dll", "KvConfig.dll",
    "KvUtils.dll", "KvCrypto.dll", "KvHttp.dll", "KvWebSocket.dll", "KvMq.dll", "KvJson.dll",
    "KvDeviceModels.xml.zip",
    // Listed twice; the second copy overwrites the first with the same file.
    "concrt140.dll", "msvcr110.dll"};
const CTableView<const char*> kServerLibraries(kServerLibrariesRows);

const char* const kPlayerLibrariesRows[] = {"Qt5Widgets.dll", "Qt5Gui.dll",  "Qt5Core.dll",
                                            "log4cxx.dll",    "KvCore.dll",  "KvIdentify.dll",
                                            "iconv.dll",      "KvNetSdk.dll"};
const CTableView<const char*> kPlayerLibraries(kPlayerLibrariesRows);

const char* const kVideoLibrariesRows[] = {"Qt5Core.dll", "Qt5Widgets.dll", "Qt5Script.dll",
                                           "Qt5Gui.dll",  "Qt5Network.dll", "Qt5Multimedia.dll"};
const CTableView<const char*> kVideoLibraries(kVideoLibrariesRows);

const char* const kDeviceManagementLibrariesRows[] = {
    "Qt5Core.dll",
    "Qt5Widgets.dll",
    "Qt5Gui.dll",
    "Qt5Network.dll",
    "Qt5Positioning.dll",
    "Qt5PrintSupport.dll",
    "Qt5Qml.dll",
    "Qt5Quick.dll",
    "Qt5QuickWidgets.dll",
    "Qt5SerialPort.dll",
    "Qt5WebChannel.dll",
    "Qt5WebEngineCore.dll",
    "Qt5WebEngineWidgets.dll",
    "QtWebEngineProcess.exe",
    "icudtl.dat",
    "qtwebengine_devtools_resources.pak",
    "qtwebengine_resources.pak",
    "qtwebengine_resources_100p.pak",
    "qtwebengine_resources_200p.pak",
    "opengl32sw.dll",
    "D3Dcompiler_47.dll",
    "libEGL.dll",
    "libGLESV2.dll",
};
const CTableView<const char*> kDeviceManagementLibraries(kDeviceManagementLibrariesRows);

const char kNetSdkPluginFolder[] = "KvNetSdkCom";

namespace {

// Components that receive the Qt platform plug-ins, in order; the player follows.
const char* const kPlatformComponents[] = {
    "AccessController",  "AIDashboard", "AlarmCenter",        "Attendance", "DataStatistics",
    "DeviceManagement",  "Emap",        "PersonalManagement", "Topology",   "Video",
    "VisitorManagement", "Consumption", "Broadcast"};
// Components that take the alarm centre's media library, in order.
const char* const kMediaComponents[] = {"AccessController", "AIDashboard", "DataStatistics", "Emap",
                                        "Topology"};

class CPlacement {
public:
    CPlacement(const std::string& installRoot, const CSetupConfig& config)
        : installRoot_(installRoot), brand_(config.brandName) {
        const CFolderLayout layout(installRoot, config);
        client_ = layout.ComponentsDir(ComponentSide::Client);
        server_ = layout.ComponentsDir(ComponentSide::Server);
        player_ = client_ + "Player\\";
    }

    void ServerLibraries() const {
        CopyAll(kServerLibraries, client_, server_);
        // The fixed product prefix, not the brand: under another brand the folder is absent
        // and the copies do nothing.
        Copy(client_ + "msvcp120.dll", client_ + "Korvane.PersonalManagement.C\\msvcp120.dll");
        Copy(client_ + "msvcp140.dll", client_ + "Korvane.PersonalManagement.C\\msvcp140.dll");
        CopyFolder(client_ + kNetSdkPluginFolder, server_ + kNetSdkPluginFolder);
        CopyFolder(client_ + "platforms", server_ + "platforms");
        Trace();
    }

    void PlayerLibraries() const {
        CopyAll(kPlayerLibraries, client_, player_);
        Trace();
    }

    void VideoLibraries() const {
        CopyAll(kVideoLibraries, client_, Component("Video"));
        Trace();
    }

    void DeviceManagementLibraries() const {
        const std::string device = Component("DeviceManagement");
        CopyAll(kDeviceManagementLibraries, client_, device);
        Copy(device + "opengl32sw.dll", Component("Emap") + "opengl32sw.dll");
        Trace();
    }

    // CopyFolder fills only folders it creates, so existing plug-in folders stay as they are.
    void PlatformPlugins() const {
        for (const char* component : kPlatformComponents) {
            CopyFolder(client_ + "platforms", Component(component) + "platforms");
        }
        CopyFolder(client_ + "platforms", player_ + "platforms");
    }

    void MediaLibrary() const {
        const std::string source = Component("AlarmCenter") + "MultimediaComm.dll";
        for (const char* component : kMediaComponents) {
            Copy(source, Component(component) + "MultimediaComm.dll");
        }
        Trace();
    }

private:
    std::string Component(const char* name) const { return client_ + brand_ + "." + name + ".C\\"; }

    static void Copy(const std::string& from, const std::string& to) {
        CopyFileA(from.c_str(), to.c_str(), FALSE);
    }

    static void CopyAll(const CTableView<const char*>& names, const std::string& from,
                        const std::string& to) {
        for (const char* name : names) {
            Copy(from + name, to + name);
        }
    }

    void Trace() const { OutputDebugStringA(installRoot_.c_str()); }

    std::string installRoot_;
    std::string brand_;
    std::string client_;
    std::string server_;
    std::string player_;
};

}  // namespace

void PlaceSharedLibraries(const std::string& installRoot, const CSetupConfig& config) {
    const CPlacement placement(installRoot, config);
    placement.ServerLibraries();
    placement.PlayerLibraries();
    placement.VideoLibraries();
    placement.DeviceManagementLibraries();
    placement.PlatformPlugins();
    placement.MediaLibrary();
}

}  // namespace SetUp
