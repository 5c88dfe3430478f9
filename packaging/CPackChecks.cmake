# Read by cpack before it packs: a Debian package is only built with the
# tools that work out its dependencies (dpkg-shlibdeps, which needs file).
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(CPACK_CHECK_SHLIBDEPS dpkg-shlibdeps)
    find_program(CPACK_CHECK_FILE file)
    if(NOT CPACK_CHECK_SHLIBDEPS OR NOT CPACK_CHECK_FILE)
        message(FATAL_ERROR
            "Not building a Debian package without its dependencies, which dpkg-shlibdeps and file work out. "
            "Install the packages dpkg-dev and file, or run bash scripts/package.sh, which installs them and builds the package.")
    endif()
endif()
