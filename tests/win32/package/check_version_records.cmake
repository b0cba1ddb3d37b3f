# The setup program, the uninstaller it carries and the MSI's check for a
# running copy show in their Properties what the shipped binaries show: the
# version numbers and texts, product, company, copyright and sources of
# REFERENCE's version record, each with a description of its own. windres
# reads the records, so this holds on every machine that builds.
# Run: cmake -DWINDRES=... -DSETUP=... -DMSI=... -DREFERENCE=OvMohReg.dll -DWORK=... -P check_version_records.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/setup_uninstaller.cmake)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
setup_uninstaller(${SETUP} ${WORK}/Uninstall.exe)
execute_process(COMMAND msiinfo extract ${MSI} Binary.RunningCopyCheck
                OUTPUT_FILE ${WORK}/running_copy_check.exe COMMAND_ERROR_IS_FATAL ANY)

# The lines of file's version record that every binary of the product shares.
function(shared_record file out)
  execute_process(COMMAND ${WINDRES} -i ${file} -O rc OUTPUT_VARIABLE text ERROR_QUIET)
  string(REGEX MATCHALL "\n *(FILEVERSION|PRODUCTVERSION|VALUE \"(Comments|CompanyName|FileVersion|LegalCopyright|ProductName|ProductVersion)\",)[^\n]*"
         lines "${text}")
  if(NOT text MATCHES "VALUE \"FileDescription\", \"[^\"]+\"")
    message(SEND_ERROR "${file} has no version record with a description")
  endif()
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()
shared_record(${REFERENCE} wanted)
foreach(file ${SETUP} ${WORK}/Uninstall.exe ${WORK}/running_copy_check.exe)
  shared_record(${file} record)
  if(NOT record STREQUAL wanted)
    message(SEND_ERROR "${file}'s version record says [${record}], not [${wanted}]")
  endif()
endforeach()
