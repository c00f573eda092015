# What a host outside this tree needs: the plug-in, the bundled backends and
# the public headers, found through find_package(qelvan); with them the demo
# host, the demo data generator and the default report template.
#
# The exported targets carry no toolkit in their interface: the public headers
# use the standard library only, so a host needs no Qt to compile against them.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QELVAN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/qelvan)
file(RELATIVE_PATH _qelvan_bin_to_lib
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR})

set_target_properties(qelvan_headers PROPERTIES EXPORT_NAME headers)
# The plug-in finds the backends beside it, wherever the prefix is moved.
set_target_properties(qelvan PROPERTIES EXPORT_NAME qelvan INSTALL_RPATH "$ORIGIN")
set_target_properties(qelvan_db PROPERTIES EXPORT_NAME db INSTALL_RPATH "$ORIGIN")
set_target_properties(qelvan-host qelvan-demo-gen PROPERTIES INSTALL_RPATH "$ORIGIN/${_qelvan_bin_to_lib}")

install(TARGETS qelvan qelvan_db qelvan_headers EXPORT qelvanTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/qelvan DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT qelvanTargets NAMESPACE qelvan:: DESTINATION ${QELVAN_CMAKE_DIR})

write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/qelvanConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES cmake/qelvanConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/qelvanConfigVersion.cmake
  DESTINATION ${QELVAN_CMAKE_DIR})

install(TARGETS qelvan-host qelvan-demo-gen RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES demo/vuq_xstgjfp1.frf DESTINATION ${CMAKE_INSTALL_DATADIR}/qelvan)
