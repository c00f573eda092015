# find_package(qelvan) gives:
#   qelvan::qelvan   libqelvan.so, the plug-in with its one entry, showdll
#   qelvan::db       the bundled backends (openEmbeddedDatabase, wrapQtSqlConnection)
#                    and SimpleSession
#   qelvan::headers  the public headers alone, for a host that implements the
#                    session and database itself and loads the plug-in at run time
include(${CMAKE_CURRENT_LIST_DIR}/qelvanTargets.cmake)
