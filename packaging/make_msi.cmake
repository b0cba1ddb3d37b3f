# Makes an MSI of VERSION with wixl from the files that ship, lying in
# FILES_DIR. SETTINGS, the release's settings that packaging/CMakeLists.txt
# writes, gives the rest: PLATFORM, FILES, PRODUCT_VERSION (that of the
# binaries' version records), DISPLAY_NAME, VENDOR, DESCRIPTION,
# INSTALL_FOLDER, MENU_FOLDER, INSTALL_KEY, MSI_KEY, ICON, WXS,
# SOURCE_DATE_EPOCH, RUNNING_COPY_CHECK (the program that tells whether the
# product runs).
# It stops at the first tool that fails, naming it and what it said.
# CHECK, if given, is the running copy's check to use instead, such as a signed copy.
# Run: cmake -DSETTINGS=... -DVERSION=... -DFILES_DIR=... [-DCHECK=...] -DOUTPUT=... -P make_msi.cmake
cmake_minimum_required(VERSION 3.25)
include(${SETTINGS})
if(CHECK)
  set(RUNNING_COPY_CHECK ${CHECK})
endif()
find_program(WIXL wixl REQUIRED)
find_program(MSIBUILD msibuild REQUIRED)
find_program(MSIINFO msiinfo REQUIRED)
find_program(FAKETIME faketime REQUIRED)

# Fixed for the product's whole life: it is how Windows knows an MSI of any
# version as this product's.
set(msi_upgrade_code DA3DADE8-99AE-4F5C-BDC6-0EC590E40D14)
# The other codes are derived, so that two builds of one version give the
# same package: the product and package codes change with the version, a
# file's component code never does.
set(namespace A8E31E3C-73B3-4D9D-8F23-B9C11E50CE13)
macro(derived_code variable name)
  string(UUID ${variable} NAMESPACE ${namespace} NAME "${name}" TYPE SHA1 UPPER)
endmacro()
derived_code(msi_product_code "product ${VERSION} ${PLATFORM}")
# Windows Installer caches a package by its code: two packages of one
# version with other contents have other codes.
set(contents "")
foreach(file ${FILES})
  file(SHA256 ${FILES_DIR}/${file} hash)
  string(APPEND contents " ${file} ${hash}")
endforeach()
derived_code(package_code "package ${VERSION} ${PLATFORM}${contents}")
derived_code(msi_shortcut_guid "shortcut ${PLATFORM}")
set(msi_version ${VERSION})
# wixl takes sources relative to where it runs, which is FILES_DIR.
file(RELATIVE_PATH msi_icon ${FILES_DIR} ${ICON})

if(PLATFORM STREQUAL win64)
  set(arch x64)
  set(msi_program_files ProgramFiles64Folder)
  set(msi_win64 " Win64=\"yes\"")
  string(CONCAT msi_other_view_search
    "      <RegistrySearch Id=\"SetupProgramCopy32\" Root=\"HKLM\" Type=\"raw\"\n"
    "                      Key=\"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${INSTALL_KEY}\" Name=\"UninstallString\"/>\n")
else()
  set(arch x86)
  set(msi_program_files ProgramFilesFolder)
  set(msi_win64 "")
  set(msi_other_view_search "")
endif()

set(msi_file_components "")
set(msi_component_refs "")
foreach(file ${FILES})
  derived_code(guid "file ${file} ${PLATFORM}")
  # An identifier has no '-'.
  string(REPLACE "-" "_" id ${file})
  string(APPEND msi_file_components
    "            <Component Id=\"${id}\" Guid=\"${guid}\"${msi_win64}>\n"
    "              <File Id=\"${id}\" Name=\"${file}\" Source=\"${file}\" KeyPath=\"yes\"/>\n"
    "            </Component>\n")
  string(APPEND msi_component_refs "      <ComponentRef Id=\"${id}\"/>\n")
endforeach()

get_filename_component(output_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_dir})
set(wxs ${output_dir}/PelmoraConfig.wxs)
configure_file(${WXS} ${wxs} @ONLY)

# wixl dates the package by the clock and draws its package code at random:
# the clock is held at SOURCE_DATE_EPOCH while the tools run, and msibuild
# then writes the derived package code.
set(ENV{SOURCE_DATE_EPOCH} ${SOURCE_DATE_EPOCH})
set(ENV{TZ} UTC)
string(TIMESTAMP build_time "%Y-%m-%d %H:%M:%S" UTC)
# run(tool arguments... [WORKING_DIRECTORY dir]): the tool under that clock;
# its first failure stops the MSI, naming the tool and what it said.
function(run tool)
  execute_process(COMMAND ${FAKETIME} -f "${build_time}" ${tool} ${ARGN}
                  RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
  if(failed)
    get_filename_component(name ${tool} NAME)
    string(STRIP "${said}" said)
    message(FATAL_ERROR "${name} failed (${failed}) making ${OUTPUT}: ${said}")
  endif()
endfunction()
# The template names the platform as the package's summary says it, in one
# argument: its ';' is kept from splitting it.
if(arch STREQUAL x64)
  set(template "x64\\;1033")
else()
  set(template "Intel\\;1033")
endif()
run(${WIXL} --arch ${arch} -o ${OUTPUT} ${wxs} WORKING_DIRECTORY ${FILES_DIR})
run(${MSIBUILD} ${OUTPUT} -s "${DESCRIPTION}" "${VENDOR}" "${template}" "{${package_code}}")

# What wixl cannot write is put into its tables afterwards.
set(tables ${output_dir}/tables)
file(REMOVE_RECURSE ${tables})
file(MAKE_DIRECTORY ${tables}/Binary)
macro(export_table name)
  execute_process(COMMAND ${MSIINFO} export ${OUTPUT} ${name} OUTPUT_VARIABLE table COMMAND_ERROR_IS_FATAL ANY)
endmacro()
# wixl leaves every file unversioned, and Windows Installer would then
# replace a binary only by its date: the binaries get their version.
export_table(File)
string(REGEX REPLACE "(\n[^\t\n]+\t[^\t\n]+\t[^\t\n]+\\.(exe|dll)\t[0-9]+\t)\t" "\\1${PRODUCT_VERSION}\t"
       table "${table}")
file(WRITE ${tables}/File.idt "${table}")
# Both editions share the upgrade code, so that the one's MSI replaces the
# other's copy; at the same version too, which wixl's MajorUpgrade cannot
# allow: its upgrade row gets VersionMaxInclusive (512). Its own copy, of
# the same product code, Windows Installer never takes for an upgrade.
export_table(Upgrade)
if(NOT table MATCHES "\t${VERSION}\t\t([0-9]+)\t\tWIX_UPGRADE_DETECTED")
  message(FATAL_ERROR "wixl wrote no upgrade row up to ${VERSION} into ${OUTPUT}: ${table}")
endif()
math(EXPR attributes "${CMAKE_MATCH_1} | 512")
string(REPLACE "${CMAKE_MATCH_0}" "\t${VERSION}\t\t${attributes}\t\tWIX_UPGRADE_DETECTED" table "${table}")
file(WRITE ${tables}/Upgrade.idt "${table}")
# Before InstallValidate (1400), and so before anything is changed, the
# running copy's check stops the install, upgrade or removal while a
# program of the product runs (a custom action of type 2, an exe from
# the Binary table, whose exit code counts).
file(COPY_FILE ${RUNNING_COPY_CHECK} ${tables}/Binary/RunningCopyCheck.ibd)
file(WRITE ${tables}/Binary.idt "Name\tData\ns72\tv0\nBinary\tName\nRunningCopyCheck\tRunningCopyCheck.ibd\n")
export_table(CustomAction)
file(WRITE ${tables}/CustomAction.idt "${table}RunningCopyCheck\t2\tRunningCopyCheck\t[UILevel]\t\n")
export_table(InstallExecuteSequence)
file(WRITE ${tables}/InstallExecuteSequence.idt "${table}RunningCopyCheck\t\t1390\n")
foreach(name File Upgrade Binary CustomAction InstallExecuteSequence)
  # msibuild finds the Binary table's files from where it runs.
  run(${MSIBUILD} ${OUTPUT} -i ${name}.idt WORKING_DIRECTORY ${tables})
endforeach()
file(REMOVE_RECURSE ${tables})
