# Read by cpack before it packs: a Debian package is only built with the
# tools that work out its dependencies (dpkg-shlibdeps, which needs file).
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(CPACK_CHECK_SHLIBDEPS dpkg-shlibdeps)
    find_program(CPACK_CHECK_FILE file)
    if(NOT CPACK_CHECK_SHLIBDEPS OR NOT CPACK_CHECK_FILE)
        message(FATAL_ERROR
            "Not building a Debian package without its dependencies: dpkg-shlibdeps and file are needed "
            "(the packages dpkg-dev and file). bash scripts/package.sh installs them and builds the package.")
    endif()
endif()
