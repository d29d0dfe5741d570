# nlohmann/json, the header-only JSON library Debian ships (nlohmann-json3-dev),
# as the target nlohmann_json_headers. A cross-compiler does not search the
# build machine's /usr/include, where a C library of the wrong kind lives too:
# the library's own folder alone is copied into the build and put on its path.
find_path(VORLANE_NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH)
if(NOT VORLANE_NLOHMANN_INCLUDE)
    message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev")
endif()
set(VORLANE_NLOHMANN_COPY ${CMAKE_BINARY_DIR}/nlohmann-json)
file(COPY ${VORLANE_NLOHMANN_INCLUDE}/nlohmann DESTINATION ${VORLANE_NLOHMANN_COPY})
add_library(nlohmann_json_headers INTERFACE)
target_include_directories(nlohmann_json_headers SYSTEM INTERFACE ${VORLANE_NLOHMANN_COPY})
