# Read by cpack while it packages: a build tuned for this machine's CPU would
# crash with an illegal instruction on older processors, so it is no package
# to hand out.
if(CPACK_PICTAVO_NATIVE)
  message(FATAL_ERROR "This build uses -march=native; configure with -DPICTAVO_NATIVE=OFF "
                      "to make a package (packaging/build-deb.sh does).")
endif()
# The newest change log entry must be for the version being packaged, or the
# package would describe some other release.
file(STRINGS ${CPACK_PICTAVO_CHANGELOG} first_line LIMIT_COUNT 1)
if(NOT first_line MATCHES "^${CPACK_PACKAGE_NAME} \\(([^)]+)\\)")
  message(FATAL_ERROR "packaging/changelog does not start with a \"${CPACK_PACKAGE_NAME} (version)\" line")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL CPACK_PACKAGE_VERSION)
  message(FATAL_ERROR "packaging/changelog's newest entry is ${CMAKE_MATCH_1}, the package is "
                      "${CPACK_PACKAGE_VERSION}: add an entry for this version")
endif()
