# How the program's libraries are declared, and the rule that keeps their
# layers apart.
#
# The layers, lowest first: device (the device link, no widgets) < widgets
# (what every page shares) < the page libraries < app (the shell, used by
# nothing but the executable). A page library names the page libraries it
# uses; today only layout uses inputs.

# led_add_page_library(NAME SOURCES files... [USES page libraries...])
# One static library for the pages of one folder, over widgets and device.
function(led_add_page_library name)
  cmake_parse_arguments(P "" "" "SOURCES;USES" ${ARGN})
  add_library(${name} STATIC ${P_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON AUTOUIC ON
    AUTOUIC_SEARCH_PATHS ${CMAKE_SOURCE_DIR}/forms)
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${P_USES} widgets device Qt5::Widgets)
endfunction()
