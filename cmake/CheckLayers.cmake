# Fails when a source file includes a header of a layer above its own.
#   cmake -DSOURCE_DIR=... -P CheckLayers.cmake
#
# A folder may include its own headers and those of the folders listed for
# it. A header is found by its file name in the folders below; names of
# system and library headers match none and are skipped.
cmake_policy(SET CMP0057 NEW)
set(LAYERS device widgets inputs layout system app tools/procsim tools/kbdsim)
set(ALLOWED_device device)
set(ALLOWED_widgets device widgets)
set(ALLOWED_inputs device widgets inputs)
set(ALLOWED_layout device widgets inputs layout)
set(ALLOWED_system device widgets system)
set(ALLOWED_app device widgets inputs layout system app)
# The simulators share no code with the program: one misreading of a frame
# must not hide in both.
set(ALLOWED_tools/procsim tools/procsim)
set(ALLOWED_tools/kbdsim tools/kbdsim)

foreach(layer IN LISTS LAYERS)
  file(GLOB headers RELATIVE ${SOURCE_DIR}/${layer} ${SOURCE_DIR}/${layer}/*.h)
  foreach(h IN LISTS headers)
    set(OWNER_${h} ${layer})
  endforeach()
endforeach()

set(faults "")
foreach(layer IN LISTS LAYERS)
  file(GLOB sources ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(src IN LISTS sources)
    file(STRINGS ${src} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
      get_filename_component(name ${included} NAME)
      if(DEFINED OWNER_${name})
        set(owner ${OWNER_${name}})
        if(NOT owner IN_LIST ALLOWED_${layer})
          file(RELATIVE_PATH rel ${SOURCE_DIR} ${src})
          string(APPEND faults "  ${rel} includes ${owner}/${name}\n")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "A lower library includes a higher one:\n${faults}"
    "Layers, lowest first: device < widgets < inputs < layout; system beside inputs and layout;\n"
  "app on top; the simulators in tools/ stand apart.")
endif()
