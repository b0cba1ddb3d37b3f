# The MSI installs for the whole machine (ALLUSERS=1) with an Apps and
# Features entry like the setup program's, and each binary has
# its version in the File table, so that Windows Installer compares versions
# rather than dates when it replaces one.
# Run: cmake -DMSI=... -DVERSION=... -DBINARIES=a.exe;b.dll -P check_msi.cmake
cmake_minimum_required(VERSION 3.25)
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
