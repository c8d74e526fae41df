# Fails when a file of a chart layer includes a header of a chart layer it does
# not link, or any header of the trading core (src/domain), which sits above the
# engine. Run by tavrix_chart_layer() with LAYER (the folder), ALLOWED (the
# folders it may include, comma-separated), DIR and STAMP.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" allowed "${ALLOWED}")
file(GLOB files "${DIR}/*.h" "${DIR}/*.cpp")
set(faults "")
foreach(file IN LISTS files)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](chart/[A-Za-z0-9_]+|domain)/")
  foreach(line IN LISTS lines)
    if(line MATCHES "[\"<]domain/" OR (line MATCHES "chart/([A-Za-z0-9_]+)/" AND NOT CMAKE_MATCH_1 IN_LIST allowed))
      get_filename_component(name "${file}" NAME)
      string(APPEND faults "\n  ${LAYER}/${name}: ${line}")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "The chart's ${LAYER} layer may include only chart/{${ALLOWED}}/ headers, and none of domain/:${faults}")
endif()
file(TOUCH "${STAMP}")
