# Installs the build into a fresh prefix, builds the minimal host against it
# as an outside project (no Qt found for it), and runs the installed programs:
# each must find its libraries in the prefix, not in the build tree.
cmake_minimum_required(VERSION 3.21)

function(fail)
  message(FATAL_ERROR ${ARGN})
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
foreach(f include/qelvan/showdll.h include/qelvan/session.h include/qelvan/backends.h
          include/qelvan/counted_string.h lib/libqelvan.so lib/libqelvan_db.so
          lib/cmake/qelvan/qelvanConfig.cmake lib/cmake/qelvan/qelvanConfigVersion.cmake
          bin/qelvan-host bin/qelvan-demo-gen share/qelvan/vuq_xstgjfp1.frf)
  if(NOT EXISTS ${prefix}/${f})
    fail("not installed: ${f}")
  endif()
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/minimal_host -B ${WORK_DIR}/host
    -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/host OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

# The outside host reaches the installed backends: a missing file is the
# embedded engine's error, reported by the host.
execute_process(COMMAND ${WORK_DIR}/host/minimal_host ${WORK_DIR}/no-such-folder/vuq.db
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT err MATCHES "^error: ")
  fail("minimal_host: exit ${rc}, stderr: ${err}")
endif()

# The installed demo: data from the installed generator, the template from
# share/, the installed host loading the installed plug-in by its default path.
set(data ${WORK_DIR}/data)
execute_process(COMMAND ${prefix}/bin/qelvan-demo-gen --out ${data} --size small --end-date 2026-01-31
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(COPY ${prefix}/share/qelvan/vuq_xstgjfp1.frf DESTINATION ${data})
execute_process(COMMAND ${prefix}/bin/qelvan-host --db vuq.db --screenshot ${WORK_DIR}/shot.png --query --print
  WORKING_DIRECTORY ${data} RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT EXISTS ${WORK_DIR}/shot.png)
  fail("installed qelvan-host: exit ${rc}, stderr: ${err}")
endif()
