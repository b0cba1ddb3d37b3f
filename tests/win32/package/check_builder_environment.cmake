# The packages do not depend on the builder's umask or locale: packed again
# under umask 002 and a Turkish locale, whose dotted and dotless i once broke
# makensis, and unsigned, they are the same bytes as the first build's
# (compare_builds.cmake).
# Run: cmake -DBUILD=... -DOTHER=... -DSETTINGS=... -DRECIPE=release.cmake -DFILES=a.zip;SHA256SUMS
#            -P check_builder_environment.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/compare_builds.cmake)
file(REMOVE_RECURSE ${OTHER})
file(MAKE_DIRECTORY ${OTHER}/locales)
execute_process(COMMAND localedef -i tr_TR -f UTF-8 ${OTHER}/locales/tr_TR.UTF-8
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E env LOCPATH=${OTHER}/locales LC_ALL=tr_TR.UTF-8
                        sh -c "umask 002 && exec \"$0\" -DSETTINGS=\"$1\" -DRELEASE_DIR=\"$2\" -P \"$3\""
                        ${CMAKE_COMMAND} ${SETTINGS} ${OTHER} ${RECIPE}
                COMMAND_ERROR_IS_FATAL ANY)
compare_builds(${BUILD} ${OTHER} ${FILES})
