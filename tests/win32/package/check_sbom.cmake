# The bill of materials validates against the CycloneDX schema, names every
# shipped binary and every package with its SHA-256, is listed in
# SHA256SUMS, and each linked component it names has its notice in the zip.
# Run: cmake -DBUILD=... -DPACKAGE=... -DBINARIES=a.exe;b.dll -DVALIDATOR=validate_sbom.js -P check_sbom.cmake
cmake_minimum_required(VERSION 3.25)
set(sbom ${BUILD}/${PACKAGE}.cdx.json)
execute_process(COMMAND node ${VALIDATOR} ${sbom} COMMAND_ERROR_IS_FATAL ANY)
file(READ ${sbom} text)

set(unpacked ${BUILD}/sbom-check)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${BUILD}/${PACKAGE}.zip
                WORKING_DIRECTORY ${unpacked} COMMAND_ERROR_IS_FATAL ANY)
list(TRANSFORM BINARIES PREPEND ${unpacked}/${PACKAGE}/)
foreach(path ${BINARIES} ${BUILD}/${PACKAGE}.exe ${BUILD}/${PACKAGE}.msi ${BUILD}/${PACKAGE}.zip)
  get_filename_component(name ${path} NAME)
  file(SHA256 ${path} hash)
  if(NOT text MATCHES "\"name\": \"${name}\",[^}]*\"content\": \"${hash}\"")
    message(SEND_ERROR "the bill of materials does not name ${name} with its SHA-256 ${hash}")
  endif()
endforeach()

file(READ ${unpacked}/${PACKAGE}/THIRD-PARTY-NOTICES.txt notices)
string(REGEX MATCHALL "\"type\": \"library\", \"bom-ref\": \"[^\"]+\"" linked "${text}")
if(NOT linked)
  message(SEND_ERROR "the bill of materials names no linked component")
endif()
foreach(component ${linked})
  string(REGEX REPLACE ".*\"([^\"]+)\"$" "\\1" component "${component}")
  string(FIND "${notices}" "\n${component}, from the Debian package " at)
  if(at EQUAL -1)
    message(SEND_ERROR "THIRD-PARTY-NOTICES.txt has no notice for ${component}")
  endif()
endforeach()

file(STRINGS ${BUILD}/SHA256SUMS sums REGEX "  ${PACKAGE}\\.cdx\\.json$")
execute_process(COMMAND sha256sum -c SHA256SUMS WORKING_DIRECTORY ${BUILD} OUTPUT_QUIET
                RESULT_VARIABLE failed)
if(NOT sums OR failed)
  message(SEND_ERROR "SHA256SUMS does not list the bill of materials, or does not match")
endif()
