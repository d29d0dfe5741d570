# vorlane_folder(NAME [PORTABLE sources...] [WINDOWS sources...] [NATIVE sources...]
#                [LINKS libraries...] [WINDOWS_LINKS libraries...])
#
# The library of one source folder: its portable sources in every build, its
# Windows sources in the Windows builds, and its native sources (what stands
# in for Windows code in the native tests) in the native build. A folder links only the folders
# below it: framework <- platform <- scan <- rows <- listview, inspect,
# controls, export, verify <- compare <- app.
function(vorlane_folder name)
    cmake_parse_arguments(PARSE_ARGV 1 folder "" "" "PORTABLE;WINDOWS;NATIVE;LINKS;WINDOWS_LINKS")
    set(sources ${folder_PORTABLE})
    set(links ${folder_LINKS})
    if(WIN32)
        list(APPEND sources ${folder_WINDOWS})
        list(APPEND links ${folder_WINDOWS_LINKS})
    else()
        list(APPEND sources ${folder_NATIVE})
    endif()
    add_library(vorlane_${name} STATIC ${sources})
    if(WIN32)
        # The platform headers take most of a Windows source's compile: they
        # are compiled once, with the framework, for every folder's Windows
        # sources. The portable ones include only what they name.
        set_source_files_properties(${folder_PORTABLE} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
        if(name STREQUAL "framework")
            target_precompile_headers(vorlane_framework PRIVATE
                ${PROJECT_SOURCE_DIR}/framework/Afx.h <functional> <memory> <string> <vector>)
        else()
            target_precompile_headers(vorlane_${name} REUSE_FROM vorlane_framework)
        endif()
    endif()
    target_include_directories(vorlane_${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(vorlane_${name} PUBLIC ${links})
endfunction()
