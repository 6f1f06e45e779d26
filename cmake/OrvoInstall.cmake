# Installing the library: the public headers, the static libraries and a CMake package, so
# that an application writes find_package(OrvoMaskEd3) and links OrvoMaskEd3::orvomask (the
# control, the headless host, form files and the database engines) and OrvoMaskEd3::qt (the
# Qt host and OrvoMaskWidget).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

add_library(orvo_package_core INTERFACE)
target_link_libraries(orvo_package_core INTERFACE orvomask orvo_host_headless orvo_formfile
  orvo_db_sqlite orvo_db_postgres)
set_target_properties(orvo_package_core PROPERTIES EXPORT_NAME orvomask)
# The control's own library keeps its name in the tree; in the package it is one part of the
# core.
set_target_properties(orvomask PROPERTIES EXPORT_NAME control)

set(_orvo_package_targets orvo_package_core orvo_base orvo_mask orvo_platform orvo_appearance
  orvo_lookup orvo_popups orvomask orvo_host_core orvo_host_headless orvo_formfile
  orvo_db_dialect orvo_db_keyset orvo_db_sqlite orvo_db_postgres)
if(TARGET orvo_host_qt)
  set_target_properties(orvo_host_qt PROPERTIES EXPORT_NAME qt)
  list(APPEND _orvo_package_targets orvo_host_qt)
endif()

install(TARGETS ${_orvo_package_targets} EXPORT OrvoMaskEd3Targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/orvo DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(_orvo_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/OrvoMaskEd3)
install(EXPORT OrvoMaskEd3Targets NAMESPACE OrvoMaskEd3:: DESTINATION ${_orvo_cmake_dir})
set(ORVO_PACKAGE_HAS_QT OFF)
if(TARGET orvo_host_qt)
  set(ORVO_PACKAGE_HAS_QT ON)
endif()
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/OrvoMaskEd3Config.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/OrvoMaskEd3Config.cmake INSTALL_DESTINATION ${_orvo_cmake_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/OrvoMaskEd3ConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/OrvoMaskEd3Config.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/OrvoMaskEd3ConfigVersion.cmake DESTINATION ${_orvo_cmake_dir})
