# makensis runs this on the uninstaller before it packs it into the setup
# program, so that a signed release installs a signed Uninstall.exe, which
# Apps and Features runs elevated. Run: cmake -DFILE=... -DNAME=... -DSOURCE_DATE_EPOCH=... -P sign_uninstaller.cmake
include(${CMAKE_CURRENT_LIST_DIR}/signing.cmake)
signing_requested(sign)
if(sign)
  sign_file(${FILE} "${NAME}")
endif()
