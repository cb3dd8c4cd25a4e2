# Helpers that keep every folder's CMakeLists short. Sources are globbed so a
# new class file needs no CMake edit; CONFIGURE_DEPENDS re-globs on build.

# qv_sources(<out-var> <folder>...) : all .cpp/.h files directly in the folders.
function(qv_sources out)
  set(files)
  foreach(dir ${ARGN})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# qv_library(<name> <SHARED|STATIC> FOLDERS <dir>... [EXCLUDE <file>...] LINKS <target>...)
# Skips the target when the folders hold no sources yet.
function(qv_library name kind)
  cmake_parse_arguments(A "QT" "" "FOLDERS;EXCLUDE;LINKS" ${ARGN})
  qv_sources(files ${A_FOLDERS})
  foreach(ex ${A_EXCLUDE})
    list(FILTER files EXCLUDE REGEX "${ex}$")
  endforeach()
  set(cpp ${files})
  list(FILTER cpp INCLUDE REGEX "\\.cpp$")
  if(NOT cpp)
    message(STATUS "${name}: no sources yet, skipped")
    return()
  endif()
  add_library(${name} ${kind} ${files})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_LINKS})
  if(A_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
  endif()
endfunction()

# qv_link_if_present(<target> <dep>...) : link the deps that exist.
function(qv_link_if_present target)
  foreach(dep ${ARGN})
    if(TARGET ${dep})
      target_link_libraries(${target} PRIVATE ${dep})
    endif()
  endforeach()
endfunction()
