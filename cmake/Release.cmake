# The programs for download: as small as a static runtime allows, and the same
# bytes whichever folder the checkout is in.
add_compile_options(-ffunction-sections -fdata-sections
    # Build paths would reach the exe through __FILE__.
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
    -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
# -s: no symbols or debug information; the linker's time stamp would make
# every build differ (and, through it, the PE checksum).
add_link_options(-s -Wl,--gc-sections -Wl,--no-insert-timestamp)
