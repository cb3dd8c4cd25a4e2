# Include-direction check: every project include of every source file must
# point to a folder its own folder may use. Run as
#   cmake -DQV_SOURCE_DIR=<repo> -P cmake/CheckLayers.cmake
# (the build runs it as the target qv_layers, ctest as the test "layers").
# A file's folder is its first path component, or the first two when the
# second is "view" (docs/view). An include names a
# folder the same way, or a single file (link/UsbDriver.h).

cmake_policy(VERSION 3.22)

# folder -> what it may include besides itself
set(allowed_corvane "")
set(allowed_parlex corvane)
set(allowed_tessary corvane)
set(allowed_veltro "")
set(allowed_sim corvane parlex tessary link/UsbDriver.h link/UsbBulkTransport.h)
set(allowed_analysis corvane)
set(allowed_link corvane parlex tessary)
set(allowed_settings link corvane parlex tessary)
set(allowed_backend link sim corvane)
set(allowed_docs analysis corvane)
set(allowed_ui docs analysis link corvane)
set(qv_views link/view settings/view docs/view analysis/view)
foreach(view ${qv_views})
  # Views reach the shell only through ui/: never app/, the simulator or the tools.
  set(allowed_${view} ui link settings docs analysis corvane parlex tessary veltro
      link/view settings/view docs/view analysis/view)
endforeach()
set(allowed_app ui link settings docs analysis backend corvane parlex tessary veltro sim
    link/view settings/view docs/view analysis/view)
set(allowed_cli link settings docs analysis backend corvane parlex tessary sim)
set(checked_folders corvane parlex tessary veltro sim analysis link settings backend docs ui app cli ${qv_views})

# Crossings that are known and being removed: "file|include" (none left).
set(qv_layer_exceptions)

function(qv_folder_of path out)
  string(REPLACE "/" ";" parts "${path}")
  list(LENGTH parts n)
  list(GET parts 0 first)
  set(key ${first})
  if(n GREATER 2)
    list(GET parts 1 second)
    if(second STREQUAL "view")
      set(key ${first}/${second})
    endif()
  endif()
  set(${out} ${key} PARENT_SCOPE)
endfunction()

if(NOT QV_SOURCE_DIR)
  get_filename_component(QV_SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
endif()
set(violations "")
foreach(folder ${checked_folders})
  file(GLOB sources RELATIVE ${QV_SOURCE_DIR} ${QV_SOURCE_DIR}/${folder}/*.cpp ${QV_SOURCE_DIR}/${folder}/*.h)
  foreach(source ${sources})
    file(STRINGS ${QV_SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
      if(NOT included MATCHES "/")
        continue()   # a file beside it
      endif()
      qv_folder_of(${included} target)
      if(target STREQUAL folder OR target IN_LIST allowed_${folder} OR included IN_LIST allowed_${folder})
        continue()
      endif()
      if(NOT EXISTS ${QV_SOURCE_DIR}/${target})
        continue()   # not a folder of the project (a Qt or system header)
      endif()
      if("${source}|${included}" IN_LIST qv_layer_exceptions)
        continue()
      endif()
      string(APPEND violations "  ${source}: #include \"${included}\" (${folder}/ may not use ${target}/)\n")
    endforeach()
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "Includes across a forbidden layer direction:\n${violations}")
endif()
message(STATUS "Layers: every include follows the folder table")
