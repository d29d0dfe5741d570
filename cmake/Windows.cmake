# What every Windows target shares: API level, runtime, linker protections.
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
