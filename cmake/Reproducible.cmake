# Two builds of one commit give the same bytes, wherever and whenever they
# run: every time stamp is SOURCE_DATE_EPOCH, by default the last commit's
# time, and no path of the build machine is left in the binaries.
# The sources' own repository, if they are the top of one: sources unpacked
# inside another repository are not that repository's commit.
execute_process(COMMAND git rev-parse --show-toplevel
                WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                OUTPUT_VARIABLE git_top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
get_filename_component(source_dir ${PROJECT_SOURCE_DIR} REALPATH)
if(git_top)
  get_filename_component(git_top ${git_top} REALPATH)
endif()
set(PELMORA_SOURCE_COMMIT "")
set(PELMORA_SOURCE_MODIFIED FALSE)
if(git_top STREQUAL source_dir)
  execute_process(COMMAND git rev-parse HEAD WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE PELMORA_SOURCE_COMMIT OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  # Changes to tracked files make other binaries than the commit's.
  execute_process(COMMAND git status --porcelain --untracked-files=no WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE changes ERROR_QUIET)
  if(changes)
    set(PELMORA_SOURCE_MODIFIED TRUE)
  endif()
endif()
# What the binaries and the packages say of their sources: a build from a
# changed tree never passes for the commit's.
if(PELMORA_SOURCE_MODIFIED)
  set(PELMORA_BUILD_MARK -modified)
  set(PELMORA_BUILD_SOURCES "Built from commit ${PELMORA_SOURCE_COMMIT}, with changes")
elseif(PELMORA_SOURCE_COMMIT)
  set(PELMORA_BUILD_MARK "")
  set(PELMORA_BUILD_SOURCES "Built from commit ${PELMORA_SOURCE_COMMIT}")
else()
  set(PELMORA_BUILD_MARK "")
  set(PELMORA_BUILD_SOURCES "Built from sources without their commit")
endif()

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(PELMORA_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  if(PELMORA_SOURCE_COMMIT)
    execute_process(COMMAND git log -1 --format=%ct
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE PELMORA_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
  if(NOT PELMORA_SOURCE_DATE_EPOCH)
    message(FATAL_ERROR "The sources are not the top of a git repository of their own, so no commit "
                        "gives the build's time stamp: set SOURCE_DATE_EPOCH.")
  endif()
  # A new commit is a new time stamp: configure again when HEAD moves.
  execute_process(COMMAND git rev-parse --git-path logs/HEAD
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE head_log
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(head_log ${head_log} ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
  if(EXISTS ${head_log})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${head_log})
  endif()
endif()

# The linker writes SOURCE_DATE_EPOCH into the PE header and the export
# directory in place of the time of linking.
foreach(language C CXX)
  set(CMAKE_${language}_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${PELMORA_SOURCE_DATE_EPOCH})
endforeach()
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
