# Man pages made from the programs' --help texts by help2man (scripts/bootstrap.sh install puts it on the machine).
# Without help2man the programs are built and installed without their man pages.
include(GNUInstallDirs)
find_program(HELP2MAN_EXECUTABLE help2man)
if(NOT HELP2MAN_EXECUTABLE)
  message(STATUS "help2man not found: no man pages (scripts/bootstrap.sh install)")
endif()

# radlink_man_page(TARGET "one-line description"): section 1, named after the target's file.
function(radlink_man_page target description)
  if(NOT HELP2MAN_EXECUTABLE)
    return()
  endif()
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${name}.1)
  # Run through PATH so that the page shows the program's name, not the build folder.
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env "PATH=$<TARGET_FILE_DIR:${target}>:$ENV{PATH}"
            ${HELP2MAN_EXECUTABLE} --no-info --section=1 --version-string=${PROJECT_VERSION}
            --name=${description} --output=${page} ${name}
    COMMAND gzip -9nf ${page}
    DEPENDS ${target}
    COMMENT "Man page of ${name}"
    VERBATIM)
  add_custom_target(${target}_man ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
