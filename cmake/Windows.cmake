# The Win32 program: framework, user interface and the Vorlane.exe itself.
enable_language(RC)

add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600)
# A static runtime: the exe needs no DLL beyond the system's.
add_link_options(-static)

# Address space layout randomisation, no execution from data pages, and a
# Windows folder of the system's own under Remote Desktop.
add_link_options(-Wl,--dynamicbase -Wl,--nxcompat -Wl,--tsaware)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(VORLANE_MANIFEST_ARCH amd64)
    set(VORLANE_SUBSYSTEM_VERSION 5.02)
    add_link_options(-Wl,--high-entropy-va)
else()
    set(VORLANE_MANIFEST_ARCH x86)
    # Windows XP SP3 loads images marked 5.01 and later.
    set(VORLANE_SUBSYSTEM_VERSION 5.01)
endif()

add_library(vorlane_framework STATIC
    framework/DC.cpp
    framework/Dialog.cpp
    framework/DllLoader.cpp
    framework/File.cpp
    framework/FileFind.cpp
    framework/GuiFont.cpp
    framework/ListCtrl.cpp
    framework/String.cpp
    framework/ToolTipCtrl.cpp
    framework/WinApp.cpp
    framework/WinThread.cpp
    framework/Wnd.cpp
)
target_include_directories(vorlane_framework PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vorlane_framework PUBLIC comctl32)

add_library(vorlane_ui STATIC
    app/PlatformServices.cpp
    app/VorlaneDlg.cpp
    controls/AboutDlg.cpp
    controls/HyperLink.cpp
    controls/LogoStatic.cpp
    controls/ShellExecuteShell.cpp
    inspect/CommonFileDialogs.cpp
    inspect/FileInspection.cpp
    inspect/OpenFileDialog.cpp
    inspect/SystemCaseFolding.cpp
    inspect/VersionDllSource.cpp
    listview/FileListCtrl.cpp
    scan/EnumerationThreads.cpp
    scan/FindFileDirectorySearch.cpp
    scan/SfcFileProtection.cpp
    scan/SystemLeadBytes.cpp
    scan/WidePath.cpp
    scan/WindowsSystemInfo.cpp
    scan/Wow64Redirection.cpp
)
target_link_libraries(vorlane_ui PUBLIC vorlane_framework vorlane_core comdlg32 shell32)

configure_file(res/Vorlane.manifest.in ${PROJECT_BINARY_DIR}/res/Vorlane.manifest @ONLY)
add_library(vorlane_resources OBJECT res/Vorlane.rc)
target_include_directories(vorlane_resources PRIVATE ${PROJECT_SOURCE_DIR}/res ${PROJECT_BINARY_DIR}/res)

add_executable(Vorlane WIN32 app/VorlaneApp.cpp framework/AppMain.cpp)
target_link_libraries(Vorlane PRIVATE vorlane_ui vorlane_resources)
target_link_options(Vorlane PRIVATE
    -Wl,--subsystem,windows:${VORLANE_SUBSYSTEM_VERSION}
    -Wl,--major-os-version,5 -Wl,--minor-os-version,1)

add_subdirectory(bench)
