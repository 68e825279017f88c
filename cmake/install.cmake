# install.cmake - what `cmake --install` puts into a prefix, the CMake
# package (`find_package(ru)` gives ru::ru and ru::main), ru.pc for
# pkg-config, and the Debian package made by `cpack -G DEB`.
#
# Included once from the top CMakeLists.txt. The rules that depend on the
# finished target graph (the libraries the platform layer links, `rupack`)
# run at the end of the top directory, so the include may sit anywhere after
# the library targets and targets added later are still seen.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

if(PROJECT_VERSION)
  set(RU_VERSION ${PROJECT_VERSION})
else()
  set(RU_VERSION 0.1.0)
endif()

# Headers keep the paths games write ("ru.h", "draw/draw.h",
# "platform/win_types.h") under one folder of the prefix: include/ru.
set(RU_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/ru)
set(RU_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/ru)
set(RU_INSTALL_PKGCONFIGDIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
set(RU_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/ru)

# Folders whose headers are installed, whole: a header added to one of them
# is installed without touching this file. platform/sdl/ includes SDL and
# *_internal.h headers are the library's own; neither is installed.
set(RU_HEADER_FOLDERS system draw text input sound effects platform)

# ------------------------------------------------------------ targets

# Installed names: libru.a, libru_platform.a, libru_main.a; in the package
# ru::ru, ru::platform (linked by ru::ru) and ru::main.
set_target_properties(ru_platform PROPERTIES EXPORT_NAME platform)
set_target_properties(ru_main PROPERTIES EXPORT_NAME main)
# Games are compiled as C++20, like the headers they include.
target_compile_features(ru INTERFACE cxx_std_20)

# Include folders that point into this tree hold only in the build tree; an
# installed game finds the headers under include/ru instead.
function(_ru_relocate_includes target)
  get_target_property(dirs ${target} INTERFACE_INCLUDE_DIRECTORIES)
  if(NOT dirs)
    return()
  endif()
  set(relocated)
  foreach(dir IN LISTS dirs)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${dir}" NORMALIZE in_source)
    cmake_path(IS_PREFIX PROJECT_BINARY_DIR "${dir}" NORMALIZE in_binary)
    if(in_source OR in_binary)
      list(APPEND relocated "$<BUILD_INTERFACE:${dir}>")
    else()
      list(APPEND relocated "${dir}")
    endif()
  endforeach()
  list(APPEND relocated "$<INSTALL_INTERFACE:${RU_INSTALL_INCLUDEDIR}>")
  set_property(TARGET ${target} PROPERTY INTERFACE_INCLUDE_DIRECTORIES "${relocated}")
endfunction()
foreach(target ru_platform ru ru_main)
  _ru_relocate_includes(${target})
endforeach()

install(TARGETS ru_platform ru ru_main EXPORT ruTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT ruTargets NAMESPACE ru:: FILE ruTargets.cmake
        DESTINATION ${RU_INSTALL_CMAKEDIR})

# ------------------------------------------------------------ headers, docs

install(FILES ${PROJECT_SOURCE_DIR}/ru.h DESTINATION ${RU_INSTALL_INCLUDEDIR})
foreach(folder IN LISTS RU_HEADER_FOLDERS)
  if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/${folder})
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${folder} DESTINATION ${RU_INSTALL_INCLUDEDIR}
            FILES_MATCHING PATTERN "*.h"
            PATTERN "*_internal.h" EXCLUDE
            PATTERN "sdl" EXCLUDE)
  endif()
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${RU_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${RU_INSTALL_DOCDIR}
        FILES_MATCHING PATTERN "*.md" PATTERN "*.png" PATTERN "*.script")
# The examples' sources only, not what a build beside them left there.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${RU_INSTALL_DOCDIR}/examples
        FILES_MATCHING PATTERN "*.cpp" PATTERN "*.h" PATTERN "*.py" PATTERN "*.bmp"
        PATTERN "CMakeLists.txt" PATTERN "Makefile" PATTERN "*.md"
        PATTERN "build" EXCLUDE PATTERN "CMakeFiles" EXCLUDE)

# The API reference (the `docs` target).
include(${CMAKE_CURRENT_LIST_DIR}/docs.cmake)

# ------------------------------------------------------------ package files

# The pkg-config modules behind PkgConfig::NAME targets that the installed
# libraries link: static libraries pass their link dependencies on, so the
# package must find them again (without passing their include folders on).
function(_ru_linked_modules out_names)
  set(names)
  foreach(target ru_platform ru ru_main)
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(libs ${target} ${property})
      if(libs)
        string(REGEX MATCHALL "PkgConfig::[A-Za-z0-9_]+" found "${libs}")
        list(APPEND names ${found})
      endif()
    endforeach()
  endforeach()
  list(TRANSFORM names REPLACE "^PkgConfig::" "")
  list(REMOVE_DUPLICATES names)
  set(${out_names} ${names} PARENT_SCOPE)
endfunction()

function(_ru_write_package_files)
  _ru_linked_modules(names)
  set(RU_CONFIG_DEPENDENCIES "")
  set(RU_PC_LIBS "")
  foreach(name IN LISTS names)
    set(module "${${name}_MODULE_NAME}")
    if(NOT module)
      message(FATAL_ERROR "install.cmake: PkgConfig::${name} must come from "
              "pkg_check_modules(${name} ... IMPORTED_TARGET <one module>)")
    endif()
    string(APPEND RU_CONFIG_DEPENDENCIES "_ru_pkg_module(${name} ${module})\n")
    list(APPEND RU_PC_LIBS ${${name}_LDFLAGS})
  endforeach()
  list(REMOVE_DUPLICATES RU_PC_LIBS)
  list(JOIN RU_PC_LIBS " " RU_PC_LIBS)
  list(JOIN RU_CHARSET_FLAGS " " RU_PC_CHARSET_FLAGS)

  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/ruConfig.cmake.in
    ${PROJECT_BINARY_DIR}/ruConfig.cmake INSTALL_DESTINATION ${RU_INSTALL_CMAKEDIR})
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/ruConfigVersion.cmake
    VERSION ${RU_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/ruConfig.cmake ${PROJECT_BINARY_DIR}/ruConfigVersion.cmake
          DESTINATION ${RU_INSTALL_CMAKEDIR})

  # ru.pc finds its prefix from its own folder, so it holds wherever the
  # files are installed (a temporary prefix, /usr/local, the .deb's /usr).
  file(RELATIVE_PATH RU_PC_PREFIX "/${RU_INSTALL_PKGCONFIGDIR}" "/")
  string(REGEX REPLACE "/$" "" RU_PC_PREFIX "${RU_PC_PREFIX}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/ru.pc.in ${PROJECT_BINARY_DIR}/ru.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/ru.pc DESTINATION ${RU_INSTALL_PKGCONFIGDIR})

  # The pack tool, once the project builds one.
  if(TARGET rupack)
    install(TARGETS rupack RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL _ru_write_package_files)

# ------------------------------------------------------------ Debian package

# `cpack -G DEB` in the build folder: libru-dev_<version>_<arch>.deb with
# everything above under /usr. A game needs the development files of the
# libraries the static libraries link, and the fonts at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME libru-dev)
set(CPACK_PACKAGE_VERSION ${RU_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "2D game library for frame-loop games: static libraries, headers, CMake and pkg-config files")
set(CPACK_PACKAGE_CONTACT "ru2d developers <ru2d@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libsdl2-2.0-0, libfreetype6, libfontconfig1, libfluidsynth3, libsdl2-dev, libfreetype-dev, libfontconfig-dev, libfluidsynth-dev, pkg-config, fonts-ipafont-mincho, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "timgm6mb-soundfont | fluid-soundfont-gm")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cmake, g++")
# Run-time libraries of installed programs (rupack), when there are any.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

# ------------------------------------------------------------ test

# The installed library used from outside the tree (label install).
if(RU_BUILD_TESTS)
  add_test(NAME install.starter_outside
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/starter_outside.sh ${PROJECT_BINARY_DIR})
  set_tests_properties(install.starter_outside PROPERTIES LABELS install TIMEOUT 600)
endif()
