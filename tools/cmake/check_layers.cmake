# check_layers.cmake - fails the build when library code (outside platform/)
# includes SDL, FreeType, fontconfig or FluidSynth: those belong to the
# platform layer alone. Run with -DSOURCE_DIR=<top of the sources>.
file(GLOB_RECURSE files
  ${SOURCE_DIR}/system/*.cpp ${SOURCE_DIR}/system/*.h
  ${SOURCE_DIR}/draw/*.cpp ${SOURCE_DIR}/draw/*.h
  ${SOURCE_DIR}/text/*.cpp ${SOURCE_DIR}/text/*.h
  ${SOURCE_DIR}/input/*.cpp ${SOURCE_DIR}/input/*.h
  ${SOURCE_DIR}/sound/*.cpp ${SOURCE_DIR}/sound/*.h
  ${SOURCE_DIR}/effects/*.cpp ${SOURCE_DIR}/effects/*.h
  ${SOURCE_DIR}/game/*.cpp ${SOURCE_DIR}/game/*.h)
set(bad "")
foreach(f ${files})
  file(STRINGS ${f} hits REGEX
       "^[ \t]*#[ \t]*include[ \t]*[<\"](SDL|SDL2/|ft2build|freetype|FT_|fontconfig/|fluidsynth)")
  if(hits)
    list(APPEND bad "${f}: ${hits}")
  endif()
endforeach()
if(bad)
  list(JOIN bad "\n  " text)
  message(FATAL_ERROR "Library code includes a platform-only package; use platform/ headers:\n  ${text}")
endif()
