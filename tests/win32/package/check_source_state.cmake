# What a build takes from its sources' repository. Sources that are the top
# of their own take its commit, and a tree whose tracked files changed names
# its packages so (a change after configuring stops the packing); sources
# unpacked inside another repository take nothing from it, and ask for
# SOURCE_DATE_EPOCH.
# Run: cmake -DSOURCE_DIR=... -DWORK=... -DPRESET=... -P check_source_state.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/own ${WORK}/outer/sources)
set(git git -c user.name=Builder -c user.email=builder@example.org)

# The sources as they are now, without what git ignores, into a folder.
function(copy_sources to)
  execute_process(COMMAND sh -c "git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - | tar -xf - -C '${to}'"
                  WORKING_DIRECTORY ${SOURCE_DIR} COMMAND_ERROR_IS_FATAL ANY)
endfunction()
# Configures the sources in `dir` without SOURCE_DATE_EPOCH.
function(configure dir result output)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=SOURCE_DATE_EPOCH
                          ${CMAKE_COMMAND} --preset ${PRESET} -S ${dir} -B ${dir}/build
                  WORKING_DIRECTORY ${dir} RESULT_VARIABLE failed OUTPUT_VARIABLE text ERROR_VARIABLE text)
  set(${result} ${failed} PARENT_SCOPE)
  set(${output} "${text}" PARENT_SCOPE)
endfunction()
# The packages' name, and the version text and sources that the binaries' version records give.
function(build_marks dir out)
  include(${dir}/build/release-settings.cmake)
  file(STRINGS ${dir}/build/generated/Version.h texts REGEX "^#define PELMORA_(VERSION_TEXT|BUILD_SOURCES) ")
  set(${out} "${PACKAGE_NAME} ${texts}" PARENT_SCOPE)
endfunction()

copy_sources(${WORK}/own)
execute_process(COMMAND ${git} init -q WORKING_DIRECTORY ${WORK}/own COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${git} add -A WORKING_DIRECTORY ${WORK}/own COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${git} commit -q -m Sources WORKING_DIRECTORY ${WORK}/own COMMAND_ERROR_IS_FATAL ANY)
configure(${WORK}/own failed text)
build_marks(${WORK}/own committed)
file(APPEND ${WORK}/own/README.md "A change not committed.\n")
# Packing, configured for the commit, refuses the changed tree.
execute_process(COMMAND ${CMAKE_COMMAND} -DSETTINGS=${WORK}/own/build/release-settings.cmake
                        -P ${SOURCE_DIR}/packaging/release.cmake
                RESULT_VARIABLE packed OUTPUT_VARIABLE text ERROR_VARIABLE text)
if(NOT packed OR NOT text MATCHES "configure again")
  message(SEND_ERROR "a tree changed since configuring was packed under the commit's name:\n${text}")
endif()
configure(${WORK}/own failed text)
build_marks(${WORK}/own modified)
execute_process(COMMAND git rev-parse HEAD WORKING_DIRECTORY ${WORK}/own OUTPUT_VARIABLE commit
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(failed OR committed MATCHES "modified" OR NOT committed MATCHES "commit ${commit}\""
   OR NOT modified MATCHES "^[^ ]+-modified .*[0-9]-modified\".* with changes\"")
  message(SEND_ERROR "a modified tree is not told apart: ${committed}, then ${modified}\n${text}")
endif()

# Inside another repository, whose one commit is of 2001.
execute_process(COMMAND ${git} init -q WORKING_DIRECTORY ${WORK}/outer COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E env GIT_COMMITTER_DATE=2001-01-01T00:00:00Z
                        ${git} commit -q --allow-empty -m Outer
                WORKING_DIRECTORY ${WORK}/outer COMMAND_ERROR_IS_FATAL ANY)
copy_sources(${WORK}/outer/sources)
configure(${WORK}/outer/sources failed text)
if(NOT failed OR NOT text MATCHES "set SOURCE_DATE_EPOCH")
  message(SEND_ERROR "sources inside another repository did not ask for SOURCE_DATE_EPOCH:\n${text}")
endif()
