# docs.cmake - the `docs` target: the API reference (HTML, Doxygen) of what
# games call, from the headers' one-line comments, in <build>/reference/html:
# ru.h, the library's modules and the Windows vocabulary (win_types.h); the
# rest of platform/ is the library's own layer and is left out. The target
# fails when a function in the reference has no comment.

set(RU_DOCS_OUTPUT ${PROJECT_BINARY_DIR}/reference)
set(RU_DOCS_FOLDERS system draw text input sound effects)
set(inputs ${PROJECT_SOURCE_DIR}/ru.h ${PROJECT_SOURCE_DIR}/platform/win_types.h)
foreach(folder IN LISTS RU_DOCS_FOLDERS)
  if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/${folder})
    list(APPEND inputs ${PROJECT_SOURCE_DIR}/${folder})
  endif()
endforeach()
list(JOIN inputs " " RU_DOCS_INPUT)
configure_file(${PROJECT_SOURCE_DIR}/cmake/Doxyfile.in ${PROJECT_BINARY_DIR}/Doxyfile @ONLY)

find_program(RU_DOXYGEN doxygen)
if(RU_DOXYGEN)
  add_custom_target(docs
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${RU_DOCS_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${RU_DOCS_OUTPUT}
    COMMAND ${RU_DOXYGEN} ${PROJECT_BINARY_DIR}/Doxyfile
    COMMAND ${CMAKE_COMMAND} -DLOG=${RU_DOCS_OUTPUT}/warnings.txt
            -P ${PROJECT_SOURCE_DIR}/cmake/check_docs.cmake
    COMMENT "API reference: ${RU_DOCS_OUTPUT}/html/index.html"
    VERBATIM)
else()
  add_custom_target(docs
    COMMAND ${CMAKE_COMMAND} -E echo "docs: doxygen not found (tools/setup.sh installs it)"
    COMMAND ${CMAKE_COMMAND} -E false)
endif()

# Part of the install (and the .deb) when it has been built.
install(DIRECTORY ${RU_DOCS_OUTPUT}/html/ DESTINATION ${RU_INSTALL_DOCDIR}/reference OPTIONAL)
