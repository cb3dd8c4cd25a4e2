# Installs the build into a temporary prefix and runs the installed programs
# from there: quorvex-cli info and settings (the per-model tables must be found
# under share/quorvex) and the desktop program's scripted demonstration in
# Chinese (Param.ini read from the user's configuration folder, the Chinese
# translation found under share/quorvex/Language).
#   cmake -DBUILD_DIR=<build> -DWORK_DIR=<scratch> -P CheckInstall.cmake
set(prefix ${WORK_DIR}/usr)
set(config_home ${WORK_DIR}/config)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${config_home}/quorvex)
file(WRITE ${config_home}/quorvex/Param.ini "[Language]\nLanguage=1\n[USB]\nBackend=sim\n")

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

foreach(f bin/quorvex bin/quorvex-cli lib/quorvex/libcorvane.so lib/quorvex/libparlex.so
          lib/quorvex/libtessary.so lib/quorvex/libveltro.so
          share/quorvex/config/QX1202_eng.ini share/quorvex/config/QX1022.ini
          share/quorvex/Language/ChineseResource.qm share/quorvex/help/index.html
          share/applications/quorvex.desktop share/icons/hicolor/scalable/apps/quorvex.svg
          share/icons/hicolor/48x48/apps/quorvex.png lib/udev/rules.d/60-quorvex.rules)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(STRINGS ${prefix}/lib/udev/rules.d/60-quorvex.rules rule REGEX "^SUBSYSTEM")
if(NOT rule MATCHES "MODE=\"0660\"" OR NOT rule MATCHES "GROUP=\"plugdev\"")
  message(FATAL_ERROR "udev rule without mode 0660 / group plugdev: ${rule}")
endif()

# Run from a folder that is neither the build nor the prefix, with a clean
# environment for the settings file and no library path.
set(run_env ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH HOME=${WORK_DIR}
            XDG_CONFIG_HOME=${config_home} QT_QPA_PLATFORM=offscreen)
function(run_installed expect)
  execute_process(COMMAND ${run_env} ${ARGN} WORKING_DIRECTORY ${WORK_DIR}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}: exit ${status}\n${out}\n${err}")
  endif()
  if(NOT out MATCHES "${expect}")
    message(FATAL_ERROR "${ARGN}: expected '${expect}' in\n${out}\n${err}")
  endif()
  set(run_err "${err}" PARENT_SCOPE)
endfunction()

run_installed("keys +49" ${prefix}/bin/quorvex-cli info)
run_installed("Display/Format" ${prefix}/bin/quorvex-cli settings)
if(run_err MATCHES "configuration files")
  message(FATAL_ERROR "the installed quorvex-cli found no per-model tables:\n${run_err}")
endif()
run_installed("demo: done" ${prefix}/bin/quorvex --demo=${WORK_DIR}/shots)
if(run_err MATCHES "no language file")
  message(FATAL_ERROR "the installed program found no translation:\n${run_err}")
endif()
if(NOT EXISTS ${WORK_DIR}/shots/quorvex-main-window.png)
  message(FATAL_ERROR "the installed program's demonstration saved no screenshot")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
