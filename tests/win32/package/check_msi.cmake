# The MSI installs for the whole machine (ALLUSERS=1) with an Apps and
# Features entry like the setup program's, and each binary has
# its version in the File table, so that Windows Installer compares versions
# rather than dates when it replaces one. It remembers its folder, in the
# registry view of its platform, for an upgrade to find. It replaces a copy
# of the other edition of the same version. SETTINGS, the release's, names
# the key and the platform.
# Run: cmake -DMSI=... -DVERSION=... -DBINARIES=a.exe;b.dll -DSETTINGS=... -P check_msi.cmake
cmake_minimum_required(VERSION 3.25)
include(${SETTINGS})
function(table name out)
  execute_process(COMMAND msiinfo export ${MSI} ${name} OUTPUT_VARIABLE text COMMAND_ERROR_IS_FATAL ANY)
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

table(Property properties)
if(NOT properties MATCHES "\nALLUSERS\t1\r?\n")
  message(SEND_ERROR "${MSI} does not install for all users: no ALLUSERS=1 in its Property table")
endif()
# Apps and Features offers neither Change nor Repair, as for the setup program.
foreach(property ARPNOMODIFY ARPNOREPAIR)
  if(NOT properties MATCHES "\n${property}\t1\r?\n")
    message(SEND_ERROR "${MSI} does not set ${property}")
  endif()
endforeach()
table(File files)
foreach(binary ${BINARIES})
  if(NOT files MATCHES "\t${binary}\t[0-9]+\t${VERSION}\t")
    message(SEND_ERROR "${binary} has no version ${VERSION} in the File table of ${MSI}")
  endif()
endforeach()

# The folder, [INSTALLDIR], is written under MSI_KEY in HKLM (root 2) by a
# component of the 64-bit view (attribute 256) on win64, and read back by
# the search for INSTALLDIR from the same view (type flag 16).
string(REPLACE "\\" "\\\\" key "${MSI_KEY}")
if(PLATFORM STREQUAL win64)
  set(wanted "256 16")
else()
  set(wanted "0 0")
endif()
table(Registry registry)
table(Component components)
table(RegLocator locators)
set(found "")
if(registry MATCHES "\n[^\t\n]+\t2\t${key}\tInstallDir\t\\[INSTALLDIR\\]\t([^\t\r\n]+)\r?\n")
  string(REGEX MATCH "\n${CMAKE_MATCH_1}\t[^\t]*\t[^\t]*\t([0-9]+)\t" row "${components}")
  math(EXPR written "${CMAKE_MATCH_1} & 256")
  if(locators MATCHES "\n[^\t\n]+\t2\t${key}\tInstallDir\t([0-9]+)\r?\n")
    math(EXPR read "${CMAKE_MATCH_1} & 16")
    set(found "${written} ${read}")
  endif()
endif()
if(NOT found STREQUAL wanted)
  message(SEND_ERROR "${MSI} does not remember its folder as InstallDir under HKLM\\${MSI_KEY}, "
                     "and look for it there, in the registry view of ${PLATFORM} (found [${found}])")
endif()

# Either edition's MSI replaces the other's copy, at the same version too:
# the upgrade row reaches VERSION inclusive (attribute 512), which wixl does
# not write itself.
table(Upgrade upgrades)
set(inclusive 0)
if(upgrades MATCHES "\t${VERSION}\t\t([0-9]+)\t\tWIX_UPGRADE_DETECTED")
  math(EXPR inclusive "${CMAKE_MATCH_1} & 512")
endif()
if(NOT inclusive)
  message(SEND_ERROR "${MSI} does not replace a copy of the same version ${VERSION}: ${upgrades}")
endif()
