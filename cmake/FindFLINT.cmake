# FLINT with Arb: Arb is a library of its own beside FLINT 2 (Debian 12:
# libflint-dev and libflint-arb-dev) and part of FLINT 3 itself.
# Defines the imported target FLINT::FLINT.
find_path(FLINT_INCLUDE_DIR flint/fmpz_poly.h)
find_path(FLINT_ARB_INCLUDE_DIR acb_poly.h PATH_SUFFIXES flint)
find_library(FLINT_LIBRARY NAMES flint)
find_library(FLINT_ARB_LIBRARY NAMES flint-arb arb)
# FLINT's inline functions call GMP and MPFR directly.
find_library(FLINT_GMP_LIBRARY NAMES gmp)
find_library(FLINT_MPFR_LIBRARY NAMES mpfr)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(FLINT REQUIRED_VARS FLINT_LIBRARY FLINT_GMP_LIBRARY FLINT_MPFR_LIBRARY FLINT_INCLUDE_DIR FLINT_ARB_INCLUDE_DIR)

if(FLINT_FOUND AND NOT TARGET FLINT::FLINT)
    add_library(FLINT::FLINT INTERFACE IMPORTED)
    set_target_properties(FLINT::FLINT PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES "${FLINT_INCLUDE_DIR};${FLINT_ARB_INCLUDE_DIR}")
    # With FLINT 3 there is no separate Arb library to link.
    if(FLINT_ARB_LIBRARY)
        target_link_libraries(FLINT::FLINT INTERFACE ${FLINT_ARB_LIBRARY})
    endif()
    target_link_libraries(FLINT::FLINT INTERFACE ${FLINT_LIBRARY} ${FLINT_MPFR_LIBRARY} ${FLINT_GMP_LIBRARY})
endif()
mark_as_advanced(FLINT_INCLUDE_DIR FLINT_ARB_INCLUDE_DIR FLINT_LIBRARY FLINT_ARB_LIBRARY
    FLINT_GMP_LIBRARY FLINT_MPFR_LIBRARY)
