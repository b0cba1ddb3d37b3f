# Packages named as the commit's hold the commit's files: a tree changed
# since it was configured as unchanged is configured again first. Included
# by stage_files.cmake; run alone with
# cmake -DCPACK_PELMORA_SOURCE_COMMIT=... -DCPACK_PELMORA_SOURCE_MODIFIED=... -DCPACK_PELMORA_SOURCE_DIR=... -P check_source_tree.cmake
if(CPACK_PELMORA_SOURCE_COMMIT AND NOT CPACK_PELMORA_SOURCE_MODIFIED)
  execute_process(COMMAND git status --porcelain --untracked-files=no
                  WORKING_DIRECTORY ${CPACK_PELMORA_SOURCE_DIR} OUTPUT_VARIABLE changes)
  if(changes)
    message(FATAL_ERROR "The sources changed since they were configured: configure again, "
                        "so that the packages are named as a modified tree's.")
  endif()
endif()
