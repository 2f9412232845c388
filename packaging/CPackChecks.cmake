# Read by cpack while it packages: a build tuned for this machine's CPU would
# crash with an illegal instruction on older processors, so it is no package
# to hand out.
if(CPACK_PICTAVO_NATIVE)
  message(FATAL_ERROR "This build uses -march=native; configure with -DPICTAVO_NATIVE=OFF "
                      "to make a package (packaging/build-deb.sh does).")
endif()
