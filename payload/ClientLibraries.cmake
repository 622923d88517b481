# The libraries the client framework archive carries for the shared-library placement: sample
# files named like the real ones, each holding its own name so that copies can be told apart.

# Outside-party libraries of the server list.
set(SETUP_SERVER_OUTSIDE_LIBRARIES
    Qt5Core.dll Qt5Gui.dll Qt5Network.dll Qt5Svg.dll Qt5Widgets.dll Qt5Xml.dll log4cxx.dll
    libxml2.dll iconv.dll sqlite3.dll libcurl.dll srt.dll libcrypto-1_1.dll libssl-1_1.dll
    libeay32.dll ssleay32.dll openssl.exe dbghelp.dll concrt140.dll msvcr110.dll mfc90u.dll
    mfc90.dll mfcm90.dll mfcm90u.dll msvcm90.dll msvcr90.dll msvcp90.dll msvcp120.dll
    msvcr120.dll msvcp140.dll vccorlib120.dll vccorlib140.dll vcruntime140.dll)

# The maker's own libraries of the server list (29 entries, the last a zipped XML data file).
set(SETUP_SERVER_INHOUSE_LIBRARIES
    KvCore.dll KvIdentify.dll KvNetSdk.dll KvPlaySdk.dll KvStreamClient.dll KvStreamServer.dll
    KvRender.dll KvCodec.dll KvAudio.dll KvDecoder.dll KvEncoder.dll KvRtsp.dll KvRtp.dll
    KvOnvif.dll KvDeviceSearch.dll KvAlarm.dll KvDb.dll KvDbMySql.dll KvDbSqlite.dll KvLog.dll
    KvLogConfig.dll KvConfig.dll KvUtils.dll KvCrypto.dll KvHttp.dll KvWebSocket.dll KvMq.dll
    KvJson.dll KvDeviceModels.xml.zip)

# The device network library's plug-in folder (copied whole to the server).
set(SETUP_NETSDK_PLUGIN_FOLDER KvNetSdkCom)

# Libraries only the video and device-management components take.
set(SETUP_COMPONENT_LIBRARIES
    Qt5Script.dll Qt5Multimedia.dll Qt5Positioning.dll Qt5PrintSupport.dll Qt5Qml.dll
    Qt5Quick.dll Qt5QuickWidgets.dll Qt5SerialPort.dll Qt5WebChannel.dll Qt5WebEngineCore.dll
    Qt5WebEngineWidgets.dll QtWebEngineProcess.exe icudtl.dat qtwebengine_devtools_resources.pak
    qtwebengine_resources.pak qtwebengine_resources_100p.pak qtwebengine_resources_200p.pak
    opengl32sw.dll D3Dcompiler_47.dll libEGL.dll libGLESV2.dll)
