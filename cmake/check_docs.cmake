# check_docs.cmake - fails the docs build when Doxygen reports a public
# function without a comment. Run as: cmake -DLOG=<warnings file> -P check_docs.cmake
file(STRINGS "${LOG}" undocumented REGEX "\\(function\\).* is not documented")
list(LENGTH undocumented count)
if(count GREATER 0)
  list(JOIN undocumented "\n" lines)
  message(FATAL_ERROR "${lines}\n${count} public functions have no comment")
endif()
