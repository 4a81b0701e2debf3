# One static library per source folder, with its sources named one by one:
# a file joins a library only by being listed, so renaming or adding a file
# never moves it silently.
function(kalviro_layer name)
  cmake_parse_arguments(L "" "" "SOURCES;LINK" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC ${L_LINK})
endfunction()
